#include "slideshow_config.h"

#include "common/error_codes.h"
#include "common/guarded.h"
#include "common/native_path.h"
#include "items_io.h"

#include <filesystem>

namespace carvelle {

namespace {

constexpr std::uint64_t kMinSettingsSize = 1 + 6 * 4 + 4 + 4 + 4;

std::string ConfigPath(const std::string& folder) {
    return folder + "\\" + kSlideShowConfigName;
}

} // namespace

SlideConfigResult ReadSlideShowConfig(const std::string& folder, std::vector<TPSImage>& settings) {
    const auto path = FindNativePath(ConfigPath(folder));
    std::error_code ec;
    if (!std::filesystem::is_regular_file(path, ec)) {
        return SlideConfigResult::Missing;
    }
    SlideConfigResult result = SlideConfigResult::ReadFailed;
    Guarded(ErrorCode::SlideShowFolderConfig, [&] {
        FileStream stream;
        if (!stream.Open(path, FileStream::Mode::Read)) {
            throw StreamError("cannot open", stream.OpenError());
        }
        if (ReadInt32(stream) != kSlideShowConfigMagic) {
            settings.clear();
            result = SlideConfigResult::BadMagic;
            return true;
        }
        settings.clear();
        const std::int32_t count = ReadBoundedCount(stream, kMinSettingsSize);
        for (std::int32_t i = 0; i < count; ++i) {
            TPSImage entry;
            if (!ReadSlideSettings(stream, entry)) {
                return false;
            }
            settings.push_back(std::move(entry));
        }
        result = SlideConfigResult::Loaded;
        return true;
    });
    if (result == SlideConfigResult::ReadFailed) {
        settings.clear(); // the show runs without picture settings
    }
    return result;
}

std::string InvalidSlideConfigText(const std::string& fileName) {
    return "Invalid file format \"" + fileName + "\".";
}

} // namespace carvelle
