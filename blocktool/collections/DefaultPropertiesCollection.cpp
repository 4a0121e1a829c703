#include "blocktool/collections/DefaultPropertiesCollection.h"

void CDefaultPropertiesCollection::DefaultPropertiesList(const CMarkupBlockProperties* list) {
  if (!list) return;
  DefaultPropertiesList(PropGeneral, *list);
  const PropertyClass listClass = list->PropertyListClass();
  DefaultPropertiesList(listClass, *list);
  if (listClass == PropText) {
    DefaultPropertiesList(PropTextflow, *list);
    DefaultPropertiesList(PropRulerTab, *list);
  }
  DefaultPropertiesList(PropCustom, *list);
}

void CDefaultPropertiesCollection::DefaultPropertiesList(PropertyClass propertyClass,
                                                         const CMarkupBlockProperties& list) {
  std::unique_ptr<CMarkupBlockProperties>& entry = lists_[propertyClass];
  if (entry) {
    entry->CopyPropertiesList(propertyClass, list, true);
  } else {
    entry = std::make_unique<CMarkupBlockProperties>(-1, list);
  }
}

const CMarkupBlockProperties* CDefaultPropertiesCollection::DefaultPropertiesList(PropertyClass propertyClass) const {
  const auto found = lists_.find(propertyClass);
  return found == lists_.end() ? nullptr : found->second.get();
}
