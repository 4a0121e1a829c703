#include "viewer/pdf/content/PageContentReader.h"

#include "viewer/pdf/content/PdeBuilder.h"

namespace viewer::pdf {

PageContentReader::PageContentReader(AtomResolver& atoms, InterpreterLimits limits)
    : atoms_(atoms), limits_(limits) {}

PageContent PageContentReader::Read(const DocumentCoreRef& core, QPDFObjectHandle page) {
  core->Qpdf();
  auto context = std::make_shared<PdeContext>(PdeContext{core, &atoms_});
  PdeBuilder builder(context);
  ContentSources sources(parser_);
  FontCache fonts(standardFonts_);
  ContentInterpreter(builder, sources, fonts, limits_).RunPage(page);
  return PageContent{builder.Root(), sources.All()};
}

bool WriteBack(DocumentCore& core, const std::vector<ContentSourceRef>& sources) {
  QPDF& qpdf = core.Qpdf();
  bool wrote = false;
  for (const auto& source : sources) {
    if (!source->HasUnwrittenRemovals()) continue;
    QPDFObjectHandle owner = source->Owner();
    if (source->GetKind() == ContentSource::Kind::Page) {
      // A new stream: the old ones may be shared with other pages.
      owner.replaceKey("/Contents", QPDFObjectHandle::newStream(&qpdf, source->Rewritten()));
    } else {
      owner.replaceStreamData(source->Rewritten(), QPDFObjectHandle::newNull(), QPDFObjectHandle::newNull());
    }
    source->MarkWritten();
    wrote = true;
  }
  if (wrote) core.MarkChanged();
  return wrote;
}

}  // namespace viewer::pdf
