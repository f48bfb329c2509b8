#include "support/TestDir.h"

#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <sys/stat.h>
#include <sys/time.h>

namespace fs = std::filesystem;

namespace verdal::test {

TestDir::TestDir()
{
    std::string pattern = (fs::temp_directory_path() / "verdal-test-XXXXXX").string();
    if (!mkdtemp(pattern.data())) {
        throw std::runtime_error("mkdtemp failed");
    }
    path_ = pattern;
}

TestDir::~TestDir()
{
    std::error_code ec;
    // Read-only directories left by a test must not make the clean-up fail.
    for (auto it = fs::recursive_directory_iterator(path_, ec);
         !ec && it != fs::recursive_directory_iterator(); it.increment(ec)) {
        if (it->is_directory(ec) && !it->is_symlink(ec)) {
            fs::permissions(it->path(), fs::perms::owner_all, fs::perm_options::add, ec);
        }
    }
    fs::remove_all(path_, ec);
}

std::string TestDir::filePath(const std::string& relativePath) const
{
    return path_ + "/" + relativePath;
}

std::string TestDir::createFile(const std::string& relativePath, const std::string& bytes,
                                std::optional<int64_t> mtime)
{
    const std::string full = filePath(relativePath);
    fs::create_directories(fs::path(full).parent_path());
    {
        std::ofstream out(full, std::ios::binary | std::ios::trunc);
        out << bytes;
    }
    if (mtime) {
        struct timeval times[2] = {{*mtime, 0}, {*mtime, 0}};
        utimes(full.c_str(), times);
    }
    return full;
}

std::string TestDir::createDir(const std::string& relativePath)
{
    const std::string full = filePath(relativePath);
    fs::create_directories(full);
    return full;
}

std::string TestDir::readFile(const std::string& relativePath) const
{
    std::ifstream in(filePath(relativePath), std::ios::binary);
    std::ostringstream out;
    out << in.rdbuf();
    return out.str();
}

bool TestDir::exists(const std::string& relativePath) const
{
    std::error_code ec;
    return fs::exists(fs::symlink_status(filePath(relativePath), ec));
}

}  // namespace verdal::test
