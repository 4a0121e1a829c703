// One operation of a content stream: an operator with its operands and the
// bytes it occupies in the stream.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include <qpdf/QPDFObjectHandle.hh>

namespace viewer::pdf {

struct ContentOp {
  std::string name;                       // the operator ("BI" for a whole inline image)
  std::vector<QPDFObjectHandle> operands;  // for "BI": the image dictionary's keys and values
  std::size_t begin = 0;                  // first byte: the first operand, else the operator
  std::size_t end = 0;                    // one past the operator's last byte ("EI" for images)

  std::size_t Size() const { return end - begin; }
};

}  // namespace viewer::pdf
