#include "app/TextLines.h"

#include <cerrno>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace fs = std::filesystem;

namespace orvane {

std::vector<std::string> splitLines(std::string_view text)
{
    std::vector<std::string> lines;
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find('\n', start);
        const size_t next = end == std::string_view::npos ? text.size() : end + 1;
        if (end == std::string_view::npos)
            end = text.size();
        size_t stop = end;
        if (stop > start && text[stop - 1] == '\r')
            --stop;
        lines.emplace_back(text.substr(start, stop - start));
        start = next;
    }
    return lines;
}

std::string joinLines(const std::vector<std::string>& lines)
{
    std::string text;
    for (const auto& line : lines) {
        text += line;
        text += "\r\n";
    }
    return text;
}

Status readLines(const std::string& hostPath, std::vector<std::string>& lines)
{
    std::error_code ec;
    if (fs::is_directory(hostPath, ec))
        return Status::fromErrno(EISDIR, "Cannot open file", hostPath);
    std::ifstream in(hostPath, std::ios::binary);
    if (!in) {
        const int code = fs::exists(hostPath, ec) ? EACCES : ENOENT;
        return Status::fromErrno(code, "Cannot open file", hostPath);
    }
    std::ostringstream buffer;
    buffer << in.rdbuf();
    if (in.bad())
        return Status::fromErrno(EIO, "Cannot read file", hostPath);
    lines = splitLines(buffer.str());
    return Status::success();
}

Status writeLines(const std::string& givenPath, const std::vector<std::string>& lines)
{
    std::error_code ec;
    // A file kept elsewhere behind a symbolic link is saved where it is; the link stays.
    std::string hostPath = givenPath;
    if (fs::is_symlink(givenPath, ec))
        if (const auto target = fs::weakly_canonical(givenPath, ec); !ec)
            hostPath = target.string();
    const auto existing = fs::symlink_status(hostPath, ec);
    if (!ec && fs::exists(existing)) {
        if (fs::is_directory(existing))
            return Status::fromErrno(EISDIR, "Cannot create file", hostPath);
        if ((existing.permissions() & fs::perms::owner_write) == fs::perms::none)
            return Status::fromErrno(EACCES, "Cannot create file", hostPath);
    }
    const std::string temporary = hostPath + ".saving";
    {
        std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
        if (!out)
            return Status::fromErrno(fs::exists(fs::path(hostPath).parent_path(), ec) ? EACCES : ENOENT,
                                     "Cannot create file", hostPath);
        const std::string text = joinLines(lines);
        out.write(text.data(), std::streamsize(text.size()));
        out.flush();
        if (!out) {
            out.close();
            fs::remove(temporary, ec);
            return Status::fromErrno(EIO, "Cannot write file", hostPath);
        }
    }
    fs::rename(temporary, hostPath, ec);
    if (ec) {
        std::error_code ignored;
        fs::remove(temporary, ignored);
        return Status::fromErrno(ec.value(), "Cannot create file", hostPath);
    }
    return Status::success();
}

} // namespace orvane
