// Reading registry editor files, line by line, into a list of changes.

#include "platform/Regedit.h"

#include "platform/TextScan.h"

#include "platform/RegistryText.h"

namespace orvane::reg {

namespace {

using text::hexDigit;

// The file as UTF-8 text: a UTF-16LE file is converted, a UTF-8 byte-order mark dropped.
std::string toText(std::string_view bytes)
{
    if (bytes.size() >= 2 && static_cast<unsigned char>(bytes[0]) == 0xff && static_cast<unsigned char>(bytes[1]) == 0xfe)
        return utf16ToUtf8(bytesToUnits(bytes.substr(2)));
    if (bytes.substr(0, 3) == "\xef\xbb\xbf")
        bytes.remove_prefix(3);
    return std::string(bytes);
}

std::string_view trim(std::string_view s)
{
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t'))
        s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t' || s.back() == '\r'))
        s.remove_suffix(1);
    return s;
}

// Reads a quoted string from just after its opening quote; false when it is not closed.
bool readQuoted(std::string_view s, std::size_t& pos, std::string& out)
{
    while (pos < s.size()) {
        char c = s[pos++];
        if (c == '"')
            return true;
        // Only "\\" and "\"" are escapes, as the registry editor reads them; any other
        // backslash is itself ("C:\new" written without doubling stays C:\new).
        if (c == '\\' && pos < s.size() && (s[pos] == '\\' || s[pos] == '"')) {
            out += s[pos++];
            continue;
        }
        out += c;
    }
    return false;
}

std::string stringData(std::string_view utf8)
{
    std::u16string units = utf8ToUtf16(utf8);
    units += u'\0';
    return unitsToBytes(units);
}

class Parser {
public:
    Parser(std::string_view text, RegeditFile& file) : lines_{text}, file_(file) {}

    void run()
    {
        std::string_view line;
        bool header = false;
        while (lines_.next(line)) {
            std::string_view t = trim(line);
            if (t.empty())
                continue;
            if (!header) {
                if (t == "REGEDIT4")
                    file_.version = RegeditVersion::Regedit4;
                else if (t == "Windows Registry Editor Version 5.00")
                    file_.version = RegeditVersion::Version5;
                else
                    error(lines_.number(), "the file does not start with \"REGEDIT4\" or \"Windows Registry Editor Version 5.00\"");
                header = true;
                if (!file_.errors.empty())
                    return;
                continue;
            }
            if (t[0] == ';')
                continue;
            if (t[0] == '[')
                keyLine(t);
            else if (t[0] == '"' || t[0] == '@')
                valueLine(t);
            else
                error(lines_.number(), "unrecognized line '" + std::string(t.substr(0, 60)) + "'");
        }
        if (!header)
            error(1, "the file is empty");
    }

private:
    void error(int line, std::string what) { file_.errors.push_back("line " + std::to_string(line) + ": " + what); }

    void keyLine(std::string_view t)
    {
        int line = lines_.number();
        hasKey_ = false;
        if (t.back() != ']') {
            error(line, "a key line must end with ']'");
            return;
        }
        std::string_view inner = t.substr(1, t.size() - 2);
        bool remove = !inner.empty() && inner[0] == '-';
        if (remove)
            inner.remove_prefix(1);
        std::size_t slash = inner.find('\\');
        std::string_view rootText = inner.substr(0, slash);
        auto root = rootFromName(rootText);
        if (!root) {
            error(line, "unknown root key '" + std::string(rootText) + "'");
            return;
        }
        RegeditOp op;
        op.kind = remove ? RegeditOp::DeleteKey : RegeditOp::CreateKey;
        op.root = *root;
        op.path = slash == std::string_view::npos ? std::string() : std::string(inner.substr(slash + 1));
        op.line = line;
        if (remove && op.path.empty()) {
            error(line, "a root key cannot be deleted");
            return;
        }
        hasKey_ = !remove;
        keyRoot_ = op.root;
        keyPath_ = op.path;
        file_.ops.push_back(std::move(op));
    }

