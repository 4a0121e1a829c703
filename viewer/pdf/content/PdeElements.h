// The page-content element model handed to plug-ins: elements of a content
// list, each knowing the operations it came from, so that removing it
// removes exactly those from its content stream when the content is written
// back.
#pragma once

#include <memory>
#include <vector>

#include "host/PDE.h"
#include "viewer/pdf/DocumentCore.h"
#include "viewer/pdf/content/ContentConsumer.h"

namespace viewer::pdf {

class AtomResolver;

// What every element of one acquisition needs to answer in seam terms.
struct PdeContext {
  DocumentCoreRef core;
  AtomResolver* atoms = nullptr;
};

using PdeContextRef = std::shared_ptr<const PdeContext>;

class PdeElement;

class PdeContent final : public host::PDEContent {
 public:
  int NumElems() const override { return static_cast<int>(elements_.size()); }
  host::PDEElementRef GetElem(int index) const override;
  void RemoveElem(int index) override;

  void Append(std::shared_ptr<PdeElement> element) { elements_.push_back(std::move(element)); }
  const std::vector<std::shared_ptr<PdeElement>>& Elements() const { return elements_; }

 private:
  void CheckIndex(int index) const;
  std::vector<std::shared_ptr<PdeElement>> elements_;
};

class PdeElement : public host::PDEElement {
 public:
  PdeElement(PdeContextRef context, ElementSpan span, GraphicsState state, PdfRect bbox);

  const ElementSpan& Span() const { return span_; }
  void SetLastOp(std::size_t last) { span_.ops.last = last; }

  host::ASFixedRect BBox() const override;
  host::PDEGraphicState GState() const override;
  // The box in page space, unrounded.
  virtual PdfRect Box() const { return bbox_; }

  int PaintOp() const override { WrongKind(); }
  std::vector<std::int32_t> PathData() const override { WrongKind(); }
  int NumRuns() const override { WrongKind(); }
  host::ASFixedRect RunBBox(int) const override { WrongKind(); }
  host::PDEGraphicState RunGState(int) const override { WrongKind(); }
  host::PDETextState RunTextState(int) const override { WrongKind(); }
  host::ASFixedMatrix RunMatrix(int) const override { WrongKind(); }
  host::PDEFontAttrs RunFont(int) const override { WrongKind(); }
  std::string RunText(int) const override { WrongKind(); }
  std::shared_ptr<host::PDEContent> Content() const override { WrongKind(); }
  host::ASAtom ContainerTag() const override { WrongKind(); }

 protected:
  [[noreturn]] void WrongKind() const;
  const PdeContext& Context() const { return *context_; }

 private:
  PdeContextRef context_;
  ElementSpan span_;
  GraphicsState state_;
  PdfRect bbox_;
};

class PdeText final : public PdeElement {
 public:
  PdeText(PdeContextRef context, TextObject text);
  host::PDEType Type() const override { return host::PDEType::Text; }
  int NumRuns() const override { return static_cast<int>(runs_.size()); }
  host::ASFixedRect RunBBox(int run) const override;
  host::PDEGraphicState RunGState(int run) const override;
  host::PDETextState RunTextState(int run) const override;
  host::ASFixedMatrix RunMatrix(int run) const override;
  host::PDEFontAttrs RunFont(int run) const override;
  std::string RunText(int run) const override;

 private:
  const TextRun& Run(int run) const;
  std::vector<TextRun> runs_;
};

class PdePath final : public PdeElement {
 public:
  PdePath(PdeContextRef context, PathObject path);
  host::PDEType Type() const override { return host::PDEType::Path; }
  int PaintOp() const override { return paintOp_; }
  std::vector<std::int32_t> PathData() const override { return data_; }

 private:
  int paintOp_;
  std::vector<std::int32_t> data_;
};

class PdeImage final : public PdeElement {
 public:
  PdeImage(PdeContextRef context, ImageObject image);
  host::PDEType Type() const override { return host::PDEType::Image; }
};

class PdeShading final : public PdeElement {
 public:
  PdeShading(PdeContextRef context, ShadingObject shading);
  host::PDEType Type() const override { return host::PDEType::Shading; }
};

class PdeForm final : public PdeElement {
 public:
  PdeForm(PdeContextRef context, FormObject form);
  host::PDEType Type() const override { return host::PDEType::Form; }
  std::shared_ptr<host::PDEContent> Content() const override { return content_; }
  const std::shared_ptr<PdeContent>& OwnContent() const { return content_; }

 private:
  std::shared_ptr<PdeContent> content_ = std::make_shared<PdeContent>();
};

class PdeContainer final : public PdeElement {
 public:
  PdeContainer(PdeContextRef context, MarkedContentObject container);
  host::PDEType Type() const override { return host::PDEType::Container; }
  std::shared_ptr<host::PDEContent> Content() const override { return content_; }
  host::ASAtom ContainerTag() const override { return tag_; }
  const std::shared_ptr<PdeContent>& OwnContent() const { return content_; }
  PdfRect Box() const override;  // what its content covers

 private:
  host::ASAtom tag_;
  std::shared_ptr<PdeContent> content_ = std::make_shared<PdeContent>();
};

}  // namespace viewer::pdf
