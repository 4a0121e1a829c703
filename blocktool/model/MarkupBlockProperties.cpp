#include "blocktool/model/MarkupBlockProperties.h"

#include <algorithm>
#include <array>
#include <iterator>

#include "blocktool/host/ConvertEncoding.h"
#include "blocktool/model/ColorSpaceProperty.h"
#include "blocktool/host/MarkupContentInit.h"
#include "blocktool/model/NumberText.h"
#include "blocktool/model/Service.h"
#include "blocktool/model/StandardProperties.h"

using korvid::numbers::FormatInt;

namespace {

constexpr PropertyMode kTabRowMode = 0x01000028;

// Taken from the page text when new blocks detect the text they cover.
constexpr std::array<std::string_view, 9> kDetectedProperties = {
    "fillcolor", "strokecolor", "charspacing", "wordspacing", "textrendering",
    "textrise",  "horizscaling", "fontname",   "fontsize"};

std::string BlockName(int blockID) { return Service.GetStringByID(str::kBlock) + "_" + std::to_string(blockID); }

std::string TabRowName(int counter) { return Service.GetStringByID(str::kTabRowName) + "_" + std::to_string(counter); }

int LeadingInt(const CMarkupProperties& property) {
  int value = 0;
  property.TagIntValue(value);
  return value;
}

}  // namespace

CMarkupBlockProperties::CMarkupBlockProperties(int blockID) { InitializeProperties(blockID); }

CMarkupBlockProperties::CMarkupBlockProperties(EmptyList) {}

CMarkupBlockProperties::CMarkupBlockProperties(int blockID, const CMarkupBlockProperties& source) {
  for (const std::string& name : source.order_) {
    if (const CMarkupProperties* property = source.GetProperty(name)) AddNewProperty(property->Clone(), false);
  }
  UpdateProperty("ID", blockID);
  if (CMarkupProperties* name = source.GetProperty("Name")) {
    if (name->TagValue() == Service.GetStringByID(str::kBlock)) UpdateProperty("Name", BlockName(blockID));
  }
}

CMarkupBlockProperties::~CMarkupBlockProperties() { ClearAllProperties(true); }

void CMarkupBlockProperties::InitializeProperties(int blockID) {
  ClearAllProperties(true);
  if (const CMarkupBlockProperties* standard = Service.StandardPropertyList()) {
    CopyEveryProperty(*standard);
  } else {
    AddStandardPropertiesFromSchema();
  }
  SetBlockIdentity(blockID);
}

void CMarkupBlockProperties::AddStandardPropertiesFromSchema() {
  for (const StandardPropertyRow& row : StandardPropertyTable()) {
    std::string defaultText;
    int maxValues = 0;
    if (row.defaultKind == SchemaDefault::Table) {
      defaultText = row.defaultText.Resolve();
      if (const std::size_t slash = defaultText.find('/');
          (row.mode & mode::kBoundedCount) && slash != std::string::npos) {
        maxValues = korvid::numbers::LeadingInteger(std::string_view(defaultText).substr(0, slash));
        defaultText.erase(0, slash + 1);
      }
    }
    AddNewProperty(row.name, defaultText, row.description.Resolve(), row.propertyClass, row.mode);
    CMarkupProperties* property = GetProperty(row.name);
    property->MaxNumOfValues(maxValues);
    if (std::string_view(row.name) == "fitmethod") property->TagValue(Service.GetStringByID(str::kFirstChoice));
    if (row.mode & (mode::kClosedList | mode::kOpenList)) {
      for (int value : row.values) property->AddValueToList(Service.GetStringByID(value));
    }
    if (row.range.present) property->ValueInterval(row.range.min, row.range.max, row.range.exclusive);
  }
  for (const StandardDependency& dependency : StandardDependencyTable()) {
    if (CMarkupProperties* property = GetProperty(dependency.dependent)) {
      property->SetDependency(dependency.controller, Service.GetStringByID(dependency.controllerValue),
                              dependency.mode);
    }
  }
}

void CMarkupBlockProperties::CopyEveryProperty(const CMarkupBlockProperties& source) {
  for (const auto& [name, property] : source.properties_) {
    properties_.emplace_hint(properties_.end(), name, property->Clone());
  }
  order_ = source.order_;
}

void CMarkupBlockProperties::SetBlockIdentity(int blockID) {
  for (const StandardPropertyRow& row : StandardPropertyTable()) {
    if (row.defaultKind == SchemaDefault::Table) continue;
    CMarkupProperties* property = GetProperty(row.name);
    if (!property) continue;
    std::string text = row.defaultKind == SchemaDefault::BlockID ? std::to_string(blockID) : BlockName(blockID);
    if (row.mode & (mode::kNumber | mode::kBoundedCount)) text = Service.GetFloatAsLocal(text);
    property->TagDefaultValue(text);
    property->TagValue(text);
  }
}

