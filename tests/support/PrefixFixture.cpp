#include "support/PrefixFixture.h"

#include <cctype>
#include <filesystem>
#include <fstream>
#include <stdexcept>

namespace stdfs = std::filesystem;

namespace orvane::test {

namespace {

std::string buildLayout(const TempDir& dir)
{
    const std::string root = dir.mkdir("prefix");
    dir.mkdir("prefix/dosdevices");
    dir.mkdir("prefix/drive_c/Windows/Temp");
    dir.mkdir(std::string("prefix/drive_c/Users/") + PrefixFixture::kUser + "/AppData/Local/Temp");
    dir.mkdir(std::string("prefix/drive_c/Users/") + PrefixFixture::kUser + "/AppData/Roaming");
    stdfs::create_symlink("../drive_c", root + "/dosdevices/c:");
    return root;
}

} // namespace

PrefixFixture::PrefixFixture()
    : root(buildLayout(dir)),
      driveC(stdfs::canonical(root + "/drive_c").string()),
      prefix(Prefix::open(root)),
      fs(prefix)
{
}

void PrefixFixture::addDrive(char letter, const std::string& hostFolder)
{
    const std::string link = root + "/dosdevices/" + char(std::tolower(letter)) + ":";
    std::error_code ignored;
    stdfs::remove(link, ignored);
    stdfs::create_symlink(hostFolder, link);
    prefix = Prefix::open(root);
}

std::string PrefixFixture::addDriveFolder(char letter)
{
    const std::string folder = dir.mkdir(std::string("drive_") + char(std::tolower(letter)));
    addDrive(letter, folder);
    return stdfs::canonical(folder).string();
}

std::string PrefixFixture::host(std::string_view windowsPath) const
{
    return prefix.toHost(windowsPath).value_or("");
}

std::string PrefixFixture::write(std::string_view windowsPath, std::string_view content) const
{
    const std::string path = host(windowsPath);
    if (path.empty())
        throw std::runtime_error("PrefixFixture::write: unknown drive in " + std::string(windowsPath));
    stdfs::create_directories(stdfs::path(path).parent_path());
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(content.data(), std::streamsize(content.size()));
    return path;
}

std::string PrefixFixture::mkdir(std::string_view windowsPath) const
{
    const std::string path = host(windowsPath);
    if (path.empty())
        throw std::runtime_error("PrefixFixture::mkdir: unknown drive in " + std::string(windowsPath));
    stdfs::create_directories(path);
    return path;
}

} // namespace orvane::test
