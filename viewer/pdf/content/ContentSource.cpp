#include "viewer/pdf/content/ContentSource.h"

namespace viewer::pdf {

ContentSource::ContentSource(Kind kind, QPDFObjectHandle owner, std::string bytes, std::vector<ContentOp> ops,
                             bool readable)
    : kind_(kind), owner_(std::move(owner)), bytes_(std::move(bytes)), ops_(std::move(ops)), readable_(readable) {}

void ContentSource::Remove(OpRange range) {
  if (!readable_ || range.first > range.last || range.last >= ops_.size()) return;
  removed_.push_back(range);
}

std::string ContentSource::Rewritten() const { return RemoveSpans(bytes_, ops_, removed_); }

}  // namespace viewer::pdf
