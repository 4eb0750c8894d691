// orvane-cli shred: the wipe engine on host paths (or Windows paths of the prefix).
#include "cli/Commands.h"

#include "platform/FileSystemKind.h"
#include "platform/LinuxFileSystem.h"
#include "platform/OwnPrefix.h"
#include "platform/Prefix.h"
#include "platform/ProgramFolder.h"
#include "platform/WinPath.h"
#include "shredder/TSWipe.h"

#include <cstdio>
#include <filesystem>
#include <iostream>
#include <optional>
#include <string>

namespace orvane::cli {
namespace {

int usage()
{
    std::fputs("usage: orvane-cli shred [--passes 1|3|7] [--yes] PATH...\n"
               "  Overwrites each file (1, 3 or 7 passes; default 1), truncates, renames and deletes it.\n"
               "  A folder is shredded with everything in it, after a confirmation unless --yes.\n",
               stderr);
    return 2;
}

// "C:\x" stays as it is; a host path is made absolute (its last component is not resolved,
// so a link stays a link) and mapped through the prefix's drives.
std::optional<std::string> toWindows(const Prefix& prefix, const std::string& argument)
{
    if (winpath::driveLetter(argument) && argument.size() >= 3 && argument[2] == '\\')
        return argument;
    std::error_code ec;
    const auto absolute = std::filesystem::absolute(argument, ec).lexically_normal();
    if (ec)
        return std::nullopt;
    std::string host = absolute.string();
    if (host.size() > 1 && host.back() == '/')
        host.pop_back();
    return prefix.toWindows(host);
}

bool askYes(const std::string& question)
{
    std::cerr << question << " [y/N] " << std::flush;
    std::string answer;
    if (!std::getline(std::cin, answer))
        return false;
    return !answer.empty() && (answer[0] == 'y' || answer[0] == 'Y');
}

} // namespace

int shredCommand(const std::vector<std::string>& args)
{
    int method = SinglePass;
    bool yes = false;
    std::vector<std::string> paths;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg == "--yes" || arg == "-y") {
            yes = true;
        } else if (arg == "--passes" && i + 1 < args.size()) {
            const std::string& n = args[++i];
            if (n == "1") method = SinglePass;
            else if (n == "3") method = TriplePass;
            else if (n == "7") method = DoDSevenPass;
            else return usage();
        } else if (arg == "--") {
            paths.insert(paths.end(), args.begin() + long(i) + 1, args.end());
            break;
        } else if (arg.starts_with("-")) {
            return usage();
        } else {
            paths.push_back(arg);
        }
    }
    if (paths.empty())
        return usage();

    const std::string root = Prefix::chooseRoot(ProgramFolder::locate().path());
    if (!std::filesystem::exists(root + "/dosdevices"))
        if (Status s = createOwnPrefix(root, prefixUserName()); !s) {
            std::fprintf(stderr, "orvane-cli: %s\n", s.message.c_str());
            return 1;
        }
    const Prefix prefix = Prefix::open(root);
    LinuxFileSystem files(prefix);
    NullProgress progress;
    TSWipe engine(files, progress, [method] { return method; });

    int failures = 0;
    const auto fail = [&](const std::string& text) {
        std::fprintf(stderr, "%s\n", text.c_str());
        ++failures;
    };
    for (const std::string& argument : paths) {
        const auto path = toWindows(prefix, argument);
        if (!path) {
            fail(argument + " is on no drive of the prefix " + root);
            continue;
        }
        const auto entry = files.stat(*path);
        if (!entry) {
            fail("File not found : " + argument);
            continue;
        }
        if (entry->isLink()) {
            fail(argument + " is a symbolic link; it was not shredded");
            continue;
        }
        if (const auto host = files.hostPath(*path)) {
            const auto kind = fileSystemName(*host);
            if (kind && overwriteIsUnreliable(*kind))
                std::fprintf(stderr, "warning: %s is on %s, where overwriting in place may leave copies of the data\n",
                             argument.c_str(), kind->c_str());
        }
        try {
            if (entry->isFolder()) {
                if (!yes && !askYes("Are You sure to Wipe " + argument + " and it's subdirectory ?")) {
                    fail(argument + ": not shredded");
                    continue;
                }
                if (!engine.WipeFolder(*path)) {
                    fail(engine.folderFailure());
                    continue;
                }
            } else {
                engine.WipeFile(*path);
            }
            std::printf("Shredded %s\n", argument.c_str());
        } catch (const EWipe& error) {
            fail(error.what());
            if (entry->isFolder())
                break; // the tree is partly shredded: stop, as the screen does
        }
    }
    return failures == 0 ? 0 : 1;
}

} // namespace orvane::cli
