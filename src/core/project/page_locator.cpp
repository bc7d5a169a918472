#include "page_locator.h"

#include "common/error_codes.h"
#include "common/guarded.h"
#include "common/native_path.h"
#include "common/primitives.h"
#include "project_file.h"

#include <algorithm>
#include <cerrno>

namespace carvelle {

namespace {

template <typename Match> int FindPage(const ProjectSession& session, Match&& match) {
    const auto& pages = session.Project.Pages;
    const auto entry = std::find_if(pages.begin(), pages.end(), match);
    return entry == pages.end() ? -1 : static_cast<int>(entry - pages.begin());
}

} // namespace

int FindPageByName(const ProjectSession& session, const std::string& name) {
    return FindPage(session, [&](const TAutoFormInfo& info) { return info.Name == name; });
}

int FindFirstPageOfKind(const ProjectSession& session, std::int32_t kind) {
    return FindPage(session, [&](const TAutoFormInfo& info) { return info.Kind == kind; });
}

std::string PageFileName(const ProjectSession& session, std::size_t index) {
    if (session.Source == ProjectSource::SourceFiles) {
        return session.ProjectFolder + kSourceFolderName + "\\" +
               session.Project.Pages.at(index).Name + ".pg";
    }
    return session.ProjectFolder + "\\" + kTargetFileName;
}

bool OpenPageStream(const ProjectSession& session, std::size_t index, FileStream& stream,
                    int& systemError) {
    systemError = 0;
    if (index >= session.Project.Pages.size()) {
        systemError = EINVAL;
        return false;
    }
    if (!stream.Open(FindNativePath(PageFileName(session, index)), FileStream::Mode::Read)) {
        systemError = stream.OpenError();
        return false;
    }
    if (session.Source != ProjectSource::SourceFiles) {
        const std::int32_t position = session.Project.Pages[index].Position;
        if (position < 0 || static_cast<std::uint64_t>(position) > stream.Size()) {
            return false;
        }
        stream.Seek(static_cast<std::uint64_t>(position));
    }
    return true;
}

bool ReadPageTitle(const ProjectSession& session, std::size_t index, std::string& caption,
                   Picture& icon) {
    if (index >= session.Project.Pages.size()) {
        return false;
    }
    return Guarded(ErrorCode::PageTitleRead, [&] {
        FileStream stream;
        int systemError = 0;
        if (!OpenPageStream(session, index, stream, systemError)) {
            throw StreamError("cannot open the page", systemError);
        }
        // Border icons, border style and width come before the caption.
        ReadByte(stream);
        ReadByte(stream);
        ReadInt32(stream);
        if (!ReadString(stream, caption)) {
            return false;
        }
        std::string hint;
        if (!ReadString(stream, hint)) {
            return false;
        }
        // Position, window state, transparent colour and flag come before the icon.
        ReadByte(stream);
        ReadByte(stream);
        ReadUInt32(stream);
        ReadByte(stream);
        return ReadPicture(stream, icon);
    });
}

} // namespace carvelle
