#include "value_json.h"

#include "codepage.h"
#include "primitives.h"

namespace carvelle {

void WriteJsonText(JsonWriter& json, const std::string& key, const std::string& storedText) {
    json.Key(key).Value(Windows1252ToUtf8(storedText));
}

void WriteJsonFont(JsonWriter& json, const std::string& key, const Font& font) {
    json.Key(key).BeginObject();
    WriteJsonText(json, "Name", font.Name);
    json.Key("Color").Value(font.Color);
    json.Key("Size").Value(font.Size);
    json.Key("Style").Value(font.Style);
    json.EndObject();
}

void WriteJsonPicture(JsonWriter& json, const std::string& key, const Picture& picture) {
    json.Key(key).BeginObject();
    json.Key("Class").Value(GraphicClassName(picture.Class));
    json.Key("Bytes").Value(static_cast<std::int64_t>(picture.Data.size()));
    json.EndObject();
}

} // namespace carvelle
