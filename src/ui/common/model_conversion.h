#pragma once

#include "common/values.h"

#include <QColor>
#include <QFont>
#include <QImage>
#include <QString>

#include <string>

namespace carvelle::ui {

// Stored texts are Windows-1252.
QString ToQString(const std::string& stored);
std::string FromQString(const QString& text);

// A stored colour: RGB, or a system colour resolved through the application's palette.
QColor ToQColor(Colour colour);

// A stored font: name, colour (not part of QFont), size in points and style bits.
QFont ToQFont(const Font& font);

// A stored picture decoded for drawing; null when empty or not decodable here.
QImage DecodePicture(const Picture& picture);

// A relative project path resolved and made native: project folder + "\" + path.
QString ProjectFilePath(const std::string& projectFolder, const std::string& relative);

} // namespace carvelle::ui
