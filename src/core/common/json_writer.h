#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace carvelle {

// Builds indented JSON with keys in the order they are written. Strings must be UTF-8.
class JsonWriter {
public:
    JsonWriter& BeginObject();
    JsonWriter& EndObject();
    JsonWriter& BeginArray();
    JsonWriter& EndArray();
    JsonWriter& Key(std::string_view key);
    JsonWriter& Value(std::string_view text);
    JsonWriter& Value(const char* text) { return Value(std::string_view(text)); }
    JsonWriter& Value(std::int64_t number);
    JsonWriter& Value(std::int32_t number) { return Value(static_cast<std::int64_t>(number)); }
    JsonWriter& Value(std::uint32_t number) { return Value(static_cast<std::int64_t>(number)); }
    JsonWriter& Value(std::uint8_t number) { return Value(static_cast<std::int64_t>(number)); }
    JsonWriter& Value(std::int8_t number) { return Value(static_cast<std::int64_t>(number)); }
    JsonWriter& Value(bool flag);

    const std::string& Text() const { return out_; }

private:
    void BeforeValue();
    void NewLine();
    void CloseScope(char closer);

    std::string out_;
    std::vector<bool> firstInScope_;
    bool afterKey_ = false;
};

std::string JsonQuote(std::string_view text);

} // namespace carvelle
