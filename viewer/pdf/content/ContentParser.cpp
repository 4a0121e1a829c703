#include "viewer/pdf/content/ContentParser.h"

#include <exception>

namespace viewer::pdf {
namespace {

// Turns the parser's stream of objects into operations. Inline images
// (BI, key-value pairs, ID, data, EI) become one "BI" operation.
class OpCollector final : public QPDFObjectHandle::ParserCallbacks {
 public:
  explicit OpCollector(std::vector<ContentOp>& ops) : ops_(ops) {}

  void handleObject(QPDFObjectHandle object, size_t offset, size_t length) override {
    if (!object.isOperator()) return AddOperand(std::move(object), offset, length);
    const std::string name = object.getOperatorValue();
    if (inImage_) {
      if (name == "ID") return;
      if (name == "EI") return FinishOp(offset + length);
      FinishOp(lastEnd_);  // an operator inside an image header ends the image
    }
    if (name == "BI") {
      StartOp("BI", offset);
      inImage_ = true;
      lastEnd_ = offset + length;
      return;
    }
    StartOp(name, offset);
    FinishOp(offset + length);
  }

  void handleEOF() override { Flush(); }

  // Ends an inline image the stream broke off.
  void Flush() {
    if (inImage_) FinishOp(lastEnd_);
  }

 private:
  void AddOperand(QPDFObjectHandle object, size_t offset, size_t length) {
    if (pending_.empty() && !inImage_) operandsBegin_ = offset;
    lastEnd_ = offset + length;
    if (object.isInlineImage()) return;  // the image data itself needs no copy
    pending_.push_back(std::move(object));
  }

  void StartOp(const std::string& name, size_t offset) {
    current_ = ContentOp{};
    current_.name = name;
    current_.begin = pending_.empty() ? offset : operandsBegin_;
    current_.operands = std::move(pending_);
    pending_.clear();
  }

  void FinishOp(size_t end) {
    if (inImage_) {
      // The image's operands were collected after BI.
      for (auto& operand : pending_) current_.operands.push_back(std::move(operand));
      pending_.clear();
      inImage_ = false;
    }
    current_.end = end;
    ops_.push_back(std::move(current_));
    current_ = ContentOp{};
  }

  std::vector<ContentOp>& ops_;
  std::vector<QPDFObjectHandle> pending_;
  size_t operandsBegin_ = 0;
  size_t lastEnd_ = 0;
  bool inImage_ = false;
  ContentOp current_;
};

}  // namespace

ContentParser::ContentParser() : scratch_(std::make_unique<QPDF>()) {
  scratch_->setSuppressWarnings(true);
  scratch_->emptyPDF();
  stream_ = QPDFObjectHandle::newStream(scratch_.get(), "");
}

std::vector<ContentOp> ContentParser::Parse(const std::string& bytes) {
  std::vector<ContentOp> ops;
  OpCollector collector(ops);
  try {
    stream_.replaceStreamData(bytes, QPDFObjectHandle::newNull(), QPDFObjectHandle::newNull());
    QPDFObjectHandle::parseContentStream(stream_, &collector);
  } catch (const std::exception&) {
    collector.Flush();  // keep what was read before the parser gave up
  }
  scratch_->getWarnings();  // drop them: they would pile up over many parses
  return ops;
}

}  // namespace viewer::pdf
