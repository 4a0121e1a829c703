#include "blocktool/collections/UniqueBlockName.h"

#include "host/ASText.h"

UniqueBlockName MakeUniqueBlockName(std::string_view source, std::string_view separator,
                                    const std::function<bool(std::string_view)>& isTaken, int& counter) {
  std::string base(source);
  std::string suffix;
  if (counter > 0) suffix = std::string(separator) + std::to_string(counter);
  std::string candidate = base + suffix;
  bool truncated = false;
  for (;;) {
    if (isTaken(candidate)) {
      ++counter;
      suffix = std::string(separator) + std::to_string(counter);
      candidate = base + suffix;
      continue;
    }
    if (candidate.size() <= kMaxBlockNameBytes) break;
    truncated = true;
    const std::size_t room = kMaxBlockNameBytes > suffix.size() ? kMaxBlockNameBytes - suffix.size() : 0;
    base = host::text::TruncateUTF8(base, room);
    candidate = base + suffix;
  }
  return {std::move(candidate), truncated};
}
