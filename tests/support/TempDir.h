#pragma once

// A fresh folder for one test, removed with everything in it when the test ends, and a guard
// that makes a folder the current directory for a while.

#include <filesystem>
#include <random>
#include <string>

namespace ploq::test {

class TempDir {
public:
    TempDir()
    {
        std::random_device random;
        do
            path_ =
                std::filesystem::temp_directory_path() / ("ploq-test-" + std::to_string(random()));
        while (!std::filesystem::create_directory(path_));
    }
    ~TempDir()
    {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::filesystem::path& path() const { return path_; }

private:
    std::filesystem::path path_;
};

class CurrentDir {
public:
    explicit CurrentDir(const std::filesystem::path& folder)
        : previous_(std::filesystem::current_path())
    {
        std::filesystem::current_path(folder);
    }
    ~CurrentDir()
    {
        std::error_code ignored;
        std::filesystem::current_path(previous_, ignored);
    }
    CurrentDir(const CurrentDir&) = delete;
    CurrentDir& operator=(const CurrentDir&) = delete;

private:
    std::filesystem::path previous_;
};

} // namespace ploq::test
