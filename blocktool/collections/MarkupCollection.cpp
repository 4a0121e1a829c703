#include "blocktool/collections/MarkupCollection.h"

#include <algorithm>

#include "blocktool/model/Service.h"
#include "host/PluginEntry.h"

std::unique_ptr<CDocMarkupCollectionMap> pMrkupCollectionMap;

ViewOnOtherPages::~ViewOnOtherPages() {
  try {
    view_.SetPageNum(page_);
  } catch (...) {
    // The page it showed is gone; the view stays where it is.
  }
}

// --- CMarkupDocCollection ------------------------------------------------------------

CMarkupDocCollection::~CMarkupDocCollection() = default;

void CMarkupDocCollection::Initialize(host::AVDoc* doc) {
  avDoc_ = doc;
  pdDoc_ = doc ? doc->GetPDDoc() : nullptr;
  KeepFlags();
}

int CMarkupDocCollection::NumPages() const {
  try {
    return pdDoc_ ? pdDoc_->NumPages() : 0;
  } catch (...) {
    return 0;
  }
}

CMarkupPageCollection* CMarkupDocCollection::PageCollection(int page) const {
  if (!pdDoc_ || page < 0 || page >= NumPages()) return nullptr;
  host::CosObj dict;
  try {
    dict = pdDoc_->AcquirePage(page)->GetCosObj();
  } catch (...) {
    return nullptr;
  }
  // Most collections are still where they were loaded: look there first.
  for (const auto& collection : pages_) {
    if (collection->PageNumber() == page && collection->GetPageCosObj() == dict) return collection.get();
  }
  for (const auto& collection : pages_) {
    if (collection->GetPageCosObj() == dict) {
      collection->PageNumber(page);
      return collection.get();
    }
  }
  return nullptr;
}

void CMarkupDocCollection::PageCollection(int page, std::unique_ptr<CMarkupPageCollection> collection) {
  if (!collection || !pdDoc_ || page < 0 || page >= NumPages()) return;
  host::CosObj dict;
  try {
    dict = pdDoc_->AcquirePage(page)->GetCosObj();
  } catch (...) {
    return;
  }
  collection->PageNumber(page);
  for (auto& registered : pages_) {
    if (registered->GetPageCosObj() == dict) {
      std::erase_if(pagesToReplace_, [&](const auto& entry) { return entry.second == registered.get(); });
      registered = std::move(collection);
      return;
    }
  }
  pages_.push_back(std::move(collection));
}

int CMarkupDocCollection::AcquirePages(int first, int last) {
  if (!avDoc_) return -1;
  host::AVPageView* view = avDoc_->GetPageView();
  if (!view || view->GetPageNum() < 0) return -1;
  first = std::max(first, 0);
  last = std::min(last, NumPages() - 1);
  KeepFlags();
  {
    ViewOnOtherPages pages(*view);
    try {
      for (int page = first; page <= last; ++page) {
        if (PageCollection(page)) continue;
        view->SetPageNum(page);
        auto collection = std::make_unique<CMarkupPageCollection>(this);
        collection->AcquirePageCollection(view);
        PageCollection(page, std::move(collection));
      }
    } catch (...) {
      Service.ExceptionAlert("AcquirePages");
    }
  }
  RestoreFlags();
  return 0;
}

template <typename Visit>
void CMarkupDocCollection::ForEachLoadedPage(Visit&& visit) {
  if (!avDoc_) return;
  host::AVPageView* view = avDoc_->GetPageView();
  if (!view || view->GetPageNum() < 0) return;
  {
    ViewOnOtherPages pages(*view);
    const int count = NumPages();
    for (int page = 0; page < count; ++page) {
      CMarkupPageCollection* collection = PageCollection(page);
      if (!collection || !collection->IsSupportedBlockSpecVersion() || collection->GetPageCosObj().IsNull()) continue;
      try {
        view->SetPageNum(page);
      } catch (...) {
        continue;
      }
      visit(*collection);
    }
  }
  view->Invalidate(nullptr);
}

void CMarkupDocCollection::UpdateFamilies() {
  writtenForSave_ = true;
  ForEachLoadedPage([](CMarkupPageCollection& collection) {
    if (!collection.Validate()) collection.UpdateFamilies();
  });
}

void CMarkupDocCollection::ShowBoundAnnotation(bool show) {
  KeepFlags();
  ForEachLoadedPage([show](CMarkupPageCollection& collection) { collection.ShowBoundAnnotation(show); });
  RestoreFlags();
}

