#include "menu_description.h"

#include "launcher/region_text.h"

#include "common/codepage.h"
#include "common/json_writer.h"

#include <QDir>
#include <QImage>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>

#include <cmath>
#include <limits>
#include <optional>
#include <set>

namespace carvelle::avensa {

namespace {

using launcher::Frame;
using launcher::Menu;
using launcher::MenuAction;

// Thrown with the key at fault; caught once, at the top.
struct DescriptionError {
    std::string key;
    std::string problem;
};

std::string Key(const std::string& parent, const QString& key) {
    return parent.empty() ? key.toStdString() : parent + "." + key.toStdString();
}

void CheckKeys(const QJsonObject& object, const std::string& parent,
               const std::set<QString>& allowed) {
    for (auto it = object.begin(); it != object.end(); ++it) {
        if (!allowed.count(it.key())) {
            throw DescriptionError{Key(parent, it.key()), "unknown key"};
        }
    }
}

std::int32_t Integer(const QJsonObject& object, const std::string& parent, const QString& key,
                     std::int32_t fallback, std::int64_t low, std::int64_t high,
                     bool flag = false) {
    const QJsonValue value = object.value(key);
    if (value.isUndefined()) {
        return fallback;
    }
    if (flag && value.isBool()) {
        return value.toBool() ? 1 : 0;
    }
    const double number = value.toDouble(std::nan(""));
    if (!value.isDouble() || std::floor(number) != number || number < static_cast<double>(low) ||
        number > static_cast<double>(high)) {
        throw DescriptionError{Key(parent, key),
                               "expected a whole number from " + std::to_string(low) + " to " +
                                   std::to_string(high) + (flag ? ", or true or false" : "")};
    }
    return static_cast<std::int32_t>(number);
}

std::string Text(const QJsonObject& object, const std::string& parent, const QString& key,
                 const std::string& fallback = {}) {
    const QJsonValue value = object.value(key);
    if (value.isUndefined()) {
        return fallback;
    }
    if (!value.isString()) {
        throw DescriptionError{Key(parent, key), "expected a text"};
    }
    const std::string utf8 = value.toString().toStdString();
    std::string stored = Utf8ToWindows1252(utf8);
    if (Windows1252ToUtf8(stored) != utf8) {
        throw DescriptionError{Key(parent, key),
                               "holds characters the menu's 8-bit texts cannot store"};
    }
    return stored;
}

QJsonObject Object(const QJsonValue& value, const std::string& key) {
    if (!value.isObject()) {
        throw DescriptionError{key, "expected an object"};
    }
    return value.toObject();
}

QJsonArray Array(const QJsonObject& object, const QString& key, int limit) {
    const QJsonValue value = object.value(key);
    if (value.isUndefined()) {
        return {};
    }
    if (!value.isArray()) {
        throw DescriptionError{key.toStdString(), "expected a list"};
    }
    if (value.toArray().size() > limit) {
        throw DescriptionError{key.toStdString(),
                               "holds more than " + std::to_string(limit) + " items"};
    }
    return value.toArray();
}

std::optional<std::uint32_t> RegionColour(const QJsonObject& description) {
    const QJsonValue value = description.value(QStringLiteral("RegionColour"));
    if (value.isUndefined()) {
        return std::nullopt;
    }
    static const QRegularExpression pattern(QStringLiteral("^#[0-9A-Fa-f]{6}$"));
    if (!value.isString() || !pattern.match(value.toString()).hasMatch()) {
        throw DescriptionError{"RegionColour", "expected a colour as \"#RRGGBB\""};
    }
    return value.toString().mid(1).toUInt(nullptr, 16);
}

Frame LoadFrame(const QString& path, const std::string& key) {
    QImage image(path);
    if (image.isNull()) {
        throw DescriptionError{key, "cannot read the picture " + path.toStdString()};
    }
    // The region text keeps each side in four digits.
    if (image.width() > 9999 || image.height() > 9999) {
        throw DescriptionError{key, "the picture is larger than 9999 pixels on a side"};
    }
    image = image.convertToFormat(QImage::Format_RGB32);
    Frame frame{image.width(), image.height(), {}};
    frame.Pixels.reserve(static_cast<std::size_t>(image.width()) *
                         static_cast<std::size_t>(image.height()));
    for (int y = 0; y < image.height(); ++y) {
        const auto* row = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            frame.Pixels.push_back(row[x] & 0xFFFFFFu);
        }
    }
    return frame;
}

void ReadFrames(const QJsonObject& description, const QString& folder, Menu& menu) {
    const std::optional<std::uint32_t> cutColour = RegionColour(description);
    const QJsonArray frames =
        Array(description, QStringLiteral("Frames"), launcher::kMaxMenuFrames);
    for (int i = 0; i < frames.size(); ++i) {
        const std::string key = "Frames[" + std::to_string(i) + "]";
        const QJsonObject entry = Object(frames[i], key);
        CheckKeys(entry, key, {QStringLiteral("File"), QStringLiteral("Region")});
        const QJsonValue file = entry.value(QStringLiteral("File"));
        if (!file.isString() || file.toString().isEmpty()) {
            throw DescriptionError{key + ".File", "expected the name of a picture file"};
        }
        Frame frame = LoadFrame(QDir(folder).filePath(file.toString()), key + ".File");
        std::string region;
        if (entry.contains(QStringLiteral("Region"))) {
            region = Text(entry, key, QStringLiteral("Region"));
            const auto parsed = launcher::ParseRegionText(region);
            if (!parsed) {
                throw DescriptionError{key + ".Region", "is not a region text"};
            }
            if (parsed->Width != frame.Width || parsed->Height != frame.Height) {
                throw DescriptionError{key + ".Region", "is for a picture of another size than " +
                                                            std::to_string(frame.Width) + " x " +
                                                            std::to_string(frame.Height)};
            }
        } else {
            region = *launcher::MakeRegionText(frame, cutColour);
        }
        menu.Frames.push_back(std::move(frame));
        menu.FrameRegions.push_back(std::move(region));
    }
}

void ReadMenu(const QJsonObject& description, const QString& folder, Menu& menu,
              std::string& entryName) {
    CheckKeys(description, "",
              {QStringLiteral("Name"), QStringLiteral("ShapeColourIndex"),
               QStringLiteral("NoFrameRegions"), QStringLiteral("Position"),
               QStringLiteral("DisplayTicks"), QStringLiteral("AutoLaunchMode"),
               QStringLiteral("FrameInterval"), QStringLiteral("AnimationMode"),
               QStringLiteral("MainAction"), QStringLiteral("ViewersCaption"),
               QStringLiteral("ViewersText"), QStringLiteral("Alternatives"),
               QStringLiteral("Frames"), QStringLiteral("RegionColour")});
    constexpr std::int64_t kMax = std::numeric_limits<std::int32_t>::max();
    entryName = Text(description, "", QStringLiteral("Name"), "menu");
    if (entryName.size() > launcher::kEntryNameSize) {
        throw DescriptionError{"Name", "is longer than 256 characters"};
    }
    menu.ShapeColourIndex = Integer(description, "", QStringLiteral("ShapeColourIndex"), 0, 0, 15);
    menu.NoFrameRegions = Integer(description, "", QStringLiteral("NoFrameRegions"), 0, 0, 1, true);
    menu.Position = Integer(description, "", QStringLiteral("Position"), 0, 0, 10);
    menu.DisplayTicks = Integer(description, "", QStringLiteral("DisplayTicks"), 50, 0, kMax);
    menu.AutoLaunchMode = Integer(description, "", QStringLiteral("AutoLaunchMode"), 3, 0, 3);
    menu.FrameInterval = Integer(description, "", QStringLiteral("FrameInterval"), 100, 0, kMax);
    menu.AnimationMode = Integer(description, "", QStringLiteral("AnimationMode"), 3, 0, 5);

    MenuAction& main = menu.Actions[0];
    main.Target = "*";
    if (description.contains(QStringLiteral("MainAction"))) {
        const QJsonObject action =
            Object(description.value(QStringLiteral("MainAction")), "MainAction");
        CheckKeys(action, "MainAction",
                  {QStringLiteral("Target"), QStringLiteral("Parameters"),
                   QStringLiteral("ShowMaximised"), QStringLiteral("CloseAfterLaunch")});
        main.Target = Text(action, "MainAction", QStringLiteral("Target"), "*");
        main.Parameters = Text(action, "MainAction", QStringLiteral("Parameters"));
        main.ShowMaximised =
            Integer(action, "MainAction", QStringLiteral("ShowMaximised"), 0, -1, 1, true);
        main.CloseAfterLaunch =
            Integer(action, "MainAction", QStringLiteral("CloseAfterLaunch"), 0, 0, 1, true);
    }
    menu.ViewersCaption = Text(description, "", QStringLiteral("ViewersCaption"));
    menu.ViewersText = Text(description, "", QStringLiteral("ViewersText"));

    const QJsonArray alternatives =
        Array(description, QStringLiteral("Alternatives"), launcher::kMaxMenuActions);
    for (int i = 0; i < alternatives.size(); ++i) {
        const std::string key = "Alternatives[" + std::to_string(i) + "]";
        const QJsonObject entry = Object(alternatives[i], key);
        CheckKeys(entry, key, {QStringLiteral("Caption"), QStringLiteral("Target")});
        MenuAction alternative;
        alternative.Caption = Text(entry, key, QStringLiteral("Caption"));
        alternative.Target = Text(entry, key, QStringLiteral("Target"));
        menu.Actions.push_back(std::move(alternative));
    }
    ReadFrames(description, folder, menu);
}

void WriteText(JsonWriter& json, const char* key, const std::string& stored) {
    json.Key(key).Value(Windows1252ToUtf8(stored));
}

} // namespace

