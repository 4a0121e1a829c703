#include "blocktool/model/MarkupBlockPropertyCosDict.h"

#include "blocktool/model/MarkupBlock.h"
#include "blocktool/model/Service.h"
#include "blocktool/model/StoredBlockTree.h"
#include "host/ASText.h"

namespace {

constexpr int kNoEnumMode = 0;
constexpr int kCustomDescription = 1037;

// The kind a custom property takes from the object stored for it.
PropertyMode CustomModeOf(const host::CosObj& value) {
  switch (value.Type()) {
    case host::CosType::Integer:
    case host::CosType::Real:
      return mode::kNumber;
    case host::CosType::Name:
      return mode::kName;
    case host::CosType::Array:
      return mode::kArray | mode::kNumber | mode::kFixedCount;
    default:
      return 0;
  }
}

// An entry of Custom: a custom property of that name. Names of standard
// properties stay theirs, and dictionaries are no values.
void ReadCustomEntry(std::string_view key, const host::CosObj& value, CMarkupBlockProperties& list) {
  if (value.IsDict()) return;
  const std::string name = host::text::SanitizeUTF8(key);
  if (list.GetProperty(name)) return;
  list.AddNewProperty(name, "", Service.GetStringByID(kCustomDescription), PropCustom, CustomModeOf(value));
  list.GetProperty(name)->ReadPropertyObjectFromBlockDict(value);
}

// Custom and Internal count only as direct entries of the block
// dictionary, so a nested one (or a dictionary holding itself) is never
// walked into.
void ReadNestedDictionary(std::string_view key, const host::CosObj& value, CMarkupBlockProperties& list) {
  int nestedMode = kNoEnumMode;
  if (key == CStoredBlockTree::kCustom) nestedMode = PropCustom;
  if (key == CStoredBlockTree::kInternal) nestedMode = PropInternal;
  if (nestedMode == kNoEnumMode) return;
  list.BaseEnumMode(nestedMode);
  value.DictEnum([&list](std::string_view k, const host::CosObj& v) { return MrkupPropCosObjEnum(k, v, list); });
  list.BaseEnumMode(kNoEnumMode);
}

}  // namespace

bool MrkupPropCosObjEnum(std::string_view key, const host::CosObj& value, CMarkupBlockProperties& list) {
  try {
    const int enumMode = list.BaseEnumMode();
    if (enumMode == PropCustom) {
      ReadCustomEntry(key, value, list);
      return true;
    }
    if (CMarkupProperties* property = list.GetProperty(key)) {
      if (property->AcceptsStoredObject(value)) {
        property->AddTagMode(static_cast<PropertyMode>(enumMode));
        property->ReadPropertyObjectFromBlockDict(value);
      }
      return true;
    }
    if (enumMode == kNoEnumMode && value.IsDict()) ReadNestedDictionary(key, value, list);
    return true;
  } catch (...) {
    Service.ExceptionAlert("MrkupPropCosObjEnum");
    return false;
  }
}

host::CosObj CMarkupBlockPropertyCosDict::PageDictionary() const {
  CMarkupBlockOwner* owner = block_.PageCollectionRefernce();
  return owner ? owner->GetPageCosObj() : host::CosObj();
}

host::CosObj CMarkupBlockPropertyCosDict::AcquireBlockCosDict(std::string_view key, bool create) {
  try {
    const host::CosObj page = PageDictionary();
    if (!page.IsDict()) return {};
    return CStoredBlockTree::AcquireBlockDict(page.Doc(), page, key, create);
  } catch (...) {
    Service.ExceptionAlert("AcquireBlockCosDict");
    return {};
  }
}

int CMarkupBlockPropertyCosDict::UpdateBlockCosDict(const host::CosObj& blocks) {
  try {
    const CMarkupBlockProperties& list = *block_.PropertyList();
    const CMarkupProperties* name = list.GetProperty("Name");
    if (list.GetSize() == 0 || !name) return 0;
    if (!blocks.IsDict()) return -1;
    const std::string key = name->ASTextValue().UTF8();
    // Two blocks under one name would be merged into one dictionary.
    if (blocks.DictKnown(key)) return -1;
    host::CosDoc doc = blocks.Doc();
    const host::CosObj blockDict = doc->NewDict(true, list.GetSize());
    host::CosObj(blocks).DictPut(key, blockDict);
    const PropertyClass listClass = list.PropertyListClass();
    int result = 0;
    // Most dependent properties share one controller; it is looked up once.
    const std::string* controllerName = nullptr;
    const CMarkupProperties* controller = nullptr;
    list.ForEachProperty([&](const CMarkupProperties& property) {
      if (!property.IsMatchClass(listClass)) return;
      const CPropertyDependency* dependency = property.GetDependency();
      if (dependency && (!controllerName || *controllerName != dependency->DependProperty())) {
        controllerName = &dependency->DependProperty();
        controller = list.GetProperty(*controllerName);
      }
      if (property.SavePropertyInBlockDict(doc, blockDict, dependency ? controller : nullptr) != 0) result = -1;
    });
    return result;
  } catch (...) {
    Service.ExceptionAlert("UpdateBlockCosDict");
    return -1;
  }
}

int CMarkupBlockPropertyCosDict::ReadBlockPropertiesCosDict(std::string_view key, CMarkupBlockProperties& list) {
  if (list.GetSize() == 0) return 0;
  return ReadBlockPropertiesCosDict(AcquireBlockCosDict(key, false), list);
}

int CMarkupBlockPropertyCosDict::ReadBlockPropertiesCosDict(const host::CosObj& blockDict,
                                                            CMarkupBlockProperties& list) {
  if (list.GetSize() == 0) return 0;
  try {
    if (!blockDict.IsDict()) return -1;
    list.BaseEnumMode(kNoEnumMode);
    blockDict.DictEnum([&list](std::string_view k, const host::CosObj& v) { return MrkupPropCosObjEnum(k, v, list); });
    return 0;
  } catch (...) {
    Service.ExceptionAlert("ReadBlockPropertiesCosDict");
    return -1;
  }
}
