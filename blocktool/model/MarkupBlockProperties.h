// The property list of one block: every property by name, in a fixed
// display order. The map walk (byte-wise ascending names) is the order of
// storage; the name walk is the order of the dialog rows.
#pragma once

#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "blocktool/model/MarkupProperties.h"

class CMarkupBlockProperties {
 public:
  struct EmptyList {};

  // The standard list of a new block.
  explicit CMarkupBlockProperties(int blockID);
  // A list without properties (filled by a reader or a caller).
  explicit CMarkupBlockProperties(EmptyList);
  // A copy of source for a block with another ID.
  CMarkupBlockProperties(int blockID, const CMarkupBlockProperties& source);
  CMarkupBlockProperties(const CMarkupBlockProperties&) = delete;
  CMarkupBlockProperties& operator=(const CMarkupBlockProperties&) = delete;
  ~CMarkupBlockProperties();

  // Empties the list and adds the 75 standard properties for the block ID.
  void InitializeProperties(int blockID);
  // Adds the standard properties resolved from the schema table, the block's
  // ID and name without their values.
  void AddStandardPropertiesFromSchema();

  int GetSize() const { return static_cast<int>(properties_.size()); }
  int GetNumOfNames() const { return static_cast<int>(order_.size()); }
  std::string GetNthName(int n) const;
  CMarkupProperties* GetNthProperty(int n) const;
  CMarkupProperties* GetProperty(std::string_view name) const;

  // Takes ownership; a property whose name exists merges into the existing
  // one. 0, or -1 without a property.
  int AddNewProperty(std::unique_ptr<CMarkupProperties> property, bool merge);
  int AddNewProperty(std::string_view name, std::string_view defaultValue, std::string_view description,
                     PropertyClass propertyClass, PropertyMode mode);
  // Takes the property out of the list and hands it to the caller (null
  // for an unknown name).
  std::unique_ptr<CMarkupProperties> RemoveProperty(std::string_view name);
  int UpdatePropertyName(std::string_view oldName, std::string_view newName, const host::ASText& nameText);
  int UpdateProperty(std::string_view name, std::string_view text);
  int UpdateProperty(std::string_view name, const char* text) { return UpdateProperty(name, std::string_view(text)); }
  int UpdateProperty(std::string_view name, int value);
  int UpdateProperty(std::string_view name, double value);
  int UpdateBoolProperty(std::string_view name, bool flag);

  void ClearAllProperties(bool all);
  void ClearCustomProperties(PropertyClass propertyClass);
  // Carries values over from a default list (Identity properties never).
  void CopyPropertiesList(PropertyClass propertyClass, const CMarkupBlockProperties& source, bool force);
  void PropertyListClass(PropertyClass propertyClass);
  PropertyClass PropertyListClass() const;
  // Repairs names and name values read from a file; true when any changed.
  bool CheckKeyName();
  // Between the stored ruler and one row per tab stop.
  void ParseTexFlowRuler();
  void ConstructTextFlowRuller();
  int GetTextflowRulerSize() const;
  void ConstructDefaultTextEncoding();
  void RestoreDefaultValues(PropertyMode mask);
  void BaseEnumMode(int enumMode) { enumMode_ = enumMode; }
  int BaseEnumMode() const { return enumMode_; }

  // Name walk.
  const std::vector<std::string>& Names() const { return order_; }
  // Map walk (byte-wise ascending names): the order of storage.
  template <typename Visit>
  void ForEachProperty(Visit&& visit) const {
    for (const auto& entry : properties_) visit(static_cast<const CMarkupProperties&>(*entry.second));
  }

 private:
  using PropertyMap = std::map<std::string, std::unique_ptr<CMarkupProperties>, std::less<>>;

  void CopyEveryProperty(const CMarkupBlockProperties& source);
  // Sets the default and value of ID and Name for the block ID.
  void SetBlockIdentity(int blockID);
  void InsertTabRowsByPosition(std::vector<std::unique_ptr<CMarkupProperties>> rows);
  void RemoveFromOrder(std::string_view name);
  static bool IsTabRow(const CMarkupProperties& property);

  int enumMode_ = 0;
  PropertyMap properties_;
  std::vector<std::string> order_;
};
