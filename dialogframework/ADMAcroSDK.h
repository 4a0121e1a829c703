// The dialog manager as this plug-in sees it: its suites, acquired and
// released in nested pairs (each dialog object holds them for its lifetime),
// and text transfer between items and host text objects in UTF-16, so that
// the text of any language survives the trip.
#pragma once

#include "host/ADM.h"
#include "host/ASText.h"

namespace ADMUtils {

// Acquires every suite the dialogs use and makes the plug-in's resources
// current while any acquisition is held. False (and nothing held) when the
// host has no dialog manager or lacks one of the suites.
bool InitializeADM();
// Releases what the matching InitializeADM acquired.
void ReleaseADM();
// Nesting depth of the pairs currently held.
int HeldCount();

// The suites; null while nothing is held.
host::ADMBasicSuite* BasicSuite();
host::ADMDialogSuite* DialogSuite();
host::ADMDrawerSuite* DrawerSuite();

// A null text sets the empty text.
void SetASText(host::ADMItem* item, const host::ASText* text);
void SetASText(host::ADMEntry* entry, const host::ASText* text);
void SetASText(host::ADMDialog* dialog, const host::ASText* text);
host::ASText GetASText(host::ADMItem* item);
void GetASText(host::ADMItem* item, host::ASText& text);
host::ASText GetASText(host::ADMEntry* entry);
void GetASText(host::ADMEntry* entry, host::ASText& text);

}  // namespace ADMUtils
