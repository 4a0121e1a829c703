#include "viewer/qt/Choosers.h"

#include <QColorDialog>
#include <QFileDialog>
#include <QFileInfo>

#include "viewer/qt/Conversions.h"

namespace viewer::qt {

QStringList NameFiltersFor(const std::vector<host::AVFileFilter>& filters) {
  QStringList names;
  for (const host::AVFileFilter& filter : filters) {
    QStringList patterns;
    for (const std::string& extension : filter.extensions) {
      if (extension.empty() || extension == "*") {
        patterns = {"*"};
        break;
      }
      for (const QString& spelled : {FromUtf8(extension).toLower(), FromUtf8(extension).toUpper()}) {
        const QString pattern = "*." + spelled;
        if (!patterns.contains(pattern)) patterns.push_back(pattern);
      }
    }
    if (patterns.isEmpty()) patterns = {"*"};
    const QString description = filter.description.empty() ? QStringLiteral("Files") : FromUtf8(filter.description);
    names.push_back(description + " (" + patterns.join(' ') + ")");
  }
  return names;
}

std::vector<std::string> RunFileChooser(QWidget* parent, ChooserKind kind, const host::AVFileDialogParams& params) {
  QFileDialog dialog(parent, FromUtf8(params.title));
  dialog.setObjectName("korvidFileChooser");
  if (!params.filters.empty()) dialog.setNameFilters(NameFiltersFor(params.filters));
  const QString initial = FromUtf8(params.initialPath);
  if (!initial.isEmpty()) {
    if (QFileInfo(initial).isDir()) dialog.setDirectory(initial);
    else dialog.selectFile(initial);
  }
  switch (kind) {
    case ChooserKind::Open:
      dialog.setFileMode(QFileDialog::ExistingFile);
      break;
    case ChooserKind::OpenMultiple:
      dialog.setFileMode(QFileDialog::ExistingFiles);
      break;
    case ChooserKind::Save:
      dialog.setFileMode(QFileDialog::AnyFile);
      dialog.setAcceptMode(QFileDialog::AcceptSave);
      if (!params.filters.empty() && !params.filters.front().extensions.empty() &&
          params.filters.front().extensions.front() != "*")
        dialog.setDefaultSuffix(FromUtf8(params.filters.front().extensions.front()));
      if (!params.defaultName.empty()) dialog.selectFile(FromUtf8(params.defaultName));
      break;
    case ChooserKind::Folder:
      dialog.setFileMode(QFileDialog::Directory);
      dialog.setOption(QFileDialog::ShowDirsOnly);
      break;
  }
  std::vector<std::string> chosen;
  if (dialog.exec() != QDialog::Accepted) return chosen;
  for (const QString& path : dialog.selectedFiles()) chosen.push_back(ToUtf8(path));
  return chosen;
}

std::optional<host::RGBColor16> RunColorPicker(QWidget* parent, const host::RGBColor16& initial) {
  const QColor start = QColor::fromRgba64(initial.red, initial.green, initial.blue);
  QColorDialog dialog(start, parent);
  dialog.setObjectName("korvidColorPicker");
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  const QColor chosen = dialog.selectedColor();
  if (chosen.rgb() == start.rgb()) return initial;
  const QRgba64 wide = chosen.rgba64();
  return host::RGBColor16{wide.red(), wide.green(), wide.blue()};
}

}  // namespace viewer::qt
