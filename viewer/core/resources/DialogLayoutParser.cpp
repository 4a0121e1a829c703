#include "viewer/core/resources/DialogLayoutParser.h"

#include <charconv>
#include <cstdint>
#include <set>
#include <string>
#include <vector>

#include "host/ASText.h"
#include "viewer/core/resources/LayoutTokens.h"
#include "viewer/core/resources/ResourceError.h"
#include "viewer/core/resources/TextLines.h"

namespace viewer {

namespace {

namespace adm = host::adm;

struct KindWord {
  std::string_view word;
  const char* typeName;
};

constexpr KindWord kKinds[] = {
    {"progress", adm::kProgressBarType},   {"static", adm::kTextStaticType},
    {"edit", adm::kTextEditType},          {"readonly", adm::kTextEditReadOnlyType},
    {"editpopup", adm::kTextEditPopupType}, {"button", adm::kTextPushButtonType},
    {"popup", adm::kPopupListType},        {"listbox", adm::kListBoxType},
    {"scrollbar", adm::kScrollbarType},    {"frame", adm::kFrameType},
    {"tree", adm::kHierarchyListBoxType},  {"checkbox", adm::kTextCheckBoxType},
    {"radio", adm::kTextRadioButtonType},  {"picture", adm::kPictureStaticType},
    {"tab", adm::kTabGroupType},           {"slider", adm::kSliderType},
    {"user", adm::kUserType},
};

const char* KnownTypeName(std::string_view typeName) {
  for (const KindWord& kind : kKinds)
    if (typeName == kind.typeName) return kind.typeName;
  return nullptr;
}

// The item type a kind word stands for ("edit": "ADM Text Edit Type").
const char* ItemTypeForKind(std::string_view kind) {
  for (const KindWord& entry : kKinds)
    if (kind == entry.word) return entry.typeName;
  return nullptr;
}

bool HoldsEntries(std::string_view typeName) {
  return typeName == adm::kPopupListType || typeName == adm::kListBoxType || typeName == adm::kTextEditPopupType;
}

constexpr int kMinCoordinate = -32768;
constexpr int kMaxCoordinate = 32767;

class LayoutReader {
 public:
  LayoutReader(std::string_view file, int fileID) : file_(file), fileID_(fileID) { layout_.file = std::string(file); }

  void Read(const TextLine& line) {
    line_ = line.number;
    if (!host::text::IsValidUTF8(line.text)) Fail("text is not UTF-8");
    tokens_ = TokenizeLayoutLine(file_, line_, line.text);
    if (tokens_.empty()) return;
    const LayoutToken& head = tokens_.front();
    if (!head.key.empty() || head.quoted) Fail("a line starts with a keyword");
    if (head.text == "dialog") return ReadDialog();
    if (!sawDialog_) Fail("the first line must be: dialog \"NAME\" ID");
    if (head.text == "style") return ReadSingle(&layout_.style, 0, 15);
    if (head.text == "size") return ReadSize();
    if (head.text == "position") return ReadPosition();
    if (head.text == "title") return ReadTitle();
    if (head.text == "default") return ReadSingle(&layout_.defaultItem, 0, kMaxCoordinate);
    if (head.text == "cancel") return ReadSingle(&layout_.cancelItem, 0, kMaxCoordinate);
    if (head.text == "item") return ReadItem();
    if (head.text == "entry") return ReadEntry(false);
    if (head.text == "separator") return ReadEntry(true);
    Fail("unknown keyword \"" + head.text + "\"");
  }

  DialogLayout Finish() {
    line_ = 0;
    if (!sawDialog_) Fail("no dialog line");
    if (layout_.width <= 0 || layout_.height <= 0) Fail("no size line");
    AssignRadioGroups();
    CheckRadioGroups();
    for (const ItemLayout& item : layout_.items) CheckListValue(item);
    return std::move(layout_);
  }

