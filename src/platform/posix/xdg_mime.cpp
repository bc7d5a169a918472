#include "xdg_mime.h"

#include <QFile>
#include <QMimeDatabase>
#include <QProcess>
#include <QStringList>

namespace carvelle::posix {

namespace {

constexpr int kQueryTimeoutMs = 3000;

} // namespace

std::string DefaultApplication(const QString& mimeType) {
    QProcess process;
    process.setProgram(QStringLiteral("xdg-mime"));
    process.setArguments({QStringLiteral("query"), QStringLiteral("default"), mimeType});
    process.setStandardInputFile(QProcess::nullDevice());
    process.start();
    if (!process.waitForStarted(kQueryTimeoutMs)) {
        return {};
    }
    if (!process.waitForFinished(kQueryTimeoutMs)) {
        process.kill();
        process.waitForFinished(kQueryTimeoutMs);
        return {};
    }
    if (process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0) {
        return {};
    }
    const QString output = QString::fromUtf8(process.readAllStandardOutput());
    const QString id = output.section(QLatin1Char('\n'), 0, 0).trimmed();
    // An id is a plain file name; anything else is not one to look up.
    if (!id.endsWith(QStringLiteral(".desktop")) || id.contains(QLatin1Char('/'))) {
        return {};
    }
    return id.toStdString();
}

bool HasDefaultApplication(const std::string& path) {
    const QMimeType type = QMimeDatabase().mimeTypeForFile(QFile::decodeName(path.c_str()));
    if (!type.isValid()) {
        return false;
    }
    QStringList candidates{type.name()};
    for (const QString& ancestor : type.allAncestors()) {
        // Nearly everything derives from it; its handler is no viewer for this file.
        if (ancestor != QStringLiteral("application/octet-stream")) {
            candidates.append(ancestor);
        }
    }
    for (const QString& candidate : candidates) {
        if (!DefaultApplication(candidate).empty()) {
            return true;
        }
    }
    return false;
}

} // namespace carvelle::posix