bool MenuFromDescription(const QByteArray& json, const QString& folder, Menu& menu,
                         std::string& entryName, std::string& error) {
    QJsonParseError parseError{};
    const QJsonDocument document = QJsonDocument::fromJson(json, &parseError);
    if (parseError.error != QJsonParseError::NoError) {
        error = "not valid JSON at offset " + std::to_string(parseError.offset) + ": " +
                parseError.errorString().toStdString();
        return false;
    }
    if (!document.isObject()) {
        error = "the description must be a JSON object";
        return false;
    }
    try {
        menu = Menu{};
        ReadMenu(document.object(), folder, menu, entryName);
        return true;
    } catch (const DescriptionError& bad) {
        error = "\"" + bad.key + "\": " + bad.problem;
        return false;
    }
}

std::string DescribePackage(const launcher::PackageDirectory& directory, const Menu* menu) {
    JsonWriter json;
    json.BeginObject().Key("Entries").BeginArray();
    for (int i = 0; i < directory.EntryCount; ++i) {
        const auto slot = static_cast<std::size_t>(i);
        json.BeginObject();
        WriteText(json, "Name", directory.EntryNames[slot]);
        json.Key("Offset").Value(directory.EntryOffsets[slot]);
        json.EndObject();
    }
    json.EndArray();
    if (menu) {
        json.Key("Menu").BeginObject();
        WriteText(json, "Name", menu->MenuName);
        json.Key("ShapeColourIndex").Value(menu->ShapeColourIndex);
        json.Key("NoFrameRegions").Value(menu->NoFrameRegions);
        json.Key("Position").Value(menu->Position);
        json.Key("DisplayTicks").Value(menu->DisplayTicks);
        json.Key("AutoLaunchMode").Value(menu->AutoLaunchMode);
        json.Key("FrameInterval").Value(menu->FrameInterval);
        json.Key("AnimationMode").Value(menu->AnimationMode);
        const MenuAction& main = menu->Actions[0];
        json.Key("MainAction").BeginObject();
        WriteText(json, "Target", main.Target);
        WriteText(json, "Parameters", main.Parameters);
        json.Key("ShowMaximised").Value(main.ShowMaximised);
        json.Key("CloseAfterLaunch").Value(main.CloseAfterLaunch);
        json.EndObject();
        WriteText(json, "ViewersCaption", menu->ViewersCaption);
        WriteText(json, "ViewersText", menu->ViewersText);
        json.Key("Alternatives").BeginArray();
        for (int i = 1; i <= menu->ActionCount(); ++i) {
            const MenuAction& alternative = menu->Actions[static_cast<std::size_t>(i)];
            json.BeginObject();
            WriteText(json, "Caption", alternative.Caption);
            WriteText(json, "Target", alternative.Target);
            json.EndObject();
        }
        json.EndArray().Key("Frames").BeginArray();
        for (std::size_t k = 0; k < menu->Frames.size(); ++k) {
            json.BeginObject();
            json.Key("Width").Value(menu->Frames[k].Width);
            json.Key("Height").Value(menu->Frames[k].Height);
            WriteText(json, "Region", menu->FrameRegions[k]);
            json.EndObject();
        }
        json.EndArray().EndObject();
    }
    json.EndObject();
    return json.Text() + "\n";
}

} // namespace carvelle::avensa