bool CMarkupDocCollection::IsSupportedBlockSpecVersion() const {
  if (!avDoc_ || !avDoc_->GetPageView()) return true;
  const CMarkupPageCollection* collection = PageCollection(avDoc_->GetPageView()->GetPageNum());
  return !collection || collection->IsSupportedBlockSpecVersion();
}

bool CMarkupDocCollection::HasBlocks() const {
  return std::any_of(pages_.begin(), pages_.end(), [](const auto& page) { return page->GetSize() > 0; });
}

bool CMarkupDocCollection::HasSelectedBlocks() const {
  return std::any_of(pages_.begin(), pages_.end(),
                     [](const auto& page) { return page->SelectedGroup().GetSize() > 0; });
}

void CMarkupDocCollection::KeepFlags() {
  if (pdDoc_) keptFlags_.push_back(pdDoc_->Flags());
}

void CMarkupDocCollection::RestoreFlags() {
  if (!pdDoc_ || keptFlags_.empty()) return;
  const int kept = keptFlags_.back();
  keptFlags_.pop_back();
  if (const int added = pdDoc_->Flags() & ~kept; added != 0) pdDoc_->ClearFlags(added);
}

void CMarkupDocCollection::AcceptFlagChanges() {
  if (!pdDoc_) return;
  const int current = pdDoc_->Flags();
  for (int& kept : keptFlags_) kept |= current;
}

void CMarkupDocCollection::RecordPagesToReplace(int first, int last) {
  pagesToReplace_.clear();
  AcquirePages(first, last);
  for (int page = std::max(first, 0); page <= last; ++page) {
    if (CMarkupPageCollection* collection = PageCollection(page)) pagesToReplace_.emplace_back(page, collection);
  }
}

void CMarkupDocCollection::PagesReplaced(int first, int last) {
  for (const auto& [page, collection] : pagesToReplace_) {
    if (page < first || page > last || page >= NumPages()) continue;
    try {
      collection->UpdatePageCoseObj(pdDoc_->AcquirePage(page));
      collection->PageNumber(page);
    } catch (...) {
      Service.ExceptionAlert("PagesReplaced");
    }
  }
  pagesToReplace_.clear();
}

// --- CDocMarkupCollectionMap -----------------------------------------------------------

CDocMarkupCollectionMap::~CDocMarkupCollectionMap() = default;

CMarkupDocCollection* CDocMarkupCollectionMap::NewDocument(host::AVDoc* doc) {
  if (!doc) return nullptr;
  if (const auto found = documents_.find(doc); found != documents_.end()) {
    activeDoc_ = doc;
    return found->second.get();
  }
  host::AVPageView* view = doc->GetPageView();
  if (!view || view->GetPageNum() < 0) return nullptr;
  auto collection = std::make_unique<CMarkupDocCollection>();
  collection->Initialize(doc);
  auto page = std::make_unique<CMarkupPageCollection>(collection.get());
  page->AcquirePageCollection(view);
  collection->PageCollection(view->GetPageNum(), std::move(page));
  CMarkupDocCollection* added = collection.get();
  AddDocument(std::move(collection));
  added->RestoreFlags();
  return added;
}

void CDocMarkupCollectionMap::AddDocument(std::unique_ptr<CMarkupDocCollection> collection) {
  if (!collection || !collection->avDoc()) return;
  host::AVDoc* doc = collection->avDoc();
  documents_.try_emplace(doc, std::move(collection));
  activeDoc_ = doc;
}

void CDocMarkupCollectionMap::RemoveDocument(host::AVDoc* doc) {
  if (!doc) return;
  documents_.erase(doc);
  activeDoc_ = nullptr;
}

CMarkupDocCollection* CDocMarkupCollectionMap::FindDocument(host::AVDoc* doc) {
  if (!doc) return nullptr;
  const auto found = documents_.find(doc);
  if (found == documents_.end()) return nullptr;
  if (found->second->pdDoc() != doc->GetPDDoc()) {
    RemoveDocument(doc);
    return NewDocument(doc);
  }
  activeDoc_ = doc;
  return found->second.get();
}

CDefaultPropertiesCollection* CDocMarkupCollectionMap::DefaultPropCollection() {
  if (!gAcroViewHFT) return nullptr;
  CMarkupDocCollection* collection = FindDocument(gAcroViewHFT->GetActiveDoc());
  return collection ? &collection->DefaultPropCollection() : nullptr;
}
