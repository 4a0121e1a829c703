#include "viewer/core/resources/StringListFile.h"

#include <charconv>
#include <map>

#include "host/ASText.h"
#include "viewer/core/resources/ResourceError.h"
#include "viewer/core/resources/TextLines.h"

namespace viewer {

namespace {

std::string Unescape(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (c != '\\' || i + 1 == text.size()) {
      out += c;
      continue;
    }
    switch (text[i + 1]) {
      case 'n': out += '\n'; break;
      case 'r': out += '\r'; break;
      case 't': out += '\t'; break;
      case '\\': out += '\\'; break;
      default: out += c; continue;  // not an escape: the backslash stays
    }
    ++i;
  }
  return out;
}

bool IsBlank(std::string_view text) { return text.find_first_not_of(" \t") == std::string_view::npos; }

class StringListReader {
 public:
  explicit StringListReader(std::string_view file) : file_(file) {}

  void Read(const TextLine& line) {
    if (IsBlank(line.text) || line.text.front() == '#') return;
    if (line.text.front() == '@') return ReadDirective(line);
    ReadEntry(line);
  }

  std::vector<StringListEntry> Take() { return std::move(entries_); }

 private:
  void ReadDirective(const TextLine& line) {
    constexpr std::string_view kBase = "@base ";
    if (!line.text.starts_with(kBase)) Fail(line, "unknown directive (only \"@base <n>\" exists)");
    if (!entries_.empty()) Fail(line, "\"@base\" must come before the entries");
    base_ = Number(line, line.text.substr(kBase.size()), "base");
  }

  void ReadEntry(const TextLine& line) {
    const std::size_t tab = line.text.find('\t');
    if (tab == std::string_view::npos) Fail(line, "expected \"<number><TAB><text>\"");
    const int number = Number(line, line.text.substr(0, tab), "entry number");
    if (number < base_) Fail(line, "entry number " + std::to_string(number) + " is below the base " + std::to_string(base_));
    const std::string_view raw = line.text.substr(tab + 1);
    if (!host::text::IsValidUTF8(raw)) Fail(line, "text is not UTF-8");
    const auto [previous, inserted] = lines_.emplace(number, line.number);
    if (!inserted) Fail(line, "number " + std::to_string(number) + " is already defined on line " + std::to_string(previous->second));
    entries_.push_back({number - base_, Unescape(raw), line.number});
  }

  int Number(const TextLine& line, std::string_view text, const char* what) const {
    int value = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || ec != std::errc() || end != text.data() + text.size())
      Fail(line, std::string(what) + " \"" + std::string(text) + "\" is not a number");
    return value;
  }

  [[noreturn]] void Fail(const TextLine& line, const std::string& message) const {
    RaiseResourceError(file_, line.number, message);
  }

  std::string_view file_;
  int base_ = 0;
  std::map<int, int> lines_;  // number -> line
  std::vector<StringListEntry> entries_;
};

}  // namespace

std::vector<StringListEntry> ParseStringListFile(std::string_view file, std::string_view text) {
  StringListReader reader(file);
  for (const TextLine& line : SplitLines(text)) reader.Read(line);
  return reader.Take();
}

}  // namespace viewer
