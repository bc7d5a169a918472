#include "page_json.h"

#include "common/json_writer.h"
#include "common/value_json.h"
#include "kind_blocks.h"
#include "record_fields.h"

namespace carvelle {

namespace {

void WriteEffect(JsonWriter& json, const TextEffect& e) {
    json.BeginObject();
    json.Key("Alpha").Value(e.Alpha).Key("Angle").Value(e.Angle).Key("Blur").Value(e.Blur);
    json.Key("HorzMirror").Value(e.HorzMirror).Key("Noise").Value(e.Noise);
    json.Key("Outline").Value(e.Outline).Key("Spray").Value(e.Spray);
    json.Key("VertMirror").Value(e.VertMirror);
    json.Key("Gradual").BeginObject();
    json.Key("Enabled").Value(e.Gradual.Enabled).Key("EndColor").Value(e.Gradual.EndColor);
    json.Key("StartColor").Value(e.Gradual.StartColor).Key("Style").Value(e.Gradual.Style);
    json.EndObject();
    json.Key("Shadow").BeginObject();
    json.Key("Alpha").Value(e.Shadow.Alpha).Key("Blur").Value(e.Shadow.Blur);
    json.Key("Color").Value(e.Shadow.Color).Key("Enabled").Value(e.Shadow.Enabled);
    json.Key("OffsetX").Value(e.Shadow.OffsetX).Key("OffsetY").Value(e.Shadow.OffsetY);
    json.EndObject();
    json.Key("Texture").BeginObject();
    json.Key("Enabled").Value(e.Texture.Enabled).Key("Mode").Value(e.Texture.Mode);
    WriteJsonPicture(json, "Picture", e.Texture.Picture);
    json.EndObject();
    json.EndObject();
}

void WriteAction(JsonWriter& json, const TCommand& c) {
    json.Key("ActionKind").Value(c.ActionKind).Key("ShowCommand").Value(c.ShowCommand);
    WriteJsonText(json, "Target", c.Target);
    WriteJsonText(json, "Parameters", c.Parameters);
    WriteJsonText(json, "Folder", c.Folder);
    json.Key("CloseAfterAction").Value(c.CloseAfterAction);
}

void WriteCommandJson(JsonWriter& json, const TCommand& c) {
    json.BeginObject();
    WriteAction(json, c);
    const std::pair<const char*, const std::string*> texts[] = {
        {"ClickSound", &c.ClickSound},
        {"MouseDownSound", &c.MouseDownSound},
        {"MouseUpSound", &c.MouseUpSound},
        {"MouseEnterSound", &c.MouseEnterSound},
        {"MouseLeaveSound", &c.MouseLeaveSound},
        {"Cursor", &c.Cursor},
        {"Name", &c.Name},
        {"Comment", &c.Comment},
        {"CommentViewer", &c.CommentViewer},
        {"GraphicCommentViewer", &c.GraphicCommentViewer},
        {"SelectFile", &c.SelectFile},
        {"SelectParameters", &c.SelectParameters},
        {"SelectFolder", &c.SelectFolder},
        {"SelectWait", &c.SelectWait},
    };
    for (const auto& [key, text] : texts) {
        WriteJsonText(json, key, *text);
    }
    json.Key("WindowMoveHandle").Value(c.WindowMoveHandle).Key("Enabled").Value(c.Enabled);
    json.Key("Visible").Value(c.Visible);
    WriteJsonText(json, "GroupName", c.GroupName);
    json.Key("CheckStyleInGroup").Value(c.CheckStyleInGroup).Key("Checked").Value(c.Checked);
    json.EndObject();
}

// Describes a record through the same field sequence that reads and writes it.
class JsonRecordWriter {
public:
    static constexpr bool kReading = false;
    explicit JsonRecordWriter(JsonWriter& json) : json_(json) {}

