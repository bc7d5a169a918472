#pragma once

#include "common/stream.h"
#include "kinds.h"

#include <cstdint>

namespace carvelle {

struct KindInfo {
    const char* Name;      // stem of generated object names: "Button", "ImageButton", ...
    const char* ClassName; // "TAuButton", ...
    int WriteCode;
    int ReadCode;
};

// Kind codes 0-26; anything else has no entry.
bool IsKnownKind(std::uint8_t kind);
const KindInfo& KindInfoOf(std::uint8_t kind);

// The properties a new object of the kind starts with.
KindProperties DefaultKindProperties(std::uint8_t kind);

inline std::uint8_t KindOf(const KindProperties& properties) {
    return static_cast<std::uint8_t>(properties.index());
}

// The block of the kind's own properties that follows an object's command. An Explorer being
// edited in the designer is a placeholder with codes of its own.
bool WriteKindBlock(Stream& stream, const KindProperties& properties, bool placeholder = false);
bool ReadKindBlock(Stream& stream, std::uint8_t kind, KindProperties& properties,
                   bool placeholder = false);

} // namespace carvelle
