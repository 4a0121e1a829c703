// "PDModel": documents without a window.
#pragma once

#include "host/PD.h"
#include "viewer/core/DocumentManager.h"
#include "viewer/core/ServedTable.h"

namespace viewer {

class DocumentServices final : public ServedTable<host::PDModelTable> {
 public:
  DocumentServices(host::TableVersion version, DocumentManager& documents)
      : ServedTable("PDModel", version), documents_(documents) {}

  host::PDDoc* OpenDoc(const host::ASPathName& path) override { return &documents_.OpenWithoutWindow(path.Str()); }
  host::PDDoc* CreateDoc() override { return &documents_.CreateWithoutWindow(); }
  host::PDDoc* DocOfCosDoc(const host::CosDoc& doc) override { return documents_.FindByCosDoc(doc); }

 private:
  DocumentManager& documents_;
};

}  // namespace viewer
