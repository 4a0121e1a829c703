// The name and version every table of the host answers with. Tables that
// only mark a layer as served (their operations live on handles, or no
// plug-in calls them) are ServedTable<Interface> themselves.
#pragma once

#include <string>
#include <utility>

#include "host/Tables.h"

namespace viewer {

template <class Interface>
class ServedTable : public Interface {
 public:
  ServedTable(std::string name, host::TableVersion version) : name_(std::move(name)), version_(version) {}
  std::string TableName() const override { return name_; }
  host::TableVersion Version() const override { return version_; }

 private:
  std::string name_;
  host::TableVersion version_;
};

}  // namespace viewer
