// qpdf reports damaged input and misuse with its own exceptions; the seam
// speaks only HostError. Every call into qpdf made on behalf of the seam runs
// through TranslateQpdfErrors.
#pragma once

#include <exception>
#include <utility>

#include <qpdf/QPDFExc.hh>

#include "host/HostError.h"

namespace viewer::pdf {

[[noreturn]] void RaiseFromQpdfException(int code, const std::exception& e);

// Runs fn; a qpdf or standard exception becomes HostError(code). Host errors
// pass unchanged.
template <typename Fn>
auto TranslateQpdfErrors(int code, Fn&& fn) -> decltype(fn()) {
  try {
    return std::forward<Fn>(fn)();
  } catch (const host::HostError&) {
    throw;
  } catch (const std::bad_alloc&) {
    host::RaiseHostError(host::kErrNoMemory, "out of memory");
  } catch (const std::exception& e) {
    RaiseFromQpdfException(code, e);
  }
}

// Work on document data: damage qpdf finds on the way is a bad file.
template <typename Fn>
auto GuardFileAccess(Fn&& fn) -> decltype(fn()) {
  return TranslateQpdfErrors(host::kErrBadFile, std::forward<Fn>(fn));
}

}  // namespace viewer::pdf
