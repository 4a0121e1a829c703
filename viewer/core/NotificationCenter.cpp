#include "viewer/core/NotificationCenter.h"

#include <algorithm>

namespace viewer {

void NotificationCenter::Register(host::AVNotification which, host::ExtensionID owner, host::AVNotificationProc proc,
                                  void* clientData) {
  if (!proc) return;
  auto& list = handlers_[which];
  const Handler handler{owner, proc, clientData};
  if (std::find(list.begin(), list.end(), handler) == list.end()) list.push_back(handler);
}

void NotificationCenter::Unregister(host::AVNotification which, host::ExtensionID owner,
                                    host::AVNotificationProc proc, void* clientData) {
  const auto it = handlers_.find(which);
  if (it != handlers_.end()) std::erase(it->second, Handler{owner, proc, clientData});
}

void NotificationCenter::UnregisterAllOf(host::ExtensionID owner) {
  for (auto& [which, list] : handlers_) {
    std::erase_if(list, [&](const Handler& h) { return h.owner == owner; });
  }
}

void NotificationCenter::Send(host::AVNotification which, const host::AVNotificationArgs& args) {
  const auto it = handlers_.find(which);
  if (it == handlers_.end()) return;
  const std::vector<Handler> snapshot = it->second;
  for (const Handler& handler : snapshot) {
    const auto& current = handlers_[which];
    if (std::find(current.begin(), current.end(), handler) == current.end()) continue;
    try {
      handler.proc(args, handler.clientData);
    } catch (...) {
      // Handlers catch their own errors; one that does not must not stop the others.
    }
  }
}

int NotificationCenter::NumHandlers(host::AVNotification which) const {
  const auto it = handlers_.find(which);
  return it == handlers_.end() ? 0 : static_cast<int>(it->second.size());
}

void DrawProcRegistry::Register(host::AVPageViewDrawProc proc, void* clientData) {
  if (!proc) return;
  Unregister(proc);
  entries_.push_back({proc, clientData});
}

void DrawProcRegistry::Unregister(host::AVPageViewDrawProc proc) {
  std::erase_if(entries_, [&](const Entry& e) { return e.proc == proc; });
}

}  // namespace viewer
