#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <functional>
#include <random>

#include <qpdf/FileInputSource.hh>

#include "viewer/pdf/PdfTestSupport.h"
#include "viewer/pdf/doc/CachedFileInputSource.h"

namespace {

using korvid::test::ScratchFolder;
using viewer::pdf::CachedFileInputSource;
constexpr qpdf_offset_t kBlock = CachedFileInputSource::kBlockSize;

// Bytes with line ends of every kind, some of them across block boundaries.
std::string SampleBytes(std::size_t size) {
  std::mt19937 random(7);
  std::string bytes(size, 'x');
  for (char& c : bytes) c = static_cast<char>('a' + random() % 26);
  for (std::size_t at = 100; at + 4 < size; at += 997 + random() % 5000) bytes.replace(at, 3, "\r\n\r");
  for (qpdf_offset_t boundary = kBlock; boundary + 2 < static_cast<qpdf_offset_t>(size); boundary += kBlock) {
    bytes[boundary - 1] = '\r';
    bytes[boundary] = '\n';
    bytes[boundary + 1] = '\n';
  }
  return bytes;
}

// What one step of a reader answers, as text, for comparing two sources.
using Step = std::function<std::string(InputSource&)>;

Step SeekTo(qpdf_offset_t offset, int whence) {
  return [=](InputSource& in) {
    in.seek(offset, whence);
    return std::to_string(in.tell());
  };
}

Step Read(std::size_t length) {
  return [=](InputSource& in) {
    std::string buffer(length, '\0');
    buffer.resize(in.read(buffer.data(), length));
    return buffer + "@" + std::to_string(in.getLastOffset()) + "/" + std::to_string(in.tell());
  };
}

Step SkipLine() {
  return [](InputSource& in) { return std::to_string(in.findAndSkipNextEOL()) + "/" + std::to_string(in.tell()); };
}

// Callers put back the character they have just read.
Step Unread() {
  return [](InputSource& in) {
    char last = 0;
    in.seek(-1, SEEK_CUR);
    in.read(&last, 1);
    in.unreadCh(last);
    return std::to_string(in.tell());
  };
}

TEST(CachedFileInputSource, AnswersEveryReadSeekAndLineSkipLikeQpdfsOwnFileSource) {
  ScratchFolder folder;
  const auto path = folder / "bytes.bin";
  const std::size_t size = 20 * kBlock + 123;  // more blocks than the cache holds
  std::ofstream(path, std::ios::binary) << SampleBytes(size);

  std::vector<Step> steps = {
      Read(10),  SkipLine(), Read(5), Unread(), Read(3),
      SeekTo(kBlock - 4, SEEK_SET), Read(8),                       // across a block boundary
      SeekTo(kBlock - 1, SEEK_SET), SkipLine(),                    // a CR LF LF run across it
      SeekTo(-50, SEEK_END), Read(100), Read(1), SkipLine(),       // short read at the end, then nothing
      SeekTo(3 * kBlock + 7, SEEK_SET), Read(3 * kBlock), SeekTo(-9, SEEK_CUR), Read(20),
      SeekTo(0, SEEK_SET), Read(1),                                // a block evicted long ago
  };
  std::mt19937 random(11);
  for (int i = 0; i < 300; ++i) {  // scattered object reads, as when resolving a document
    steps.push_back(SeekTo(static_cast<qpdf_offset_t>(random() % size), SEEK_SET));
    steps.push_back(i % 3 == 0 ? SkipLine() : Read(1 + random() % 300));
  }

  FileInputSource reference(path.c_str());
  CachedFileInputSource cached(path.string());
  EXPECT_EQ(cached.getName(), path.string());
  for (std::size_t i = 0; i < steps.size(); ++i) {
    ASSERT_EQ(steps[i](cached), steps[i](reference)) << "step " << i;
  }
  cached.rewind();
  EXPECT_EQ(cached.tell(), 0);
}

TEST(CachedFileInputSource, RefusesMissingFilesAndSeeksBeforeTheStartAndReadsNothingPastTheEnd) {
  ScratchFolder folder;
  EXPECT_THROW(CachedFileInputSource((folder / "missing.pdf").string()), std::runtime_error);
  std::ofstream(folder / "small.bin") << "abc";
  CachedFileInputSource in((folder / "small.bin").string());
  EXPECT_THROW(in.seek(-1, SEEK_SET), std::runtime_error);
  EXPECT_THROW(in.seek(-4, SEEK_END), std::runtime_error);
  EXPECT_EQ(in.tell(), 0);
  in.seek(10, SEEK_END);
  char buffer[4];
  EXPECT_EQ(in.read(buffer, sizeof buffer), 0u);
  EXPECT_EQ(in.findAndSkipNextEOL(), 13);
}

// Rebuilding a broken cross-reference table scans the whole file line by
// line; a file of many blocks must come out as qpdf reads it from disk.
TEST(CachedFileInputSource, ADamagedFileOfManyBlocksIsRepairedAsFromQpdfsFileSource) {
  ScratchFolder folder;
  const auto path = folder / "damaged.pdf";
  korvid::test::WritePdf(path, [](QPDF& qpdf) {
    std::mt19937 random(3);
    for (int page = 0; page < 300; ++page) {
      std::string marks;  // numbers that do not compress away
      for (int i = 0; i < 200; ++i) marks += std::to_string(random() % 100000) + " ";
      QPDFObjectHandle dict = korvid::test::AddPage(qpdf, {});
      dict.replaceKey("/Contents", QPDFObjectHandle::newStream(&qpdf, marks + "Tz\n"));
    }
  });
  std::string bytes = korvid::test::ReadFile(path);
  ASSERT_GT(bytes.size(), static_cast<std::size_t>(3 * kBlock));
  const std::size_t at = bytes.rfind("startxref\n") + 10;
  bytes.replace(at, bytes.find('\n', at) - at, "12");
  std::ofstream(path, std::ios::binary) << bytes;

  QPDF fromDisk;
  fromDisk.setSuppressWarnings(true);
  fromDisk.processFile(path.c_str());
  QPDF cached;
  cached.setSuppressWarnings(true);
  cached.processInputSource(std::make_shared<CachedFileInputSource>(path.string()));
  const auto pages = cached.getAllPages();
  ASSERT_EQ(pages.size(), fromDisk.getAllPages().size());
  const auto contents = [](QPDFObjectHandle page) {
    const auto data = page.getKey("/Contents").getStreamData();
    return std::string(reinterpret_cast<const char*>(data->getBuffer()), data->getSize());
  };
  for (std::size_t i = 0; i < pages.size(); i += 37) {
    EXPECT_EQ(contents(pages[i]), contents(fromDisk.getAllPages()[i])) << "page " << i;
  }
}

}  // namespace
