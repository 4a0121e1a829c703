// What the content interpreter finds, handed to one consumer as it goes:
// text objects with their runs, paths, images, shadings, forms with their
// own content, and marked-content brackets. The page-content element model
// is one such consumer.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "viewer/pdf/content/ContentSource.h"
#include "viewer/pdf/content/FontInfo.h"
#include "viewer/pdf/content/GraphicsState.h"

namespace viewer::pdf {

// Where an element lies: operations first..last of a source.
struct ElementSpan {
  ContentSourceRef source;
  OpRange ops;
};

struct TextRun {
  std::string bytes;           // as shown
  QPDFMatrix matrix;           // text space scaled by the font size, to page space, at the run's start
  PdfRect bbox;                // page space
  GraphicsState state;         // with the text state and font of the run
  std::shared_ptr<const FontInfo> font;
};

struct TextObject {  // BT .. ET
  ElementSpan span;
  GraphicsState state;  // at BT
  std::vector<TextRun> runs;
};

struct PathObject {
  ElementSpan span;
  GraphicsState state;
  int paintOp = 0;                 // stroke 0x1, fill 0x2, even-odd 0x4
  std::vector<std::int32_t> data;  // operator items with 16.16 page-space operands
  PdfRect bbox;
};

struct ImageObject {  // an image XObject or an inline image
  ElementSpan span;
  GraphicsState state;
  PdfRect bbox;
  QPDFObjectHandle xobject;  // null for an inline image
};

struct ShadingObject {
  ElementSpan span;
  GraphicsState state;
  PdfRect bbox;
};

struct FormObject {
  ElementSpan span;  // the Do operation
  GraphicsState state;
  PdfRect bbox;
  QPDFObjectHandle xobject;
};

struct MarkedContentObject {  // BMC/BDC .. EMC
  ElementSpan span;  // ops.last is known only at the end
  GraphicsState state;
  std::string tag;
};

class ContentConsumer {
 public:
  virtual ~ContentConsumer() = default;
  virtual void Text(TextObject text) = 0;
  virtual void Path(PathObject path) = 0;
  virtual void Image(ImageObject image) = 0;
  virtual void Shading(ShadingObject shading) = 0;
  // The form's own elements come between BeginForm and EndForm (none when
  // the form is not drawn: a cycle, the depth limit, or unreadable data).
  virtual void BeginForm(FormObject form) = 0;
  virtual void EndForm() = 0;
  virtual void BeginMarkedContent(MarkedContentObject container) = 0;
  virtual void EndMarkedContent(std::size_t lastOp) = 0;
};

}  // namespace viewer::pdf
