#include "blocktool/dialogs/PropertyEditors.h"

#include "blocktool/dialogs/MarkupDefaultPathDlg.h"

// Each editor dialog answers here once it is part of the plug-in; until
// then the properties dialog shows its buttons disabled.
PropertyEditorProc FindPropertyEditor(PropertyEditorKind kind) {
  switch (kind) {
    case PropertyEditorKind::FilePath:
      return &EditDefaultPath;
    case PropertyEditorKind::NewProperty:
    case PropertyEditorKind::Color:
    case PropertyEditorKind::Position:
    case PropertyEditorKind::FontName:
    case PropertyEditorKind::RulerTab:
      break;
  }
  return nullptr;
}
