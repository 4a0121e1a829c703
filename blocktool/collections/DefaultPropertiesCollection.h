// The property values last applied in a document's properties dialog, by
// property class; a block drawn with the block tool starts from them.
#pragma once

#include <map>
#include <memory>

#include "blocktool/model/MarkupBlockProperties.h"

class CDefaultPropertiesCollection {
 public:
  // Stores a list as the new defaults: for every block (class 0), for the
  // list's own class (with the text flow and ruler tab classes of a Text
  // list) and for the custom properties.
  void DefaultPropertiesList(const CMarkupBlockProperties* list);
  // Stores for one class: into the existing entry, or as a full copy.
  void DefaultPropertiesList(PropertyClass propertyClass, const CMarkupBlockProperties& list);
  // The entry of a class, or null.
  const CMarkupBlockProperties* DefaultPropertiesList(PropertyClass propertyClass) const;

 private:
  std::map<PropertyClass, std::unique_ptr<CMarkupBlockProperties>> lists_;
};
