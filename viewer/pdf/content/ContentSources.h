// Reads the content streams of one page and of the forms it draws, once
// each, and keeps them for the elements that point into them.
#pragma once

#include <map>
#include <vector>

#include <qpdf/QPDFObjGen.hh>

#include "viewer/pdf/content/ContentParser.h"
#include "viewer/pdf/content/ContentSource.h"

namespace viewer::pdf {

class ContentSources {
 public:
  explicit ContentSources(ContentParser& parser) : parser_(&parser) {}

  // The page's content streams joined into one.
  ContentSourceRef Page(QPDFObjectHandle page);
  // A form XObject's own content stream (the same source for every use).
  ContentSourceRef Form(QPDFObjectHandle form);

  const std::vector<ContentSourceRef>& All() const { return all_; }

 private:
  ContentSourceRef Add(ContentSource::Kind kind, QPDFObjectHandle owner, std::vector<QPDFObjectHandle> streams);

  ContentParser* parser_;
  std::vector<ContentSourceRef> all_;
  std::map<QPDFObjGen, ContentSourceRef> forms_;
};

}  // namespace viewer::pdf
