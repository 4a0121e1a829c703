// The block tool's document notifications: they keep the per-document block
// collections in step with documents opening, closing and coming to the
// front, page views changing page or zoom, pages being replaced and
// documents being saved. Every handler is registered with the extension's
// client data and does nothing for any other.
#pragma once

#include <string>
#include <vector>

#include "host/AV.h"

void Markup_NotifAVPageViewDidChange(const host::AVNotificationArgs& args, void* clientData);
void Markup_NotifAVPageViewWillDraw(const host::AVNotificationArgs& args, void* clientData);
void Markup_NotifAVPageViewDidDraw(const host::AVNotificationArgs& args, void* clientData);
void Markup_NotifAVDocDidOpen(const host::AVNotificationArgs& args, void* clientData);
void Markup_NotifAVDocWillClose(const host::AVNotificationArgs& args, void* clientData);
void Markup_NotifAVAppFrontDocDidChange(const host::AVNotificationArgs& args, void* clientData);
void Markup_NotifPDDocWillReplacePages(const host::AVNotificationArgs& args, void* clientData);
void Markup_NotifPDDocDidReplacePages(const host::AVNotificationArgs& args, void* clientData);
void Markup_NotifPDDocDidChangePages(const host::AVNotificationArgs& args, void* clientData);
void Markup_NotifPDDocWillSaveEx(const host::AVNotificationArgs& args, void* clientData);
void Markup_NotifPDDocWillSave(const host::AVNotificationArgs& args, void* clientData);
void Markup_NotifPDDocDidSave(const host::AVNotificationArgs& args, void* clientData);

// Registers every handler above with the host, in the start-up order, and
// takes them back at unload.
void RegisterMarkupNotifications();
void UnregisterMarkupNotifications();

// An open document offered by the dialogs that choose another document.
struct ActiveDocument {
  host::AVDoc* doc = nullptr;
  std::string title;
};

// Per-document callback of the host's enumeration: appends every document
// but the active one to the std::vector<ActiveDocument> behind list.
bool MrkupActiveAVDocEnum(host::AVDoc* doc, void* list);
// The open documents other than the active one.
std::vector<ActiveDocument> OtherOpenDocuments();
