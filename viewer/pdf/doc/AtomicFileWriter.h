// Replaces a file only with complete data: the new bytes go to a temporary
// file in the target's folder, are flushed to disk and then renamed over the
// target. On any failure the temporary file is removed, the target keeps
// every byte it had, and HostError(kErrFileWrite) is raised.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include <qpdf/Pipeline.hh>

namespace viewer::pdf {

class AtomicFileWriter {
 public:
  // failAfterBytes >= 0 makes the write fail once that many bytes are
  // written (tests reach the failure paths with it).
  explicit AtomicFileWriter(std::int64_t failAfterBytes = -1) : failAfterBytes_(failAfterBytes) {}

  // Runs produce with a pipeline into the temporary file, then puts the
  // file in place.
  void Replace(const std::string& target, const std::function<void(Pipeline&)>& produce) const;

 private:
  std::int64_t failAfterBytes_;
};

}  // namespace viewer::pdf
