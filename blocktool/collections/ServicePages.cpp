// The service object's access to the pages of open documents and the naming
// rule for blocks on a page.
#include "blocktool/collections/MarkupCollection.h"
#include "blocktool/collections/MarkupPageCollection.h"
#include "blocktool/collections/UniqueBlockName.h"
#include "blocktool/model/Service.h"
#include "host/PluginEntry.h"

namespace {
constexpr int kNameTooLongMessage = 1099;
constexpr int kNameShortenedMessage = 1196;
}  // namespace

bool CService::CreateSafeUniqBlockName(const CMarkupPageCollection& collection, const std::string& sourceName,
                                       std::string& outName, int ownID, std::string_view separator, bool warn) {
  int counter = 0;
  const UniqueBlockName unique = MakeUniqueBlockName(
      sourceName, separator,
      [&](std::string_view candidate) {
        const int holder = collection.IsBlockNameKnown(candidate);
        return holder != -1 && holder != ownID;
      },
      counter);
  outName = unique.name;
  if (warn && unique.truncated && gAcroViewHFT) {
    gAcroViewHFT->AlertNote(GetStringByID(kNameTooLongMessage) + ". " + GetStringByID(kNameShortenedMessage));
  }
  return unique.truncated;
}

CMarkupPageCollection* CService::GetDocMarkupPageCollection(host::AVDoc* doc) {
  if (!doc || !pMrkupCollectionMap) return nullptr;
  host::AVPageView* view = doc->GetPageView();
  if (!view) return nullptr;
  const int page = view->GetPageNum();
  CMarkupDocCollection* docCollection = pMrkupCollectionMap->FindDocument(doc);
  if (!docCollection || page < 0) return nullptr;
  CMarkupPageCollection* collection = docCollection->PageCollection(page);
  if (!collection) {
    docCollection->AcquirePages(page, page);
    collection = docCollection->PageCollection(page);
  }
  if (!collection || !collection->IsSupportedBlockSpecVersion()) return nullptr;
  return collection;
}

bool CService::IsBlockNameKnownInActivePage(std::string_view name) {
  if (!gAcroViewHFT) return false;
  const CMarkupPageCollection* collection = GetDocMarkupPageCollection(gAcroViewHFT->GetActiveDoc());
  return collection && collection->IsBlockNameKnown(name) != -1;
}
