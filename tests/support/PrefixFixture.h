#pragma once
// A small Windows 7 style prefix in a fresh temporary folder, with the real file-system
// service on it. Layout:
//   <root>/dosdevices/c: -> ../drive_c
//   <root>/drive_c/Windows/Temp
//   <root>/drive_c/Users/<user>/AppData/Local/Temp, .../AppData/Roaming
// More drives with addDrive / addDriveFolder. Everything is removed when the fixture goes.
//
//   PrefixFixture p;
//   p.write("C:\\Windows\\Temp\\a.tmp", "x");
//   std::vector<FileEntry> entries;
//   p.fs.list("C:\\Windows\\Temp", "*.tmp", entries);

#include "platform/LinuxFileSystem.h"
#include "platform/Prefix.h"
#include "support/TempDir.h"

#include <string>
#include <string_view>

namespace orvane::test {

struct PrefixFixture {
    static constexpr const char* kUser = "tester"; // profile folder name under C:\Users

    PrefixFixture();

    TempDir dir;        // holds the prefix and the folders of added drives
    std::string root;   // prefix folder (host path)
    std::string driveC; // host path of drive_c, canonical
    Prefix prefix;      // re-read by addDrive; `fs` follows it
    LinuxFileSystem fs;

    // dosdevices/<letter>: -> hostFolder (which need not exist: a dangling drive).
    void addDrive(char letter, const std::string& hostFolder);
    // A drive backed by a new empty folder "<dir>/drive_<letter>"; returns that host folder.
    std::string addDriveFolder(char letter);

    // Host path of a Windows path on the prefix's drives; "" for an unknown drive.
    std::string host(std::string_view windowsPath) const;
    // Writes a file (creating its folders) at a Windows path; returns its host path.
    std::string write(std::string_view windowsPath, std::string_view content = "") const;
    // Creates a folder and its parents at a Windows path; returns its host path.
    std::string mkdir(std::string_view windowsPath) const;
};

} // namespace orvane::test
