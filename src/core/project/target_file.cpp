#include "target_file.h"

#include "common/error_codes.h"
#include "common/guarded.h"
#include "common/native_path.h"
#include "common/safe_file.h"
#include "project_file.h"

#include <limits>

namespace carvelle {

bool WriteTargetFile(const std::string& projectFolder, ProjectHeader& header,
                     const PageStreamWriter& writePage) {
    const auto path = ToNativePath(projectFolder + "\\" + kTargetFileName);
    return GuardedFile(ErrorCode::TargetFileWrite, path.string(), [&] {
        SafeFileWriter writer(path);
        if (!writer.Open()) {
            throw StreamError("cannot create", writer.OpenError());
        }
        FileStream& stream = writer.Stream();
        if (!WriteProjectHeader(stream, header)) {
            return false;
        }
        WriteByte(stream, header.TrailingByte);
        for (std::size_t i = 0; i < header.Pages.size(); ++i) {
            if (stream.Position() >
                static_cast<std::uint64_t>(std::numeric_limits<std::int32_t>::max())) {
                throw StreamError("target file too large");
            }
            header.Pages[i].Position = static_cast<std::int32_t>(stream.Position());
            if (!writePage(stream, i)) {
                return false;
            }
        }
        // The header's length does not depend on the positions, so it fits in place.
        const std::uint64_t end = stream.Position();
        stream.Seek(0);
        if (!WriteProjectHeader(stream, header)) {
            return false;
        }
        stream.Seek(end);
        writer.Commit();
        return true;
    });
}

} // namespace carvelle
