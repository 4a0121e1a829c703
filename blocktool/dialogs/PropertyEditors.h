// The editor dialogs of single properties that the properties dialog opens
// from its rows and its Add button. Each works on the property it is given
// (a copy, or a new property) and answers whether the user confirmed it. A
// row's button, or Add, is enabled only for an editor that exists.
#pragma once

#include <string>

class CMarkupProperties;

enum class PropertyEditorKind {
  NewProperty,  // a custom property: type, name and value
  Color,        // colour space and components
  FilePath,     // a default image or PDF file
  Position,     // the two position percentages
  FontName,     // a font of the system
  RulerTab,     // one tab stop of the text-flow ruler
};

struct PropertyEditorRequest {
  CMarkupProperties& property;
  bool newRulerTab = false;      // RulerTab: a tab being added rather than edited
  std::string* alignChar = nullptr;  // RulerTab: receives the tab's alignment character
};

using PropertyEditorProc = bool (*)(PropertyEditorRequest& request);

// The editor of that kind; null while the plug-in has none.
PropertyEditorProc FindPropertyEditor(PropertyEditorKind kind);
