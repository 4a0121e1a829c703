// Writes content back with some operations removed. Only the removed spans
// change; every other byte stays as it was. A removed span is replaced by
// what of it still matters to the content after it: graphics-state and
// text-state settings outside a q/Q pair, clipping paths, and unmatched q, Q
// or marked-content brackets, so that removing an element never moves,
// recolours or unbalances what follows.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "viewer/pdf/content/ContentOp.h"

namespace viewer::pdf {

struct OpRange {
  std::size_t first = 0;  // operation indices, both included
  std::size_t last = 0;
};

std::string RemoveSpans(const std::string& bytes, const std::vector<ContentOp>& ops, std::vector<OpRange> removed);

}  // namespace viewer::pdf
