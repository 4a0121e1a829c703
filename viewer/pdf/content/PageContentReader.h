// Reads a page's content into the element model, and writes the removals
// made in it back into the document.
#pragma once

#include <memory>
#include <vector>

#include <qpdf/QPDFObjectHandle.hh>

#include "viewer/pdf/DocumentCore.h"
#include "viewer/pdf/content/AfmMetrics.h"
#include "viewer/pdf/content/ContentInterpreter.h"
#include "viewer/pdf/content/ContentParser.h"
#include "viewer/pdf/content/PdeElements.h"

namespace viewer::pdf {

class AtomResolver;

struct PageContent {
  std::shared_ptr<PdeContent> root;
  std::vector<ContentSourceRef> sources;  // the page's and every form's
};

class PageContentReader {
 public:
  explicit PageContentReader(AtomResolver& atoms, InterpreterLimits limits = {});

  PageContent Read(const DocumentCoreRef& core, QPDFObjectHandle page);

 private:
  AtomResolver& atoms_;
  InterpreterLimits limits_;
  ContentParser parser_;
  StandardFontMetrics standardFonts_;
};

// Writes every source with removals not yet written: the page's content
// streams become one stream, a form's stream is replaced in place. Answers
// whether anything was written.
bool WriteBack(DocumentCore& core, const std::vector<ContentSourceRef>& sources);

}  // namespace viewer::pdf
