#include "json_writer.h"

#include <cstdio>

namespace carvelle {

std::string JsonQuote(std::string_view text) {
    std::string out = "\"";
    for (const char c : text) {
        switch (c) {
        case '"':
            out += "\\\"";
            break;
        case '\\':
            out += "\\\\";
            break;
        case '\n':
            out += "\\n";
            break;
        case '\r':
            out += "\\r";
            break;
        case '\t':
            out += "\\t";
            break;
        default:
            if (static_cast<unsigned char>(c) < 0x20) {
                char escaped[8];
                std::snprintf(escaped, sizeof escaped, "\\u%04x", static_cast<unsigned>(c));
                out += escaped;
            } else {
                out += c;
            }
        }
    }
    return out + "\"";
}

void JsonWriter::NewLine() {
    out_ += '\n';
    out_.append(firstInScope_.size() * 2, ' ');
}

void JsonWriter::BeforeValue() {
    if (afterKey_) {
        afterKey_ = false;
        return;
    }
    if (!firstInScope_.empty()) {
        if (!firstInScope_.back()) {
            out_ += ',';
        }
        firstInScope_.back() = false;
        NewLine();
    }
}

JsonWriter& JsonWriter::BeginObject() {
    BeforeValue();
    out_ += '{';
    firstInScope_.push_back(true);
    return *this;
}

void JsonWriter::CloseScope(char closer) {
    const bool empty = firstInScope_.back();
    firstInScope_.pop_back();
    if (!empty) {
        NewLine();
    }
    out_ += closer;
}

JsonWriter& JsonWriter::EndObject() {
    CloseScope('}');
    return *this;
}

JsonWriter& JsonWriter::BeginArray() {
    BeforeValue();
    out_ += '[';
    firstInScope_.push_back(true);
    return *this;
}

JsonWriter& JsonWriter::EndArray() {
    CloseScope(']');
    return *this;
}

JsonWriter& JsonWriter::Key(std::string_view key) {
    BeforeValue();
    out_ += JsonQuote(key);
    out_ += ": ";
    afterKey_ = true;
    return *this;
}

JsonWriter& JsonWriter::Value(std::string_view text) {
    BeforeValue();
    out_ += JsonQuote(text);
    return *this;
}

JsonWriter& JsonWriter::Value(std::int64_t number) {
    BeforeValue();
    out_ += std::to_string(number);
    return *this;
}

JsonWriter& JsonWriter::Value(bool flag) {
    BeforeValue();
    out_ += flag ? "true" : "false";
    return *this;
}

} // namespace carvelle
