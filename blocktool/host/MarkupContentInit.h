// Start-up and tear-down of the block tool, and the global state that the
// rest of the plug-in shares. Everything here runs on the host's
// user-interface thread. The entry points themselves (GetExtensionName,
// PluginExportHFTs, PluginImportReplaceAndRegister, PluginInit,
// PluginUnload) are declared by host/PluginEntry.h.
#pragma once

#include <cstdint>

#include "host/AV.h"
#include "host/ASText.h"
#include "host/HostTypes.h"

// The extension's name, which is also the name of its exported table.
inline constexpr const char* kMarkupContentExtensionName = "Zolt:MarkUp_Content";
// The block tool's type.
inline constexpr const char* kMarkupToolType = "MarkupContent";
// Name prefix of blocks and of the marked content they leave in pages.
inline constexpr const char* kDefaultPrefixName = "Zolt.block";

// The plug-in runs on this host major version only; on any other it stays
// loaded but inert.
inline constexpr int kRequiredHostMajorVersion = 7;

// Permission bits a document must grant before blocks are edited in it:
// modifying (0x08), copying (0x10) and changing annotations and forms (0x20).
inline constexpr std::uint32_t kBlockEditingPermissions = 0x38;

// Flags (16-bit booleans); start-up gives them the values noted.
extern host::ASBool bUpdateView;                        // 1: cursor code re-fetches the page collection
extern host::ASBool bControlByClick;                    // 0: block-by-click mode
extern host::ASBool bDetectUnderFonts;                  // 0: detect fonts under new blocks
extern host::ASBool bSaveAsInProgress;                  // 0: a save is under way
extern host::ASBool bRepagingInProgress;                // 0: the page view is changing page
extern host::ASBool bSynchronizeGetContent;             // 0: page content is being acquired
extern host::ASBool bRedrawViewInProgress;              // 0: between will-draw and did-draw
extern host::ASBool bSupportedBlockSpecVersion;         // 1: the front document's block format is readable
extern host::ASBool bMaxZoomLimitationInformed;         // 0: the zoom limit was reported
extern host::ASBool bMaxZoomLimitationActive;           // 0: zoom beyond the limit, tool disabled
extern host::ASBool bPageChangeNotificationInProgress;  // 0: page-change handler re-entry guard

// Permission mask handed to every enable rule that checks the document.
extern std::uint32_t nSecurityMode;
extern std::int16_t nAdobeMajorVersion;
extern std::int16_t nAdobeMinorVersion;
// Decimal separator of numbers inside property values, in the user's language.
extern char cDecimalSeparator;
// Script of the host's user-interface language (never negative).
extern host::ASScript asSessionScript;

extern host::ASAtom atMarkupToolExtension;  // kMarkupContentExtensionName
extern host::ASAtom atMarkupTool;           // kMarkupToolType
extern host::ASAtom atDefaultPrefixName;    // kDefaultPrefixName

// The tool button, after the host's link tool (null before start-up and
// after unload).
extern host::AVToolButton* toolButton;

// The client data of the exported table's server and of every notification
// handler: the extension atom, so that a handler can tell its own calls.
void* MarkupToolClientData();

// Gives every flag above its start-up value.
void ResetMarkupFlags();

// Whether the host's active tool is the block tool.
bool IsMarkupToolActive();
