#include "avensa_tool_commands.h"

#include "menu_description.h"

#include "launcher/menu_file.h"
#include "launcher/package.h"

#include "common/codepage.h"
#include "common/safe_file.h"
#include "common/stream.h"

#include <QFile>
#include <QFileInfo>

#include <cstring>
#include <filesystem>

namespace carvelle::avensa {

namespace {

namespace fs = std::filesystem;

constexpr const char* kUsage =
    "usage: avensa-tool COMMAND ARGUMENTS\n"
    "  pack DESCRIPTION.json OUT [--launcher PATH]  write a launcher carrying the menu the\n"
    "                                               description describes (the launcher is\n"
    "                                               avensa beside the tool unless given)\n"
    "  dump EXE                                     print the package directory and the first\n"
    "                                               menu of a launcher as JSON\n";

std::string SystemText(int error) {
    return error != 0 ? std::strerror(error) : "unreadable";
}

bool ReadWholeFile(const fs::path& path, std::vector<std::uint8_t>& bytes, std::string& problem) {
    FileStream stream;
    if (!stream.Open(path, FileStream::Mode::Read)) {
        problem = SystemText(stream.OpenError());
        return false;
    }
    try {
        bytes.resize(static_cast<std::size_t>(stream.Size()));
        stream.ReadExact(bytes.data(), bytes.size());
    } catch (const StreamError& error) {
        problem = error.SystemError() ? SystemText(error.SystemError()) : error.what();
        return false;
    }
    return true;
}

int Pack(const std::vector<std::string>& args, const std::string& toolFolder, std::ostream& err) {
    std::vector<std::string> positional;
    std::string launcherPath;
    for (std::size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "--launcher" && i + 1 < args.size()) {
            launcherPath = args[++i];
        } else if (args[i].rfind("--", 0) == 0) {
            err << kUsage;
            return 2;
        } else {
            positional.push_back(args[i]);
        }
    }
    if (positional.size() != 2) {
        err << kUsage;
        return 2;
    }
    const fs::path descriptionPath = positional[0];
    const fs::path outPath = positional[1];
    if (launcherPath.empty()) {
        launcherPath = (fs::path(toolFolder) / "avensa").string();
        std::error_code ec;
        if (!fs::is_regular_file(launcherPath, ec)) {
            err << "avensa-tool: no launcher at " << launcherPath
                << "; build avensa beside the tool or pass --launcher PATH\n";
            return 1;
        }
    }

    QFile description(QString::fromStdString(descriptionPath.string()));
    if (!description.open(QIODevice::ReadOnly)) {
        err << "avensa-tool: cannot read " << descriptionPath.string() << ": "
            << description.errorString().toStdString() << "\n";
        return 1;
    }
    launcher::Menu menu;
    std::string entryName;
    std::string problem;
    const QString folder = QFileInfo(description).absolutePath();
    if (!MenuFromDescription(description.readAll(), folder, menu, entryName, problem)) {
        err << "avensa-tool: " << descriptionPath.string() << ": " << problem << "\n";
        return 1;
    }

    std::vector<std::uint8_t> image;
    if (!ReadWholeFile(launcherPath, image, problem)) {
        err << "avensa-tool: cannot read the launcher " << launcherPath << ": " << problem << "\n";
        return 1;
    }
    try {
        MemoryStream menuBytes;
        launcher::WriteMenu(menuBytes, menu);
        SafeFileWriter writer(outPath);
        if (!writer.Open()) {
            throw StreamError("cannot create the file", writer.OpenError());
        }
        writer.Stream().Write(image.data(), image.size());
        launcher::WritePackage(writer.Stream(), {{entryName, menuBytes.Bytes()}});
        writer.Commit();
    } catch (const StreamError& error) {
        err << "avensa-tool: cannot write " << outPath.string() << ": "
            << (error.SystemError() ? SystemText(error.SystemError()) : error.what()) << "\n";
        return 1;
    }
    // The result is a program: as runnable as the launcher it copies, and at least by its owner.
    std::error_code ec;
    const fs::perms launcherPerms = fs::status(launcherPath, ec).permissions();
    fs::permissions(outPath, (ec ? fs::perms::none : launcherPerms) | fs::perms::owner_all,
                    fs::perm_options::add, ec);
    return 0;
}

std::string BoxText(const launcher::Message& message) {
    static const char* const kKinds[] = {"warning", "error", "information", "confirmation"};
    std::string text = Windows1252ToUtf8(message.Text);
    for (std::size_t at = text.find('\r'); at != std::string::npos; at = text.find('\r', at)) {
        const bool pair = at + 1 < text.size() && text[at + 1] == '\n';
        text.replace(at, pair ? 2 : 1, "\n");
        ++at;
    }
    return std::string(kKinds[static_cast<int>(message.Kind)]) + ": " + text;
}

int Dump(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    if (args.size() != 1) {
        err << kUsage;
        return 2;
    }
    FileStream stream;
    if (!stream.Open(args[0], FileStream::Mode::Read)) {
        err << "avensa-tool: cannot open " << args[0] << ": " << SystemText(stream.OpenError())
            << "\n";
        return 1;
    }
    const launcher::StartupRead startup = launcher::ReadStartupMenu(stream);
    if (startup.PackageOpened) {
        out << DescribePackage(startup.Directory,
                               startup.MenuRead.Read ? &startup.MenuRead.Loaded : nullptr);
    }
    // Whatever the launcher would show in a box makes the dump fail.
    for (const launcher::Message& message : startup.Boxes) {
        err << "avensa-tool: " << BoxText(message) << "\n";
    }
    return startup.Boxes.empty() ? 0 : 1;
}

} // namespace

int RunAvensaTool(const std::vector<std::string>& arguments, const std::string& toolFolder,
                  std::ostream& out, std::ostream& err) {
    if (arguments.empty()) {
        err << kUsage;
        return 2;
    }
    const std::vector<std::string> rest(arguments.begin() + 1, arguments.end());
    if (arguments[0] == "pack") {
        return Pack(rest, toolFolder, err);
    }
    if (arguments[0] == "dump") {
        return Dump(rest, out, err);
    }
    err << kUsage;
    return 2;
}

} // namespace carvelle::avensa
