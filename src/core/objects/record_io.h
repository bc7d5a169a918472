#pragma once

#include "command.h"
#include "common/primitives.h"
#include "common/stream.h"
#include "items.h"

#include <cstdint>
#include <string>
#include <vector>

namespace carvelle {

// Block layouts are written once, as a sequence of field calls on one of these two, so the
// reader and the writer of a block cannot drift apart. Scalars throw StreamError; composite
// fields return the nested routine's result (it has reported already).
class RecordWriter {
public:
    static constexpr bool kReading = false;
    explicit RecordWriter(Stream& stream) : stream_(stream) {}
    Stream& Raw() { return stream_; }

    bool U8(std::uint8_t v) { return WriteByte(stream_, v), true; }
    bool Bool(bool v) { return WriteBool(stream_, v), true; }
    bool I16(std::int16_t v) { return WriteInt16(stream_, v), true; }
    bool I32(std::int32_t v) { return WriteInt32(stream_, v), true; }
    bool Colour(carvelle::Colour v) { return WriteUInt32(stream_, v), true; }
    bool String(const std::string& v) { return WriteString(stream_, v); }
    bool Font(const carvelle::Font& v) { return WriteFont(stream_, v); }
    bool Picture(const carvelle::Picture& v) { return WritePicture(stream_, v); }
    bool Effect(const TextEffect& v) { return WriteTextEffect(stream_, v); }
    bool FontLabels(const std::vector<FontLabel>& v) { return WriteFontLabels(stream_, v); }
    bool Command(const TCommand& v) { return WriteCommand(stream_, v); }
    // A byte count and the bytes, owned by the block that holds them.
    bool Blob(const std::string& v) {
        I32(static_cast<std::int32_t>(v.size()));
        stream_.Write(v.data(), v.size());
        return true;
    }
    bool Bounds(const carvelle::Bounds& v) {
        return I32(v.Left) && I32(v.Top) && I32(v.Width) && I32(v.Height);
    }
    // A count followed by that many entries, each written by `entry`.
    template <typename T, typename Entry>
    bool List(const std::vector<T>& items, std::uint64_t /*minEntrySize*/, Entry&& entry) {
        I32(static_cast<std::int32_t>(items.size()));
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
    Stream& Raw() { return stream_; }

    bool U8(std::uint8_t& v) { return v = ReadByte(stream_), true; }
    bool Bool(bool& v) { return v = ReadBool(stream_), true; }
    bool I16(std::int16_t& v) { return v = ReadInt16(stream_), true; }
    bool I32(std::int32_t& v) { return v = ReadInt32(stream_), true; }
    bool Colour(carvelle::Colour& v) { return v = ReadUInt32(stream_), true; }
    bool String(std::string& v) { return ReadString(stream_, v); }
    bool Font(carvelle::Font& v) { return ReadFont(stream_, v); }
    bool Picture(carvelle::Picture& v) { return ReadPicture(stream_, v); }
    bool Effect(TextEffect& v) { return ReadTextEffect(stream_, v); }
    bool FontLabels(std::vector<FontLabel>& v) { return ReadFontLabels(stream_, v); }
    bool Command(TCommand& v) { return ReadCommand(stream_, v); }
    bool Blob(std::string& v) {
        const std::int32_t count = ReadInt32(stream_);
        if (count < 0 || static_cast<std::uint64_t>(count) > stream_.Remaining()) {
            throw StreamError("data beyond the end");
        }
        v.assign(static_cast<std::size_t>(count), '\0');
        stream_.ReadExact(v.data(), v.size());
        return true;
    }
    bool Bounds(carvelle::Bounds& v) {
        return I32(v.Left) && I32(v.Top) && I32(v.Width) && I32(v.Height);
    }
    template <typename T, typename Entry>
    bool List(std::vector<T>& items, std::uint64_t minEntrySize, Entry&& entry) {
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
