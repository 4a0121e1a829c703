#include "viewer/core/ErrorTexts.h"

#include "host/HostError.h"

namespace viewer {

std::string HostErrorText(int code) {
  switch (code) {
    case host::kErrNone: return "No error.";
    case host::kErrGeneral: return "An internal error occurred.";
    case host::kErrBadParameter: return "A bad parameter was passed.";
    case host::kErrNoMemory: return "Out of memory.";
    case host::kErrBadObjectType: return "The PDF object is not of the expected type.";
    case host::kErrObjectNotFound: return "The object could not be found.";
    case host::kErrFileNotFound: return "The file or folder could not be found.";
    case host::kErrFileRead: return "The file could not be read.";
    case host::kErrFileWrite: return "The file could not be written.";
    case host::kErrPageRange: return "The page number is out of range.";
    case host::kErrZoomLimit: return "The page cannot be shown at this zoom.";
    case host::kErrBadFile: return "The file is damaged and could not be opened.";
    case host::kErrNoSuchItem: return "The item does not exist.";
    case host::kErrNotPermitted: return "This operation is not permitted.";
    case host::kErrCancelled: return "The operation was cancelled.";
    case host::kErrAtomTableFull: return "The atom table is full.";
    case host::kErrUnsupported: return "This operation is not supported.";
    case host::kErrDocumentClosed: return "The document has been closed.";
    default: return "Unknown error " + std::to_string(code) + ".";
  }
}

}  // namespace viewer
