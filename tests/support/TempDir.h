#pragma once
// A fresh temporary folder per test, removed with everything in it afterwards.

#include <string>
#include <string_view>

namespace orvane::test {

class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::string& path() const { return path_; }
    // path() + "/" + relative
    std::string operator/(std::string_view relative) const;
    // Writes a file (creating its folders); returns its host path.
    std::string write(std::string_view relative, std::string_view content) const;
    std::string mkdir(std::string_view relative) const;

private:
    std::string path_;
};

std::string readFile(const std::string& hostPath);
bool hostExists(const std::string& hostPath); // lstat succeeds

} // namespace orvane::test
