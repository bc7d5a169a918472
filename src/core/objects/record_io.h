#pragma once

#include "command.h"
#include "common/primitives.h"
#include "common/stream.h"
#include "items.h"

#include <cstdint>
#include <string>
#include <vector>

namespace carvelle {

// The two directions of a stored record; the layouts in record_fields.h drive them. Every
// field call carries the field's name, which only descriptions use.
class RecordWriter {
public:
    static constexpr bool kReading = false;
    explicit RecordWriter(Stream& stream) : stream_(stream) {}

    bool U8(const char*, std::uint8_t v) { return WriteByte(stream_, v), true; }
    bool Bool(const char*, bool v) { return WriteBool(stream_, v), true; }
    bool I16(const char*, std::int16_t v) { return WriteInt16(stream_, v), true; }
    bool I32(const char*, std::int32_t v) { return WriteInt32(stream_, v), true; }
    bool Colour(const char*, carvelle::Colour v) { return WriteUInt32(stream_, v), true; }
    bool String(const char*, const std::string& v) { return WriteString(stream_, v); }
    bool Font(const char*, const carvelle::Font& v) { return WriteFont(stream_, v); }
    bool Picture(const char*, const carvelle::Picture& v) { return WritePicture(stream_, v); }
    bool Effect(const char*, const TextEffect& v) { return WriteTextEffect(stream_, v); }
    bool FontLabels(const char*, const std::vector<FontLabel>& v) {
        return WriteFontLabels(stream_, v);
    }
    bool Command(const char*, const TCommand& v) { return WriteCommand(stream_, v); }
    // A byte count and the bytes, owned by the block that holds them.
    bool Blob(const char*, const std::string& v) {
        WriteInt32(stream_, static_cast<std::int32_t>(v.size()));
        stream_.Write(v.data(), v.size());
        return true;
    }
    bool Bounds(const char*, const carvelle::Bounds& v) {
        WriteInt32(stream_, v.Left);
        WriteInt32(stream_, v.Top);
        WriteInt32(stream_, v.Width);
        WriteInt32(stream_, v.Height);
        return true;
    }
    // A flag stored in four bytes.
    bool WideBool(const char*, bool v) { return WriteInt32(stream_, v ? 1 : 0), true; }
    // A menu item's action, kept as the bytes of a compact action string.
    bool CompactAction(const char* name, const std::string& v) { return String(name, v); }
    // The accepted text and the accepted list of an Edit share one string, split at a byte 1.
    bool AcceptedTexts(const std::string& text, const std::string& list) {
        return WriteString(stream_, text + '\x01' + list);
    }
    // A sentinel that tells newer records from older ones.
    bool Marker(std::int32_t v) { return WriteInt32(stream_, v), true; }
    // A nested record with a layout of its own.
    template <typename Body> bool Object(const char*, Body&& body) { return body(); }
    template <typename T, typename Entry>
    bool List(const char*, const std::vector<T>& items, std::uint64_t, Entry&& entry) {
        WriteInt32(stream_, static_cast<std::int32_t>(items.size()));
        for (const T& item : items) {
            if (!entry(item)) {
                return false;
            }
        }
        return true;
    }

private:
    Stream& stream_;
};

class RecordReader {
public:
    static constexpr bool kReading = true;
    explicit RecordReader(Stream& stream) : stream_(stream) {}

    bool U8(const char*, std::uint8_t& v) { return v = ReadByte(stream_), true; }
    bool Bool(const char*, bool& v) { return v = ReadBool(stream_), true; }
    bool I16(const char*, std::int16_t& v) { return v = ReadInt16(stream_), true; }
    bool I32(const char*, std::int32_t& v) { return v = ReadInt32(stream_), true; }
    bool Colour(const char*, carvelle::Colour& v) { return v = ReadUInt32(stream_), true; }
    bool String(const char*, std::string& v) { return ReadString(stream_, v); }
    bool Font(const char*, carvelle::Font& v) { return ReadFont(stream_, v); }
    bool Picture(const char*, carvelle::Picture& v) { return ReadPicture(stream_, v); }
    bool Effect(const char*, TextEffect& v) { return ReadTextEffect(stream_, v); }
    bool FontLabels(const char*, std::vector<FontLabel>& v) { return ReadFontLabels(stream_, v); }
    bool Command(const char*, TCommand& v) { return ReadCommand(stream_, v); }
    bool Blob(const char*, std::string& v) {
        const std::int32_t count = ReadInt32(stream_);
        if (count < 0 || static_cast<std::uint64_t>(count) > stream_.Remaining()) {
            throw StreamError("data beyond the end");
        }
        v.assign(static_cast<std::size_t>(count), '\0');
        stream_.ReadExact(v.data(), v.size());
        return true;
    }
    bool Bounds(const char*, carvelle::Bounds& v) {
        v.Left = ReadInt32(stream_);
        v.Top = ReadInt32(stream_);
        v.Width = ReadInt32(stream_);
        v.Height = ReadInt32(stream_);
        return true;
    }
    // Only the first of the four bytes carries the flag.
    bool WideBool(const char*, bool& v) { return v = (ReadInt32(stream_) & 0xFF) != 0, true; }
    bool CompactAction(const char* name, std::string& v) { return String(name, v); }
    // Without a byte 1 the whole string is the accepted text.
    bool AcceptedTexts(std::string& text, std::string& list) {
        std::string joined;
        if (!ReadString(stream_, joined)) {
            return false;
        }
        const auto split = joined.find('\x01');
        text = joined.substr(0, split);
        list = split == std::string::npos ? std::string() : joined.substr(split + 1);
        return true;
    }
    template <typename Body> bool Object(const char*, Body&& body) { return body(); }
    template <typename T, typename Entry>
    bool List(const char*, std::vector<T>& items, std::uint64_t minEntrySize, Entry&& entry) {
        items.clear();
        const std::int32_t count = ReadBoundedCount(stream_, minEntrySize);
        for (std::int32_t i = 0; i < count; ++i) {
            T item;
            if (!entry(item)) {
                return false;
            }
            items.push_back(std::move(item));
        }
        return true;
    }

private:
    Stream& stream_;
};

// Smallest stored sizes, for refusing counts that cannot fit in what remains.
inline constexpr std::uint64_t kMinCommandSize = 1 + 4 + 4 * 4 + 1 + 7 * 4;
inline constexpr std::uint64_t kMinItemSize = 4 + 4 + kMinCommandSize;

// Records deeper than this are refused rather than followed down the stack.
inline constexpr int kMaxRecordDepth = 64;

} // namespace carvelle
