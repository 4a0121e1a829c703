// Interprets a page's content: runs each operation through its handler,
// keeps the graphics state with its q/Q stack, and tells one consumer what
// is drawn. Forms are interpreted with their own matrix and resources.
// Nesting (forms and marked content) is limited in depth, a form that draws
// itself is not entered again, and the work spent inside forms is bounded,
// so no content can make the interpretation unbounded.
#pragma once

#include <cstddef>
#include <set>
#include <string_view>
#include <unordered_map>

#include <qpdf/QPDFObjGen.hh>

#include "viewer/pdf/content/ContentConsumer.h"
#include "viewer/pdf/content/ContentSources.h"
#include "viewer/pdf/content/FontInfo.h"

namespace viewer::pdf {

struct InterpreterLimits {
  int maxDepth = 64;                                  // nested forms and containers
  // Work inside forms, in all: each form drawn costs its operations plus
  // formEntryCost, so that forms drawing forms many times over stay bounded.
  std::size_t formBudget = std::size_t{1} << 22;
  std::size_t formEntryCost = 256;
  std::size_t maxSavedStates = 1024;                  // q without Q kept on the stack
};

class ContentInterpreter {
 public:
  ContentInterpreter(ContentConsumer& consumer, ContentSources& sources, FontCache& fonts,
                     InterpreterLimits limits = {});

  // The page's content in the page's default user space.
  void RunPage(QPDFObjectHandle page);

 private:
  struct Frame;
  using Handler = void (ContentInterpreter::*)(Frame&, const ContentOp&);
  static const std::unordered_map<std::string_view, Handler>& Operators();

  void Run(Frame& frame);
  void Finish(Frame& frame);
  ElementSpan Span(const Frame& frame, std::size_t first) const;

  // General graphics state.
  void Save(Frame& f, const ContentOp& op);
  void Restore(Frame& f, const ContentOp& op);
  void Concat(Frame& f, const ContentOp& op);
  void LineWidth(Frame& f, const ContentOp& op);
  void ExtGState(Frame& f, const ContentOp& op);
  // Colour.
  void StrokeSpace(Frame& f, const ContentOp& op);
  void FillSpace(Frame& f, const ContentOp& op);
  void StrokeColor(Frame& f, const ContentOp& op);
  void FillColor(Frame& f, const ContentOp& op);
  void StrokeGray(Frame& f, const ContentOp& op);
  void FillGray(Frame& f, const ContentOp& op);
  void StrokeRgb(Frame& f, const ContentOp& op);
  void FillRgb(Frame& f, const ContentOp& op);
  void StrokeCmyk(Frame& f, const ContentOp& op);
  void FillCmyk(Frame& f, const ContentOp& op);
  // Paths.
  void MoveTo(Frame& f, const ContentOp& op);
  void LineTo(Frame& f, const ContentOp& op);
  void CurveTo(Frame& f, const ContentOp& op);
  void CurveToV(Frame& f, const ContentOp& op);
  void CurveToY(Frame& f, const ContentOp& op);
  void ClosePath(Frame& f, const ContentOp& op);
  void Rectangle(Frame& f, const ContentOp& op);
  void Clip(Frame& f, const ContentOp& op);
  void Paint(Frame& f, const ContentOp& op);
  // Text.
  void BeginText(Frame& f, const ContentOp& op);
  void EndText(Frame& f, const ContentOp& op);
  void CharSpacing(Frame& f, const ContentOp& op);
  void WordSpacing(Frame& f, const ContentOp& op);
  void HScale(Frame& f, const ContentOp& op);
  void Leading(Frame& f, const ContentOp& op);
  void Font(Frame& f, const ContentOp& op);
  void RenderMode(Frame& f, const ContentOp& op);
  void Rise(Frame& f, const ContentOp& op);
  void MoveText(Frame& f, const ContentOp& op);
  void MoveTextSetLeading(Frame& f, const ContentOp& op);
  void TextMatrix(Frame& f, const ContentOp& op);
  void NextLine(Frame& f, const ContentOp& op);
  void ShowString(Frame& f, const ContentOp& op);
  void ShowArray(Frame& f, const ContentOp& op);
  void NextLineShow(Frame& f, const ContentOp& op);
  void NextLineSpacingShow(Frame& f, const ContentOp& op);
  // Images, forms, shadings, marked content.
  void XObject(Frame& f, const ContentOp& op);
  void InlineImage(Frame& f, const ContentOp& op);
  void ShadingFill(Frame& f, const ContentOp& op);
  void BeginMarked(Frame& f, const ContentOp& op);
  void EndMarked(Frame& f, const ContentOp& op);

  void Segment(Frame& f, const ContentOp& op, std::int32_t item, int points);
  void AddPoint(Frame& f, double x, double y);
  void Extend(Frame& f, double px, double py);
  void StartPathAt(Frame& f);
  void Show(Frame& f, const std::vector<QPDFObjectHandle>& pieces);
  void Translate(Frame& f, double tx, double ty);
  void DrawForm(Frame& f, QPDFObjectHandle form);

  ContentConsumer& consumer_;
  ContentSources& sources_;
  FontCache& fonts_;
  InterpreterLimits limits_;
  std::size_t formBudget_;
  std::set<QPDFObjGen> activeForms_;  // forms being interpreted, outermost first
  PdfRect pageBox_;
};

}  // namespace viewer::pdf
