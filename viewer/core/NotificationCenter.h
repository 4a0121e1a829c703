// Notification handlers by selector, called in the order they registered.
#pragma once

#include <map>
#include <vector>

#include "host/AV.h"

namespace viewer {

class NotificationCenter {
 public:
  void Register(host::AVNotification which, host::ExtensionID owner, host::AVNotificationProc proc, void* clientData);
  void Unregister(host::AVNotification which, host::ExtensionID owner, host::AVNotificationProc proc,
                  void* clientData);
  void UnregisterAllOf(host::ExtensionID owner);
  void Clear() { handlers_.clear(); }

  // Calls each handler registered when the call began and still registered
  // when its turn comes (handlers may unregister others).
  void Send(host::AVNotification which, const host::AVNotificationArgs& args);
  int NumHandlers(host::AVNotification which) const;

 private:
  struct Handler {
    host::ExtensionID owner = nullptr;
    host::AVNotificationProc proc = nullptr;
    void* clientData = nullptr;
    friend bool operator==(const Handler&, const Handler&) = default;
  };
  std::map<host::AVNotification, std::vector<Handler>> handlers_;
};

// Page-view drawing procedures, called after the page is drawn.
class DrawProcRegistry {
 public:
  struct Entry {
    host::AVPageViewDrawProc proc = nullptr;
    void* clientData = nullptr;
  };
  void Register(host::AVPageViewDrawProc proc, void* clientData);
  void Unregister(host::AVPageViewDrawProc proc);
  void Clear() { entries_.clear(); }
  const std::vector<Entry>& Entries() const { return entries_; }

 private:
  std::vector<Entry> entries_;
};

}  // namespace viewer