std::string CMarkupBlockProperties::GetNthName(int n) const {
  if (n < 0 || n >= GetNumOfNames()) return {};
  return order_[n];
}

CMarkupProperties* CMarkupBlockProperties::GetNthProperty(int n) const {
  if (n < 0 || n >= GetSize()) return nullptr;
  return std::next(properties_.begin(), n)->second.get();
}

CMarkupProperties* CMarkupBlockProperties::GetProperty(std::string_view name) const {
  const auto found = properties_.find(name);
  return found == properties_.end() ? nullptr : found->second.get();
}

bool CMarkupBlockProperties::IsTabRow(const CMarkupProperties& property) {
  return (property.GetClass() & PropRulerTab) != 0;
}

int CMarkupBlockProperties::AddNewProperty(std::unique_ptr<CMarkupProperties> property, bool merge) {
  if (!property) return -1;
  const std::string& name = property->TagName();
  const auto place = properties_.lower_bound(name);
  if (place != properties_.end() && place->first == name) {
    place->second->MergeProperties(property.get(), merge);
    return 0;
  }
  if (IsTabRow(*property)) {
    std::vector<std::unique_ptr<CMarkupProperties>> rows;
    rows.push_back(std::move(property));
    InsertTabRowsByPosition(std::move(rows));
    return 0;
  }
  order_.push_back(name);
  properties_.emplace_hint(place, name, std::move(property));
  return 0;
}

int CMarkupBlockProperties::AddNewProperty(std::string_view name, std::string_view defaultValue,
                                           std::string_view description, PropertyClass propertyClass,
                                           PropertyMode propertyMode) {
  if (propertyMode & mode::kColor) {
    return AddNewProperty(
        std::make_unique<CColorSpaceProperty>(name, defaultValue, description, propertyClass, propertyMode), true);
  }
  std::string normalised(defaultValue);
  if (propertyMode & (mode::kNumber | mode::kBoundedCount)) normalised = Service.GetFloatAsLocal(defaultValue);
  return AddNewProperty(
      std::make_unique<CMarkupProperties>(name, normalised, description, propertyClass, propertyMode), true);
}

// A tab row goes before the first tab row of the order whose position is
// greater than its own, or to the end of the order. Positions of the rows
// already there need not be sorted (the dialog edits them), so each new row
// is placed by the running maximum of those before it: all new rows are
// placed in one pass instead of one scan per row.
void CMarkupBlockProperties::InsertTabRowsByPosition(std::vector<std::unique_ptr<CMarkupProperties>> rows) {
  if (rows.empty()) return;
  // Lists without tab rows (every list as it is read) skip the walk over
  // the order: every new row then goes to its end.
  std::vector<int> runningMax;
  if (GetTextflowRulerSize() > 0) {
    for (const std::string& name : order_) {
      const CMarkupProperties& existing = *GetProperty(name);
      if (!IsTabRow(existing)) continue;
      const int position = LeadingInt(existing);
      runningMax.push_back(runningMax.empty() ? position : std::max(runningMax.back(), position));
    }
  }
  struct Placed {
    std::size_t slot;
    int position;
    std::string name;
  };
  std::vector<Placed> placed;
  placed.reserve(rows.size());
  for (std::unique_ptr<CMarkupProperties>& row : rows) {
    const int position = LeadingInt(*row);
    const auto slot = std::upper_bound(runningMax.begin(), runningMax.end(), position) - runningMax.begin();
    placed.push_back({static_cast<std::size_t>(slot), position, row->TagName()});
    properties_.emplace(row->TagName(), std::move(row));
  }
  std::stable_sort(placed.begin(), placed.end(), [](const Placed& a, const Placed& b) {
    return a.slot != b.slot ? a.slot < b.slot : a.position < b.position;
  });
  auto next = placed.begin();
  if (!runningMax.empty()) {
    std::vector<std::string> order;
    order.reserve(order_.size() + placed.size());
    std::size_t tabIndex = 0;
    for (std::string& name : order_) {
      if (IsTabRow(*GetProperty(name))) {
        for (; next != placed.end() && next->slot == tabIndex; ++next) order.push_back(next->name);
        ++tabIndex;
      }
      order.push_back(std::move(name));
    }
    order_ = std::move(order);
  }
  for (; next != placed.end(); ++next) order_.push_back(next->name);
}

