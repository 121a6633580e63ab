// A temporary directory for one test, removed with everything in it when the test ends.
#pragma once

#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>

namespace testing_support {

class TempDir {
  public:
    TempDir() {
        std::string pattern = (std::filesystem::temp_directory_path() / "w32test-XXXXXX").string();
        if (!mkdtemp(pattern.data()))
            throw std::runtime_error("mkdtemp failed");
        path_ = pattern;
    }
    ~TempDir() {
        std::error_code ignored;
        std::filesystem::permissions(path_, std::filesystem::perms::owner_all,
                                     std::filesystem::perm_options::add, ignored);
        std::filesystem::remove_all(path_, ignored);
    }
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::filesystem::path& Path() const { return path_; }

    // Writes bytes to a file below the directory, creating its directories.
    std::filesystem::path Write(const std::filesystem::path& relative,
                                std::string_view bytes) const {
        std::filesystem::path file = path_ / relative;
        std::filesystem::create_directories(file.parent_path());
        std::ofstream(file, std::ios::binary).write(bytes.data(), std::streamsize(bytes.size()));
        return file;
    }

  private:
    std::filesystem::path path_;
};

} // namespace testing_support
