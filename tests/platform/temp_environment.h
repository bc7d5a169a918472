#pragma once

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <optional>
#include <random>
#include <string>

namespace carvelle::testing {

// A private folder tree plus environment variables that are put back when the test ends.
class TempEnvironment {
public:
    TempEnvironment() {
        std::random_device random;
        do {
            root_ = std::filesystem::temp_directory_path() /
                    ("carvelle-platform-" + std::to_string(random()));
        } while (!std::filesystem::create_directory(root_));
    }
    ~TempEnvironment() {
        for (const auto& [name, value] : saved_) {
            if (value) {
                setenv(name.c_str(), value->c_str(), 1);
            } else {
                unsetenv(name.c_str());
            }
        }
        std::error_code error;
        std::filesystem::remove_all(root_, error);
    }
    TempEnvironment(const TempEnvironment&) = delete;
    TempEnvironment& operator=(const TempEnvironment&) = delete;

    const std::filesystem::path& Root() const { return root_; }
    std::string Path(const std::string& relative) const { return (root_ / relative).string(); }

    std::string Folder(const std::string& relative) const {
        std::filesystem::create_directories(root_ / relative);
        return Path(relative);
    }
    std::string File(const std::string& relative, const std::string& text) const {
        std::filesystem::create_directories((root_ / relative).parent_path());
        std::ofstream(root_ / relative, std::ios::binary) << text;
        return Path(relative);
    }

    void Set(const std::string& name, const std::string& value) {
        Save(name);
        setenv(name.c_str(), value.c_str(), 1);
    }
    void Unset(const std::string& name) {
        Save(name);
        unsetenv(name.c_str());
    }

private:
    void Save(const std::string& name) {
        if (saved_.count(name)) {
            return;
        }
        const char* value = std::getenv(name.c_str());
        saved_[name] = value ? std::optional<std::string>(value) : std::nullopt;
    }

    std::filesystem::path root_;
    std::map<std::string, std::optional<std::string>> saved_;
};

} // namespace carvelle::testing
