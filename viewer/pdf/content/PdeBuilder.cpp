#include "viewer/pdf/content/PdeBuilder.h"

namespace viewer::pdf {

PdeBuilder::PdeBuilder(PdeContextRef context) : context_(std::move(context)) { levels_.push_back({root_, nullptr}); }

void PdeBuilder::Text(TextObject text) { Current().Append(std::make_shared<PdeText>(context_, std::move(text))); }

void PdeBuilder::Path(PathObject path) { Current().Append(std::make_shared<PdePath>(context_, std::move(path))); }

void PdeBuilder::Image(ImageObject image) { Current().Append(std::make_shared<PdeImage>(context_, std::move(image))); }

void PdeBuilder::Shading(ShadingObject shading) {
  Current().Append(std::make_shared<PdeShading>(context_, std::move(shading)));
}

void PdeBuilder::BeginForm(FormObject form) {
  auto element = std::make_shared<PdeForm>(context_, std::move(form));
  Current().Append(element);
  levels_.push_back({element->OwnContent(), nullptr});
}

void PdeBuilder::EndForm() {
  if (levels_.size() > 1) levels_.pop_back();
}

void PdeBuilder::BeginMarkedContent(MarkedContentObject container) {
  auto element = std::make_shared<PdeContainer>(context_, std::move(container));
  Current().Append(element);
  levels_.push_back({element->OwnContent(), element});
}

void PdeBuilder::EndMarkedContent(std::size_t lastOp) {
  if (levels_.size() <= 1 || !levels_.back().container) return;
  levels_.back().container->SetLastOp(lastOp);
  levels_.pop_back();
}

}  // namespace viewer::pdf
