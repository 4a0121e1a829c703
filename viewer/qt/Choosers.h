// File choosers and the colour picker on screen: the host's filters as the
// file dialog's name filters (by extension, whatever its case), and colours
// in and out as 16-bit RGB.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include <QStringList>

#include "host/AV.h"
#include "viewer/core/FrontEnd.h"

class QWidget;

namespace viewer::qt {

// "PDF files (*.pdf *.PDF)" for each filter; a filter without extensions (or
// with "*") passes everything. No filters: none.
QStringList NameFiltersFor(const std::vector<host::AVFileFilter>& filters);

// Runs the file dialog of that kind; the chosen paths, none when cancelled.
std::vector<std::string> RunFileChooser(QWidget* parent, ChooserKind kind, const host::AVFileDialogParams& params);

// Runs the colour dialog; the colour in 16 bits per channel. The dialog
// works in 8 bits: a colour confirmed unchanged keeps its 16-bit value.
std::optional<host::RGBColor16> RunColorPicker(QWidget* parent, const host::RGBColor16& initial);

}  // namespace viewer::qt
