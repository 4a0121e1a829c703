// Collects decoded stream data up to a limit and stops the decoder once the
// limit is passed, so an untrusted stream never costs more than the caller
// asked for (a small stream can inflate to gigabytes).
#pragma once

#include <cstddef>
#include <string>

#include <qpdf/Pipeline.hh>

namespace viewer::pdf {

class CappedPipeline final : public Pipeline {
 public:
  explicit CappedPipeline(std::size_t maxBytes);
  void write(unsigned char const* data, size_t len) override;
  void finish() override {}

  bool ReachedCap() const { return reachedCap_; }
  std::string Take() { return std::move(data_); }

 private:
  std::size_t maxBytes_;
  std::string data_;
  bool reachedCap_ = false;
};

}  // namespace viewer::pdf
