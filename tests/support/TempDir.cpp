#include "support/TempDir.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <sys/stat.h>

namespace fs = std::filesystem;

namespace orvane::test {

TempDir::TempDir()
{
    std::string pattern = (fs::temp_directory_path() / "orvane-test-XXXXXX").string();
    if (!mkdtemp(pattern.data()))
        throw std::runtime_error("mkdtemp failed");
    path_ = pattern;
}

TempDir::~TempDir()
{
    std::error_code ec;
    // Give back permissions that tests took away so everything can be removed.
    for (auto it = fs::recursive_directory_iterator(path_, fs::directory_options::skip_permission_denied, ec);
         !ec && it != fs::recursive_directory_iterator(); it.increment(ec)) {
        if (!it->is_symlink())
            fs::permissions(it->path(), fs::perms::owner_all, fs::perm_options::add, ec);
    }
    ::chmod(path_.c_str(), 0700);
    fs::remove_all(path_, ec);
}

std::string TempDir::operator/(std::string_view relative) const
{
    return path_ + "/" + std::string(relative);
}

std::string TempDir::write(std::string_view relative, std::string_view content) const
{
    const std::string full = *this / relative;
    fs::create_directories(fs::path(full).parent_path());
    std::ofstream out(full, std::ios::binary | std::ios::trunc);
    out.write(content.data(), std::streamsize(content.size()));
    return full;
}

std::string TempDir::mkdir(std::string_view relative) const
{
    const std::string full = *this / relative;
    fs::create_directories(full);
    return full;
}

std::string readFile(const std::string& hostPath)
{
    std::ifstream in(hostPath, std::ios::binary);
    std::ostringstream buffer;
    buffer << in.rdbuf();
    return buffer.str();
}

bool hostExists(const std::string& hostPath)
{
    struct stat st;
    return ::lstat(hostPath.c_str(), &st) == 0;
}

} // namespace orvane::test
