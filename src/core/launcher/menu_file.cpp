#include "menu_file.h"

#include "launcher/colour.h"
#include "launcher/tagged_fields.h"

namespace carvelle::launcher {

namespace {

constexpr std::uint8_t kFormat = 4;
constexpr std::uint8_t kVersion = 9;

const char* const kMenuNotRead = "Menu could not be read.";
const char* const kNotVersion9 =
    "This is not an Avensa Version 9 file. If you have created the saved settings in a previous "
    "version of Avensa you will need to manually recreate the file in this new version.";

// The signature is not checked, and a header cut short fails like a wrong format.
bool ReadHeader(FieldReader& reader, Menu& menu, int& actionCount) {
    for (char& c : menu.Signature) {
        c = static_cast<char>(reader.ReadRawByte());
    }
    if (reader.ReadRawByte() != kFormat || reader.Failed() || reader.ReadRawByte() != kVersion ||
        reader.Failed()) {
        return false;
    }
    for (std::uint8_t& b : menu.ReservedBytes) {
        b = reader.ReadRawByte();
    }
    actionCount = reader.ReadRawByte();
    menu.FrameCount = reader.ReadRawInt16();
    return true;
}

void ReadSettings(FieldReader& reader, MenuReadResult& result) {
    Menu& menu = result.Loaded;
    menu.ShapeColourIndex = reader.ReadIntField();
    const std::int64_t number = static_cast<std::int64_t>(menu.ShapeColourIndex) + 1;
    if (number > 1) {
        result.Traces.push_back("QBColor Called for: " + std::to_string(number));
    }
    menu.ShapeColour = ShapeColourFromIndex(menu.ShapeColourIndex);
    menu.NoFrameRegions = reader.ReadIntField();
    menu.Position = reader.ReadIntField();
    menu.DisplayTicks = reader.ReadIntField();
    menu.AutoLaunchMode = reader.ReadIntField();
    menu.FrameInterval = reader.ReadIntField();
    menu.AnimationMode = reader.ReadIntField();
    for (std::int32_t& reserved : menu.ReservedSettings) {
        reserved = reader.ReadIntField();
    }
}

void ReadActions(FieldReader& reader, Menu& menu, int actionCount) {
    MenuAction& main = menu.Actions[0];
    main.Target = reader.ReadStringField();
    main.ShowMaximised = reader.ReadIntField();
    main.Parameters = reader.ReadStringField();
    main.CloseAfterLaunch = reader.ReadIntField();
    menu.ViewersCaption = reader.ReadStringField();
    menu.ViewersText = reader.ReadStringField();
    for (int i = 1; i <= actionCount; ++i) {
        MenuAction alternative;
        alternative.Caption = reader.ReadStringField();
        alternative.Target = reader.ReadStringField();
        menu.Actions.push_back(std::move(alternative));
    }
}

void ReadPictures(FieldReader& reader, Menu& menu, Messages& messages) {
    // Damage among the settings shows only as failing pictures, as it always has.
    reader.ClearFailed();
    std::uint64_t budget = kMaxMenuPictureBytes;
    for (int k = 1; k <= menu.FrameCount; ++k) {
        Frame frame;
        if (!ReadPictureField(reader, frame, budget) || reader.Failed()) {
            messages.push_back({MessageKind::Warning, "Only " + std::to_string(k - 1) + " of " +
                                                          std::to_string(menu.FrameCount) +
                                                          " images loaded."});
            break;
        }
        menu.Frames.push_back(std::move(frame));
        menu.FrameRegions.push_back(reader.ReadStringField());
    }
}

} // namespace

MenuReadResult ReadMenu(Stream& exe, const PackageDirectory& directory, const std::string& name,
                        Messages& messages) {
    MenuReadResult result;
    Menu& menu = result.Loaded;
    menu.MenuName = name;
    std::string entry = name;
    if (!SeekEntry(exe, directory, entry, messages)) {
        messages.push_back({MessageKind::Error, kMenuNotRead});
        return result;
    }
    FieldReader reader(exe);
    int actionCount = 0;
    if (!ReadHeader(reader, menu, actionCount)) {
        messages.push_back({MessageKind::Information, kNotVersion9});
        messages.push_back({MessageKind::Error, kMenuNotRead});
        return result;
    }
    if (actionCount > kMaxMenuActions || menu.FrameCount > kMaxMenuFrames) {
        // More than the launcher's tables hold: refused rather than cut short.
        messages.push_back({MessageKind::Error, kMenuNotRead});
        return result;
    }
    ReadSettings(reader, result);
    ReadActions(reader, menu, actionCount);
    ReadPictures(reader, menu, messages);
    result.Read = true;
    return result;
}

StartupRead ReadStartupMenu(Stream& exe) {
    StartupRead startup;
    startup.PackageOpened = OpenPackage(exe, startup.Directory, startup.Boxes);
    if (!startup.PackageOpened) {
        startup.Boxes.push_back({MessageKind::Error, "Error in loading internal menu."});
        return startup;
    }
    startup.MenuRead =
        ReadMenu(exe, startup.Directory, startup.Directory.EntryNames[0], startup.Boxes);
    return startup;
}

void WriteMenu(Stream& out, const Menu& menu) {
    const int actionCount = menu.ActionCount();
    if (actionCount < 0 || actionCount > kMaxMenuActions) {
        throw StreamError("a menu holds at most 100 alternatives");
    }
    if (menu.Frames.size() > static_cast<std::size_t>(kMaxMenuFrames)) {
        throw StreamError("a menu holds at most 100 pictures");
    }
    if (menu.FrameRegions.size() != menu.Frames.size()) {
        throw StreamError("every picture needs its region text");
    }
    out.Write(menu.Signature.data(), menu.Signature.size());
    WriteByte(out, kFormat);
    WriteByte(out, kVersion);
    out.Write(menu.ReservedBytes.data(), menu.ReservedBytes.size());
    WriteByte(out, static_cast<std::uint8_t>(actionCount));
    WriteInt16(out, static_cast<std::int16_t>(menu.Frames.size()));

    WriteIntField(out, menu.ShapeColourIndex);
    WriteIntField(out, menu.NoFrameRegions);
    WriteIntField(out, menu.Position);
    WriteIntField(out, menu.DisplayTicks);
    WriteIntField(out, menu.AutoLaunchMode);
    WriteIntField(out, menu.FrameInterval);
    WriteIntField(out, menu.AnimationMode);
    for (const std::int32_t reserved : menu.ReservedSettings) {
        WriteIntField(out, reserved);
    }

    const MenuAction& main = menu.Actions[0];
    WriteStringField(out, main.Target);
    WriteIntField(out, main.ShowMaximised);
    WriteStringField(out, main.Parameters);
    WriteIntField(out, main.CloseAfterLaunch);
    WriteStringField(out, menu.ViewersCaption);
    WriteStringField(out, menu.ViewersText);
    for (int i = 1; i <= actionCount; ++i) {
        WriteStringField(out, menu.Actions[static_cast<std::size_t>(i)].Caption);
        WriteStringField(out, menu.Actions[static_cast<std::size_t>(i)].Target);
    }
    for (std::size_t k = 0; k < menu.Frames.size(); ++k) {
        WritePictureField(out, menu.Frames[k], static_cast<int>(k + 1));
        WriteStringField(out, menu.FrameRegions[k]);
    }
}

} // namespace carvelle::launcher
