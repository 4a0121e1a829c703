// Built only while the resource service proper (viewer/core/resources) is
// not part of the build: reads each module's resource blob, string lists as
// the resource format describes them and any other file as raw data found
// by folder and name. It has no dialog layouts.
#include "viewer/core/resources/ResourceStore.h"

#include <charconv>
#include <vector>

#include "host/HostError.h"

namespace viewer {

struct ResourceStore::Module {
  std::map<int, std::map<int, std::string>> stringLists;  // list -> entry index -> text
  std::map<std::string, std::string, std::less<>> files;  // relative path -> bytes
};

namespace {

struct BlobRecord {
  std::string path;
  std::string_view bytes;
};

std::string_view TakeLine(std::string_view& rest) {
  const auto end = rest.find('\n');
  const std::string_view line = rest.substr(0, end);
  rest.remove_prefix(end == std::string_view::npos ? rest.size() : end + 1);
  return line;
}

std::vector<BlobRecord> SplitBlob(std::string_view blob) {
  std::vector<BlobRecord> records;
  while (!blob.empty()) {
    if (blob.find('\n') == std::string_view::npos) host::RaiseHostError(host::kErrBadFile, "resource blob");
    const std::string path(TakeLine(blob));
    const std::string_view sizeText = TakeLine(blob);
    std::size_t size = 0;
    const auto [end, ec] = std::from_chars(sizeText.data(), sizeText.data() + sizeText.size(), size);
    if (ec != std::errc() || end != sizeText.data() + sizeText.size() || size > blob.size())
      host::RaiseHostError(host::kErrBadFile, "resource blob: " + path);
    records.push_back({path, blob.substr(0, size)});
    blob.remove_prefix(size);
  }
  return records;
}

std::string Unescape(std::string_view text) {
  std::string out;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '\\' || i + 1 == text.size()) {
      out += text[i];
      continue;
    }
    switch (text[++i]) {
      case 'n': out += '\n'; break;
      case 'r': out += '\r'; break;
      case 't': out += '\t'; break;
      default: out += text[i]; break;
    }
  }
  return out;
}

int ParseInt(std::string_view text, const std::string& where) {
  int value = 0;
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (ec != std::errc() || end != text.data() + text.size()) host::RaiseHostError(host::kErrBadFile, where);
  return value;
}

// "strings/129.txt" and "strings/129-menus.txt" both belong to list 129.
std::optional<int> StringListOf(const std::string& path) {
  if (path.rfind("strings/", 0) != 0 || path.size() < 12 || path.substr(path.size() - 4) != ".txt") return std::nullopt;
  const std::string stem = path.substr(8, path.size() - 12);
  const std::string number = stem.substr(0, stem.find('-'));
  int list = 0;
  const auto [end, ec] = std::from_chars(number.data(), number.data() + number.size(), list);
  if (ec != std::errc() || end != number.data() + number.size()) return std::nullopt;
  return list;
}

void ParseStringList(std::string_view text, const std::string& path, std::map<int, std::string>& entries) {
  int base = 0;
  int lineNumber = 0;
  while (!text.empty()) {
    std::string_view line = TakeLine(text);
    ++lineNumber;
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    const std::string where = path + ":" + std::to_string(lineNumber);
    if (line.empty() || line.front() == '#') continue;
    if (line.rfind("@base ", 0) == 0) {
      base = ParseInt(line.substr(6), where);
      continue;
    }
    const auto tab = line.find('\t');
    if (tab == std::string_view::npos) host::RaiseHostError(host::kErrBadFile, where);
    const int index = ParseInt(line.substr(0, tab), where) - base;
    if (!entries.emplace(index, Unescape(line.substr(tab + 1))).second)
      host::RaiseHostError(host::kErrBadFile, where + ": entry defined twice");
  }
}

}  // namespace

ResourceStore::ResourceStore() = default;
ResourceStore::~ResourceStore() = default;

void ResourceStore::AddModule(host::ExtensionID module, std::string_view blob) {
  auto parsed = std::make_unique<Module>();
  for (const BlobRecord& record : SplitBlob(blob)) {
    if (const auto list = StringListOf(record.path)) {
      ParseStringList(record.bytes, record.path, parsed->stringLists[*list]);
    } else {
      parsed->files.emplace(record.path, std::string(record.bytes));
    }
  }
  modules_[module] = std::move(parsed);
}

void ResourceStore::RemoveModule(host::ExtensionID module) { modules_.erase(module); }

std::optional<std::string> ResourceStore::String(host::ExtensionID module, int listID, int index) const {
  const auto m = modules_.find(module);
  if (m == modules_.end()) return std::nullopt;
  const auto list = m->second->stringLists.find(listID);
  if (list == m->second->stringLists.end()) return std::nullopt;
  const auto entry = list->second.find(index);
  if (entry == list->second.end()) return std::nullopt;
  return entry->second;
}

std::optional<std::string> ResourceStore::Data(host::ExtensionID module, std::string_view type, int id,
                                               std::string_view name) const {
  // "<type>s/<id>.<ext>", or "<type>s/<name>/<id>.<ext>" for a named family.
  const auto m = modules_.find(module);
  if (m == modules_.end()) return std::nullopt;
  std::string folder = std::string(type) + "s/";
  if (!name.empty()) folder += std::string(name) + "/";
  const std::string stem = std::to_string(id);
  for (const auto& [path, bytes] : m->second->files) {
    if (path.rfind(folder, 0) != 0) continue;
    const std::string file = path.substr(folder.size());
    if (file.find('/') == std::string::npos && file.substr(0, file.rfind('.')) == stem) return bytes;
  }
  return std::nullopt;
}

const DialogLayout* ResourceStore::Layout(host::ExtensionID, std::string_view, int) const { return nullptr; }

}  // namespace viewer