    bool readHex(std::string_view t, std::size_t pos, std::string& bytes)
    {
        int first = lines_.number();
        for (;;) {
            while (pos < t.size() && (t[pos] == ' ' || t[pos] == '\t'))
                ++pos;
            if (pos >= t.size())
                return true;
            if (t[pos] == '\\' && trim(t.substr(pos + 1)).empty()) {
                std::string_view next;
                if (!lines_.next(next)) {
                    error(first, "hex data continues past the end of the file");
                    return false;
                }
                t = trim(next);
                pos = 0;
                continue;
            }
            int hi = hexDigit(t[pos]);
            int lo = pos + 1 < t.size() ? hexDigit(t[pos + 1]) : -1;
            if (hi < 0 || lo < 0) {
                error(lines_.number(), "malformed hex data '" + std::string(t.substr(pos, 20)) + "'");
                return false;
            }
            bytes += char(hi * 16 + lo);
            pos += 2;
            while (pos < t.size() && (t[pos] == ' ' || t[pos] == '\t'))
                ++pos;
            if (pos < t.size()) {
                if (t[pos] != ',') {
                    error(lines_.number(), "malformed hex data '" + std::string(t.substr(pos, 20)) + "'");
                    return false;
                }
                ++pos;
            }
        }
    }

    void valueLine(std::string_view t)
    {
        int line = lines_.number();
        RegeditOp op;
        op.line = line;
        std::size_t pos = 1;
        if (t[0] == '"' && !readQuoted(t, pos, op.name)) {
            error(line, "the value name has no closing quote");
            return;
        }
        while (pos < t.size() && (t[pos] == ' ' || t[pos] == '\t'))
            ++pos;
        if (pos >= t.size() || t[pos] != '=') {
            error(line, "'=' expected after the value name");
            return;
        }
        std::string_view rest = trim(t.substr(pos + 1));
        if (!hasKey_) {
            error(line, "a value line outside a key");
            return;
        }
        op.root = keyRoot_;
        op.path = keyPath_;
        if (rest == "-") {
            op.kind = RegeditOp::DeleteValue;
            file_.ops.push_back(std::move(op));
            return;
        }
        op.kind = RegeditOp::SetValue;
        if (!rest.empty() && rest[0] == '"') {
            std::size_t p = 1;
            std::string text;
            if (!readQuoted(rest, p, text) || !trim(rest.substr(p)).empty()) {
                error(line, "malformed string data");
                return;
            }
            op.type = REG_SZ;
            op.data = stringData(text);
        } else if (rest.substr(0, 6) == "dword:") {
            std::string_view digits = rest.substr(6);
            std::uint32_t n = 0;
            bool ok = !digits.empty() && digits.size() <= 8;
            for (char c : digits) {
                ok = ok && hexDigit(c) >= 0;
                if (ok)
                    n = n * 16 + std::uint32_t(hexDigit(c));
            }
            if (!ok) {
                error(line, "malformed dword data '" + std::string(digits) + "'");
                return;
            }
            op.type = REG_DWORD;
            op.data.resize(4);
            for (int b = 0; b < 4; ++b)
                op.data[std::size_t(b)] = char((n >> (8 * b)) & 0xff);
        } else if (rest.substr(0, 4) == "hex:" || rest.substr(0, 4) == "hex(") {
            std::size_t start = 4;
            op.type = REG_BINARY;
            if (rest[3] == '(') {
                std::size_t close = rest.find("):");
                std::string_view number = close == std::string_view::npos ? std::string_view() : rest.substr(4, close - 4);
                std::uint64_t n = 0;
                bool ok = !number.empty() && number.size() <= 8;
                for (char c : number) {
                    ok = ok && hexDigit(c) >= 0;
                    if (ok)
                        n = n * 16 + std::uint64_t(hexDigit(c));
                }
                if (!ok) {
                    error(line, "malformed type in '" + std::string(rest.substr(0, 16)) + "'");
                    return;
                }
                op.type = std::uint32_t(n);
                start = close + 2;
            }
            std::size_t offset = std::size_t(rest.data() - t.data()) + start;
            if (!readHex(t, offset, op.data))
                return;
            // REGEDIT4 keeps the text of string types in the ANSI code page.
            if (file_.version == RegeditVersion::Regedit4 && isStringType(op.type))
                op.data = unitsToBytes(utf8ToUtf16(op.data));
        } else {
            error(line, "unrecognized value data '" + std::string(rest.substr(0, 30)) + "'");
            return;
        }
        file_.ops.push_back(std::move(op));
    }

    text::LineReader lines_;
    RegeditFile& file_;
    bool hasKey_ = false;
    Root keyRoot_ = Root::LocalMachine;
    std::string keyPath_;
};

} // namespace

RegeditFile parseRegedit(std::string_view bytes)
{
    RegeditFile file;
    std::string text = toText(bytes);
    Parser(text, file).run();
    return file;
}

} // namespace orvane::reg
