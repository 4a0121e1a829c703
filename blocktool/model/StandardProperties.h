// The standard properties every block carries, in display order, and the
// controllers other properties depend on.
#pragma once

#include <span>
#include <string>

#include "blocktool/model/PropertyTypes.h"

// A text of the table: a resource string when id is not 0, else literal.
struct SchemaText {
  int id = 0;
  const char* literal = "";
  std::string Resolve() const;
};

enum class SchemaDefault { Table, BlockID, BlockName };

struct SchemaRange {
  bool present = false;
  float min = 0;
  float max = 0;
  bool exclusive = false;
};

struct StandardPropertyRow {
  const char* name;
  PropertyClass propertyClass;
  SchemaDefault defaultKind;
  SchemaText defaultText;  // may carry a count prefix "n/"
  SchemaText description;
  std::span<const int> values;  // value list as resource string numbers
  SchemaRange range;
  PropertyMode mode;
};

struct StandardDependency {
  const char* dependent;
  const char* controller;
  int controllerValue;  // resource string
  int mode;
};

std::span<const StandardPropertyRow> StandardPropertyTable();
std::span<const StandardDependency> StandardDependencyTable();
