// Extension lists ("CPP; hpp;.C") and the check a search makes of its source
// before it starts.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "filelayer.h"

namespace tarnel {

// Upper case for ASCII letters only; bytes of 128 and above stay as they are.
inline char upperAscii(char c) {
    return (c >= 'a' && c <= 'z') ? char(c - 'a' + 'A') : c;
}

// Turns a text to upper case in place (ASCII letters only).
void upperInPlace(char* text);

// Splits an extension list: upper-cases `text` in place, then returns one
// piece per semicolon-separated part, blanks trimmed and a dot put in front
// of any piece that lacks one. There is always one piece more than the text
// has semicolons.
std::vector<std::string> splitExtensions(char* text);

// Removes trailing spaces and semicolons from `text` in place; false when
// nothing is left (or the text is null).
bool trimExtensionText(char* text);

// True when the upper-case form of `name` ends with `ext` (which is upper
// case already); a name shorter than the extension never matches.
bool hasExtension(std::string_view name, std::string_view ext);

// The source check of a directory search. The directory text must not be
// empty; a separator is appended to it in place when it lacks one (the buffer
// has room for exactly one more character); the directory is made absolute
// against the current directory, stored in `absolute` (ending with the
// separator) and made current; the extension text is trimmed in place and
// must not end up empty.
bool checkDirectorySource(const FileSystem& fs, char* path, char* exts, std::string& absolute);

// The source check of a project file: the path must not be empty, the file
// must open and hold at least kMinProjectFileSize bytes, and the extension
// text, trimmed in place, must not be empty.
constexpr long kMinProjectFileSize = 19;
bool checkProjectFileSource(const FileSystem& fs, const char* path, char* exts);

} // namespace tarnel