void CMarkupBlockProperties::RemoveFromOrder(std::string_view name) {
  if (const auto found = std::find(order_.begin(), order_.end(), name); found != order_.end()) order_.erase(found);
}

std::unique_ptr<CMarkupProperties> CMarkupBlockProperties::RemoveProperty(std::string_view name) {
  const auto found = properties_.find(name);
  if (found == properties_.end()) return nullptr;
  std::unique_ptr<CMarkupProperties> property = std::move(found->second);
  properties_.erase(found);
  RemoveFromOrder(name);
  return property;
}

int CMarkupBlockProperties::UpdatePropertyName(std::string_view oldName, std::string_view newName,
                                               const host::ASText& nameText) {
  const auto found = properties_.find(oldName);
  if (found == properties_.end()) return 0;
  std::unique_ptr<CMarkupProperties> property = std::move(found->second);
  properties_.erase(found);
  property->TagASTextName(nameText);
  properties_.insert_or_assign(std::string(newName), std::move(property));
  std::replace(order_.begin(), order_.end(), std::string(oldName), std::string(newName));
  return 0;
}

int CMarkupBlockProperties::UpdateProperty(std::string_view name, std::string_view text) {
  if (CMarkupProperties* property = GetProperty(name)) {
    property->TagValue(text);
    property->Invalidated(true);
    return 0;
  }
  return AddNewProperty(name, text, "", PropGeneral, 0);
}

int CMarkupBlockProperties::UpdateProperty(std::string_view name, int value) {
  return UpdateProperty(name, std::string_view(std::to_string(value)));
}

int CMarkupBlockProperties::UpdateProperty(std::string_view name, double value) {
  return UpdateProperty(name, std::string_view(Service.FloatAsLocalShort(value)));
}

int CMarkupBlockProperties::UpdateBoolProperty(std::string_view name, bool flag) {
  return UpdateProperty(name, std::string_view(Service.GetStringByID(flag ? str::kTrue : str::kFalse)));
}

void CMarkupBlockProperties::ClearAllProperties(bool all) {
  PropertyMap kept;
  if (!all) {
    for (auto& [name, property] : properties_) {
      if (property->TagHasMode(mode::kInternal)) kept.emplace(name, std::move(property));
    }
  }
  properties_ = std::move(kept);
  order_.clear();
  for (const auto& [name, property] : properties_) order_.push_back(name);
}

void CMarkupBlockProperties::ClearCustomProperties(PropertyClass propertyClass) {
  for (auto name = order_.rbegin(); name != order_.rend();) {
    const auto found = properties_.find(*name);
    if (found != properties_.end() && found->second->GetClass() == propertyClass) {
      properties_.erase(found);
      name = std::make_reverse_iterator(order_.erase(std::next(name).base()));
    } else {
      ++name;
    }
  }
}

void CMarkupBlockProperties::CopyPropertiesList(PropertyClass propertyClass, const CMarkupBlockProperties& source,
                                                bool force) {
  if (propertyClass & PropCustom) {
    ClearCustomProperties(PropCustom);
  } else if (propertyClass & PropRulerTab) {
    ClearCustomProperties(PropRulerTab);
  }
  for (const std::string& name : source.order_) {
    if (bDetectUnderFonts &&
        std::find(kDetectedProperties.begin(), kDetectedProperties.end(), name) != kDetectedProperties.end()) {
      continue;
    }
    const CMarkupProperties* from = source.GetProperty(name);
    if (!from || from->TagName().empty()) continue;
    CMarkupProperties* to = GetProperty(name);
    if (!to) {
      if (from->GetClass() == propertyClass && (propertyClass & (PropCustom | PropRulerTab))) {
        AddNewProperty(from->ClonePlain(), false);
      }
      continue;
    }
    if (to->TagHasMode(mode::kIdentity)) continue;
    if (!force && !(to->IsDefault() && !to->Invalidated())) continue;
    if (to->GetClass() != 0 && (to->GetClass() & propertyClass) == 0) continue;
    auto* toColor = dynamic_cast<CColorSpaceProperty*>(to);
    const auto* fromColor = dynamic_cast<const CColorSpaceProperty*>(from);
    if (toColor && fromColor) {
      CColorSpaceProperty sourceColor(*fromColor);
      toColor->ColorSpaceName(sourceColor.ColorSpaceName());
      toColor->ColorValues(sourceColor.ColorValues());
    } else {
      to->TagValue(from->TagValue(), from->ScriptEncoding());
    }
  }
}

