#include "viewer/pdf/content/SpanRemoval.h"

#include <algorithm>
#include <set>
#include <string_view>

namespace viewer::pdf {
namespace {

bool IsStateOperator(std::string_view name) {
  static const std::set<std::string_view> kState = {
      "cm", "w",  "J",  "j",  "M",  "d",   "ri", "i",  "gs", "CS", "cs", "SC", "SCN", "sc", "scn",
      "G",  "g",  "RG", "rg", "K",  "k",   "Tc", "Tw", "Tz", "TL", "Tf", "Tr", "Ts"};
  return kState.count(name) != 0;
}

bool IsPathConstruction(std::string_view name) {
  return name == "m" || name == "l" || name == "c" || name == "v" || name == "y" || name == "h" || name == "re";
}

bool IsPathPainting(std::string_view name) {
  static const std::set<std::string_view> kPaint = {"S", "s", "f", "F", "f*", "B", "B*", "b", "b*", "n"};
  return kPaint.count(name) != 0;
}

// The operations of a removed span that still matter after it, as text.
class Residue {
 public:
  Residue(const std::string& bytes, const std::vector<ContentOp>& ops) : bytes_(bytes), ops_(ops) {}

  std::string Of(const OpRange& range) {
    for (std::size_t i = range.first; i <= range.last; ++i) Take(ops_[i]);
    std::string text;
    for (std::size_t i = 0; i < kept_.size(); ++i) {
      if (!alive_[i]) continue;
      text += ' ';
      text += kept_[i];
    }
    return text;
  }

 private:
  void Take(const ContentOp& op) {
    const std::string_view name = op.name;
    if (name == "q") {
      saves_.push_back(kept_.size());
      Keep(op);
    } else if (name == "Q") {
      Restore(op);
    } else if (name == "BMC" || name == "BDC") {
      marks_.push_back(kept_.size());
      Keep(op);
    } else if (name == "EMC") {
      if (marks_.empty()) return Keep(op);
      alive_[marks_.back()] = false;
      marks_.pop_back();
    } else if (IsPathConstruction(name)) {
      path_.push_back(Text(op));
    } else if (name == "W" || name == "W*") {
      clip_ = true;
      path_.push_back(Text(op));
    } else if (IsPathPainting(name)) {
      if (clip_) {
        for (auto& part : path_) Keep(std::move(part));
        Keep(std::string("n"));
      }
      path_.clear();
      clip_ = false;
    } else if (IsStateOperator(name)) {
      Keep(op);
    }
  }

  // A Q that closes a q of the span drops everything since; one that
  // closes a q from before the span must stay.
  void Restore(const ContentOp& op) {
    if (saves_.empty()) return Keep(op);
    const std::size_t at = saves_.back();
    saves_.pop_back();
    kept_.resize(at);
    alive_.resize(at);
    while (!marks_.empty() && marks_.back() >= at) marks_.pop_back();
  }

  std::string Text(const ContentOp& op) const { return bytes_.substr(op.begin, op.end - op.begin); }
  void Keep(const ContentOp& op) { Keep(Text(op)); }
  void Keep(std::string text) {
    kept_.push_back(std::move(text));
    alive_.push_back(true);
  }

  const std::string& bytes_;
  const std::vector<ContentOp>& ops_;
  std::vector<std::string> kept_;
  std::vector<bool> alive_;
  std::vector<std::size_t> saves_;
  std::vector<std::size_t> marks_;
  std::vector<std::string> path_;
  bool clip_ = false;
};

// Nested or overlapping ranges become their union.
std::vector<OpRange> Merged(std::vector<OpRange> ranges) {
  std::sort(ranges.begin(), ranges.end(), [](const OpRange& a, const OpRange& b) { return a.first < b.first; });
  std::vector<OpRange> merged;
  for (const auto& r : ranges) {
    if (!merged.empty() && r.first <= merged.back().last) {
      merged.back().last = std::max(merged.back().last, r.last);
    } else {
      merged.push_back(r);
    }
  }
  return merged;
}

}  // namespace

std::string RemoveSpans(const std::string& bytes, const std::vector<ContentOp>& ops, std::vector<OpRange> removed) {
  std::string out;
  out.reserve(bytes.size());
  std::size_t copied = 0;
  for (const auto& range : Merged(std::move(removed))) {
    if (range.last >= ops.size() || range.first > range.last) continue;
    const std::size_t begin = ops[range.first].begin;
    const std::size_t end = ops[range.last].end;
    if (begin < copied || end > bytes.size()) continue;
    out.append(bytes, copied, begin - copied);
    // Spaces keep the neighbouring tokens apart.
    out += Residue(bytes, ops).Of(range);
    out += ' ';
    copied = end;
  }
  out.append(bytes, copied, std::string::npos);
  return out;
}

}  // namespace viewer::pdf
