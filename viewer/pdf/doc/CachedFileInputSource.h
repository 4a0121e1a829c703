// A PDF file read through a small cache of file blocks. qpdf seeks before
// nearly every object it resolves; over a stdio stream each of those seeks
// is a system call. Here a seek only moves a position, and reads are served
// from the last few blocks read with pread, so walking a document costs a
// system call per new block instead of one per object.
#pragma once

#include <cstddef>
#include <list>
#include <string>
#include <vector>

#include <qpdf/InputSource.hh>

namespace viewer::pdf {

class CachedFileInputSource final : public InputSource {
 public:
  static constexpr std::size_t kBlockSize = 64 * 1024;
  static constexpr std::size_t kCachedBlocks = 16;

  // Opens path for reading; throws QPDFSystemError when it cannot.
  explicit CachedFileInputSource(const std::string& path);
  ~CachedFileInputSource() override;
  CachedFileInputSource(const CachedFileInputSource&) = delete;
  CachedFileInputSource& operator=(const CachedFileInputSource&) = delete;

  qpdf_offset_t findAndSkipNextEOL() override;
  const std::string& getName() const override { return name_; }
  qpdf_offset_t tell() override { return position_; }
  void seek(qpdf_offset_t offset, int whence) override;
  void rewind() override { position_ = 0; }
  size_t read(char* buffer, size_t length) override;
  void unreadCh(char ch) override;

 private:
  struct Block {
    qpdf_offset_t start = 0;
    std::vector<char> bytes;  // shorter than kBlockSize only at the end of the file
  };

  // The cached block holding offset (read when needed), most recent first.
  const Block& BlockAt(qpdf_offset_t offset);
  qpdf_offset_t FileSize() const;

  std::string name_;
  int fd_ = -1;
  qpdf_offset_t position_ = 0;
  std::list<Block> blocks_;
};

}  // namespace viewer::pdf
