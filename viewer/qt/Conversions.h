// Between the core's values and Qt's: UTF-8 text and XPM images.
#pragma once

#include <string>

#include <QPixmap>
#include <QString>

namespace viewer {
struct XpmImage;
}

namespace viewer::qt {

inline QString FromUtf8(const std::string& utf8) {
  return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

inline std::string ToUtf8(const QString& text) { return text.toUtf8().toStdString(); }

// A null pixmap for no image or one Qt cannot read.
QPixmap PixmapOf(const XpmImage* image);

}  // namespace viewer::qt
