#include "project_file.h"

#include "common/error_codes.h"
#include "common/guarded.h"
#include "common/native_path.h"
#include "common/primitives.h"
#include "common/safe_file.h"

namespace carvelle {

namespace {

// Smallest stored sizes, used to refuse counts that cannot fit in what remains.
constexpr std::uint64_t kMinInstallerSize = 7 * 4 + 4 + 4 + 3;
constexpr std::uint64_t kMinPageEntrySize = 4 + 4 + 4;

// Fields 1-23 of the settings block.
bool ReadSettingsFields(Stream& stream, TSettings& s) {
    if (!ReadString(stream, s.Title)) {
        return false;
    }
    s.Style = ReadInt32(stream);
    if (!ReadString(stream, s.TabSheets) || !ReadFont(stream, s.TabFont)) {
        return false;
    }
    s.ShowSheetIcons = ReadBool(stream);
    s.IconSize = ReadInt32(stream);
    THintSettings& h = s.Hint;
    h.UseCustomizedHint = ReadBool(stream);
    h.Direction = ReadByte(stream);
    if (!ReadFont(stream, h.HintFont)) {
        return false;
    }
    h.Color = ReadUInt32(stream);
    h.ShowPause = ReadInt32(stream);
    h.HidePause = ReadInt32(stream);
    h.BorderColor = ReadUInt32(stream);
    h.ShadowColor = ReadUInt32(stream);
    h.BackStyle = ReadInt32(stream);
    h.GradientColor = ReadUInt32(stream);
    if (!ReadPicture(stream, h.BackImage)) {
        return false;
    }
    h.ShadowOffset = ReadInt32(stream);
    s.RequireAdministrator = ReadBool(stream);
    stream.ReadExact(s.ReservedBytes.data(), s.ReservedBytes.size());
    return ReadString(stream, s.AdministratorMessage) && ReadString(stream, s.ReservedText1) &&
           ReadString(stream, s.ReservedText2);
}

bool WriteSettingsFields(Stream& stream, const TSettings& s) {
    if (!WriteString(stream, s.Title)) {
        return false;
    }
    WriteInt32(stream, s.Style);
    if (!WriteString(stream, s.TabSheets) || !WriteFont(stream, s.TabFont)) {
        return false;
    }
    WriteBool(stream, s.ShowSheetIcons);
    WriteInt32(stream, s.IconSize);
    const THintSettings& h = s.Hint;
    WriteBool(stream, h.UseCustomizedHint);
    WriteByte(stream, h.Direction);
    if (!WriteFont(stream, h.HintFont)) {
        return false;
    }
    WriteUInt32(stream, h.Color);
    WriteInt32(stream, h.ShowPause);
    WriteInt32(stream, h.HidePause);
    WriteUInt32(stream, h.BorderColor);
    WriteUInt32(stream, h.ShadowColor);
    WriteInt32(stream, h.BackStyle);
    WriteUInt32(stream, h.GradientColor);
    if (!WritePicture(stream, h.BackImage)) {
        return false;
    }
    WriteInt32(stream, h.ShadowOffset);
    WriteBool(stream, s.RequireAdministrator);
    stream.Write(s.ReservedBytes.data(), s.ReservedBytes.size());
    return WriteString(stream, s.AdministratorMessage) && WriteString(stream, s.ReservedText1) &&
           WriteString(stream, s.ReservedText2);
}

std::string ReportedName(const std::string& fileName) {
    return ToNativePath(fileName).string();
}

} // namespace

bool ReadInstaller(Stream& stream, TInstallWare& w) {
    return Guarded(ErrorCode::InstallerRead, [&] {
        if (!ReadString(stream, w.Executable) || !ReadString(stream, w.Parameters) ||
            !ReadString(stream, w.StartFolder)) {
            return false;
        }
        w.Wait = ReadBool(stream);
        w.When = ReadInt32(stream);
        if (!ReadString(stream, w.FileType) || !ReadString(stream, w.ReservedText)) {
            return false;
        }
        w.ReservedValue = ReadInt32(stream);
        w.Prompt = ReadBool(stream);
        if (!ReadString(stream, w.PromptCaption) || !ReadString(stream, w.PromptMessage)) {
            return false;
        }
        w.AllowSkip = ReadBool(stream);
        return true;
    });
}

bool WriteInstaller(Stream& stream, const TInstallWare& w) {
    return Guarded(ErrorCode::InstallerWrite, [&] {
        if (!WriteString(stream, w.Executable) || !WriteString(stream, w.Parameters) ||
            !WriteString(stream, w.StartFolder)) {
            return false;
        }
        WriteBool(stream, w.Wait);
        WriteInt32(stream, w.When);
        if (!WriteString(stream, w.FileType) || !WriteString(stream, w.ReservedText)) {
            return false;
        }
        WriteInt32(stream, w.ReservedValue);
        WriteBool(stream, w.Prompt);
        if (!WriteString(stream, w.PromptCaption) || !WriteString(stream, w.PromptMessage)) {
            return false;
        }
        WriteBool(stream, w.AllowSkip);
        return true;
    });
}

bool ReadSettings(Stream& stream, TSettings& settings) {
    return Guarded(ErrorCode::SettingsRead, [&] {
        if (!ReadSettingsFields(stream, settings)) {
            return false;
        }
        settings.Installers.clear();
        const std::int32_t count = ReadBoundedCount(stream, kMinInstallerSize);
        for (std::int32_t i = 0; i < count; ++i) {
            TInstallWare installer;
            if (!ReadInstaller(stream, installer)) {
                return false;
            }
            settings.Installers.push_back(std::move(installer));
        }
        return true;
    });
}

bool WriteSettings(Stream& stream, const TSettings& settings) {
    return Guarded(ErrorCode::SettingsWrite, [&] {
        if (!WriteSettingsFields(stream, settings)) {
            return false;
        }
        WriteInt32(stream, static_cast<std::int32_t>(settings.Installers.size()));
        for (const TInstallWare& installer : settings.Installers) {
            if (!WriteInstaller(stream, installer)) {
                return false;
            }
        }
        return true;
    });
}

bool ReadProjectHeader(Stream& stream, ProjectHeader& header) {
    header.Pages.clear();
    return Guarded(ErrorCode::PageListRead, [&] {
        const std::int32_t marker = ReadInt32(stream);
        std::int32_t count = marker;
        if (marker == -1) {
            if (!ReadSettings(stream, header.Settings)) {
                return false;
            }
            count = ReadInt32(stream);
        } else {
            // An older file: no settings block, the marker is the page count.
            header.Settings.ResetKeepingInstallers();
        }
        if (count < 0 ||
            static_cast<std::uint64_t>(count) * kMinPageEntrySize > stream.Remaining()) {
            throw StreamError("page count beyond the end of data");
        }
        for (std::int32_t i = 0; i < count; ++i) {
            TAutoFormInfo entry;
            if (!ReadString(stream, entry.Name)) {
                return false;
            }
            entry.Kind = ReadInt32(stream);
            entry.Position = ReadInt32(stream);
            entry.SavedName = entry.Name;
            entry.Modified = false;
            header.Pages.push_back(std::move(entry));
        }
        return true;
    });
}

bool WriteProjectHeader(Stream& stream, const ProjectHeader& header) {
    return Guarded(ErrorCode::PageListWrite, [&] {
        WriteInt32(stream, -1);
        if (!WriteSettings(stream, header.Settings)) {
            return false;
        }
        WriteInt32(stream, static_cast<std::int32_t>(header.Pages.size()));
        for (const TAutoFormInfo& entry : header.Pages) {
            if (!WriteString(stream, entry.Name)) {
                return false;
            }
            WriteInt32(stream, entry.Kind);
            WriteInt32(stream, entry.Position);
        }
        return true;
    });
}

bool ReadProjectFile(const std::string& fileName, ProjectHeader& header) {
    const auto path = FindNativePath(fileName);
    return GuardedFile(ErrorCode::ProjectFileRead, path.string(), [&] {
        FileStream stream;
        if (!stream.Open(path, FileStream::Mode::Read)) {
            throw StreamError("cannot open", stream.OpenError());
        }
        if (!ReadProjectHeader(stream, header)) {
            return false;
        }
        header.TrailingByte = ReadByte(stream);
        return true;
    });
}

bool WriteProjectFile(const std::string& fileName, const ProjectHeader& header) {
    return GuardedFile(ErrorCode::ProjectFileWrite, ReportedName(fileName), [&] {
        SafeFileWriter writer(ToNativePath(fileName));
        if (!writer.Open()) {
            throw StreamError("cannot create", writer.OpenError());
        }
        if (!WriteProjectHeader(writer.Stream(), header)) {
            return false;
        }
        WriteByte(writer.Stream(), header.TrailingByte);
        writer.Commit();
        return true;
    });
}

} // namespace carvelle
