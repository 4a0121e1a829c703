#include "viewer/core/AtomTable.h"

#include "host/HostError.h"

namespace viewer {

host::ASAtom AtomTable::Intern(std::string_view text) {
  const host::ASAtom existing = Find(text);
  if (existing != host::ASAtomNull) return existing;
  if (texts_.size() >= capacity_) host::RaiseHostError(host::kErrAtomTableFull);
  const auto atom = static_cast<host::ASAtom>(texts_.size());
  texts_.emplace_back(text);
  atoms_.emplace(texts_.back(), atom);
  return atom;
}

host::ASAtom AtomTable::Find(std::string_view text) const {
  const auto it = atoms_.find(std::string(text));
  return it == atoms_.end() ? host::ASAtomNull : it->second;
}

const std::string& AtomTable::Text(host::ASAtom atom) const {
  if (atom >= texts_.size()) host::RaiseHostError(host::kErrBadParameter, "unknown atom");
  return texts_[atom];
}

}  // namespace viewer
