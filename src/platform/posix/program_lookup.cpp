#include "platform/program_lookup.h"

#include "platform/file_associations.h"

#include <QStandardPaths>
#include <QString>

#include <filesystem>
#include <fstream>
#include <optional>
#include <system_error>

#include <unistd.h>

namespace carvelle {

namespace {

namespace fs = std::filesystem;

// Splits an Exec value into arguments: blanks separate, double quotes group, and inside quotes
// a backslash escapes the next character. Nullopt when a quote is left open.
std::optional<std::vector<std::string>> SplitCommand(const std::string& line) {
    std::vector<std::string> arguments;
    std::string current;
    bool inArgument = false;
    bool quoted = false;
    for (std::size_t i = 0; i < line.size(); ++i) {
        const char c = line[i];
        if (quoted) {
            if (c == '\\' && i + 1 < line.size()) {
                current += line[++i];
            } else if (c == '"') {
                quoted = false;
            } else {
                current += c;
            }
        } else if (c == ' ' || c == '\t') {
            if (inArgument) {
                arguments.push_back(current);
                current.clear();
                inArgument = false;
            }
        } else if (c == '"') {
            quoted = true;
            inArgument = true;
        } else {
            current += c;
            inArgument = true;
        }
    }
    if (quoted) {
        return std::nullopt;
    }
    if (inArgument) {
        arguments.push_back(current);
    }
    return arguments;
}

// One argument with its field codes expanded: the document codes become the placeholder (and
// `usedDocument` is set); the codes for icons, names, locations and the deprecated ones go.
std::optional<std::string> ExpandFieldCodes(const std::string& argument, bool& usedDocument) {
    if (argument == "%f" || argument == "%F" || argument == "%u" || argument == "%U") {
        usedDocument = true;
        return std::string(kDocumentArgument);
    }
    if (argument == "%i" || argument == "%c" || argument == "%k") {
        return std::nullopt;
    }
    std::string text;
    for (std::size_t i = 0; i < argument.size(); ++i) {
        if (argument[i] != '%' || i + 1 >= argument.size()) {
            text += argument[i];
            continue;
        }
        const char code = argument[++i];
        if (code == '%') {
            text += '%';
        } else if (code == 'f' || code == 'F' || code == 'u' || code == 'U') {
            usedDocument = true;
            text += kDocumentArgument;
        }
    }
    if (text.empty() && !argument.empty()) {
        return std::nullopt; // only removed codes
    }
    return text;
}

std::string FindProgram(const std::string& name) {
    if (name.find('/') != std::string::npos) {
        return ::access(name.c_str(), X_OK) == 0 ? name : std::string();
    }
    return QStandardPaths::findExecutable(QString::fromStdString(name)).toStdString();
}

} // namespace

OpenProgram ParseOpenCommand(const std::string& commandLine) {
    const std::optional<std::vector<std::string>> split = SplitCommand(commandLine);
    if (!split || split->empty()) {
        return {};
    }
    OpenProgram open;
    open.Program = FindProgram(split->front());
    if (open.Program.empty()) {
        return {};
    }
    bool usedDocument = false;
    for (std::size_t i = 1; i < split->size(); ++i) {
        if (const auto argument = ExpandFieldCodes((*split)[i], usedDocument)) {
            open.Arguments.push_back(*argument);
        }
    }
    if (!usedDocument) {
        open.Arguments.emplace_back(kDocumentArgument);
    }
    return open;
}

OpenProgram FindAssociatedProgram(const std::string& document) {
    const fs::path path(document);
    const std::string extension = path.extension().string();
    if (extension.size() < 2) {
        return {};
    }
    return ParseOpenCommand(FindOpenCommand(extension));
}

bool IsRunnableProgram(const std::string& file) {
    std::error_code error;
    if (!fs::is_regular_file(file, error) || ::access(file.c_str(), X_OK) != 0) {
        return false;
    }
    // Media often mark every file executable; only a binary or a script runs by itself.
    std::ifstream in(file, std::ios::binary);
    char head[4] = {};
    in.read(head, sizeof head);
    const std::streamsize got = in.gcount();
    return (got >= 2 && head[0] == '#' && head[1] == '!') ||
           (got == 4 && head[0] == '\x7F' && head[1] == 'E' && head[2] == 'L' && head[3] == 'F');
}

std::string ShellParameters(const std::vector<std::string>& arguments,
                            const std::string& document) {
    std::string text;
    for (const std::string& argument : arguments) {
        std::string value = argument;
        for (std::size_t at = value.find(kDocumentArgument); at != std::string::npos;
             at = value.find(kDocumentArgument, at + document.size())) {
            value.replace(at, std::char_traits<char>::length(kDocumentArgument), document);
        }
        if (!text.empty()) {
            text += ' ';
        }
        if (!value.empty() && value.find_first_of(" \t\"") == std::string::npos) {
            text += value;
            continue;
        }
        // Quoted the way command lines are split: a quote inside is escaped with a backslash,
        // and backslashes are doubled where they come before a quote.
        text += '"';
        std::size_t backslashes = 0;
        for (const char c : value) {
            if (c == '\\') {
                ++backslashes;
                continue;
            }
            if (c == '"') {
                text.append(backslashes * 2 + 1, '\\');
            } else {
                text.append(backslashes, '\\');
            }
            backslashes = 0;
            text += c;
        }
        text.append(backslashes * 2, '\\');
        text += '"';
    }
    return text;
}

} // namespace carvelle
