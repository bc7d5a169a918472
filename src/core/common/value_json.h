#pragma once

#include "json_writer.h"
#include "values.h"

#include <string>

namespace carvelle {

// Stored values as the command-line tools show them: texts decoded from Windows-1252,
// fonts as {"Name","Color","Size","Style"}, pictures as {"Class","Bytes"} with the byte count.
void WriteJsonText(JsonWriter& json, const std::string& key, const std::string& storedText);
void WriteJsonFont(JsonWriter& json, const std::string& key, const Font& font);
void WriteJsonPicture(JsonWriter& json, const std::string& key, const Picture& picture);

} // namespace carvelle
