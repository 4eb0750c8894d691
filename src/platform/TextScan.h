#pragma once
// Small helpers for the text parsers (registry files, REGEDIT files, trash information).

#include <cstddef>
#include <string_view>

namespace orvane::text {

// 0-15 for a hexadecimal digit of either case, -1 otherwise.
inline int hexDigit(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

// The lines of a text, LF or CR LF ended, with 1-based line numbers for messages.
class LineReader {
public:
    explicit LineReader(std::string_view text) : text_(text) {}
    bool next(std::string_view& line)
    {
        if (pos_ >= text_.size())
            return false;
        std::size_t end = text_.find('\n', pos_);
        if (end == std::string_view::npos)
            end = text_.size();
        line = text_.substr(pos_, end - pos_);
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        pos_ = end + 1;
        ++number_;
        return true;
    }
    int number() const { return number_; } // of the line last returned

private:
    std::string_view text_;
    std::size_t pos_ = 0;
    int number_ = 0;
};

} // namespace orvane::text
