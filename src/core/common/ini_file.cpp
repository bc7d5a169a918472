#include "ini_file.h"

#include "ascii.h"

#include <fstream>

namespace carvelle {

namespace {

std::string Trimmed(const std::string& text) {
    const auto first = text.find_first_not_of(" \t\r\n");
    if (first == std::string::npos) {
        return {};
    }
    const auto last = text.find_last_not_of(" \t\r\n");
    return text.substr(first, last - first + 1);
}

std::string KeyOf(const std::string& section, const std::string& key) {
    return UpperAscii(section) + "\n" + UpperAscii(key);
}

} // namespace

bool IniFile::Load(const std::filesystem::path& path) {
    values_.clear();
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        return false;
    }
    std::string section;
    std::string line;
    while (std::getline(in, line)) {
        line = Trimmed(line);
        if (line.empty() || line[0] == ';') {
            continue;
        }
        if (line.front() == '[' && line.back() == ']') {
            section = Trimmed(line.substr(1, line.size() - 2));
            continue;
        }
        const auto equals = line.find('=');
        if (equals == std::string::npos) {
            continue;
        }
        // The first occurrence wins, as Windows reads it.
        values_.emplace(KeyOf(section, Trimmed(line.substr(0, equals))),
                        Trimmed(line.substr(equals + 1)));
    }
    return true;
}

std::string IniFile::Value(const std::string& section, const std::string& key,
                           const std::string& fallback) const {
    const auto it = values_.find(KeyOf(section, key));
    return it == values_.end() ? fallback : it->second;
}

} // namespace carvelle
