// The host's atoms: 16-bit numbers for texts, equal texts giving equal atoms.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "host/HostTypes.h"

namespace viewer {

class AtomTable {
 public:
  // The largest number of atoms; ASAtomNull itself is never handed out.
  static constexpr std::size_t kCapacity = host::ASAtomNull;

  explicit AtomTable(std::size_t capacity = kCapacity) : capacity_(capacity) {}

  // Raises kErrAtomTableFull when a new text finds no free atom.
  host::ASAtom Intern(std::string_view text);
  // ASAtomNull when the text has no atom yet.
  host::ASAtom Find(std::string_view text) const;
  // Raises kErrBadParameter for an atom that was never handed out.
  const std::string& Text(host::ASAtom atom) const;
  std::size_t Size() const { return texts_.size(); }

 private:
  std::size_t capacity_;
  std::vector<std::string> texts_;
  std::unordered_map<std::string, host::ASAtom> atoms_;
};

}  // namespace viewer
