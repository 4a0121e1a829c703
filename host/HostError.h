// The one error type the host raises. An "exception frame" of a plug-in is a
// try/catch around host calls; nothing is thrown out of an entry point,
// callback or exported function.
#pragma once

#include <exception>
#include <string>

#include "host/HostTypes.h"

namespace host {

// Error codes raised by the host. The host supplies a text for each
// (CoreTable::ErrorText).
enum ErrorCode : int {
  kErrNone = 0,
  kErrGeneral = 1,
  kErrBadParameter = 2,
  kErrNoMemory = 3,
  kErrBadObjectType = 4,      // a PDF object of another type than the call needs
  kErrObjectNotFound = 5,
  kErrFileNotFound = 6,
  kErrFileRead = 7,
  kErrFileWrite = 8,
  kErrPageRange = 9,
  kErrZoomLimit = 10,         // device coordinates beyond what a page view serves
  kErrBadFile = 11,           // damaged or unreadable PDF
  kErrNoSuchItem = 12,        // dialog item, menu item, table entry missing
  kErrNotPermitted = 13,
  kErrCancelled = 14,
  kErrAtomTableFull = 15,
  kErrUnsupported = 16,
  kErrDocumentClosed = 17,
};

class KORVID_HOST_API HostError : public std::exception {
 public:
  explicit HostError(int code, std::string detail = {});
  int Code() const noexcept { return code_; }
  const std::string& Detail() const noexcept { return detail_; }
  const char* what() const noexcept override { return what_.c_str(); }

 private:
  int code_;
  std::string detail_;
  std::string what_;
};

[[noreturn]] KORVID_HOST_API void RaiseHostError(int code, std::string detail = {});

// The code of the exception being handled: inside a catch block (or a
// function called from one) answers the HostError's code, kErrGeneral for any
// other exception, kErrNone outside a handler.
KORVID_HOST_API int CurrentErrorCode() noexcept;

}  // namespace host