    bool U8(const char* name, std::uint8_t v) { return json_.Key(name).Value(v), true; }
    bool Bool(const char* name, bool v) { return json_.Key(name).Value(v), true; }
    bool I16(const char* name, std::int16_t v) {
        return json_.Key(name).Value(static_cast<std::int32_t>(v)), true;
    }
    bool I32(const char* name, std::int32_t v) { return json_.Key(name).Value(v), true; }
    bool Colour(const char* name, carvelle::Colour v) { return json_.Key(name).Value(v), true; }
    bool String(const char* name, const std::string& v) {
        WriteJsonText(json_, name, v);
        return true;
    }
    bool Font(const char* name, const carvelle::Font& v) {
        WriteJsonFont(json_, name, v);
        return true;
    }
    bool Picture(const char* name, const carvelle::Picture& v) {
        WriteJsonPicture(json_, name, v);
        return true;
    }
    bool Effect(const char* name, const TextEffect& v) {
        json_.Key(name);
        WriteEffect(json_, v);
        return true;
    }
    bool FontLabels(const char* name, const std::vector<FontLabel>& labels) {
        json_.Key(name).BeginArray();
        for (const FontLabel& label : labels) {
            json_.BeginObject().Key("Effect");
            WriteEffect(json_, label.Effect);
            WriteJsonFont(json_, "Font", label.Font);
            WriteJsonText(json_, "Name", label.Name);
            json_.EndObject();
        }
        json_.EndArray();
        return true;
    }
    bool Command(const char* name, const TCommand& v) {
        json_.Key(name);
        WriteCommandJson(json_, v);
        return true;
    }
    bool Blob(const char* name, const std::string& v) { return String(name, v); }
    bool Bounds(const char*, const carvelle::Bounds& v) {
        json_.Key("Left").Value(v.Left).Key("Top").Value(v.Top);
        json_.Key("Width").Value(v.Width).Key("Height").Value(v.Height);
        return true;
    }
    bool WideBool(const char* name, bool v) { return Bool(name, v); }
    bool CompactAction(const char*, const std::string& encoded) {
        TCommand action;
        json_.Key("Action");
        if (encoded.empty() || !DecodeCompactAction(encoded, action)) {
            json_.Value("");
            return true;
        }
        json_.BeginObject();
        WriteAction(json_, action);
        json_.EndObject();
        return true;
    }
    bool AcceptedTexts(const std::string& text, const std::string& list) {
        return String("AccurateText", text) && String("TextList", list);
    }
    bool Marker(std::int32_t) { return true; }
    template <typename Body> bool Object(const char* name, Body&& body) {
        json_.Key(name).BeginObject();
        const bool result = body();
        json_.EndObject();
        return result;
    }
    template <typename T, typename Entry>
    bool List(const char* name, const std::vector<T>& items, std::uint64_t, Entry&& entry) {
        json_.Key(name).BeginArray();
        for (const T& item : items) {
            json_.BeginObject();
            entry(item);
            json_.EndObject();
        }
        json_.EndArray();
        return true;
    }

private:
    JsonWriter& json_;
};

void WriteObjectJson(JsonRecordWriter& io, JsonWriter& json, const TAutoObject& object) {
    const std::uint8_t kind = object.Kind();
    json.BeginObject();
    json.Key("Kind").Value(kind).Key("KindName").Value(KindInfoOf(kind).Name);
    io.Command("Command", object.Command);
    fields::MenuFields(io, "PopupMenu", object.PopupMenu);
    io.Picture("GraphicComment", object.GraphicComment);
    std::visit([&](const auto& block) { fields::KindFields(io, block); }, object.Properties);
    json.EndObject();
}

} // namespace

std::string PageJson(const TPage& page) {
    JsonWriter json;
    JsonRecordWriter io(json);
    json.BeginObject();
    fields::PageHeadFields(io, page);
    fields::MenuFields(io, "MainMenu", page.MainMenu);
    fields::MenuFields(io, "PopupMenu", page.PopupMenu);
    fields::BarsFields(io, page);
    json.Key("Objects").BeginArray();
    for (const TAutoObject& object : page.Objects) {
        WriteObjectJson(io, json, object);
    }
    json.EndArray();
    WriteJsonText(json, "PageName", page.PageName);
    json.EndObject();
    return json.Text() + "\n";
}

} // namespace carvelle
