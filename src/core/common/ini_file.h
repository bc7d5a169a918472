#pragma once

#include <filesystem>
#include <map>
#include <string>

namespace carvelle {

// A Windows-style settings file: [Section] headers and Key=Value lines. Section and key
// names are matched without regard to ASCII letter case, as Windows does.
class IniFile {
public:
    // False when the file cannot be read; the content is then empty.
    bool Load(const std::filesystem::path& path);
    std::string Value(const std::string& section, const std::string& key,
                      const std::string& fallback = {}) const;

private:
    std::map<std::string, std::string> values_; // "SECTION\nKEY" -> value
};

} // namespace carvelle
