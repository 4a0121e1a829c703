#include "viewer/core/resources/ResourceStore.h"

#include <charconv>
#include <utility>

#include "viewer/core/resources/DialogLayout.h"
#include "viewer/core/resources/DialogLayoutParser.h"
#include "viewer/core/resources/ResourceBlob.h"
#include "viewer/core/resources/ResourceError.h"
#include "viewer/core/resources/StringListFile.h"
#include "viewer/core/resources/XpmImage.h"

namespace viewer {

namespace {

struct StoredString {
  std::string text;
  std::string file;
  int line = 0;
};

std::optional<int> ParseID(std::string_view text) {
  int id = 0;
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), id);
  if (text.empty() || ec != std::errc() || end != text.data() + text.size()) return std::nullopt;
  return id;
}

// "<folder>/<stem><extension>" -> stem; nullopt when path has another form.
std::optional<std::string_view> Stem(std::string_view path, std::string_view folder, std::string_view extension) {
  if (!path.starts_with(folder) || !path.ends_with(extension)) return std::nullopt;
  if (path.size() < folder.size() + extension.size()) return std::nullopt;
  return path.substr(folder.size(), path.size() - folder.size() - extension.size());
}

}  // namespace

struct ResourceStore::Module {
  std::map<int, std::map<int, StoredString>> strings;  // list -> index -> entry
  std::map<int, DialogLayout> layouts;
  std::map<int, std::string> layoutTexts;
  std::map<int, XpmImage> cursors;
  std::map<std::pair<std::string, int>, XpmImage, std::less<>> icons;  // (family, ID)
};

namespace {

// Reads every file of a blob into a module; the folder decides the format.
class ModuleReader {
 public:
  explicit ModuleReader(ResourceStore::Module& module) : module_(module) {}

  void Read(const ResourceFile& file) {
    const std::string& path = file.path;
    if (path.starts_with("strings/")) return ReadStrings(file);
    if (path.starts_with("dialogs/")) return ReadLayout(file);
    if (path.starts_with("cursors/")) return ReadCursor(file);
    if (path.starts_with("icons/")) return ReadIcon(file);
    // Other files (help, notes) are not resources the viewer serves.
  }

 private:
  void ReadStrings(const ResourceFile& file) {
    const std::optional<std::string_view> stem = Stem(file.path, "strings/", ".txt");
    const std::optional<int> list = stem ? ParseID(stem->substr(0, stem->find('-'))) : std::nullopt;
    if (!list) Misnamed(file, "strings/<list>.txt or strings/<list>-<part>.txt");
    std::map<int, StoredString>& entries = module_.strings[*list];
    for (StringListEntry& entry : ParseStringListFile(file.path, file.bytes)) {
      const auto [it, inserted] = entries.try_emplace(entry.index, StoredString{std::move(entry.text), file.path, entry.line});
      if (!inserted)
        RaiseResourceError(file.path, entry.line,
                           "entry " + std::to_string(entry.index) + " of list " + std::to_string(*list) +
                               " is already defined at " + it->second.file + ":" + std::to_string(it->second.line));
    }
  }

  void ReadLayout(const ResourceFile& file) {
    const std::optional<std::string_view> stem = Stem(file.path, "dialogs/", ".dlg");
    const std::optional<int> id = stem ? ParseID(*stem) : std::nullopt;
    if (!id) Misnamed(file, "dialogs/<id>.dlg");
    module_.layouts[*id] = ParseDialogLayout(file.path, *id, file.bytes);
    module_.layoutTexts[*id] = std::string(file.bytes);
  }

  void ReadCursor(const ResourceFile& file) {
    const std::optional<std::string_view> stem = Stem(file.path, "cursors/", ".xpm");
    const std::optional<int> id = stem ? ParseID(*stem) : std::nullopt;
    if (!id) Misnamed(file, "cursors/<id>.xpm");
    XpmImage image = ParseXpm(file.path, file.bytes);
    if (!image.hotSpot) RaiseResourceError(file.path, 0, "a cursor needs a hot spot in its values line");
    module_.cursors[*id] = std::move(image);
  }

  void ReadIcon(const ResourceFile& file) {
    const std::optional<std::string_view> stem = Stem(file.path, "icons/", ".xpm");
    std::string family;
    std::optional<int> id;
    if (stem) {
      const std::size_t slash = stem->rfind('/');
      if (slash != std::string_view::npos) family = std::string(stem->substr(0, slash));
      id = ParseID(slash == std::string_view::npos ? *stem : stem->substr(slash + 1));
    }
    if (!id || family.find('/') != std::string::npos) Misnamed(file, "icons/<id>.xpm or icons/<family>/<id>.xpm");
    module_.icons[{family, *id}] = ParseXpm(file.path, file.bytes);
  }

  [[noreturn]] static void Misnamed(const ResourceFile& file, const char* form) {
    RaiseResourceError(file.path, 0, std::string("file name must have the form ") + form);
  }

  ResourceStore::Module& module_;
};

}  // namespace

ResourceStore::ResourceStore() = default;
ResourceStore::~ResourceStore() = default;

void ResourceStore::AddModule(host::ExtensionID module, std::string_view blob) {
  auto parsed = std::make_unique<Module>();
  ModuleReader reader(*parsed);
  for (const ResourceFile& file : ParseResourceBlob(blob)) reader.Read(file);
  modules_[module] = std::move(parsed);
}

void ResourceStore::RemoveModule(host::ExtensionID module) { modules_.erase(module); }

const ResourceStore::Module* ResourceStore::Find(host::ExtensionID module) const {
  const auto it = modules_.find(module);
  return it == modules_.end() ? nullptr : it->second.get();
}

std::optional<std::string> ResourceStore::String(host::ExtensionID module, int listID, int index) const {
  const Module* m = Find(module);
  if (!m) return std::nullopt;
  const auto list = m->strings.find(listID);
  if (list == m->strings.end()) return std::nullopt;
  const auto entry = list->second.find(index);
  if (entry == list->second.end()) return std::nullopt;
  return entry->second.text;
}

const XpmImage* ResourceStore::Image(host::ExtensionID module, std::string_view type, int id,
                                     std::string_view name) const {
  const Module* m = Find(module);
  if (!m) return nullptr;
  if (type == "cursor") {
    const auto it = m->cursors.find(id);
    return it == m->cursors.end() ? nullptr : &it->second;
  }
  if (type == "icon") {
    const auto it = m->icons.find(std::pair<std::string, int>(name, id));
    return it == m->icons.end() ? nullptr : &it->second;
  }
  return nullptr;
}

std::optional<std::string> ResourceStore::Data(host::ExtensionID module, std::string_view type, int id,
                                               std::string_view name) const {
  if (type == "dialog") {
    const Module* m = Find(module);
    if (!m || !Layout(module, name, id)) return std::nullopt;
    return m->layoutTexts.at(id);
  }
  const XpmImage* image = Image(module, type, id, name);
  if (!image) return std::nullopt;
  return image->data;
}

const DialogLayout* ResourceStore::Layout(host::ExtensionID module, std::string_view name, int id) const {
  const Module* m = Find(module);
  if (!m) return nullptr;
  const auto it = m->layouts.find(id);
  if (it == m->layouts.end()) return nullptr;
  if (!name.empty() && it->second.name != name) return nullptr;
  return &it->second;
}

}  // namespace viewer
