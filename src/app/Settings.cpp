#include "app/Settings.h"

#include "app/PatternBoxes.h"
#include "app/TextLines.h"

#include <cerrno>

namespace orvane {

namespace {

constexpr std::string_view recycleOnKey = "r*1";
constexpr std::string_view recycleOffKey = "r*0";

std::string_view firstThree(const std::string& line)
{
    return line.size() >= 3 ? std::string_view(line).substr(0, 3) : std::string_view();
}

struct FolderKey {
    std::string_view key;
    std::string FolderPaths::*path;
};

constexpr FolderKey folderKeys[] = {
    {"ie", &FolderPaths::ieCache},   {"hi", &FolderPaths::ieHistory},
    {"nc", &FolderPaths::mozCache},  {"ni", &FolderPaths::mozHistory},
    {"lx", &FolderPaths::recycleBin},
};

char upper(char c) { return (c >= 'a' && c <= 'z') ? char(c - 'a' + 'A') : c; }

} // namespace

Settings::Settings(std::string hostPath, Dialogs& dialogs) : path_(std::move(hostPath)), dialogs_(dialogs) {}

Status Settings::read()
{
    lines_.clear();
    Status status = readLines(path_, lines_);
    // A missing file may be created by the next save; one we could not read must not be
    // replaced by an empty list.
    writable_ = status.ok() || status.code == ENOENT;
    if (!status)
        lines_.clear();
    return status;
}

void Settings::LoadSettings(AppState& state)
{
    const char drive = upper(state.currentDriveLetter);
    for (size_t i = 1; i < lines_.size(); ++i) {
        const std::string& line = lines_[i];
        const std::string_view key = firstThree(line);
        if (key.empty())
            continue;
        for (const auto& box : patternBoxes) {
            if (key == box.onKey)
                state.patterns[size_t(box.pattern)] = true;
            else if (key == box.offKey)
                state.patterns[size_t(box.pattern)] = false;
        }
        if (key == deadLinkBox.onKey)
            state.deadLinks = true;
        else if (key == deadLinkBox.offKey)
            state.deadLinks = false;
        if (key == recycleOnKey)
            state.deleteFromDisk = false;
        else if (key == recycleOffKey)
            state.deleteFromDisk = true;
        for (const auto& folder : folderKeys)
            if (key.substr(0, 2) == folder.key && key[2] == drive)
                state.paths.*folder.path = line.substr(2);
    }
    SaveSettings(state);
}

Status Settings::SaveSettings(const AppState& state)
{
    for (size_t i = 1; i < lines_.size(); ++i) {
        std::string& line = lines_[i];
        const std::string_view key = firstThree(line);
        if (key.empty())
            continue;
        for (const auto& box : patternBoxes)
            if (key == box.onKey || key == box.offKey) {
                line = std::string(state.ticked(box.pattern) ? box.onKey : box.offKey);
                break;
            }
        if (key == deadLinkBox.onKey || key == deadLinkBox.offKey)
            line = std::string(state.deadLinks ? deadLinkBox.onKey : deadLinkBox.offKey);
        else if (key == recycleOnKey || key == recycleOffKey)
            line = std::string(state.deleteFromDisk ? recycleOffKey : recycleOnKey);
    }
    return save();
}

Status Settings::StoreFolderPath(std::string_view entry)
{
    const std::string_view key = entry.substr(0, 3);
    bool matched = false;
    bool changed = false;
    for (size_t i = 1; i < lines_.size(); ++i) {
        if (key.size() < 3 || firstThree(lines_[i]) != key)
            continue;
        matched = true;
        if (lines_[i] != entry) {
            lines_[i] = std::string(entry);
            changed = true;
        }
    }
    if (!matched) {
        lines_.emplace_back(entry);
        changed = true;
    }
    return changed ? save() : Status::success();
}

Status Settings::save()
{
    if (!writable_)
        return Status::success();
    Status status = writeLines(path_, lines_);
    if (!status)
        dialogs_.error("Orvane", status.message);
    return status;
}

void Deletefiles1Click(AppState& state, Settings& settings)
{
    state.deleteFromDisk = !state.deleteFromDisk;
    settings.SaveSettings(state);
}

} // namespace orvane
