// Test support: the block tool attached to an in-process viewer through the
// real loading protocol, so that the model reads its real keywords and
// messages; the decimal separator is set as a language would set it.
#pragma once

#include "blocktool/host/MarkupContentInit.h"
#include <string>
#include <utility>

#include "support/HostHarness.h"

namespace korvid::testing {

class ModelStrings {
 public:
  explicit ModelStrings(char decimalSeparator = '.', std::string language = "ENU")
      : harness_(HostOptions{.language = std::move(language)}) {
    harness_.AttachLinkedPlugin(&PIMain, &PIResources);
    cDecimalSeparator = decimalSeparator;
  }
  ~ModelStrings() { cDecimalSeparator = '.'; }
  ModelStrings(const ModelStrings&) = delete;
  ModelStrings& operator=(const ModelStrings&) = delete;

  HostHarness& Harness() { return harness_; }

 private:
  HostHarness harness_;
};

}  // namespace korvid::testing
