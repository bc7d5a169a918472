#pragma once

#include "items.h"

#include <string>
#include <vector>

namespace carvelle {

inline constexpr std::int32_t kSlideShowConfigMagic = 29834;
inline constexpr const char* kSlideShowConfigName = "SlideShowEx.cfg";

enum class SlideConfigResult {
    Missing,    // no file: the settings stay as they are
    Loaded,     // the settings were replaced by the file's entries
    BadMagic,   // not such a file: the settings are emptied and the caller shows InvalidText
    ReadFailed, // the file broke off; reported with its code
};

// Reads the per-picture settings of a slide-show folder (a composed path).
SlideConfigResult ReadSlideShowConfig(const std::string& folder, std::vector<TPSImage>& settings);

// The text of the "ERROR" box for a file that is not a slide-show configuration.
std::string InvalidSlideConfigText(const std::string& fileName);

} // namespace carvelle
