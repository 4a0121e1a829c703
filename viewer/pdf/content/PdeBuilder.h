// Builds the element model from what the interpreter finds: forms and
// marked-content containers open a content list of their own.
#pragma once

#include <memory>
#include <vector>

#include "viewer/pdf/content/ContentConsumer.h"
#include "viewer/pdf/content/PdeElements.h"

namespace viewer::pdf {

class PdeBuilder final : public ContentConsumer {
 public:
  explicit PdeBuilder(PdeContextRef context);

  const std::shared_ptr<PdeContent>& Root() const { return root_; }

  void Text(TextObject text) override;
  void Path(PathObject path) override;
  void Image(ImageObject image) override;
  void Shading(ShadingObject shading) override;
  void BeginForm(FormObject form) override;
  void EndForm() override;
  void BeginMarkedContent(MarkedContentObject container) override;
  void EndMarkedContent(std::size_t lastOp) override;

 private:
  struct Level {
    std::shared_ptr<PdeContent> content;
    std::shared_ptr<PdeContainer> container;  // null for the page and forms
  };

  PdeContent& Current() { return *levels_.back().content; }

  PdeContextRef context_;
  std::shared_ptr<PdeContent> root_ = std::make_shared<PdeContent>();
  std::vector<Level> levels_;
};

}  // namespace viewer::pdf
