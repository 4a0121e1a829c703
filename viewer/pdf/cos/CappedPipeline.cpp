#include "viewer/pdf/cos/CappedPipeline.h"

#include <stdexcept>

namespace viewer::pdf {

CappedPipeline::CappedPipeline(std::size_t maxBytes) : Pipeline("capped buffer", nullptr), maxBytes_(maxBytes) {}

void CappedPipeline::write(unsigned char const* data, size_t len) {
  if (reachedCap_) throw std::length_error("decoded data passed its limit");
  const std::size_t room = maxBytes_ - data_.size();
  data_.append(reinterpret_cast<const char*>(data), len < room ? len : room);
  if (len > room) {
    reachedCap_ = true;
    // qpdf catches this and ends the decode; the caller reads ReachedCap().
    throw std::length_error("decoded data passed its limit");
  }
}

}  // namespace viewer::pdf
