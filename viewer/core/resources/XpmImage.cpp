#include "viewer/core/resources/XpmImage.h"

#include <charconv>
#include <set>
#include <vector>

#include "viewer/core/resources/ResourceError.h"

namespace viewer {

namespace {

constexpr int kMaxSide = 4096;
constexpr int kMaxCharsPerPixel = 4;

struct XpmString {
  std::string text;
  int line = 0;
};

// The C string literals of the file in order, with the line each starts on;
// comments are skipped.
class XpmLexer {
 public:
  XpmLexer(std::string_view file, std::string_view text) : file_(file), text_(text) {}

  std::vector<XpmString> Strings() {
    std::vector<XpmString> strings;
    while (pos_ < text_.size()) {
      const char c = text_[pos_];
      if (c == '\n') {
        ++line_;
        ++pos_;
      } else if (text_.substr(pos_, 2) == "/*") {
        SkipComment();
      } else if (c == '"') {
        strings.push_back(ReadString());
      } else {
        ++pos_;
      }
    }
    return strings;
  }

 private:
  void SkipComment() {
    const std::size_t end = text_.find("*/", pos_ + 2);
    if (end == std::string_view::npos) RaiseResourceError(file_, line_, "comment without an end");
    for (std::size_t i = pos_; i < end; ++i) line_ += text_[i] == '\n';
    pos_ = end + 2;
  }

  XpmString ReadString() {
    XpmString s{{}, line_};
    ++pos_;
    while (pos_ < text_.size() && text_[pos_] != '"') {
      if (text_[pos_] == '\n') RaiseResourceError(file_, line_, "string without an end");
      if (text_[pos_] == '\\' && pos_ + 1 < text_.size()) ++pos_;
      s.text += text_[pos_++];
    }
    if (pos_ >= text_.size()) RaiseResourceError(file_, line_, "string without an end");
    ++pos_;
    return s;
  }

  std::string_view file_;
  std::string_view text_;
  std::size_t pos_ = 0;
  int line_ = 1;
};

std::vector<int> Numbers(std::string_view text, bool* ok) {
  std::vector<int> numbers;
  *ok = true;
  std::size_t pos = 0;
  while (true) {
    pos = text.find_first_not_of(' ', pos);
    if (pos == std::string_view::npos) break;
    int value = 0;
    const auto [end, ec] = std::from_chars(text.data() + pos, text.data() + text.size(), value);
    if (ec != std::errc() || (end != text.data() + text.size() && *end != ' ')) {
      *ok = false;
      break;
    }
    numbers.push_back(value);
    pos = static_cast<std::size_t>(end - text.data());
  }
  return numbers;
}

class XpmChecker {
 public:
  XpmChecker(std::string_view file, std::vector<XpmString> strings) : file_(file), strings_(std::move(strings)) {}

  XpmImage Check() {
    if (strings_.empty()) RaiseResourceError(file_, 0, "no values line");
    ReadValues(strings_[0]);
    if (strings_.size() != static_cast<std::size_t>(1 + colours_ + image_.height))
      RaiseResourceError(file_, strings_.back().line,
                         "expected " + std::to_string(colours_) + " colour lines and " +
                             std::to_string(image_.height) + " rows, found " + std::to_string(strings_.size() - 1) +
                             " lines in all");
    for (int i = 1; i <= colours_; ++i) ReadColour(strings_[i]);
    for (std::size_t i = 1 + colours_; i < strings_.size(); ++i) ReadRow(strings_[i]);
    return image_;
  }

 private:
  void ReadValues(const XpmString& s) {
    bool ok = false;
    const std::vector<int> v = Numbers(s.text, &ok);
    if (!ok || (v.size() != 4 && v.size() != 6))
      Fail(s, "values line must be \"width height colours chars-per-pixel [hot-x hot-y]\"");
    image_.width = v[0];
    image_.height = v[1];
    colours_ = v[2];
    charsPerPixel_ = v[3];
    if (v[0] < 1 || v[1] < 1 || v[0] > kMaxSide || v[1] > kMaxSide) Fail(s, "image size out of range");
    if (colours_ < 1 || charsPerPixel_ < 1 || charsPerPixel_ > kMaxCharsPerPixel) Fail(s, "bad colour count or chars per pixel");
    if (v.size() == 6) {
      if (v[4] < 0 || v[5] < 0 || v[4] >= v[0] || v[5] >= v[1]) Fail(s, "hot spot outside the image");
      image_.hotSpot = host::ADMPoint{v[4], v[5]};
    }
  }

  void ReadColour(const XpmString& s) {
    const auto size = static_cast<std::size_t>(charsPerPixel_);
    if (s.text.size() <= size) Fail(s, "colour line too short");
    if (!keys_.insert(s.text.substr(0, size)).second) Fail(s, "colour defined twice");
    const std::string_view rest = std::string_view(s.text).substr(size);
    if (rest.find(" c ") == std::string_view::npos && rest.find("\tc ") == std::string_view::npos)
      Fail(s, "colour line needs a \"c <colour>\" entry");
  }

  void ReadRow(const XpmString& s) {
    const auto size = static_cast<std::size_t>(charsPerPixel_);
    if (s.text.size() != size * static_cast<std::size_t>(image_.width))
      Fail(s, "row is not " + std::to_string(image_.width) + " pixels wide");
    for (std::size_t i = 0; i < s.text.size(); i += size)
      if (!keys_.contains(s.text.substr(i, size))) Fail(s, "row uses an undefined colour");
  }

  [[noreturn]] void Fail(const XpmString& s, const std::string& message) const {
    RaiseResourceError(file_, s.line, message);
  }

  std::string_view file_;
  std::vector<XpmString> strings_;
  XpmImage image_;
  int colours_ = 0;
  int charsPerPixel_ = 0;
  std::set<std::string, std::less<>> keys_;
};

}  // namespace

XpmImage ParseXpm(std::string_view file, std::string_view text) {
  if (!text.starts_with("/* XPM */")) RaiseResourceError(file, 1, "an XPM image must start with \"/* XPM */\"");
  XpmImage image = XpmChecker(file, XpmLexer(file, text).Strings()).Check();
  image.data = std::string(text);
  return image;
}

}  // namespace viewer
