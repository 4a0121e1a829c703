#include "PropertiesDialogFixture.h"

#include <algorithm>
#include <map>

#include "blocktool/host/MarkupContentInit.h"
#include "viewer/core/DocumentManager.h"
#include "viewer/core/Host.h"
#include "viewer/pdf/PdfTestSupport.h"
#include "blocktool/model/Service.h"
#include "host/PluginEntry.h"
#include "viewer/core/dm/Item.h"
#include "viewer/core/dm/List.h"
#include "viewer/core/dm/UserActions.h"

namespace korvid::testing {

namespace pd = property_dialog;
using viewer::dm::Dialog;
using viewer::dm::Item;

namespace {

CMarkupPageCollection& PageOf(viewer::Document& doc) {
  CMarkupPageCollection* page = Service.GetDocMarkupPageCollection(&doc);
  if (!page) throw std::runtime_error("the document's page has no blocks collection");
  return *page;
}

}  // namespace

PropertiesDialogTest::PropertiesDialogTest() : path_(folder_.File("blocks.pdf")) {
  korvid::test::WriteOnePagePdf(path_);
  host_.AttachLinkedPlugin(&PIMain, &PIResources);
  doc_ = &host_.Host().Documents().Open(path_, true);
  page_ = &PageOf(*doc_);
  selection_ = &page_->SelectedGroup();
}

PropertiesDialogTest::~PropertiesDialogTest() {
  EXPECT_TRUE(host_.Driver().Failures().empty()) << host_.Driver().Failures().front();
  for (const std::string& alert : NewAlerts()) ADD_FAILURE() << "unexpected alert: " << alert;
}

CMarkupBlock& PropertiesDialogTest::AddBlock(PropertyClass kind) {
  auto block = std::make_shared<CMarkupBlock>(page_, kDefaultPrefixName, page_->NewBlockID());
  block->PropertyList()->PropertyListClass(kind);
  block->BlockRectFx({host::FloatToFixed(100), host::FloatToFixed(600), host::FloatToFixed(300), host::FloatToFixed(500)});
  block->UpdateBlockCoordiantesProperty();
  block->PropertyList()->GetProperty("Rect")->Invalidated(false);
  block->Selected(selection_->GetSize() == 0);
  page_->AddBlock(block);
  selection_->AddBlock(block);
  return *block;
}

CMarkupPageCollection& PropertiesDialogTest::SaveAndReopen() {
  doc_->GetPDDoc()->Save(host::ASPathName(path_), host::kPDSaveFull);
  EXPECT_TRUE(korvid::test::QpdfCheckPasses(path_));
  host_.Host().Documents().Close(*doc_, true);
  doc_ = &host_.Host().Documents().Open(path_, true);
  page_ = &PageOf(*doc_);
  selection_ = &page_->SelectedGroup();
  return *page_;
}

std::vector<std::string> PropertiesDialogTest::NewAlerts() {
  const std::vector<std::string> all = host_.Script().AlertTexts();
  std::vector<std::string> fresh(all.begin() + static_cast<std::ptrdiff_t>(alertsSeen_), all.end());
  alertsSeen_ = all.size();
  return fresh;
}

std::string PropertiesDialogTest::Value(const CMarkupBlock& block, const std::string& name) const {
  const CMarkupProperties* property = block.PropertyList()->GetProperty(name);
  return property ? property->TagValue() : "(none)";
}

int PropertiesDialogTest::Run(DialogDriver::Action action) {
  host_.Driver().OnModal(pd::kName, std::move(action));
  return StartMarkupPropertiesDialog(*selection_);
}

namespace seen {

std::vector<int> Tabs(Dialog& dialog) {
  std::vector<int> shown;
  for (int id : {pd::kGeneralTab, pd::kTextTab, pd::kImageTab, pd::kPDFTab, pd::kCustomTab, pd::kTextflowTab,
                 pd::kRulerTabsTab})
    if (const Item* tab = dialog.FindItem(id); tab && tab->IsVisible() && tab->IsEnabled()) shown.push_back(id);
  std::sort(shown.begin(), shown.end());
  return shown;
}

namespace {

// Property names of the value fields shown, top to bottom.
std::vector<std::string> ShownFields(Dialog& dialog) {
  std::multimap<int, std::string> byTop;
  for (int i = 0; i < dialog.NumItems(); ++i) {
    const Item& item = dialog.ItemAt(i);
    if (item.ID() >= kFirstRowItemID && item.ID() % kRowItemIDStep == kRowValueOffset && item.IsVisible())
      byTop.emplace(item.GetBoundsRect().top, item.Tip());
  }
  std::vector<std::string> names;
  for (const auto& [top, name] : byTop) names.push_back(name);
  return names;
}

}  // namespace

std::vector<std::string> Rows(Dialog& dialog) {
  std::vector<std::string> names = ShownFields(dialog);
  Item* bar = dialog.FindItem(kScrollBarItemID);
  if (!bar || !bar->IsEnabled()) return names;
  viewer::dm::UserActions person(dialog);
  for (int position = 1; position <= bar->GetMaxIntValue(); ++position) {
    person.SetValue(kScrollBarItemID, position);
    const std::vector<std::string> page = ShownFields(dialog);
    if (!page.empty() && std::find(names.begin(), names.end(), page.back()) == names.end()) names.push_back(page.back());
  }
  person.SetValue(kScrollBarItemID, 0);
  return names;
}

Item* Field(Dialog& dialog, const std::string& name) {
  for (int i = 0; i < dialog.NumItems(); ++i) {
    Item& item = dialog.ItemAt(i);
    if (item.ID() >= kFirstRowItemID && item.ID() % kRowItemIDStep == kRowValueOffset && item.Tip() == name)
      return &item;
  }
  return nullptr;
}

int FieldID(const std::string& name) {
  const CMarkupBlockProperties standard(1);
  int row = 0;
  for (const std::string& n : standard.Names()) {
    const CMarkupProperties& property = *standard.GetProperty(n);
    if (n == "Name" || n == "Subtype" || n == "Description") continue;
    if (property.GetTagMode() & (mode::kInternal | mode::kNotListed)) continue;
    if (n == name) return kFirstRowItemID + kRowItemIDStep * row + kRowValueOffset;
    ++row;
  }
  return -1;
}

Item& ScrollTo(Dialog& dialog, const std::string& name) {
  Item* field = Field(dialog, name);
  if (!field) throw std::runtime_error("no row for " + name);
  Item* bar = dialog.FindItem(kScrollBarItemID);
  viewer::dm::UserActions person(dialog);
  for (int position = 0; !field->IsVisible() && bar && position <= bar->GetMaxIntValue(); ++position)
    person.SetValue(kScrollBarItemID, position);
  if (!field->IsVisible()) throw std::runtime_error("the row of " + name + " does not show");
  return *field;
}

int EntryIndex(Item& choice, const std::string& text) {
  host::ADMList* list = choice.GetList();
  for (int i = 0; list && i < list->NumberOfEntries(); ++i)
    if (list->GetEntry(i)->GetText() == text) return i;
  return -1;
}

}  // namespace seen

}  // namespace korvid::testing
