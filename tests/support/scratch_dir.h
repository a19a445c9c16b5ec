// A fresh directory for the files one test writes, removed with everything in it
// when the test ends.
#pragma once

#include <atomic>
#include <chrono>
#include <filesystem>
#include <random>
#include <string>

class ScratchDir {
public:
    ScratchDir() {
        static std::atomic<int> count{0};
        const auto stamp = std::chrono::steady_clock::now().time_since_epoch().count();
        path = std::filesystem::temp_directory_path() /
               ("pelloran-" + std::to_string(stamp) + "-" + std::to_string(std::random_device{}()) +
                "-" + std::to_string(count++));
        std::filesystem::create_directories(path);
    }
    ScratchDir(const ScratchDir&) = delete;
    ScratchDir& operator=(const ScratchDir&) = delete;
    ~ScratchDir() {
        std::error_code ignored;
        std::filesystem::remove_all(path, ignored);
    }

    std::string File(const std::string& name) const { return (path / name).string(); }

private:
    std::filesystem::path path;
};
