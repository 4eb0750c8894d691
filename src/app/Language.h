#pragma once
// idiom.txt: the chosen language. Line 1 is kept as it is; line 2 holds LanguageIndex as a
// decimal number. The lines are kept in memory while the program runs.

#include "platform/Status.h"

#include <optional>
#include <string>
#include <vector>

namespace orvane {

// Delphi-style whole-number conversion: optional spaces in front, an optional sign, decimal
// digits (or '$' and hex digits), within the 32-bit range. nullopt for anything else.
std::optional<int> parseWholeNumber(const std::string& text);

class LanguageFile {
public:
    explicit LanguageFile(std::string hostPath) : path_(std::move(hostPath)) {}

    struct Reading {
        int languageIndex = 1; // valid when error is empty
        std::string error;     // the conversion error, e.g. "'x' is not a valid integer value"
    };
    // Reads the file (a missing or unreadable file counts as one empty line) and converts line 2.
    // An empty or absent line 2 gives English.
    Reading read();

    // Puts `languageIndex` on line 2 (adding empty lines as needed) and saves the file. A file
    // that exists but could not be read is never replaced: that save fails and says why.
    Status write(int languageIndex);

    const std::vector<std::string>& lines() const { return lines_; }
    // Whether read() has run: before that the lines are not the file's, and saving them would
    // replace the stored choice and the first line.
    bool wasRead() const { return wasRead_; }

private:
    std::string path_;
    std::vector<std::string> lines_{std::string()};
    bool wasRead_ = false;
    std::string readError_; // why an existing file could not be read; empty when it could
};

} // namespace orvane
