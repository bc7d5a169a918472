#pragma once

#include <algorithm>
#include <string>

namespace carvelle {

// Upper-cases ASCII letters only, as names in the formats are compared.
inline std::string UpperAscii(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) {
        return static_cast<char>(c >= 'a' && c <= 'z' ? c - 'a' + 'A' : c);
    });
    return text;
}

} // namespace carvelle
