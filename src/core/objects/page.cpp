#include "page.h"

#include "common/error_codes.h"
#include "common/guarded.h"
#include "common/native_path.h"
#include "common/primitives.h"
#include "common/safe_file.h"
#include "items_io.h"
#include "record_io.h"

namespace carvelle {

namespace {

constexpr std::int32_t kSectionMarker = -1;
constexpr std::uint64_t kMinObjectSize = 1 + kMinCommandSize;
constexpr std::uint64_t kMinToolButtonSize = 4 + 4 + 4 + kMinCommandSize + 1;
constexpr std::uint64_t kMinPanelSize = 1 + 4 + 4;

// Fields 1-42: the window, background, fades, start sound, kind and the start action.
template <typename IO> bool HeadFields(IO& io, auto& p) {
    if (!(io.U8(p.BorderIcons) && io.U8(p.BorderStyle) && io.I32(p.BorderWidth) &&
          io.String(p.Caption) && io.String(p.Hint) && io.U8(p.Position) && io.U8(p.WindowState) &&
          io.Colour(p.TransparentColorValue) && io.Bool(p.Transparent) && io.Picture(p.PageIcon) &&
          io.Colour(p.BackColor) && io.Colour(p.GradientColor) && io.U8(p.GradientStyle) &&
          io.Picture(p.BackImage) && io.U8(p.BackImageStyle) && io.Bool(p.Shadow) &&
          io.Colour(p.ShadowColor) && io.I32(p.ShadowXOff) && io.I32(p.ShadowYOff) &&
          io.U8(p.ShadowAlpha) && io.Bool(p.FadeIn) && io.Bool(p.FadeOut) &&
          io.I32(p.FadeInDelay) && io.I32(p.FadeInStep) && io.I32(p.FadeOutDelay) &&
          io.I32(p.FadeOutStep) && io.String(p.StartSound) && io.Bool(p.StartSoundLoop) &&
          io.I32(p.StartSoundDelay) && io.U8(p.PageKind) && io.U8(p.Reserved1) &&
          io.I32(p.Reserved2) && io.U8(p.Reserved3) && io.U8(p.Reserved4) && io.I32(p.StayTime) &&
          io.Bool(p.ClickContinue) && io.I32(p.Left) && io.I32(p.Top) && io.I32(p.Width) &&
          io.I32(p.Height) && io.Command(p.StartCommand))) {
        return false;
    }
    const bool hasPicture =
        IO::kReading ? !p.StartCommand.IdentityWasEmpty : !PackIdentity(p.StartCommand).empty();
    return !hasPicture || io.Picture(p.StartCommandPicture);
}

template <typename Items> bool ReadMenu(Stream& stream, Items& items) {
    const std::int32_t count = ReadBoundedCount(stream, kMinMenuItemSize);
    items.resize(static_cast<std::size_t>(count));
    for (auto& item : items) {
        if (!ReadMenuItem(stream, item)) {
            return false;
        }
    }
    return true;
}

bool WriteMenu(Stream& stream, const std::vector<TMenuItem>& items) {
    WriteInt32(stream, static_cast<std::int32_t>(items.size()));
    for (const TMenuItem& item : items) {
        if (!WriteMenuItem(stream, item)) {
            return false;
        }
    }
    return true;
}

bool ReadBars(Stream& stream, TPage& page) {
    RecordReader io(stream);
    StatusBarSettings& status = page.StatusBar;
    ToolBarSettings& tools = page.ToolBar;
    return io.I32(status.Height) && io.Font(status.Font) &&
           io.List(status.Panels, kMinPanelSize,
                   [&](StatusPanel& panel) { return ReadStatusPanel(stream, panel); }) &&
           io.Bool(tools.ShowCaptions) && io.Bool(tools.CaptionsRight) && io.Font(tools.Font) &&
           io.I32(tools.ImageWidth) && io.I32(tools.ImageHeight) &&
           io.List(tools.Buttons, kMinToolButtonSize,
                   [&](TAuToolButton& button) { return ReadToolButton(stream, button); });
}

bool WriteBars(Stream& stream, const TPage& page) {
    RecordWriter io(stream);
    const StatusBarSettings& status = page.StatusBar;
    const ToolBarSettings& tools = page.ToolBar;
    return io.I32(status.Height) && io.Font(status.Font) &&
           io.List(status.Panels, 0,
                   [&](const StatusPanel& panel) { return WriteStatusPanel(stream, panel); }) &&
           io.Bool(tools.ShowCaptions) && io.Bool(tools.CaptionsRight) && io.Font(tools.Font) &&
           io.I32(tools.ImageWidth) && io.I32(tools.ImageHeight) &&
           io.List(tools.Buttons, 0,
                   [&](const TAuToolButton& button) { return WriteToolButton(stream, button); });
}

} // namespace

bool WritePage(Stream& stream, const TPage& page, RecordOptions options) {
    return Guarded(ErrorCode::PageWrite, [&] {
        RecordWriter io(stream);
        if (!HeadFields(io, page)) {
            return false;
        }
        WriteInt32(stream, kSectionMarker);
        if (!WriteMenu(stream, page.MainMenu)) {
            return false;
        }
        WriteInt32(stream, kSectionMarker);
        if (!WriteMenu(stream, page.PopupMenu)) {
            return false;
        }
        WriteInt32(stream, kSectionMarker);
        if (!WriteBars(stream, page)) {
            return false;
        }
        WriteInt32(stream, static_cast<std::int32_t>(page.Objects.size()));
        for (const TAutoObject& object : page.Objects) {
            if (!WriteObject(stream, object, options)) {
                return false;
            }
        }
        return WriteString(stream, page.PageName);
    });
}

bool ReadPage(Stream& stream, TPage& page, RecordOptions options) {
    page = TPage{};
    return Guarded(ErrorCode::PageRead, [&] {
        RecordReader io(stream);
        if (!HeadFields(io, page)) {
            return false;
        }
        // Menus and bars came in stages; each stage starts with a -1 where older records
        // already hold the object count.
        std::int32_t next = ReadInt32(stream);
        if (next == kSectionMarker) {
            if (!ReadMenu(stream, page.MainMenu)) {
                return false;
            }
            next = ReadInt32(stream);
        }
        if (next == kSectionMarker) {
            if (!ReadMenu(stream, page.PopupMenu)) {
                return false;
            }
            next = ReadInt32(stream);
        }
        if (next == kSectionMarker) {
            if (!ReadBars(stream, page)) {
                return false;
            }
            next = ReadInt32(stream);
        }
        if (next < 0 || static_cast<std::uint64_t>(next) * kMinObjectSize > stream.Remaining()) {
            throw StreamError("object count beyond the end of data");
        }
        page.Objects.reserve(static_cast<std::size_t>(next));
        for (std::int32_t i = 0; i < next; ++i) {
            TAutoObject object;
            if (!ReadObject(stream, object, options)) {
                return false;
            }
            page.Objects.push_back(std::move(object));
        }
        return ReadString(stream, page.PageName);
    });
}

bool WritePageFile(const std::string& fileName, const TPage& page, RecordOptions options) {
    const auto path = ToNativePath(fileName);
    SafeFileWriter writer(path);
    if (!writer.Open()) {
        ReportFileError(ErrorCode::PageFileWrite, path.string(), writer.OpenError());
        return false;
    }
    if (!WritePage(writer.Stream(), page, options)) {
        return false;
    }
    return GuardedFile(ErrorCode::PageFileWrite, path.string(), [&] {
        writer.Commit();
        return true;
    });
}

bool ReadPageFile(const std::string& fileName, TPage& page, RecordOptions options) {
    const auto path = FindNativePath(fileName);
    FileStream stream;
    if (!stream.Open(path, FileStream::Mode::Read)) {
        ReportFileError(ErrorCode::PageFileRead, path.string(), stream.OpenError());
        return false;
    }
    return ReadPage(stream, page, options);
}

} // namespace carvelle
