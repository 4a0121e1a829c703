// The naming rule for new and copied blocks: a name already taken gets a
// separator and a counter ("Price" -> "Price.1", "Price.2"), and every name
// fits 125 bytes of UTF-8, cut on a character boundary.
#pragma once

#include <functional>
#include <string>
#include <string_view>

inline constexpr std::size_t kMaxBlockNameBytes = 125;

struct UniqueBlockName {
  std::string name;
  bool truncated = false;  // the name had to be shortened to fit
};

// isTaken answers whether a candidate may not be used. counter is the last
// number tried before (0 to start with) and is left at the number used, so
// that a caller naming many copies of one name does not try every number
// again.
UniqueBlockName MakeUniqueBlockName(std::string_view source, std::string_view separator,
                                    const std::function<bool(std::string_view)>& isTaken, int& counter);