void CMarkupBlockProperties::PropertyListClass(PropertyClass propertyClass) {
  int subtype = str::kTextSubtype;
  if (propertyClass == PropImage) subtype = str::kImageSubtype;
  if (propertyClass == PropPDF) subtype = str::kPDFSubtype;
  UpdateProperty("Subtype", std::string_view(Service.GetStringByID(subtype)));
}

PropertyClass CMarkupBlockProperties::PropertyListClass() const {
  return Service.GetSubtypeClass(GetProperty("Subtype"));
}

bool CMarkupBlockProperties::CheckKeyName() {
  bool changed = false;
  for (auto& [key, property] : properties_) {
    if (property->TagHasMode(mode::kName)) {
      std::string value = property->TagValue();
      if (Service.CheckKeyName(value, true)) {
        property->TagValue(value);
        property->Invalidated(true);
        changed = true;
      }
    }
    if (property->GetStoredClass() == PropCustom) {
      std::string name = property->TagASTextName().UTF8();
      if (Service.CheckKeyName(name, true)) {
        property->TagASTextName(host::ASText::FromUTF8(name));
        property->Invalidated(true);
        changed = true;
      }
    }
  }
  return changed;
}

void CMarkupBlockProperties::ParseTexFlowRuler() {
  const CMarkupProperties* ruler = GetProperty("ruler");
  const CMarkupProperties* alignments = GetProperty("tabalignment");
  if (!ruler || !alignments) return;
  std::vector<std::string> positions;
  std::vector<std::string> kinds;
  ruler->ParseStringSequence(positions);
  alignments->ParseStringSequence(kinds);
  if (positions.size() < kinds.size()) return;
  const std::string& descriptionFormat = Service.GetStringByID(str::kTabRowDescription);
  std::vector<std::unique_ptr<CMarkupProperties>> rows;
  rows.reserve(positions.size());
  int counter = 1;
  for (std::size_t i = 0; i < positions.size(); ++i) {
    while (GetProperty(TabRowName(counter))) ++counter;
    const std::string value = positions[i] + " " + (i < kinds.size() ? kinds[i] : std::string("left"));
    rows.push_back(std::make_unique<CMarkupProperties>(TabRowName(counter), value, FormatInt(descriptionFormat, counter),
                                                       PropRulerTab, kTabRowMode));
    ++counter;
  }
  InsertTabRowsByPosition(std::move(rows));
}

void CMarkupBlockProperties::ConstructTextFlowRuller() {
  CMarkupProperties* ruler = GetProperty("ruler");
  CMarkupProperties* alignments = GetProperty("tabalignment");
  const CMarkupProperties* textflow = GetProperty("textflow");
  const CMarkupProperties* method = GetProperty("hortabmethod");
  const bool rulerInUse = textflow && textflow->TagBoolValue() && method &&
                          method->TagValue() == Service.GetStringByID(str::kRulerTabMethod);
  if (!rulerInUse || !ruler || !alignments) {
    if (ruler) ruler->TagValue("");
    if (alignments) alignments->TagValue("");
    return;
  }
  std::string positions;
  std::string kinds;
  std::vector<std::string> kept;
  for (const std::string& name : order_) {
    const auto found = properties_.find(name);
    if (!IsTabRow(*found->second)) {
      kept.push_back(name);
      continue;
    }
    std::vector<std::string> elements;
    // A row without a position is dropped; one without a type aligns left.
    if (found->second->ParseStringSequence(elements) > 0) {
      if (!positions.empty()) positions += ' ', kinds += ' ';
      positions += elements[0];
      kinds += elements.size() > 1 ? elements[1] : std::string("left");
    }
    properties_.erase(found);
  }
  order_ = std::move(kept);
  ruler->TagValue(positions);
  alignments->TagValue(kinds);
}

int CMarkupBlockProperties::GetTextflowRulerSize() const {
  return static_cast<int>(std::count_if(properties_.begin(), properties_.end(),
                                        [](const auto& entry) { return IsTabRow(*entry.second); }));
}

void CMarkupBlockProperties::ConstructDefaultTextEncoding() {
  std::string encodingName;
  if (const CMarkupProperties* text = GetProperty("defaulttext"); text && !text->TagValue().empty()) {
    encodingName = CConvertEncoding::GetEncoding(text->ASTextValue().BestScript());
  }
  if (CMarkupProperties* encoding = GetProperty("encoding")) encoding->TagValue(encodingName);
}

void CMarkupBlockProperties::RestoreDefaultValues(PropertyMode mask) {
  for (auto& [name, property] : properties_) property->RestoreDefaultValue(mask);
}
