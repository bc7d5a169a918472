#pragma once

#include "ui/common/message_seam.h"

#include <gtest/gtest.h>

#include <QTemporaryDir>

#include <filesystem>
#include <fstream>
#include <string>

namespace carvelle::ui::test {

// Answers message boxes from a queue and records them, for one test.
class SeamTest : public ::testing::Test {
protected:
    void SetUp() override { MessageSeam::BeginRecording(); }
    void TearDown() override { MessageSeam::EndRecording(); }
};

inline std::string ReadBytes(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

inline void WriteBytes(const std::filesystem::path& path, const std::string& bytes) {
    std::filesystem::create_directories(path.parent_path());
    std::ofstream out(path, std::ios::binary);
    out << bytes;
}

} // namespace carvelle::ui::test
