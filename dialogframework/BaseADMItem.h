// One object per dialog item the code handles: the item's procedures call
// the object's virtual functions (the object is the item's user data).
//
// The object belongs to whoever made it (as a rule its dialog object).
// Deleting it removes its procedures and destroys its item; when the dialog
// manager destroys the item first (with its dialog), the object only
// forgets the item, and its owner deletes it as usual.
#pragma once

#include <string>

#include "host/ADM.h"

class BaseADMItem {
 public:
  // Attaches to an existing item (none: call Create later). userData is
  // what the object keeps for its owner, as a rule the dialog object.
  BaseADMItem(host::ADMItem* item, void* userData);
  BaseADMItem(const BaseADMItem&) = delete;
  BaseADMItem& operator=(const BaseADMItem&) = delete;

  virtual void Init();
  virtual void Draw(host::ADMDrawer* drawer);
  virtual bool Track(host::ADMTracker* tracker);
  virtual void Notify(host::ADMNotifier* notifier);
  virtual bool TextToFloat(float* value);
  virtual bool FloatToText(float value, std::string* text);
  // The item's standard look.
  virtual void BaseDraw(host::ADMDrawer* drawer);
  virtual ~BaseADMItem();
  // Makes a new item of a type named by the dialog manager and attaches to
  // it; null when the dialog manager could not make it.
  virtual host::ADMItem* Create(host::ADMDialog* dialog, const host::ADMRect& bounds, const char* itemType,
                                int itemID);

  host::ADMItem* GetItem() const { return item_; }
  void* GetUserData() const { return userData_; }
  // Leaves the item to another object: removes the procedures without
  // destroying the item.
  void Detach();

  static BaseADMItem* FromItem(host::ADMItem* item);

 private:
  void Attach(host::ADMItem* item);
  static void DestroyProc(host::ADMItem* item);

  host::ADMItem* item_ = nullptr;
  void* userData_ = nullptr;
};
