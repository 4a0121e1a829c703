// The import-and-export submenu (Duplicate, Export, Import) of the tools
// menu and the context menu, its commands, and the about and help items the
// block tool adds to the host's own menus.
#pragma once

#include "host/AV.h"

// Appends the item "Zolt:Import_and_Export_Submenu" with its submenu to
// parent. Nothing happens when the menus cannot be made.
void InitExportSubmenu(host::AVMenu* parent);
// Appends the about item to the host's "AboutExtensions" menu and the help
// item to its "UsingExtensions" menu, where the host has them.
void InitAboutAndHelpItems(host::AVMenubar& menubar);

void execMarkupDuplicate(void* clientData);
bool enableMarkupDuplicate(void* clientData);
bool markedMarkupDuplicate(void* clientData);
void execMarkupExport(void* clientData);
bool enableMarkupExport(void* clientData);
bool markedMarkupExport(void* clientData);
void execMarkupImport(void* clientData);
// clientData: the permission mask the document must grant.
bool enableMarkupImport(void* clientData);
bool markedMarkupImport(void* clientData);
