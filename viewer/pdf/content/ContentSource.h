// One content stream as the interpreter read it: the page's streams joined
// into one, or a form XObject's stream. Elements remember their operations
// here; removals collect here until the content is written back.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include <qpdf/QPDFObjectHandle.hh>

#include "viewer/pdf/content/ContentOp.h"
#include "viewer/pdf/content/SpanRemoval.h"

namespace viewer::pdf {

class ContentSource {
 public:
  enum class Kind { Page, Form };

  // A source whose bytes could not be decoded has no operations and is never
  // written back.
  ContentSource(Kind kind, QPDFObjectHandle owner, std::string bytes, std::vector<ContentOp> ops, bool readable);

  Kind GetKind() const { return kind_; }
  // The page dictionary or the form XObject stream.
  const QPDFObjectHandle& Owner() const { return owner_; }
  const std::string& Bytes() const { return bytes_; }
  const std::vector<ContentOp>& Ops() const { return ops_; }
  bool Readable() const { return readable_; }

  void Remove(OpRange range);
  bool HasUnwrittenRemovals() const { return removed_.size() != written_; }
  // The original bytes with every removal made so far applied.
  std::string Rewritten() const;
  void MarkWritten() { written_ = removed_.size(); }

 private:
  Kind kind_;
  QPDFObjectHandle owner_;
  std::string bytes_;
  std::vector<ContentOp> ops_;
  bool readable_;
  std::vector<OpRange> removed_;
  std::size_t written_ = 0;
};

using ContentSourceRef = std::shared_ptr<ContentSource>;

}  // namespace viewer::pdf
