#include "app/Language.h"

#include <cerrno>

#include "app/TextLines.h"

#include <cstdint>

namespace orvane {

std::optional<int> parseWholeNumber(const std::string& text)
{
    size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t'))
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-'))
        negative = text[i++] == '-';
    int base = 10;
    if (i < text.size() && text[i] == '$') {
        base = 16;
        ++i;
    }
    if (i == text.size())
        return std::nullopt;
    int64_t value = 0;
    for (; i < text.size(); ++i) {
        const char c = text[i];
        int digit;
        if (c >= '0' && c <= '9')
            digit = c - '0';
        else if (base == 16 && c >= 'a' && c <= 'f')
            digit = c - 'a' + 10;
        else if (base == 16 && c >= 'A' && c <= 'F')
            digit = c - 'A' + 10;
        else
            return std::nullopt;
        value = value * base + digit;
        if (value > int64_t(INT32_MAX) + 1)
            return std::nullopt;
    }
    if (negative)
        value = -value;
    if (value > INT32_MAX)
        return std::nullopt;
    return int(value);
}

LanguageFile::Reading LanguageFile::read()
{
    wasRead_ = true;
    lines_.clear();
    const Status status = readLines(path_, lines_);
    readError_ = status.ok() || status.code == ENOENT ? std::string() : status.message;
    if (!status)
        lines_.clear();
    if (lines_.empty())
        lines_.emplace_back();
    Reading reading;
    if (lines_.size() < 2 || lines_[1].empty())
        return reading;
    if (const auto value = parseWholeNumber(lines_[1]))
        reading.languageIndex = *value;
    else
        reading.error = "'" + lines_[1] + "' is not a valid integer value";
    return reading;
}

Status LanguageFile::write(int languageIndex)
{
    while (lines_.size() < 2)
        lines_.emplace_back();
    lines_[1] = std::to_string(languageIndex);
    if (!readError_.empty())
        return Status::failure(EACCES, "The language choice is not saved, because " + path_ +
                                           " could not be read and is left as it is (" + readError_ + ")");
    return writeLines(path_, lines_);
}

} // namespace orvane
