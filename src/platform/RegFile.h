#pragma once
// Wine's registry file format ("WINE REGISTRY Version 2"): the parser and the writer of one
// hive. Both work on text, not on paths; Registry does the file I/O.

#include "platform/RegistryTree.h"
#include "platform/Status.h"

#include <string>
#include <string_view>

namespace orvane::reg {

// Fills `hive` (root, rootPath, preamble) from the text of a registry file. `fileName` names
// the file in messages. On a malformed line the result is a failure whose message names the
// file and the line ("user.reg:211: Unrecognized input '...'"), and `hive.root` is left empty:
// a file we do not fully understand is never half loaded.
Status parseHive(std::string_view text, std::string_view fileName, Hive& hive);

// The file text as Wine writes it: sections depth-first in Wine's order, hex wrapped at 77
// columns, Wine's escapes. Lines the parser kept without understanding are written back.
std::string writeHive(const Hive& hive);

// Wine's escape rules (named escapes, octal, \x with minimal digits). `quote1`/`quote2` are
// the extra characters escaped with a backslash: '"' for names and data, '[' and ']' for key
// paths. Appends to `out` and returns the number of characters appended.
std::size_t appendWineEscaped(std::string& out, std::u16string_view units, char quote1, char quote2);
// The same for UTF-16LE bytes as values store them.
std::size_t appendWineEscapedBytes(std::string& out, std::string_view utf16le, char quote1, char quote2);

// Wine's "hex:"/"hex(N):" data with its line breaks; `column` is the width of what precedes
// it on the line (name, '=', type prefix).
void appendWineHex(std::string& out, std::string_view bytes, std::size_t column);

} // namespace orvane::reg
