// Stand-ins for what the viewer core gives a document: atoms and a listener
// for document events. Header-only, for tests, benchmarks and fuzzers.
#pragma once

#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "viewer/pdf/PdfDocument.h"

namespace korvid::test {

class TestAtoms final : public viewer::pdf::AtomResolver {
 public:
  host::ASAtom Atom(std::string_view text) override {
    if (auto found = atoms_.find(text); found != atoms_.end()) return found->second;
    const auto atom = static_cast<host::ASAtom>(texts_.size() % host::ASAtomNull);
    texts_.emplace_back(text);
    atoms_.emplace(std::string(text), atom);
    return atom;
  }
  std::string Text(host::ASAtom atom) override { return atom < texts_.size() ? texts_[atom] : std::string(); }

 private:
  std::map<std::string, host::ASAtom, std::less<>> atoms_;
  std::vector<std::string> texts_;
};

class SilentEvents final : public viewer::pdf::DocumentEvents {
 public:
  void WillSave(viewer::pdf::PdfDocument&, int) override {}
  void DidSave(viewer::pdf::PdfDocument&, int) override {}
  void PageContentsDidChange(viewer::pdf::PdfDocument&, int) override {}
  host::AVDoc* AVDocOf(const viewer::pdf::PdfDocument&) override { return nullptr; }
  void CloseRequested(viewer::pdf::PdfDocument&) override {}
};

}  // namespace korvid::test
