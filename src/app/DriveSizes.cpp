#include "app/DriveSizes.h"

#include "app/TextLines.h"

#include <cctype>

namespace orvane {

namespace {
constexpr uint64_t bytesPerMB = 1048576;
char upper(char c) { return char(std::toupper(static_cast<unsigned char>(c))); }
bool allDigits(std::string_view s)
{
    if (s.empty())
        return false;
    for (char c : s)
        if (c < '0' || c > '9')
            return false;
    return true;
}
} // namespace

StartupDriveSizes StartupDriveSizes::measure(Drives& drives, const std::vector<char>& letters)
{
    StartupDriveSizes sizes;
    for (char letter : letters) {
        if (sizes.entries_.size() >= capacity)
            break;
        const DriveType type = drives.type(letter);
        if (type != DriveType::Fixed && type != DriveType::Remote)
            continue;
        const auto space = drives.space(letter);
        if (!space)
            continue;
        sizes.entries_.push_back({upper(letter), std::to_string(space->totalBytes / bytesPerMB),
                                  std::to_string(space->freeBytes / bytesPerMB)});
    }
    return sizes;
}

std::string StartupDriveSizes::toText() const
{
    std::string text;
    for (const auto& entry : entries_) {
        text += entry.letter;
        text += ":\t" + entry.totalMB + "\t" + entry.freeMB + "\r\n";
    }
    return text;
}

StartupDriveSizes StartupDriveSizes::fromText(std::string_view text)
{
    StartupDriveSizes sizes;
    for (const std::string& line : splitLines(text)) {
        if (sizes.entries_.size() >= capacity)
            break;
        if (line.size() < 3 || !std::isalpha(static_cast<unsigned char>(line[0])) || line[1] != ':' || line[2] != '\t')
            continue;
        const size_t tab = line.find('\t', 3);
        if (tab == std::string::npos)
            continue;
        const std::string total = line.substr(3, tab - 3);
        const std::string free = line.substr(tab + 1);
        if (!allDigits(total) || !allDigits(free))
            continue;
        sizes.entries_.push_back({upper(line[0]), total, free});
    }
    return sizes;
}

Status StartupDriveSizes::save(const std::string& hostPath) const
{
    return writeLines(hostPath, splitLines(toText()));
}

StartupDriveSizes StartupDriveSizes::load(const std::string& hostPath)
{
    std::vector<std::string> lines;
    if (!readLines(hostPath, lines))
        return {};
    return fromText(joinLines(lines));
}

std::optional<DriveSize> StartupDriveSizes::find(char letter) const
{
    for (const auto& entry : entries_)
        if (entry.letter == upper(letter))
            return entry;
    return std::nullopt;
}

} // namespace orvane
