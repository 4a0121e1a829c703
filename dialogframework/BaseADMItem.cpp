#include "dialogframework/BaseADMItem.h"

namespace {

void DrawProc(host::ADMItem* item, host::ADMDrawer* drawer) {
  if (BaseADMItem* object = BaseADMItem::FromItem(item)) object->Draw(drawer);
  else item->DefaultDraw(drawer);
}

bool TrackProc(host::ADMItem* item, host::ADMTracker* tracker) {
  if (BaseADMItem* object = BaseADMItem::FromItem(item)) return object->Track(tracker);
  return item->DefaultTrack(tracker);
}

void NotifyProc(host::ADMItem* item, host::ADMNotifier* notifier) {
  if (BaseADMItem* object = BaseADMItem::FromItem(item)) object->Notify(notifier);
  else item->DefaultNotify(notifier);
}

bool TextToFloatProc(host::ADMItem* item, float* value) {
  if (BaseADMItem* object = BaseADMItem::FromItem(item)) return object->TextToFloat(value);
  return item->DefaultTextToFloat(value);
}

bool FloatToTextProc(host::ADMItem* item, float value, std::string* text) {
  if (BaseADMItem* object = BaseADMItem::FromItem(item)) return object->FloatToText(value, text);
  return item->DefaultFloatToText(value, text);
}

}  // namespace

BaseADMItem::BaseADMItem(host::ADMItem* item, void* userData) : userData_(userData) {
  if (item) Attach(item);
}

BaseADMItem::~BaseADMItem() {
  host::ADMItem* item = item_;
  if (!item) return;
  Detach();
  item->Dialog()->DestroyItem(item);
}

BaseADMItem* BaseADMItem::FromItem(host::ADMItem* item) {
  return item ? static_cast<BaseADMItem*>(item->GetUserData()) : nullptr;
}

void BaseADMItem::Attach(host::ADMItem* item) {
  item_ = item;
  Init();
}

void BaseADMItem::Init() {
  item_->SetUserData(this);
  item_->SetDrawProc(&DrawProc);
  item_->SetTrackProc(&TrackProc);
  item_->SetNotifyProc(&NotifyProc);
  item_->SetDestroyProc(&DestroyProc);
  item_->SetTextToFloatProc(&TextToFloatProc);
  item_->SetFloatToTextProc(&FloatToTextProc);
}

void BaseADMItem::Detach() {
  if (!item_) return;
  if (item_->GetUserData() == this) {
    item_->SetDrawProc(nullptr);
    item_->SetTrackProc(nullptr);
    item_->SetNotifyProc(nullptr);
    item_->SetDestroyProc(nullptr);
    item_->SetTextToFloatProc(nullptr);
    item_->SetFloatToTextProc(nullptr);
    item_->SetUserData(nullptr);
  }
  item_ = nullptr;
}

// The dialog manager destroys the item (with its dialog): the object stays
// with its owner but must not reach the item any more.
void BaseADMItem::DestroyProc(host::ADMItem* item) {
  if (BaseADMItem* object = FromItem(item)) object->item_ = nullptr;
  item->SetUserData(nullptr);
}

void BaseADMItem::Draw(host::ADMDrawer* drawer) { BaseDraw(drawer); }
void BaseADMItem::BaseDraw(host::ADMDrawer* drawer) { item_->DefaultDraw(drawer); }
bool BaseADMItem::Track(host::ADMTracker* tracker) { return item_->DefaultTrack(tracker); }
void BaseADMItem::Notify(host::ADMNotifier* notifier) { item_->DefaultNotify(notifier); }
bool BaseADMItem::TextToFloat(float* value) { return item_->DefaultTextToFloat(value); }
bool BaseADMItem::FloatToText(float value, std::string* text) { return item_->DefaultFloatToText(value, text); }

host::ADMItem* BaseADMItem::Create(host::ADMDialog* dialog, const host::ADMRect& bounds, const char* itemType,
                                   int itemID) {
  if (!dialog || item_) return nullptr;
  host::ADMItem* item = dialog->CreateItem(itemID, itemType, bounds);
  if (item) Attach(item);
  return item;
}
