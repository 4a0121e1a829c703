#include "viewer/pdf/content/ContentInterpreter.h"

#include <algorithm>
#include <cmath>
#include <optional>

#include <qpdf/QPDFPageObjectHelper.hh>

#include "host/HostTypes.h"
#include "host/PDE.h"
#include "viewer/pdf/FixedConversion.h"
#include "viewer/pdf/content/ColorSpaces.h"
#include "viewer/pdf/doc/PageBoxes.h"

namespace viewer::pdf {

struct ContentInterpreter::Frame {
  ContentSourceRef source;
  QPDFObjectHandle resources;
  GraphicsState state;
  std::vector<GraphicsState> saved;
  std::size_t unsavedQ = 0;  // q beyond the stack limit, matched by the next Q
  int depth = 0;             // nesting level of this frame's content
  std::size_t op = 0;        // the operation being run

  // Open marked-content brackets of this frame, innermost last: true for a
  // container, false for a bracket inside text or past the depth limit.
  std::vector<bool> marks;
  int openContainers = 0;

  bool inText = false;
  std::size_t textFirst = 0;
  QPDFMatrix tm;
  QPDFMatrix tlm;
  TextObject text;

  bool inPath = false;
  std::size_t pathFirst = 0;
  std::vector<std::int32_t> pathData;
  double minX = 0, minY = 0, maxX = 0, maxY = 0;
  bool clip = false;

