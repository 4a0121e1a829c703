#include "viewer/pdf/content/PdeElements.h"

#include <algorithm>

#include "viewer/pdf/FixedConversion.h"
#include "viewer/pdf/PdfDocument.h"
#include "viewer/pdf/cos/QpdfCosObj.h"
#include "viewer/pdf/doc/PageBoxes.h"

namespace viewer::pdf {
namespace {


host::ASAtom AtomOrNull(AtomResolver& atoms, const std::string& text) {
  return text.empty() ? host::ASAtomNull : atoms.Atom(text);
}

host::PDEColorSpec ToColorSpec(const ColorState& color, const PdeContext& context) {
  host::PDEColorSpec spec;
  spec.space.family = AtomOrNull(*context.atoms, color.family);
  spec.space.cosObj = WrapCosObj(context.core, color.space);
  spec.space.numComponents = color.components;
  for (std::size_t i = 0; i < 4; ++i) spec.value[i] = ToFixed(color.value[i]);
  return spec;
}

host::PDEGraphicState ToGraphicState(const GraphicsState& state, const PdeContext& context) {
  host::PDEGraphicState g;
  g.fill = ToColorSpec(state.fill, context);
  g.stroke = ToColorSpec(state.stroke, context);
  g.lineWidth = ToFixed(state.lineWidth);
  return g;
}

host::ASFixedMatrix ToFixedMatrix(const QPDFMatrix& m) {
  return {ToFixed(m.a), ToFixed(m.b), ToFixed(m.c), ToFixed(m.d), ToFixed(m.e),
          ToFixed(m.f)};
}

}  // namespace

host::PDEElementRef PdeContent::GetElem(int index) const {
  CheckIndex(index);
  return elements_[static_cast<std::size_t>(index)];
}

void PdeContent::RemoveElem(int index) {
  CheckIndex(index);
  const auto at = elements_.begin() + index;
  const ElementSpan& span = (*at)->Span();
  span.source->Remove(span.ops);
  elements_.erase(at);
}

void PdeContent::CheckIndex(int index) const {
  if (index < 0 || index >= NumElems()) host::RaiseHostError(host::kErrBadParameter, "element index out of range");
}

PdeElement::PdeElement(PdeContextRef context, ElementSpan span, GraphicsState state, PdfRect bbox)
    : context_(std::move(context)), span_(std::move(span)), state_(std::move(state)), bbox_(bbox) {}

void PdeElement::WrongKind() const {
  host::RaiseHostError(host::kErrBadObjectType, "not an element of this kind");
}

host::ASFixedRect PdeElement::BBox() const { return ToFixedRect(Box()); }

host::PDEGraphicState PdeElement::GState() const { return ToGraphicState(state_, *context_); }

namespace {

PdfRect Union(const PdfRect& a, const PdfRect& b) {
  return PdfRect(std::min(a.llx, b.llx), std::min(a.lly, b.lly), std::max(a.urx, b.urx), std::max(a.ury, b.ury));
}

PdfRect UnionOfRuns(const std::vector<TextRun>& runs) {
  if (runs.empty()) return PdfRect();
  PdfRect box = runs.front().bbox;
  for (const auto& run : runs) box = Union(box, run.bbox);
  return box;
}

}  // namespace

PdeText::PdeText(PdeContextRef context, TextObject text)
    : PdeElement(std::move(context), std::move(text.span), text.runs.empty() ? text.state : text.runs.front().state,
                 UnionOfRuns(text.runs)),
      runs_(std::move(text.runs)) {}

const TextRun& PdeText::Run(int run) const {
  if (run < 0 || run >= NumRuns()) host::RaiseHostError(host::kErrBadParameter, "run index out of range");
  return runs_[static_cast<std::size_t>(run)];
}

host::ASFixedRect PdeText::RunBBox(int run) const { return ToFixedRect(Run(run).bbox); }

host::PDEGraphicState PdeText::RunGState(int run) const { return ToGraphicState(Run(run).state, Context()); }

host::PDETextState PdeText::RunTextState(int run) const {
  const TextState& t = Run(run).state.text;
  host::PDETextState state;
  state.setFlags = t.setFlags;
  state.charSpacing = ToFixed(t.charSpacing);
  state.wordSpacing = ToFixed(t.wordSpacing);
  state.renderMode = t.renderMode;
  state.fontSize = ToFixed(t.fontSize);
  state.hScale = ToFixed(t.hScale);
  state.textRise = ToFixed(t.rise);
  return state;
}

host::ASFixedMatrix PdeText::RunMatrix(int run) const { return ToFixedMatrix(Run(run).matrix); }

host::PDEFontAttrs PdeText::RunFont(int run) const {
  const FontAttributes& font = Run(run).font->Attributes();
  AtomResolver& atoms = *Context().atoms;
  host::PDEFontAttrs attrs;
  attrs.name = AtomOrNull(atoms, font.baseFont);
  attrs.type = AtomOrNull(atoms, font.subtype);
  attrs.encoding = AtomOrNull(atoms, font.encoding);
  attrs.wMode = font.wMode;
  attrs.flags = font.flags;
  return attrs;
}

std::string PdeText::RunText(int run) const { return Run(run).bytes; }

PdePath::PdePath(PdeContextRef context, PathObject path)
    : PdeElement(std::move(context), std::move(path.span), std::move(path.state), path.bbox),
      paintOp_(path.paintOp),
      data_(std::move(path.data)) {}

PdeImage::PdeImage(PdeContextRef context, ImageObject image)
    : PdeElement(std::move(context), std::move(image.span), std::move(image.state), image.bbox) {}

PdeShading::PdeShading(PdeContextRef context, ShadingObject shading)
    : PdeElement(std::move(context), std::move(shading.span), std::move(shading.state), shading.bbox) {}

PdeForm::PdeForm(PdeContextRef context, FormObject form)
    : PdeElement(std::move(context), std::move(form.span), std::move(form.state), form.bbox) {}

PdeContainer::PdeContainer(PdeContextRef context, MarkedContentObject container)
    : PdeElement(context, std::move(container.span), std::move(container.state), PdfRect()),
      tag_(AtomOrNull(*context->atoms, container.tag)) {}

PdfRect PdeContainer::Box() const {
  const auto& elements = content_->Elements();
  if (elements.empty()) return PdfRect();
  PdfRect box = elements.front()->Box();
  for (const auto& element : elements) box = Union(box, element->Box());
  return box;
}

}  // namespace viewer::pdf
