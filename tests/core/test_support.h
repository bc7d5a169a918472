#pragma once

#include "common/error_report.h"
#include "common/stream.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <initializer_list>
#include <random>
#include <string>
#include <vector>

namespace carvelle::test {

inline std::vector<std::uint8_t> Bytes(std::initializer_list<int> values) {
    std::vector<std::uint8_t> out;
    for (int v : values) {
        out.push_back(static_cast<std::uint8_t>(v));
    }
    return out;
}

inline std::vector<std::uint8_t> Concat(std::initializer_list<std::vector<std::uint8_t>> parts) {
    std::vector<std::uint8_t> out;
    for (const auto& part : parts) {
        out.insert(out.end(), part.begin(), part.end());
    }
    return out;
}

// The bytes of a stored String.
inline std::vector<std::uint8_t> StringBytes(const std::string& text) {
    std::vector<std::uint8_t> out = Bytes(
        {static_cast<int>(text.size() & 0xFF), static_cast<int>((text.size() >> 8) & 0xFF), 0, 0});
    out.insert(out.end(), text.begin(), text.end());
    return out;
}

// Accepts writes until its limit, then fails as a full disk would.
class FailingStream final : public Stream {
public:
    explicit FailingStream(std::size_t limit) : limit_(limit) {}
    std::size_t ReadSome(void*, std::size_t) override { return 0; }
    void Write(const void* data, std::size_t size) override {
        if (inner_.Size() + size > limit_) {
            throw StreamError("disk full", ENOSPC);
        }
        inner_.Write(data, size);
    }
    std::uint64_t Position() const override { return inner_.Position(); }
    void Seek(std::uint64_t position) override { inner_.Seek(position); }
    std::uint64_t Size() const override { return inner_.Size(); }

private:
    MemoryStream inner_;
    std::size_t limit_;
};

// Records every error box for the lifetime of the test.
class RecordingTest : public ::testing::Test {
protected:
    RecordingErrorReporter reporter;
    ScopedErrorReporter scoped{reporter};

    void ExpectOneReport(const std::string& codeSuffix) {
        ASSERT_EQ(reporter.reports.size(), 1u) << "reports: " << Joined();
        EXPECT_NE(reporter.reports[0].find(codeSuffix), std::string::npos) << reporter.reports[0];
        reporter.reports.clear();
    }
    void ExpectNoReport() { EXPECT_TRUE(reporter.reports.empty()) << Joined(); }
    std::string Joined() const {
        std::string all;
        for (const auto& r : reporter.reports) {
            all += r + "\n";
        }
        return all;
    }
};

// A fresh folder under the system temporary folder, removed at the end of the test.
class TempDir {
public:
    TempDir() {
        std::random_device random;
        path_ = std::filesystem::temp_directory_path() /
                ("carvelle-test-" + std::to_string(random()) + std::to_string(random()));
        std::filesystem::create_directories(path_);
    }
    ~TempDir() {
        std::error_code ignored;
        std::filesystem::permissions(path_, std::filesystem::perms::owner_all,
                                     std::filesystem::perm_options::add, ignored);
        std::filesystem::remove_all(path_, ignored);
    }
    const std::filesystem::path& Path() const { return path_; }
    std::string String() const { return path_.string(); }

private:
    std::filesystem::path path_;
};

inline void WriteFile(const std::filesystem::path& path, const std::string& content) {
    std::filesystem::create_directories(path.parent_path());
    std::ofstream out(path, std::ios::binary);
    out << content;
}

inline std::string ReadFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

} // namespace carvelle::test
