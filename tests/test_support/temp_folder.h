// A fresh, empty folder for one test, removed again when the test ends.
// The name joins the process id and the running test's name, so that tests
// run in parallel (ctest -j) or left over from a crashed run never share one.
// Also the reading of a whole file, which the folder's users compare.
#pragma once

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include <gtest/gtest.h>
#include <unistd.h>

// The whole content of a file, any bytes; "" when it cannot be read.
inline std::string file_bytes(const std::string& path)
{
    std::ostringstream text;
    text << std::ifstream(path, std::ios::binary).rdbuf();
    return text.str();
}

class temp_folder {
public:
    explicit temp_folder(const std::string& prefix = "morva")
    {
        const testing::TestInfo* test = testing::UnitTest::GetInstance()->current_test_info();
        path_ = std::filesystem::temp_directory_path() /
                (prefix + "_" + std::to_string(::getpid()) + "_" + (test ? test->name() : "none"));
        std::filesystem::remove_all(path_);
        std::filesystem::create_directories(path_);
    }
    ~temp_folder()
    {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    temp_folder(const temp_folder&) = delete;
    temp_folder& operator=(const temp_folder&) = delete;

    const std::filesystem::path& path() const { return path_; }
    // The full name of an entry of the folder.
    std::string operator/(const std::string& name) const { return (path_ / name).string(); }
    // Writes bytes (any bytes, NULs included) into the entry; returns its full name.
    std::string write(const std::string& name, const std::string& bytes) const
    {
        std::ofstream(path_ / name, std::ios::binary) << bytes;
        return *this / name;
    }

private:
    std::filesystem::path path_;
};
