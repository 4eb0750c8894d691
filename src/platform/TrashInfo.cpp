#include "platform/TrashInfo.h"

#include "platform/TextScan.h"

#include <cerrno>
#include <cstdio>

namespace orvane::trashinfo {

namespace {

constexpr std::string_view kGroup = "[Trash Info]";

bool keptAsIs(unsigned char c)
{
    if ((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9'))
        return true;
    switch (c) {
    case '-': case '_': case '.': case '!': case '~': case '*': case '\'': case '(': case ')': case '/':
        return true;
    default:
        return false;
    }
}

std::string_view trimRight(std::string_view s)
{
    while (!s.empty() && (s.back() == '\r' || s.back() == ' ' || s.back() == '\t'))
        s.remove_suffix(1);
    return s;
}

bool isDigits(std::string_view s)
{
    for (char c : s)
        if (c < '0' || c > '9')
            return false;
    return !s.empty();
}

int number(std::string_view s)
{
    int v = 0;
    for (char c : s)
        v = v * 10 + (c - '0');
    return v;
}

} // namespace

std::string percentEncode(std::string_view bytes)
{
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::string out;
    out.reserve(bytes.size());
    for (char ch : bytes) {
        const auto c = static_cast<unsigned char>(ch);
        if (keptAsIs(c)) {
            out += ch;
        } else {
            out += '%';
            out += kHex[c >> 4];
            out += kHex[c & 0xF];
        }
    }
    return out;
}

std::optional<std::string> percentDecode(std::string_view text)
{
    std::string out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '%') {
            out += text[i];
            continue;
        }
        if (i + 2 >= text.size())
            return std::nullopt;
        const int hi = text::hexDigit(text[i + 1]);
        const int lo = text::hexDigit(text[i + 2]);
        if (hi < 0 || lo < 0)
            return std::nullopt;
        out += static_cast<char>(hi * 16 + lo);
        i += 2;
    }
    return out;
}

std::string formatDeletionDate(std::time_t when)
{
    std::tm local{};
    localtime_r(&when, &local);
    char buffer[80];
    std::snprintf(buffer, sizeof buffer, "%04d-%02d-%02dT%02d:%02d:%02d", local.tm_year + 1900, local.tm_mon + 1,
                  local.tm_mday, local.tm_hour, local.tm_min, local.tm_sec);
    return buffer;
}

bool isValidDeletionDate(std::string_view t)
{
    if (t.size() != 19 || t[4] != '-' || t[7] != '-' || t[10] != 'T' || t[13] != ':' || t[16] != ':')
        return false;
    const std::string_view year = t.substr(0, 4), month = t.substr(5, 2), day = t.substr(8, 2);
    const std::string_view hour = t.substr(11, 2), minute = t.substr(14, 2), second = t.substr(17, 2);
    if (!isDigits(year) || !isDigits(month) || !isDigits(day) || !isDigits(hour) || !isDigits(minute)
        || !isDigits(second))
        return false;
    return number(month) >= 1 && number(month) <= 12 && number(day) >= 1 && number(day) <= 31
        && number(hour) <= 23 && number(minute) <= 59 && number(second) <= 60;
}

std::string format(const TrashInfo& info)
{
    std::string out(kGroup);
    out += "\nPath=";
    out += percentEncode(info.path);
    out += "\nDeletionDate=";
    out += info.deletionDate;
    out += '\n';
    return out;
}

Status parse(std::string_view text, TrashInfo& out)
{
    bool inGroup = false;
    bool seenGroup = false;
    std::optional<std::string> path;
    std::string date;
    size_t lineNumber = 0;
    while (!text.empty()) {
        const size_t end = text.find('\n');
        const std::string_view line = trimRight(text.substr(0, end));
        text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
        ++lineNumber;
        if (line.empty() || line.front() == '#')
            continue;
        if (line.front() == '[') {
            if (!seenGroup && line != kGroup)
                return Status::failure(EIO, "Not a trash information file: the first group is " + std::string(line));
            inGroup = line == kGroup && !seenGroup;
            seenGroup = true;
            continue;
        }
        if (!seenGroup)
            return Status::failure(EIO, "Not a trash information file: line " + std::to_string(lineNumber)
                                            + " comes before the [Trash Info] group");
        if (!inGroup)
            continue;
        const size_t eq = line.find('=');
        if (eq == std::string_view::npos)
            continue; // not a key: tolerated like any unknown line
        const std::string_view key = trimRight(line.substr(0, eq));
        const std::string_view value = line.substr(eq + 1);
        if (key == "Path" && !path) {
            path = percentDecode(value);
            if (!path || path->empty())
                return Status::failure(EIO, "Trash information has a malformed Path on line "
                                                + std::to_string(lineNumber));
        } else if (key == "DeletionDate" && date.empty()) {
            date = std::string(value);
        }
    }
    if (!seenGroup)
        return Status::failure(EIO, "Not a trash information file: no [Trash Info] group");
    if (!path)
        return Status::failure(EIO, "Trash information has no Path");
    out.path = std::move(*path);
    out.deletionDate = std::move(date);
    return Status::success();
}

std::string directorySizesLine(uint64_t bytes, int64_t infoMtimeSeconds, std::string_view name)
{
    return std::to_string(bytes) + ' ' + std::to_string(infoMtimeSeconds) + ' ' + percentEncode(name) + '\n';
}

} // namespace orvane::trashinfo
