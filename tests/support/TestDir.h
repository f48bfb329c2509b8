#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace verdal::test {

// A temporary directory that removes itself, with helpers to build test trees.
class TestDir
{
public:
    TestDir();
    ~TestDir();
    TestDir(const TestDir&) = delete;
    TestDir& operator=(const TestDir&) = delete;

    const std::string& path() const { return path_; }
    std::string filePath(const std::string& relativePath) const;

    // Creates the file (and its parents) with `bytes`; `mtime` is Unix seconds when given.
    std::string createFile(const std::string& relativePath, const std::string& bytes = {},
                           std::optional<int64_t> mtime = std::nullopt);
    std::string createDir(const std::string& relativePath);
    std::string readFile(const std::string& relativePath) const;
    bool exists(const std::string& relativePath) const;

private:
    std::string path_;
};

}  // namespace verdal::test
