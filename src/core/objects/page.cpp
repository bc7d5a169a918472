#include "page.h"

#include "common/error_codes.h"
#include "common/guarded.h"
#include "common/native_path.h"
#include "common/primitives.h"
#include "common/safe_file.h"
#include "items_io.h"
#include "record_fields.h"

namespace carvelle {

namespace {

constexpr std::int32_t kSectionMarker = -1;
constexpr std::uint64_t kMinObjectSize = 1 + kMinCommandSize;

} // namespace

bool WritePage(Stream& stream, const TPage& page, RecordOptions options) {
    return Guarded(ErrorCode::PageWrite, [&] {
        RecordWriter io(stream);
        if (!fields::PageHeadFields(io, page) || !io.Marker(kSectionMarker) ||
            !fields::MenuFields(io, "MainMenu", page.MainMenu) || !io.Marker(kSectionMarker) ||
            !fields::MenuFields(io, "PopupMenu", page.PopupMenu) || !io.Marker(kSectionMarker) ||
            !fields::BarsFields(io, page)) {
            return false;
        }
        WriteInt32(stream, static_cast<std::int32_t>(page.Objects.size()));
        for (const TAutoObject& object : page.Objects) {
            if (!WriteObject(stream, object, options)) {
                return false;
            }
        }
        return WriteString(stream, page.PageName);
    });
}

bool ReadPage(Stream& stream, TPage& page, RecordOptions options) {
    page = TPage{};
    return Guarded(ErrorCode::PageRead, [&] {
        RecordReader io(stream);
        if (!fields::PageHeadFields(io, page)) {
            return false;
        }
        // Menus and bars came in stages; each stage starts with a -1 where older records
        // already hold the object count.
        std::int32_t next = ReadInt32(stream);
        if (next == kSectionMarker) {
            if (!fields::MenuFields(io, "MainMenu", page.MainMenu)) {
                return false;
            }
            next = ReadInt32(stream);
        }
        if (next == kSectionMarker) {
            if (!fields::MenuFields(io, "PopupMenu", page.PopupMenu)) {
                return false;
            }
            next = ReadInt32(stream);
        }
        if (next == kSectionMarker) {
            if (!fields::BarsFields(io, page)) {
                return false;
            }
            next = ReadInt32(stream);
        }
        if (next < 0 || static_cast<std::uint64_t>(next) * kMinObjectSize > stream.Remaining()) {
            throw StreamError("object count beyond the end of data");
        }
        page.Objects.reserve(static_cast<std::size_t>(next));
        for (std::int32_t i = 0; i < next; ++i) {
            TAutoObject object;
            if (!ReadObject(stream, object, options)) {
                return false;
            }
            page.Objects.push_back(std::move(object));
        }
        return ReadString(stream, page.PageName);
    });
}

bool WritePageFile(const std::string& fileName, const TPage& page, RecordOptions options) {
    const auto path = ToNativePath(fileName);
    SafeFileWriter writer(path);
    if (!writer.Open()) {
        ReportFileError(ErrorCode::PageFileWrite, path.string(), writer.OpenError());
        return false;
    }
    if (!WritePage(writer.Stream(), page, options)) {
        return false;
    }
    return GuardedFile(ErrorCode::PageFileWrite, path.string(), [&] {
        writer.Commit();
        return true;
    });
}

bool ReadPageFile(const std::string& fileName, TPage& page, RecordOptions options) {
    const auto path = FindNativePath(fileName);
    FileStream stream;
    if (!stream.Open(path, FileStream::Mode::Read)) {
        ReportFileError(ErrorCode::PageFileRead, path.string(), stream.OpenError());
        return false;
    }
    return ReadPage(stream, page, options);
}

} // namespace carvelle
