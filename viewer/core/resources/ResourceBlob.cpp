#include "viewer/core/resources/ResourceBlob.h"

#include <charconv>
#include <set>

#include "viewer/core/resources/ResourceError.h"

namespace viewer {

namespace {

constexpr std::string_view kBlobName = "resource blob";

class BlobReader {
 public:
  explicit BlobReader(std::string_view blob) : blob_(blob) {}

  bool AtEnd() const { return pos_ >= blob_.size(); }

  ResourceFile Next(int record) {
    ResourceFile file;
    file.path = std::string(Line(record, "path"));
    if (file.path.empty()) Fail(record, "empty path");
    if (file.path.find('\0') != std::string::npos) Fail(record, "path contains a zero byte");
    const std::string_view sizeText = Line(record, "size");
    std::size_t size = 0;
    const auto [end, ec] = std::from_chars(sizeText.data(), sizeText.data() + sizeText.size(), size);
    if (ec != std::errc() || end != sizeText.data() + sizeText.size() || sizeText.empty())
      Fail(record, "size \"" + std::string(sizeText) + "\" of " + file.path + " is not a number");
    if (size > blob_.size() - pos_) Fail(record, file.path + " is cut short");
    file.bytes = blob_.substr(pos_, size);
    pos_ += size;
    return file;
  }

 private:
  std::string_view Line(int record, const char* what) {
    const std::size_t newline = blob_.find('\n', pos_);
    if (newline == std::string_view::npos) Fail(record, std::string("no end to the ") + what + " line");
    const std::string_view line = blob_.substr(pos_, newline - pos_);
    pos_ = newline + 1;
    return line;
  }

  [[noreturn]] static void Fail(int record, const std::string& message) {
    RaiseResourceError(kBlobName, 0, "record " + std::to_string(record) + ": " + message);
  }

  std::string_view blob_;
  std::size_t pos_ = 0;
};

}  // namespace

std::vector<ResourceFile> ParseResourceBlob(std::string_view blob) {
  std::vector<ResourceFile> files;
  std::set<std::string, std::less<>> paths;
  BlobReader reader(blob);
  for (int record = 1; !reader.AtEnd(); ++record) {
    ResourceFile file = reader.Next(record);
    if (!paths.insert(file.path).second)
      RaiseResourceError(kBlobName, 0, "record " + std::to_string(record) + ": " + file.path + " occurs twice");
    files.push_back(std::move(file));
  }
  return files;
}

}  // namespace viewer