 private:
  void ReadDialog() {
    if (sawDialog_) Fail("a second dialog line");
    Expect(3, "dialog \"NAME\" ID");
    if (!tokens_[1].quoted) Fail("the dialog's name must be quoted");
    layout_.name = tokens_[1].text;
    layout_.id = Number(tokens_[2], 0, 1 << 30, "dialog ID");
    if (layout_.id != fileID_)
      Fail("dialog ID " + std::to_string(layout_.id) + " differs from the file's name (" + std::to_string(fileID_) + ")");
    sawDialog_ = true;
  }

  void ReadSingle(int* target, int min, int max) {
    Expect(2, tokens_.front().text + " N");
    *target = Number(tokens_[1], min, max, tokens_.front().text.c_str());
  }

  void ReadSize() {
    Expect(3, "size WIDTH HEIGHT");
    layout_.width = Number(tokens_[1], 1, kMaxCoordinate, "width");
    layout_.height = Number(tokens_[2], 1, kMaxCoordinate, "height");
  }

  void ReadPosition() {
    Expect(3, "position LEFT TOP");
    layout_.position = host::ADMPoint{Number(tokens_[1], kMinCoordinate, kMaxCoordinate, "left"),
                                      Number(tokens_[2], kMinCoordinate, kMaxCoordinate, "top")};
  }

  void ReadTitle() {
    Expect(2, "title \"TEXT\"");
    if (!tokens_[1].quoted) Fail("the title must be quoted");
    layout_.title = tokens_[1].text;
  }

  void ReadItem() {
    if (tokens_.size() < 7) Fail("expected: item ID KIND LEFT TOP WIDTH HEIGHT [\"TEXT\"] [OPTIONS]");
    ItemLayout item;
    item.line = line_;
    item.id = Number(tokens_[1], kMinCoordinate, kMaxCoordinate, "item ID");
    if (!itemIDs_.insert(item.id).second) Fail("item " + std::to_string(item.id) + " is defined twice");
    item.typeName = TypeName(tokens_[2]);
    const int left = Number(tokens_[3], kMinCoordinate, kMaxCoordinate, "left");
    const int top = Number(tokens_[4], kMinCoordinate, kMaxCoordinate, "top");
    const int width = Number(tokens_[5], 0, kMaxCoordinate, "width");
    const int height = Number(tokens_[6], 0, kMaxCoordinate, "height");
    item.bounds = host::ADMRect{top, left, top + height, left + width};
    std::size_t next = 7;
    if (next < tokens_.size() && tokens_[next].quoted && tokens_[next].key.empty()) item.text = tokens_[next++].text;
    for (; next < tokens_.size(); ++next) ReadItemOption(tokens_[next], item);
    if (item.minValue && item.maxValue && *item.minValue > *item.maxValue) Fail("min is above max");
    layout_.items.push_back(std::move(item));
  }

  std::string TypeName(const LayoutToken& token) const {
    if (token.quoted) {
      if (const char* known = KnownTypeName(token.text)) return known;
      Fail("unknown item type \"" + token.text + "\"");
    }
    if (const char* type = ItemTypeForKind(token.text)) return type;
    Fail("unknown item kind \"" + token.text + "\"");
  }

  void ReadItemOption(const LayoutToken& token, ItemLayout& item) const {
    if (token.key.empty()) {
      if (token.IsWord("hidden")) item.hidden = true;
      else if (token.IsWord("disabled")) item.disabled = true;
      else if (token.IsWord("checked")) item.checked = true;
      else Fail("unknown option \"" + token.text + "\"");
      return;
    }
    const std::string& key = token.key;
    if (key == "maxlength") item.maxTextLength = Number(token, 0, 1 << 30, "maxlength");
    else if (key == "value") item.value = Number(token, INT32_MIN, INT32_MAX, "value");
    else if (key == "min") item.minValue = Number(token, INT32_MIN, INT32_MAX, "min");
    else if (key == "max") item.maxValue = Number(token, INT32_MIN, INT32_MAX, "max");
    else if (key == "small") item.smallIncrement = Number(token, 0, INT32_MAX, "small");
    else if (key == "large") item.largeIncrement = Number(token, 0, INT32_MAX, "large");
    else if (key == "group") item.radioGroup = Number(token, 1, INT32_MAX, "group");
    else if (key == "picture") item.picture = Number(token, 0, INT32_MAX, "picture");
    else if (key == "icons") item.pictureFamily = token.text;
    else if (key == "tip") item.tip = token.text;
    else Fail("unknown option \"" + key + "\"");
  }

