#pragma once

#include <QString>

#include <string>

namespace carvelle::posix {

// The desktop-file id of the user's default application for the MIME type (`xdg-mime query
// default`), or empty. Gives up after a few seconds if the tool hangs.
std::string DefaultApplication(const QString& mimeType);

// Whether a default application is registered for the file's MIME type (found from its name
// and content) or for a type it derives from; the catch-all application/octet-stream counts
// only when it is the file's own type.
bool HasDefaultApplication(const std::string& path);

} // namespace carvelle::posix