  int Level() const { return depth + openContainers; }
};

namespace {

std::optional<double> NumberAt(const ContentOp& op, std::size_t index) {
  if (index >= op.operands.size()) return std::nullopt;
  QPDFObjectHandle item = op.operands[index];
  if (!item.isNumber()) return std::nullopt;
  const double v = item.getNumericValue();
  if (!std::isfinite(v)) return std::nullopt;
  return v;
}

// The last `count` operands as numbers; false when they are not all numbers.
bool Numbers(const ContentOp& op, std::size_t count, double* out) {
  if (op.operands.size() < count) return false;
  const std::size_t first = op.operands.size() - count;
  for (std::size_t i = 0; i < count; ++i) {
    auto v = NumberAt(op, first + i);
    if (!v) return false;
    out[i] = *v;
  }
  return true;
}

QPDFObjectHandle LastOperand(const ContentOp& op) {
  return op.operands.empty() ? QPDFObjectHandle::newNull() : op.operands.back();
}

QPDFObjectHandle Resource(QPDFObjectHandle resources, const char* category, QPDFObjectHandle name) {
  if (!name.isName() || !resources.isDictionary()) return QPDFObjectHandle::newNull();
  QPDFObjectHandle dict = resources.getKey(category);
  return dict.isDictionary() ? dict.getKey(name.getName()) : QPDFObjectHandle::newNull();
}

QPDFMatrix MatrixOf(QPDFObjectHandle array) {
  if (!array.isArray() || array.getArrayNItems() != 6) return QPDFMatrix();
  double m[6];
  for (int i = 0; i < 6; ++i) {
    QPDFObjectHandle item = array.getArrayItem(i);
    if (!item.isNumber() || !std::isfinite(item.getNumericValue())) return QPDFMatrix();
    m[i] = item.getNumericValue();
  }
  return QPDFMatrix(m[0], m[1], m[2], m[3], m[4], m[5]);
}

PdfRect Intersection(const std::optional<PdfRect>& a, const PdfRect& b) {
  if (!a) return b;
  PdfRect r(std::max(a->llx, b.llx), std::max(a->lly, b.lly), std::min(a->urx, b.urx), std::min(a->ury, b.ury));
  if (r.llx > r.urx) r.urx = r.llx;
  if (r.lly > r.ury) r.ury = r.lly;
  return r;
}

void SetColor(ColorState& color, const ContentOp& op) {
  std::size_t count = 0;
  for (std::size_t i = 0; i < op.operands.size() && count < color.value.size(); ++i) {
    if (auto v = NumberAt(op, i)) color.value[count++] = *v;
  }
}

ColorState Device(const char* family, int components, const ContentOp& op) {
  ColorState color = DeviceColor(family, components);
  double values[4] = {0, 0, 0, 0};
  if (Numbers(op, static_cast<std::size_t>(components), values)) {
    for (int i = 0; i < components; ++i) color.value[static_cast<std::size_t>(i)] = values[i];
  }
  return color;
}

int PaintBits(const std::string& name) {
  using host::kPDEEoFill;
  using host::kPDEFill;
  using host::kPDEStroke;
  if (name == "S" || name == "s") return kPDEStroke;
  if (name == "f" || name == "F") return kPDEFill;
  if (name == "f*") return kPDEFill | kPDEEoFill;
  if (name == "B" || name == "b") return kPDEStroke | kPDEFill;
  if (name == "B*" || name == "b*") return kPDEStroke | kPDEFill | kPDEEoFill;
  return 0;  // n
}

bool ClosesFirst(const std::string& name) { return name == "s" || name == "b" || name == "b*"; }

}  // namespace

const std::unordered_map<std::string_view, ContentInterpreter::Handler>& ContentInterpreter::Operators() {
  using CI = ContentInterpreter;
  static const std::unordered_map<std::string_view, Handler> kOperators = {
      {"q", &CI::Save},          {"Q", &CI::Restore},        {"cm", &CI::Concat},
      {"w", &CI::LineWidth},     {"gs", &CI::ExtGState},     {"CS", &CI::StrokeSpace},
      {"cs", &CI::FillSpace},    {"SC", &CI::StrokeColor},   {"SCN", &CI::StrokeColor},
      {"sc", &CI::FillColor},    {"scn", &CI::FillColor},    {"G", &CI::StrokeGray},
      {"g", &CI::FillGray},      {"RG", &CI::StrokeRgb},     {"rg", &CI::FillRgb},
      {"K", &CI::StrokeCmyk},    {"k", &CI::FillCmyk},       {"m", &CI::MoveTo},
      {"l", &CI::LineTo},        {"c", &CI::CurveTo},        {"v", &CI::CurveToV},
      {"y", &CI::CurveToY},      {"h", &CI::ClosePath},      {"re", &CI::Rectangle},
      {"W", &CI::Clip},          {"W*", &CI::Clip},          {"S", &CI::Paint},
      {"s", &CI::Paint},         {"f", &CI::Paint},          {"F", &CI::Paint},
      {"f*", &CI::Paint},        {"B", &CI::Paint},          {"B*", &CI::Paint},
      {"b", &CI::Paint},         {"b*", &CI::Paint},         {"n", &CI::Paint},
      {"BT", &CI::BeginText},    {"ET", &CI::EndText},       {"Tc", &CI::CharSpacing},
      {"Tw", &CI::WordSpacing},  {"Tz", &CI::HScale},        {"TL", &CI::Leading},
      {"Tf", &CI::Font},         {"Tr", &CI::RenderMode},    {"Ts", &CI::Rise},
      {"Td", &CI::MoveText},     {"TD", &CI::MoveTextSetLeading}, {"Tm", &CI::TextMatrix},
      {"T*", &CI::NextLine},     {"Tj", &CI::ShowString},    {"TJ", &CI::ShowArray},
      {"'", &CI::NextLineShow},  {"\"", &CI::NextLineSpacingShow}, {"Do", &CI::XObject},
      {"BI", &CI::InlineImage},  {"sh", &CI::ShadingFill},   {"BMC", &CI::BeginMarked},
      {"BDC", &CI::BeginMarked}, {"EMC", &CI::EndMarked},
  };
  return kOperators;
}

ContentInterpreter::ContentInterpreter(ContentConsumer& consumer, ContentSources& sources, FontCache& fonts,
                                       InterpreterLimits limits)
    : consumer_(consumer), sources_(sources), fonts_(fonts), limits_(limits), formBudget_(limits.formBudget) {}

void ContentInterpreter::RunPage(QPDFObjectHandle page) {
  pageBox_ = MediaBoxOf(page);
  Frame frame;
  frame.state.fill = frame.state.stroke = DeviceColor("DeviceGray", 1);
  frame.source = sources_.Page(page);
  frame.resources = QPDFPageObjectHelper(page).getAttribute("/Resources", false);
  Run(frame);
}

void ContentInterpreter::Run(Frame& frame) {
  const auto& ops = frame.source->Ops();
  const auto& table = Operators();
  for (frame.op = 0; frame.op < ops.size(); ++frame.op) {
    const ContentOp& op = ops[frame.op];
    auto handler = table.find(op.name);
    if (handler == table.end()) continue;
    try {
      (this->*handler->second)(frame, op);
    } catch (const std::exception&) {
      // A damaged resource only loses this operation's effect.
    }
  }
  Finish(frame);
}

// Content may end inside a text object or marked content: they end with it.
void ContentInterpreter::Finish(Frame& frame) {
  const auto& ops = frame.source->Ops();
  if (ops.empty()) return;
  frame.op = ops.size() - 1;
  if (frame.inText) EndText(frame, ops.back());
  for (; frame.openContainers > 0; --frame.openContainers) consumer_.EndMarkedContent(frame.op);
}

ElementSpan ContentInterpreter::Span(const Frame& frame, std::size_t first) const {
  return ElementSpan{frame.source, OpRange{first, frame.op}};
}

// --- general graphics state ---

void ContentInterpreter::Save(Frame& f, const ContentOp&) {
  if (f.saved.size() >= limits_.maxSavedStates) {
    ++f.unsavedQ;
    return;
  }
  f.saved.push_back(f.state);
}

void ContentInterpreter::Restore(Frame& f, const ContentOp&) {
  if (f.unsavedQ > 0) {
    --f.unsavedQ;
  } else if (!f.saved.empty()) {
    f.state = std::move(f.saved.back());
    f.saved.pop_back();
  }
}

void ContentInterpreter::Concat(Frame& f, const ContentOp& op) {
  double m[6];
  if (Numbers(op, 6, m)) f.state.ctm.concat(QPDFMatrix(m[0], m[1], m[2], m[3], m[4], m[5]));
}

void ContentInterpreter::LineWidth(Frame& f, const ContentOp& op) {
  double w;
  if (Numbers(op, 1, &w)) f.state.lineWidth = w;
}

void ContentInterpreter::ExtGState(Frame& f, const ContentOp& op) {
  QPDFObjectHandle gs = Resource(f.resources, "/ExtGState", LastOperand(op));
  if (!gs.isDictionary()) return;
  QPDFObjectHandle lw = gs.getKey("/LW");
  if (lw.isNumber()) f.state.lineWidth = lw.getNumericValue();
  QPDFObjectHandle font = gs.getKey("/Font");
  if (font.isArray() && font.getArrayNItems() == 2 && font.getArrayItem(1).isNumber()) {
    f.state.text.font = font.getArrayItem(0);
    f.state.text.fontSize = font.getArrayItem(1).getNumericValue();
    f.state.text.setFlags |= kSetFontSize;
  }
}

// --- colour ---

void ContentInterpreter::StrokeSpace(Frame& f, const ContentOp& op) {
  f.state.stroke = ColorSpaceFor(LastOperand(op), f.resources);
}
void ContentInterpreter::FillSpace(Frame& f, const ContentOp& op) {
  f.state.fill = ColorSpaceFor(LastOperand(op), f.resources);
}
void ContentInterpreter::StrokeColor(Frame& f, const ContentOp& op) { SetColor(f.state.stroke, op); }
void ContentInterpreter::FillColor(Frame& f, const ContentOp& op) { SetColor(f.state.fill, op); }
void ContentInterpreter::StrokeGray(Frame& f, const ContentOp& op) { f.state.stroke = Device("DeviceGray", 1, op); }
void ContentInterpreter::FillGray(Frame& f, const ContentOp& op) { f.state.fill = Device("DeviceGray", 1, op); }
void ContentInterpreter::StrokeRgb(Frame& f, const ContentOp& op) { f.state.stroke = Device("DeviceRGB", 3, op); }
void ContentInterpreter::FillRgb(Frame& f, const ContentOp& op) { f.state.fill = Device("DeviceRGB", 3, op); }
void ContentInterpreter::StrokeCmyk(Frame& f, const ContentOp& op) { f.state.stroke = Device("DeviceCMYK", 4, op); }
void ContentInterpreter::FillCmyk(Frame& f, const ContentOp& op) { f.state.fill = Device("DeviceCMYK", 4, op); }

// --- paths: data and box in page space ---

void ContentInterpreter::StartPathAt(Frame& f) {
  if (f.inPath) return;
  f.inPath = true;
  f.pathFirst = f.op;
  f.pathData.clear();
  f.clip = false;
  f.minX = f.minY = HUGE_VAL;
  f.maxX = f.maxY = -HUGE_VAL;
}

void ContentInterpreter::Extend(Frame& f, double px, double py) {
  f.minX = std::min(f.minX, px);
  f.maxX = std::max(f.maxX, px);
  f.minY = std::min(f.minY, py);
  f.maxY = std::max(f.maxY, py);
}

void ContentInterpreter::AddPoint(Frame& f, double x, double y) {
  double px = 0, py = 0;
  f.state.ctm.transform(x, y, px, py);
  Extend(f, px, py);
  f.pathData.push_back(ToFixed(px));
  f.pathData.push_back(ToFixed(py));
}

// A path segment: its operator item and `points` points from the operands.
void ContentInterpreter::Segment(Frame& f, const ContentOp& op, std::int32_t item, int points) {
  double p[6];
  const int count = 2 * points;
  if (!Numbers(op, static_cast<std::size_t>(count), p)) return;
  StartPathAt(f);
  f.pathData.push_back(item);
  for (int i = 0; i < count; i += 2) AddPoint(f, p[i], p[i + 1]);
}

void ContentInterpreter::MoveTo(Frame& f, const ContentOp& op) { Segment(f, op, host::kPDEMoveTo, 1); }
void ContentInterpreter::LineTo(Frame& f, const ContentOp& op) { Segment(f, op, host::kPDELineTo, 1); }
void ContentInterpreter::CurveTo(Frame& f, const ContentOp& op) { Segment(f, op, host::kPDECurveTo, 3); }
void ContentInterpreter::CurveToV(Frame& f, const ContentOp& op) { Segment(f, op, host::kPDECurveToV, 2); }
void ContentInterpreter::CurveToY(Frame& f, const ContentOp& op) { Segment(f, op, host::kPDECurveToY, 2); }

void ContentInterpreter::ClosePath(Frame& f, const ContentOp&) {
  if (f.inPath) f.pathData.push_back(host::kPDEClosePath);
}

void ContentInterpreter::Rectangle(Frame& f, const ContentOp& op) {
  double r[4];
  if (!Numbers(op, 4, r)) return;
  StartPathAt(f);
  const QPDFMatrix& m = f.state.ctm;
  if (m.b == 0 && m.c == 0) {
    // Still a rectangle in page space: its width and height scale.
    f.pathData.push_back(host::kPDERect);
    AddPoint(f, r[0], r[1]);
    double x = 0, y = 0;
    m.transform(r[0] + r[2], r[1] + r[3], x, y);
    Extend(f, x, y);
    f.pathData.push_back(ToFixed(m.a * r[2]));
    f.pathData.push_back(ToFixed(m.d * r[3]));
  } else {
    const double corners[4][2] = {{r[0], r[1]}, {r[0] + r[2], r[1]}, {r[0] + r[2], r[1] + r[3]}, {r[0], r[1] + r[3]}};
    for (int i = 0; i < 4; ++i) {
      f.pathData.push_back(i == 0 ? host::kPDEMoveTo : host::kPDELineTo);
      AddPoint(f, corners[i][0], corners[i][1]);
    }
    f.pathData.push_back(host::kPDEClosePath);
  }
}

void ContentInterpreter::Clip(Frame& f, const ContentOp&) {
  if (f.inPath) f.clip = true;
}

void ContentInterpreter::Paint(Frame& f, const ContentOp& op) {
  if (!f.inPath) return;
  f.inPath = false;
  const PdfRect box(f.minX, f.minY, f.maxX, f.maxY);
  if (ClosesFirst(op.name)) f.pathData.push_back(host::kPDEClosePath);
  if (!f.inText) {
    consumer_.Path(PathObject{Span(f, f.pathFirst), f.state, PaintBits(op.name), std::move(f.pathData), box});
  }
  f.pathData.clear();
  if (f.clip) f.state.clip = Intersection(f.state.clip, box);
  f.clip = false;
}

// --- text ---

void ContentInterpreter::BeginText(Frame& f, const ContentOp&) {
  if (f.inText) return;
  f.inText = true;
  f.textFirst = f.op;
  f.tm = QPDFMatrix();
  f.tlm = QPDFMatrix();
  f.text = TextObject{};
  f.text.state = f.state;
}

void ContentInterpreter::EndText(Frame& f, const ContentOp&) {
  if (!f.inText) return;
  f.inText = false;
  f.text.span = Span(f, f.textFirst);
  consumer_.Text(std::move(f.text));
  f.text = TextObject{};
}

void ContentInterpreter::CharSpacing(Frame& f, const ContentOp& op) {
  if (Numbers(op, 1, &f.state.text.charSpacing)) f.state.text.setFlags |= kSetCharSpacing;
}
void ContentInterpreter::WordSpacing(Frame& f, const ContentOp& op) {
  if (Numbers(op, 1, &f.state.text.wordSpacing)) f.state.text.setFlags |= kSetWordSpacing;
}
void ContentInterpreter::HScale(Frame& f, const ContentOp& op) {
  if (Numbers(op, 1, &f.state.text.hScale)) f.state.text.setFlags |= kSetHScale;
}
void ContentInterpreter::Leading(Frame& f, const ContentOp& op) { Numbers(op, 1, &f.state.text.leading); }
void ContentInterpreter::Rise(Frame& f, const ContentOp& op) {
  if (Numbers(op, 1, &f.state.text.rise)) f.state.text.setFlags |= kSetRise;
}

void ContentInterpreter::RenderMode(Frame& f, const ContentOp& op) {
  double mode;
  if (!Numbers(op, 1, &mode) || mode < 0 || mode > 7) return;
  f.state.text.renderMode = static_cast<int>(mode);
  f.state.text.setFlags |= kSetRenderMode;
}

void ContentInterpreter::Font(Frame& f, const ContentOp& op) {
  double size;
  if (op.operands.size() < 2 || !Numbers(op, 1, &size)) return;
  f.state.text.font = Resource(f.resources, "/Font", op.operands[op.operands.size() - 2]);
  f.state.text.fontSize = size;
  f.state.text.setFlags |= kSetFontSize;
}

void ContentInterpreter::Translate(Frame& f, double tx, double ty) {
  f.tlm.concat(QPDFMatrix(1, 0, 0, 1, tx, ty));
  f.tm = f.tlm;
}

void ContentInterpreter::MoveText(Frame& f, const ContentOp& op) {
  double t[2];
  if (Numbers(op, 2, t)) Translate(f, t[0], t[1]);
}

void ContentInterpreter::MoveTextSetLeading(Frame& f, const ContentOp& op) {
  double t[2];
  if (!Numbers(op, 2, t)) return;
  f.state.text.leading = -t[1];
  Translate(f, t[0], t[1]);
}

void ContentInterpreter::TextMatrix(Frame& f, const ContentOp& op) {
  double m[6];
  if (!Numbers(op, 6, m)) return;
  f.tm = f.tlm = QPDFMatrix(m[0], m[1], m[2], m[3], m[4], m[5]);
}

void ContentInterpreter::NextLine(Frame& f, const ContentOp&) { Translate(f, 0, -f.state.text.leading); }

void ContentInterpreter::ShowString(Frame& f, const ContentOp& op) {
  QPDFObjectHandle s = LastOperand(op);
  if (s.isString()) Show(f, {s});
}

void ContentInterpreter::ShowArray(Frame& f, const ContentOp& op) {
  QPDFObjectHandle array = LastOperand(op);
  if (array.isArray()) Show(f, array.getArrayAsVector());
}

void ContentInterpreter::NextLineShow(Frame& f, const ContentOp& op) {
  NextLine(f, op);
  ShowString(f, op);
}

void ContentInterpreter::NextLineSpacingShow(Frame& f, const ContentOp& op) {
  const std::size_t n = op.operands.size();
  if (n < 3) return;
  const auto word = NumberAt(op, n - 3);
  const auto character = NumberAt(op, n - 2);
  if (!word || !character) return;
  f.state.text.wordSpacing = *word;
  f.state.text.charSpacing = *character;
  f.state.text.setFlags |= kSetWordSpacing | kSetCharSpacing;
  NextLineShow(f, op);
}

// One run: its box from the glyph advances and the font's vertical extent,
// then the text matrix moves past it.
void ContentInterpreter::Show(Frame& f, const std::vector<QPDFObjectHandle>& pieces) {
  if (!f.inText) return;
  const TextState& ts = f.state.text;
  auto font = fonts_.Get(ts.font);
  const bool vertical = font->Vertical();
  const double size = ts.fontSize;
  const double scale = ts.hScale / 100.0;
  double pos = 0, low = 0, high = 0;
  std::string shown;
  for (auto piece : pieces) {
    if (piece.isString()) {
      const std::string bytes = piece.getStringValue();
      shown += bytes;
      for (const Glyph& glyph : font->Glyphs(bytes)) {
        const double spacing = ts.charSpacing + (glyph.wordSpace ? ts.wordSpacing : 0);
        pos += vertical ? spacing - size : (glyph.advance * size + spacing) * scale;
        low = std::min(low, pos);
        high = std::max(high, pos);
      }
    } else if (piece.isNumber() && std::isfinite(piece.getNumericValue())) {
      const double adjust = piece.getNumericValue() / 1000.0 * size;
      pos -= vertical ? adjust : adjust * scale;
      low = std::min(low, pos);
      high = std::max(high, pos);
    }
  }
  QPDFMatrix toPage = f.state.ctm;
  toPage.concat(f.tm);
  const PdfRect box = vertical ? PdfRect(-size / 2, low, size / 2, high)
                               : PdfRect(low, font->Descent() * size + ts.rise, high, font->Ascent() * size + ts.rise);
  TextRun run;
  run.bytes = std::move(shown);
  run.matrix = toPage;
  run.matrix.concat(QPDFMatrix(size * scale, 0, 0, size, 0, ts.rise));
  run.bbox = toPage.transformRectangle(box);
  run.state = f.state;
  run.font = font;
  f.text.runs.push_back(std::move(run));
  f.tm.concat(vertical ? QPDFMatrix(1, 0, 0, 1, 0, pos) : QPDFMatrix(1, 0, 0, 1, pos, 0));
}

// --- images, forms, shadings ---

void ContentInterpreter::XObject(Frame& f, const ContentOp& op) {
  if (f.inText) return;
  QPDFObjectHandle xobject = Resource(f.resources, "/XObject", LastOperand(op));
  if (!xobject.isStream()) return;
  QPDFObjectHandle subtype = xobject.getDict().getKey("/Subtype");
  if (subtype.isNameAndEquals("/Image")) {
    const PdfRect box = f.state.ctm.transformRectangle(PdfRect(0, 0, 1, 1));
    consumer_.Image(ImageObject{Span(f, f.op), f.state, box, xobject});
  } else if (subtype.isNameAndEquals("/Form")) {
    DrawForm(f, xobject);
  }
}

void ContentInterpreter::InlineImage(Frame& f, const ContentOp&) {
  if (f.inText) return;
  const PdfRect box = f.state.ctm.transformRectangle(PdfRect(0, 0, 1, 1));
  consumer_.Image(ImageObject{Span(f, f.op), f.state, box, QPDFObjectHandle::newNull()});
}

void ContentInterpreter::ShadingFill(Frame& f, const ContentOp&) {
  if (f.inText) return;
  consumer_.Shading(ShadingObject{Span(f, f.op), f.state, f.state.clip.value_or(pageBox_)});
}

void ContentInterpreter::DrawForm(Frame& f, QPDFObjectHandle form) {
  QPDFObjectHandle dict = form.getDict();
  GraphicsState inner = f.state;
  inner.ctm.concat(MatrixOf(dict.getKey("/Matrix")));
  const auto bbox = ReadRect(dict.getKey("/BBox"));
  PdfRect box;
  if (bbox) {
    box = inner.ctm.transformRectangle(*bbox);
    inner.clip = Intersection(inner.clip, box);
  } else {
    inner.ctm.transform(0, 0, box.llx, box.lly);
    box.urx = box.llx;
    box.ury = box.lly;
  }
  consumer_.BeginForm(FormObject{Span(f, f.op), f.state, box, form});
  try {
    const QPDFObjGen id = form.getObjGen();
    if (f.Level() + 1 <= limits_.maxDepth && activeForms_.count(id) == 0 && formBudget_ > 0) {
      ContentSourceRef source = sources_.Form(form);
      const std::size_t cost = source->Ops().size() + limits_.formEntryCost;
      if (cost <= formBudget_) {
        formBudget_ -= cost;
        QPDFObjectHandle resources = dict.getKey("/Resources");
        Frame child;
        child.source = std::move(source);
        child.resources = resources.isDictionary() ? resources : f.resources;
        child.state = std::move(inner);
        child.depth = f.Level() + 1;
        activeForms_.insert(id);
        Run(child);
        activeForms_.erase(id);
      }
    }
  } catch (const std::exception&) {
    activeForms_.erase(form.getObjGen());
  }
  consumer_.EndForm();
}

// --- marked content ---

void ContentInterpreter::BeginMarked(Frame& f, const ContentOp& op) {
  if (f.inText || f.Level() + 1 > limits_.maxDepth) {
    f.marks.push_back(false);
    return;
  }
  QPDFObjectHandle tag = op.operands.empty() ? QPDFObjectHandle::newNull() : op.operands.front();
  if (op.name == "BDC" && op.operands.size() >= 2) tag = op.operands[op.operands.size() - 2];
  if (op.name == "BMC") tag = LastOperand(op);
  f.marks.push_back(true);
  ++f.openContainers;
  consumer_.BeginMarkedContent(
      MarkedContentObject{Span(f, f.op), f.state, tag.isName() ? tag.getName().substr(1) : std::string()});
}

void ContentInterpreter::EndMarked(Frame& f, const ContentOp&) {
  if (f.marks.empty()) return;
  if (!f.marks.back()) {
    f.marks.pop_back();
  } else if (!f.inText) {
    // A container ends only outside text, so text objects never straddle it.
    f.marks.pop_back();
    --f.openContainers;
    consumer_.EndMarkedContent(f.op);
  }
}

}  // namespace viewer::pdf
