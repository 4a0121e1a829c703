// The page collections of the documents open in the host.
//
// CMarkupDocCollection: per open document, the collections of the pages
// visited so far (found by page dictionary, so they survive pages being
// moved), the document's default property lists, loading pages, writing
// them back before a save and showing or hiding the form fields blocks are
// bound to.
//
// CDocMarkupCollectionMap: the one registry from open document to its
// collection (pMrkupCollectionMap), fed by the document notifications.
#pragma once

#include <map>
#include <memory>
#include <utility>
#include <vector>

#include "blocktool/collections/DefaultPropertiesCollection.h"
#include "blocktool/collections/MarkupPageCollection.h"
#include "host/AV.h"

// Holds the view's drawing back while work moves it to other pages, and
// puts it back on the page it showed.
class ViewOnOtherPages {
 public:
  explicit ViewOnOtherPages(host::AVPageView& view) : view_(view), page_(view.GetPageNum()), drawing_(view) {}
  ~ViewOnOtherPages();
  ViewOnOtherPages(const ViewOnOtherPages&) = delete;
  ViewOnOtherPages& operator=(const ViewOnOtherPages&) = delete;

 private:
  host::AVPageView& view_;
  int page_;
  host::AVPageViewOperation drawing_;  // ends after the page is back
};

class CMarkupDocCollection {
 public:
  CMarkupDocCollection() = default;
  ~CMarkupDocCollection();
  CMarkupDocCollection(const CMarkupDocCollection&) = delete;
  CMarkupDocCollection& operator=(const CMarkupDocCollection&) = delete;

  // Records the document and keeps its flags (RestoreFlags ends that).
  void Initialize(host::AVDoc* doc);
  host::AVDoc* avDoc() const { return avDoc_; }
  host::PDDoc* pdDoc() const { return pdDoc_; }
  CDefaultPropertiesCollection& DefaultPropCollection() { return defaults_; }

  // Loads the pages of the range that have no collection yet, through the
  // document's page view (set to each page meanwhile). Loading leaves the
  // document's modified flag as it was. 0, or -1 without a view or page.
  int AcquirePages(int first, int last);
  // The collection of the page now at this index, or null.
  CMarkupPageCollection* PageCollection(int page) const;
  // Registers a collection for the page, in place of one registered for the
  // same page dictionary.
  void PageCollection(int page, std::unique_ptr<CMarkupPageCollection> collection);
  // Writes back every page whose blocks changed (before a save).
  void UpdateFamilies();
  // Whether UpdateFamilies ran since the last save ended: the second
  // will-save of one save has nothing more to write.
  bool WrittenForSave() const { return writtenForSave_; }
  void SaveEnded() { writtenForSave_ = false; }
  // Shows or hides the bound form fields on all loaded pages; the document's
  // flags stay as they were.
  void ShowBoundAnnotation(bool show);
  // The answer of the current page's collection; true without one.
  bool IsSupportedBlockSpecVersion() const;
  bool HasBlocks() const;
  bool HasSelectedBlocks() const;
  const std::vector<std::unique_ptr<CMarkupPageCollection>>& PageCollections() const { return pages_; }

  // The document's flags, kept and restored in nested pairs: RestoreFlags
  // clears every bit set since the matching KeepFlags.
  void KeepFlags();
  void RestoreFlags();
  // The flags as they are now are to survive every open KeepFlags (a change
  // that must leave the document modified).
  void AcceptFlagChanges();

  // Pages about to be replaced: their collections by page index, so that
  // they can be given the new page dictionaries afterwards.
  void RecordPagesToReplace(int first, int last);
  void PagesReplaced(int first, int last);

 private:
  // Runs visit(page, collection) for every page of the document that has a
  // supported collection, the view showing that page meanwhile.
  template <typename Visit>
  void ForEachLoadedPage(Visit&& visit);
  int NumPages() const;

  host::AVDoc* avDoc_ = nullptr;
  host::PDDoc* pdDoc_ = nullptr;
  std::vector<int> keptFlags_;
  bool writtenForSave_ = false;
  CDefaultPropertiesCollection defaults_;
  std::vector<std::unique_ptr<CMarkupPageCollection>> pages_;
  std::vector<std::pair<int, CMarkupPageCollection*>> pagesToReplace_;
};

class CDocMarkupCollectionMap {
 public:
  CDocMarkupCollectionMap() = default;
  ~CDocMarkupCollectionMap();
  CDocMarkupCollectionMap(const CDocMarkupCollectionMap&) = delete;
  CDocMarkupCollectionMap& operator=(const CDocMarkupCollectionMap&) = delete;

  // The collection of a document just opened, with its current page
  // loaded; null when its view shows no page.
  CMarkupDocCollection* NewDocument(host::AVDoc* doc);
  // Registers a collection (an existing one for its document stays).
  void AddDocument(std::unique_ptr<CMarkupDocCollection> collection);
  void RemoveDocument(host::AVDoc* doc);
  // The document's collection; rebuilt when the document's PDF changed
  // behind it (Save As, Revert). The document becomes the active one.
  CMarkupDocCollection* FindDocument(host::AVDoc* doc);
  host::AVDoc* ActiveDoc() const { return activeDoc_; }
  // The default properties of the host's active document.
  CDefaultPropertiesCollection* DefaultPropCollection();

 private:
  std::map<host::AVDoc*, std::unique_ptr<CMarkupDocCollection>> documents_;
  host::AVDoc* activeDoc_ = nullptr;
};

// Created at start-up, deleted at unload.
extern std::unique_ptr<CDocMarkupCollectionMap> pMrkupCollectionMap;