  void ReadEntry(bool separator) {
    if (layout_.items.empty() || !HoldsEntries(layout_.items.back().typeName))
      Fail(std::string(separator ? "separator" : "entry") + " outside a list item (popup, listbox or editpopup)");
    EntryLayout entry;
    entry.separator = separator;
    std::size_t next = 1;
    if (!separator) {
      if (tokens_.size() < 2 || !tokens_[1].quoted || !tokens_[1].key.empty()) Fail("expected: entry \"TEXT\" [OPTIONS]");
      entry.text = tokens_[1].text;
      next = 2;
    }
    for (; next < tokens_.size(); ++next) ReadEntryOption(tokens_[next], entry);
    layout_.items.back().entries.push_back(std::move(entry));
  }

  void ReadEntryOption(const LayoutToken& token, EntryLayout& entry) const {
    if (token.IsWord("disabled")) entry.disabled = true;
    else if (token.key == "id") entry.id = Number(token, INT32_MIN, INT32_MAX, "id");
    else if (token.key == "picture") entry.picture = Number(token, 0, INT32_MAX, "picture");
    else if (token.key == "icons") entry.pictureFamily = token.text;
    else Fail("unknown entry option \"" + (token.key.empty() ? token.text : token.key) + "\"");
  }

  // Radio buttons without a group option form one group with the radio
  // buttons directly before and after them.
  void AssignRadioGroups() {
    int autoGroup = 0;
    bool inRun = false;
    for (ItemLayout& item : layout_.items) {
      const bool ungroupedRadio = item.typeName == adm::kTextRadioButtonType && item.radioGroup == 0;
      if (ungroupedRadio) {
        if (!inRun) --autoGroup;
        item.radioGroup = autoGroup;
      }
      inRun = ungroupedRadio;
    }
  }

  void CheckRadioGroups() {
    std::set<int> groupsOn;
    for (const ItemLayout& item : layout_.items) {
      if (item.typeName != adm::kTextRadioButtonType || !item.checked) continue;
      line_ = item.line;
      if (!groupsOn.insert(item.radioGroup).second) Fail("a second checked radio button in one group");
    }
  }

  void CheckListValue(const ItemLayout& item) {
    if (!HoldsEntries(item.typeName) || !item.value) return;
    const int index = *item.value;
    line_ = item.line;
    if (index < 0 || index >= static_cast<int>(item.entries.size())) Fail("value is not the index of an entry");
    if (item.entries[index].separator) Fail("value names a separator");
  }

  void Expect(std::size_t count, const std::string& form) const {
    if (tokens_.size() != count) Fail("expected: " + form);
  }

  int Number(const LayoutToken& token, long min, long max, const char* what) const {
    long value = 0;
    const std::string& text = token.text;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (token.quoted || text.empty() || ec != std::errc() || end != text.data() + text.size())
      Fail(std::string(what) + " \"" + text + "\" is not a number");
    if (value < min || value > max) Fail(std::string(what) + " " + text + " is out of range");
    return static_cast<int>(value);
  }

  [[noreturn]] void Fail(const std::string& message) const { RaiseResourceError(file_, line_, message); }

  std::string_view file_;
  int fileID_;
  int line_ = 0;
  bool sawDialog_ = false;
  std::vector<LayoutToken> tokens_;
  std::set<int> itemIDs_;
  DialogLayout layout_;
};

}  // namespace

DialogLayout ParseDialogLayout(std::string_view file, int fileID, std::string_view text) {
  LayoutReader reader(file, fileID);
  for (const TextLine& line : SplitLines(text)) reader.Read(line);
  return reader.Finish();
}

}  // namespace viewer
