#include "platform/file_associations.h"

#include "common/codepage.h"
#include "xdg_dirs.h"
#include "xdg_mime.h"

#include <QMimeDatabase>
#include <QString>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <system_error>
#include <vector>

namespace carvelle {

namespace {

namespace fs = std::filesystem;

QString MimeTypeOf(const std::string& extension) {
    // Matched by file name only, so nothing on disk is read.
    const QString name =
        QStringLiteral("file") + QString::fromStdString(Windows1252ToUtf8(extension));
    const QMimeType type = QMimeDatabase().mimeTypeForFile(name, QMimeDatabase::MatchExtension);
    return type.isValid() && !type.isDefault() ? type.name() : QString();
}

std::vector<fs::path> ApplicationFolders() {
    std::vector<fs::path> folders;
    if (const std::string dataHome = posix::DataHome(); !dataHome.empty()) {
        folders.push_back(fs::path(dataHome) / "applications");
    }
    for (const std::string& dir : posix::DataDirs()) {
        folders.push_back(fs::path(dir) / "applications");
    }
    return folders;
}

// The desktop file with this id in folder: "foo-bar.desktop" may also be "foo/bar.desktop".
fs::path FindDesktopFile(const fs::path& folder, const std::string& id) {
    std::error_code error;
    if (fs::is_regular_file(folder / id, error)) {
        return folder / id;
    }
    if (id.find('-') == std::string::npos) {
        return {};
    }
    fs::recursive_directory_iterator it(folder, fs::directory_options::skip_permission_denied,
                                        error);
    for (; !error && it != fs::recursive_directory_iterator(); it.increment(error)) {
        std::string relative = it->path().lexically_relative(folder).string();
        std::replace(relative.begin(), relative.end(), '/', '-');
        if (relative == id && it->is_regular_file(error)) {
            return it->path();
        }
    }
    return {};
}

// The Exec value of the [Desktop Entry] group, or empty.
std::string ReadExecLine(const fs::path& file) {
    std::ifstream stream(file);
    bool inEntry = false;
    for (std::string line; std::getline(stream, line);) {
        if (!line.empty() && line.back() == '\r') {
            line.pop_back();
        }
        if (!line.empty() && line.front() == '[') {
            inEntry = line == "[Desktop Entry]";
            continue;
        }
        if (!inEntry || line.compare(0, 4, "Exec") != 0) {
            continue;
        }
        const std::size_t equals = line.find_first_not_of(" \t", 4);
        if (equals == std::string::npos || line[equals] != '=') {
            continue; // another key, such as Exec[...] or ExecFoo
        }
        const std::size_t value = line.find_first_not_of(" \t", equals + 1);
        return value == std::string::npos ? std::string() : line.substr(value);
    }
    return {};
}

} // namespace

std::string FindOpenCommand(const std::string& extension) {
    if (extension.size() < 2 || extension.front() != '.') {
        return {};
    }
    const QString mimeType = MimeTypeOf(extension);
    if (mimeType.isEmpty()) {
        return {};
    }
    const std::string id = posix::DefaultApplication(mimeType);
    if (id.empty()) {
        return {};
    }
    // The first folder holding the id decides, as for every desktop-file lookup.
    for (const fs::path& folder : ApplicationFolders()) {
        const fs::path file = FindDesktopFile(folder, id);
        if (!file.empty()) {
            return ReadExecLine(file);
        }
    }
    return {};
}

} // namespace carvelle
