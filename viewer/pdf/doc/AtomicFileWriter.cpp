#include "viewer/pdf/doc/AtomicFileWriter.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <stdexcept>
#include <vector>

#include "host/HostError.h"

namespace viewer::pdf {
namespace {

namespace fs = std::filesystem;

std::runtime_error SystemFailure(const std::string& what) {
  return std::runtime_error(what + ": " + std::strerror(errno));
}

// Buffers the writer's many small pieces into few system calls.
class FdPipeline final : public Pipeline {
 public:
  FdPipeline(int fd, std::int64_t failAfterBytes) : Pipeline("file", nullptr), fd_(fd), failAfter_(failAfterBytes) {
    buffer_.reserve(kBufferSize);
  }

  void write(unsigned char const* data, size_t len) override {
    size_t allowed = len;
    const bool failNow = failAfter_ >= 0 && accepted_ + static_cast<std::int64_t>(len) > failAfter_;
    if (failNow) allowed = static_cast<size_t>(failAfter_ - accepted_);
    buffer_.append(reinterpret_cast<const char*>(data), allowed);
    accepted_ += static_cast<std::int64_t>(allowed);
    if (failNow) {
      Flush();
      throw std::runtime_error("write failed after " + std::to_string(failAfter_) + " bytes");
    }
    if (buffer_.size() >= kBufferSize) Flush();
  }
  void finish() override { Flush(); }

  void Flush() {
    const char* data = buffer_.data();
    size_t len = buffer_.size();
    while (len > 0) {
      const ssize_t n = ::write(fd_, data, len);
      if (n < 0 && errno == EINTR) continue;
      if (n <= 0) throw SystemFailure("write");
      data += n;
      len -= static_cast<size_t>(n);
    }
    buffer_.clear();
  }

 private:
  static constexpr size_t kBufferSize = 1 << 16;
  int fd_;
  std::int64_t failAfter_;
  std::int64_t accepted_ = 0;
  std::string buffer_;
};

// The file a save replaces: a symbolic link stays a link to the saved file.
fs::path ResolveTarget(const std::string& target) {
  std::error_code ec;
  if (fs::is_symlink(fs::symlink_status(target, ec))) {
    fs::path resolved = fs::canonical(target, ec);
    if (!ec) return resolved;
  }
  return fs::path(target);
}

std::string CurrentReason() {
  try {
    throw;
  } catch (const std::exception& e) {
    return e.what();
  } catch (...) {
    return "unknown error";
  }
}

mode_t ModeFor(const fs::path& target) {
  struct stat st {};
  if (::stat(target.c_str(), &st) == 0) return st.st_mode & 07777;
  const mode_t mask = ::umask(0);
  ::umask(mask);
  return 0666 & ~mask;
}

void SyncFolder(const fs::path& folder) {
  const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return;
  ::fsync(fd);  // best effort: the rename itself is already done
  ::close(fd);
}

}  // namespace

void AtomicFileWriter::Replace(const std::string& targetText, const std::function<void(Pipeline&)>& produce) const {
  const fs::path target = ResolveTarget(targetText);
  const fs::path folder = target.has_parent_path() ? target.parent_path() : fs::path(".");
  std::string pattern = (folder / ("." + target.filename().string() + ".XXXXXX")).string();
  std::vector<char> name(pattern.begin(), pattern.end());
  name.push_back('\0');

  const int fd = ::mkostemp(name.data(), O_CLOEXEC);
  if (fd < 0) host::RaiseHostError(host::kErrFileWrite, "cannot create a file in " + folder.string() + ": " + std::strerror(errno));
  const std::string temporary(name.data());
  bool open = true;
  try {
    if (::fchmod(fd, ModeFor(target)) != 0) throw SystemFailure("fchmod");
    FdPipeline pipeline(fd, failAfterBytes_);
    produce(pipeline);
    pipeline.Flush();
    if (::fsync(fd) != 0) throw SystemFailure("fsync");
    open = false;
    if (::close(fd) != 0) throw SystemFailure("close");
    if (::rename(temporary.c_str(), target.c_str()) != 0) throw SystemFailure("rename");
  } catch (...) {
    if (open) ::close(fd);
    ::unlink(temporary.c_str());
    host::RaiseHostError(host::kErrFileWrite, "saving " + target.string() + " failed: " + CurrentReason());
  }
  SyncFolder(folder);
}

}  // namespace viewer::pdf
