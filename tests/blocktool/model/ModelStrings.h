// Test support: serves the block tool's own string lists (the files under
// resources/blocktool/strings) through the platform table, so that the
// model reads its real keywords and messages without a running viewer.
#pragma once

#include <fstream>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>
#include <filesystem>

#include "blocktool/host/MarkupContentInit.h"
#include "host/PluginEntry.h"

namespace korvid::testing {

class ResourceStringTable final : public host::PlatformTable {
 public:
  ResourceStringTable() {
    const std::filesystem::path folder = std::filesystem::path(KORVID_SOURCE_DIR) / "resources/blocktool/strings";
    for (const auto& entry : std::filesystem::directory_iterator(folder)) Load(entry.path());
  }
  std::string TableName() const override { return host::tables::kMacintosh; }
  host::TableVersion Version() const override { return 0x20002; }
  std::vector<host::SysFontFamily> SystemFontFamilies() override { return {}; }
  std::uint32_t TickCount() override { return 0; }
  std::optional<std::string> GetResourceString(host::ExtensionID, int listID, int index) override {
    const auto found = strings_.find({listID, index});
    if (found == strings_.end()) return std::nullopt;
    return found->second;
  }
  std::optional<std::string> GetResourceData(host::ExtensionID, std::string_view, int, std::string_view) override {
    return std::nullopt;
  }

 private:
  void Load(const std::filesystem::path& file) {
    const int list = std::stoi(file.stem().string().substr(0, 3));
    std::ifstream in(file);
    int base = 0;
    for (std::string line; std::getline(in, line);) {
      if (line.empty() || line[0] == '#') continue;
      if (line.rfind("@base ", 0) == 0) {
        base = std::stoi(line.substr(6));
        continue;
      }
      const std::size_t tab = line.find('\t');
      if (tab == std::string::npos) continue;
      strings_[{list, std::stoi(line.substr(0, tab)) - base}] = Unescape(line.substr(tab + 1));
    }
  }
  static std::string Unescape(std::string_view text) {
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
      if (text[i] != '\\' || i + 1 == text.size()) {
        out += text[i];
        continue;
      }
      const char c = text[++i];
      out += c == 'n' ? '\n' : c == 'r' ? '\r' : c == 't' ? '\t' : c;
    }
    return out;
  }
  std::map<std::pair<int, int>, std::string> strings_;
};

// Installs the strings for the lifetime of the object and sets the decimal
// separator as start-up would for the given language list.
class ModelStrings {
 public:
  explicit ModelStrings(char decimalSeparator = '.') {
    previous_ = gMacintoshHFT;
    gMacintoshHFT = &table_;
    cDecimalSeparator = decimalSeparator;
  }
  ~ModelStrings() {
    gMacintoshHFT = previous_;
    cDecimalSeparator = '.';
  }
  ModelStrings(const ModelStrings&) = delete;
  ModelStrings& operator=(const ModelStrings&) = delete;

 private:
  ResourceStringTable table_;
  host::PlatformTable* previous_ = nullptr;
};

}  // namespace korvid::testing
