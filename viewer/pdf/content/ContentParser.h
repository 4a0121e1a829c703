// Splits content-stream bytes into operations with qpdf's content parser.
// Whatever the parser cannot read ends the list; those bytes simply belong to
// no operation and stay as they are when the stream is written back.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include <qpdf/QPDF.hh>

#include "viewer/pdf/content/ContentOp.h"

namespace viewer::pdf {

class ContentParser {
 public:
  ContentParser();
  std::vector<ContentOp> Parse(const std::string& bytes);

 private:
  // qpdf parses content only from a stream object: one scratch document
  // holds the stream whose data is replaced for every parse.
  std::unique_ptr<QPDF> scratch_;
  QPDFObjectHandle stream_;
};

}  // namespace viewer::pdf
