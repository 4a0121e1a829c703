#include "viewer/pdf/doc/CachedFileInputSource.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <limits>

#include <qpdf/QPDFExc.hh>
#include <qpdf/QPDFSystemError.hh>

namespace viewer::pdf {

CachedFileInputSource::CachedFileInputSource(const std::string& path) : name_(path) {
  do {
    fd_ = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  } while (fd_ < 0 && errno == EINTR);
  if (fd_ < 0) throw QPDFSystemError("open " + path, errno);
}

CachedFileInputSource::~CachedFileInputSource() {
  if (fd_ >= 0) ::close(fd_);
}

qpdf_offset_t CachedFileInputSource::FileSize() const {
  struct stat status {};
  if (::fstat(fd_, &status) != 0) throw QPDFSystemError(name_ + ": fstat", errno);
  return static_cast<qpdf_offset_t>(status.st_size);
}

void CachedFileInputSource::seek(qpdf_offset_t offset, int whence) {
  qpdf_offset_t base = 0;
  switch (whence) {
    case SEEK_SET:
      break;
    case SEEK_CUR:
      base = position_;
      break;
    case SEEK_END:
      base = FileSize();
      break;
    default:
      throw QPDFSystemError(name_ + ": seek", EINVAL);
  }
  const bool overflows = offset > 0 ? base > std::numeric_limits<qpdf_offset_t>::max() - offset : false;
  if (overflows || base + offset < 0) throw QPDFSystemError(name_ + ": seek", EINVAL);
  position_ = base + offset;
}

void CachedFileInputSource::unreadCh(char) {
  if (position_ > 0) --position_;
}

const CachedFileInputSource::Block& CachedFileInputSource::BlockAt(qpdf_offset_t offset) {
  const qpdf_offset_t start = offset - offset % static_cast<qpdf_offset_t>(kBlockSize);
  const auto cached = std::find_if(blocks_.begin(), blocks_.end(), [start](const Block& b) { return b.start == start; });
  if (cached != blocks_.end()) {
    blocks_.splice(blocks_.begin(), blocks_, cached);
    return blocks_.front();
  }
  Block block;
  if (blocks_.size() >= kCachedBlocks) {
    block = std::move(blocks_.back());
    blocks_.pop_back();
  }
  block.start = start;
  block.bytes.resize(kBlockSize);
  std::size_t filled = 0;
  while (filled < kBlockSize) {
    const ssize_t got = ::pread(fd_, block.bytes.data() + filled, kBlockSize - filled,
                                static_cast<off_t>(start + static_cast<qpdf_offset_t>(filled)));
    if (got < 0 && errno == EINTR) continue;
    if (got < 0) {
      throw QPDFExc(qpdf_e_system, name_, "", offset, std::string("read failed: ") + std::strerror(errno));
    }
    if (got == 0) break;
    filled += static_cast<std::size_t>(got);
  }
  block.bytes.resize(filled);
  blocks_.push_front(std::move(block));
  return blocks_.front();
}

size_t CachedFileInputSource::read(char* buffer, size_t length) {
  last_offset = position_;
  std::size_t copied = 0;
  while (copied < length) {
    const Block& block = BlockAt(position_);
    const auto within = static_cast<std::size_t>(position_ - block.start);
    if (within >= block.bytes.size()) break;  // end of the file
    const std::size_t count = std::min(length - copied, block.bytes.size() - within);
    std::memcpy(buffer + copied, block.bytes.data() + within, count);
    copied += count;
    position_ += static_cast<qpdf_offset_t>(count);
  }
  return copied;
}

// Finds the next CR or LF from the current position, leaves the position
// after the run of CR and LF that starts there and answers the offset of
// its first character (the end of the file when there is none).
qpdf_offset_t CachedFileInputSource::findAndSkipNextEOL() {
  while (true) {
    const Block& block = BlockAt(position_);
    const auto within = static_cast<std::size_t>(position_ - block.start);
    if (within >= block.bytes.size()) return position_;
    const char* begin = block.bytes.data() + within;
    const char* end = block.bytes.data() + block.bytes.size();
    const char* eol = std::find_if(begin, end, [](char c) { return c == '\r' || c == '\n'; });
    position_ += eol - begin;
    if (eol == end) continue;
    const qpdf_offset_t found = position_;
    char c = 0;
    while (read(&c, 1) == 1) {
      if (c != '\r' && c != '\n') {
        unreadCh(c);
        break;
      }
    }
    return found;
  }
}

}  // namespace viewer::pdf
