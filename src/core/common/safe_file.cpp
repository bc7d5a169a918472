#include "safe_file.h"

#include <system_error>

namespace carvelle {

SafeFileWriter::SafeFileWriter(std::filesystem::path target)
    : target_(std::move(target)), temporary_(target_) {
    temporary_ += ".new";
}

SafeFileWriter::~SafeFileWriter() {
    if (!committed_ && opened_) {
        try {
            stream_.Close();
        } catch (const StreamError&) {
            // The file is discarded anyway.
        }
        std::error_code ignored;
        std::filesystem::remove(temporary_, ignored);
    }
}

bool SafeFileWriter::Open() {
    opened_ = stream_.Open(temporary_, FileStream::Mode::Create);
    return opened_;
}

void SafeFileWriter::Commit() {
    stream_.Close();
    std::error_code ec;
    std::filesystem::rename(temporary_, target_, ec);
    if (ec) {
        throw StreamError("cannot replace the file", ec.value());
    }
    committed_ = true;
}

} // namespace carvelle
