#include "blocktool/host/MarkupContentInitExportMenu.h"

#include "blocktool/collections/BlocksPropagateData.h"
#include "blocktool/collections/MarkupCollection.h"
#include "blocktool/dialogs/BlockAboutDlg.h"
#include "blocktool/dialogs/MarkupInternalPropagateDlg.h"
#include "blocktool/host/MarkupContentInitAlignMenu.h"
#include "blocktool/host/MarkupContentCallback.h"
#include "blocktool/host/MarkupContentInit.h"
#include "blocktool/model/Service.h"
#include "host/PluginEntry.h"
#include "host/TextFormat.h"

namespace pg = propagate_dialog;

namespace {

constexpr int kSubmenuTitle = 1078;
constexpr int kDuplicateTitle = 1063;
constexpr int kExportTitle = 1064;
constexpr int kImportTitle = 1066;
constexpr int kAboutTitle = 1096;
constexpr int kHelpTitle = 1109;
constexpr int kExportedMessage = 1021;
constexpr int kImportedMessage = 1022;
constexpr int kNothingExportedMessage = 1101;
constexpr int kNothingImportedMessage = 1102;

constexpr int kDuplicateMode = 0x11;
constexpr int kExportMode = 0x11;
constexpr int kImportMode = 0x21;

// What every command starts from: the active document on its current page.
struct CommandContext {
  host::AVDoc* doc = nullptr;
  host::AVPageView* view = nullptr;
  int page = -1;
  int pages = 0;
};

bool GetCommandContext(CommandContext& context) {
  if (!gAcroViewHFT) return false;
  context.doc = gAcroViewHFT->GetActiveDoc();
  context.view = context.doc ? context.doc->GetPageView() : nullptr;
  if (!context.view || !context.doc->GetPDDoc()) return false;
  context.page = context.view->GetPageNum();
  context.pages = context.doc->GetPDDoc()->NumPages();
  return context.page >= 0;
}

// Runs the operation with the view's drawing held back, then shows the
// page it showed again.
template <typename Operation>
int OnPageView(const CommandContext& context, Operation&& operation) {
  int count = 0;
  {
    ViewOnOtherPages pages(*context.view);
    try {
      count = operation();
    } catch (...) {
      Service.ExceptionAlert("Propagate");
    }
  }
  context.view->Invalidate(nullptr);
  return count;
}

template <typename Dialog>
bool RunDialog(CBlocksPropagateData& data, const char* name, int resource) {
  Dialog dialog(data);
  return dialog.Modal(gExtensionID, name, Service.GetLocalIDD(resource), host::adm::kModalStyle) == 1;
}

void Note(const std::string& text) { gAcroViewHFT->AlertNote(text); }

}  // namespace

void execMarkupDuplicate(void*) {
  CommandContext context;
  if (!GetCommandContext(context)) return;
  CBlocksPropagateData data(context.doc, context.page, context.pages, kDuplicateMode);
  data.avDestinationDoc(context.doc);
  if (!RunDialog<CInternalPropagateDlg>(data, pg::kDuplicateName, pg::kDuplicateID)) return;
  OnPageView(context, [&] {
    data.Duplicate();
    return 0;
  });
}

bool enableMarkupDuplicate(void*) {
  CommandContext context;
  if (!GetCommandContext(context) || context.pages <= 1) return false;
  const CMarkupPageCollection* collection = Service.GetDocMarkupPageCollection(context.doc);
  return collection && collection->HasValidBlocks();
}

bool markedMarkupDuplicate(void*) { return false; }

void execMarkupExport(void*) {
  CommandContext context;
  if (!GetCommandContext(context)) return;
  CBlocksPropagateData data(context.doc, context.page, context.pages, kExportMode);
  if (!RunDialog<CExportPropagateDlg>(data, pg::kExportName, pg::kExportID)) return;
  const int count = OnPageView(context, [&] { return data.Export(); });
  context.doc->BringToFront();
  Note(count > 0 ? host::text::FormatText(Service.GetStringByID(kExportedMessage), {count})
                 : Service.GetStringByID(kNothingExportedMessage));
}

bool enableMarkupExport(void*) {
  CommandContext context;
  if (!GetCommandContext(context) || context.pages < 1 || !pMrkupCollectionMap) return false;
  const CMarkupDocCollection* collection = pMrkupCollectionMap->FindDocument(context.doc);
  return collection && collection->HasBlocks();
}

bool markedMarkupExport(void*) { return false; }

void execMarkupImport(void*) {
  CommandContext context;
  if (!GetCommandContext(context)) return;
  CBlocksPropagateData data(context.doc, context.page, context.pages, kImportMode);
  if (!RunDialog<CImportPropagateDlg>(data, pg::kImportName, pg::kImportID)) return;
  const int count = OnPageView(context, [&] {
    const int imported = data.Import();
    bSupportedBlockSpecVersion = 1;
    return imported;
  });
  Note(count > 0 ? host::text::FormatText(Service.GetStringByID(kImportedMessage), {count, data.ExportFile()})
                 : host::text::FormatText(Service.GetStringByID(kNothingImportedMessage), {data.ExportFile()}));
}

bool enableMarkupImport(void* clientData) {
  if (!gAcroViewHFT) return false;
  host::AVDoc* doc = gAcroViewHFT->GetActiveDoc();
  if (!doc || !doc->GetPDDoc()) return false;
  return Service.CheckPermission(doc->GetPDDoc(), ClientDataNumber(clientData)) && bSupportedBlockSpecVersion;
}

bool markedMarkupImport(void*) { return false; }

void InitExportSubmenu(host::AVMenu* parent) {
  if (!parent || !gAcroViewHFT) return;
  const MarkupMenuItemSpec children[] = {
      {"Zolt:Duplicate", kDuplicateTitle, execMarkupDuplicate, nullptr, enableMarkupDuplicate, nullptr,
       markedMarkupDuplicate},
      {"Zolt:Export", kExportTitle, execMarkupExport, nullptr, enableMarkupExport, nullptr, markedMarkupExport},
      {"Zolt:Import", kImportTitle, execMarkupImport, nullptr, enableMarkupImport, NumberClientData(nSecurityMode),
       markedMarkupImport},
  };
  AddMarkupSubmenu(*parent, {"Zolt:Import_and_Export_Submenu", "Zolt:Import_and_Export", kSubmenuTitle}, children);
}

void InitAboutAndHelpItems(host::AVMenubar& menubar) {
  MarkupMenuItemSpec about{"Zolt:Marked_Content_Tool_about", kAboutTitle, execAboutMarkupContentTool};
  MarkupMenuItemSpec help{"Zolt:Marked_Content_Tool_help", kHelpTitle, execHelpMarkupContentTool};
  about.longMenusOnly = help.longMenusOnly = false;
  if (host::AVMenu* menu = menubar.AcquireMenuByName("AboutExtensions")) {
    AppendMarkupMenuItem(*menu, about);
    menu->Release();
  }
  if (host::AVMenu* menu = menubar.AcquireMenuByName("UsingExtensions")) {
    AppendMarkupMenuItem(*menu, help);
    menu->Release();
  }
}
