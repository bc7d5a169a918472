#include "native_path.h"

#include "codepage.h"

#include <algorithm>
#include <cstdint>
#include <optional>
#include <system_error>

namespace carvelle {

namespace {

namespace fs = std::filesystem;

// Strict UTF-8 decoding; nullopt when the bytes are not UTF-8.
std::optional<std::u32string> DecodeUtf8(const std::string& text) {
    std::u32string out;
    for (std::size_t i = 0; i < text.size();) {
        const auto lead = static_cast<std::uint8_t>(text[i]);
        const std::size_t length = lead < 0x80   ? 1
                                   : lead < 0xC2 ? 0
                                   : lead < 0xE0 ? 2
                                   : lead < 0xF0 ? 3
                                   : lead < 0xF5 ? 4
                                                 : 0;
        if (length == 0 || i + length > text.size()) {
            return std::nullopt;
        }
        char32_t c = length == 1 ? lead : lead & (0x7F >> length);
        for (std::size_t k = 1; k < length; ++k) {
            const auto next = static_cast<std::uint8_t>(text[i + k]);
            if ((next & 0xC0) != 0x80) {
                return std::nullopt;
            }
            c = (c << 6) | (next & 0x3F);
        }
        const bool overlong = (length == 3 && c < 0x800) || (length == 4 && c < 0x10000);
        if (overlong || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) {
            return std::nullopt;
        }
        out += c;
        i += length;
    }
    return out;
}

char32_t FoldCase(char32_t c) {
    if ((c >= 'A' && c <= 'Z') || (c >= 0xC0 && c <= 0xDE && c != 0xD7)) {
        return c + 0x20;
    }
    switch (c) {
    case 0x0152: // OE ligature
    case 0x0160: // S caron
    case 0x017D: // Z caron
        return c + 1;
    case 0x0178: // Y diaeresis
        return 0xFF;
    default:
        return c;
    }
}

// A name compared ignoring case. Names on disk are UTF-8 or, when copied from Windows media
// as raw bytes, Windows-1252; folding both to code points lets either match the other.
std::u32string FoldName(const std::string& name) {
    std::optional<std::u32string> decoded = DecodeUtf8(name);
    if (!decoded) {
        decoded = DecodeUtf8(Windows1252ToUtf8(name));
    }
    std::u32string folded = decoded.value_or(std::u32string{});
    std::transform(folded.begin(), folded.end(), folded.begin(), FoldCase);
    return folded;
}

bool Exists(const fs::path& path) {
    std::error_code error;
    return fs::exists(fs::symlink_status(path, error));
}

// The byte-wise smallest entry of folder whose name equals name ignoring case.
std::optional<std::string> FindEntryIgnoringCase(const fs::path& folder, const std::string& name) {
    const std::u32string wanted = FoldName(name);
    std::optional<std::string> best;
    std::error_code error;
    fs::directory_iterator it(folder.empty() ? fs::path(".") : folder, error);
    for (; !error && it != fs::directory_iterator(); it.increment(error)) {
        std::string candidate = it->path().filename().string();
        if ((!best || candidate < *best) && FoldName(candidate) == wanted) {
            best = std::move(candidate);
        }
    }
    return best;
}

} // namespace

fs::path ToNativePath(const std::string& composed) {
    std::string native = composed;
    std::replace(native.begin(), native.end(), '\\', '/');
    return fs::path(native);
}

fs::path FindNativePath(const std::string& composed) {
    const fs::path exact = ToNativePath(composed);
    if (exact.empty() || Exists(exact)) {
        return exact;
    }
    // Folders are listed only where the exact component is missing, so deep paths stay cheap.
    fs::path found;
    for (const fs::path& element : exact) {
        const std::string name = element.string();
        if (element.has_root_path() || name.empty() || name == "." || name == "..") {
            found /= element;
            continue;
        }
        fs::path candidate = found / element;
        if (!Exists(candidate)) {
            const std::optional<std::string> match = FindEntryIgnoringCase(found, name);
            if (!match) {
                return exact;
            }
            candidate = found / *match;
        }
        found = std::move(candidate);
    }
    return found;
}

} // namespace carvelle
