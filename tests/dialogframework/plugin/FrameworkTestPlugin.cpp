// A plug-in that carries its own copy of the dialog framework and a few
// dialog layouts, so that the framework's tests run its dialogs through the
// real loading protocol and dialog manager.
#include "host/PluginEntry.h"

host::ASAtom GetExtensionName() { return gCoreHFT->AtomFromString("Test:DialogFramework"); }
bool PluginExportHFTs() { return true; }
bool PluginImportReplaceAndRegister() { return true; }
bool PluginInit() { return true; }
bool PluginUnload() { return true; }
