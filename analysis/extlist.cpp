// Extension lists and the source check of a search.
//
// Rules of an extension list:
//  1. The whole text is turned to upper case, in place.
//  2. It is split at every semicolon: n semicolons give n + 1 pieces, so an
//     empty text gives one empty piece and a semicolon at either end gives an
//     empty piece there.
//  3. Spaces are removed from both ends of each piece.
//  4. A piece that does not begin with a dot gets one in front; an empty
//     piece thus becomes a lone dot, which matches names ending with a dot.
// Before a search uses a list, trailing spaces and semicolons are removed
// from its text in place; a list with nothing left is refused.
#include "extlist.h"

#include <cstring>

namespace tarnel {

void upperInPlace(char* text) {
    for (; *text; ++text)
        *text = upperAscii(*text);
}

std::vector<std::string> splitExtensions(char* text) {
    upperInPlace(text);
    std::vector<std::string> pieces;
    std::string_view rest(text);
    for (;;) {
        const std::size_t semicolon = rest.find(';');
        std::string_view piece = rest.substr(0, semicolon);
        while (!piece.empty() && piece.front() == ' ')
            piece.remove_prefix(1);
        while (!piece.empty() && piece.back() == ' ')
            piece.remove_suffix(1);
        std::string ext;
        if (piece.empty() || piece.front() != '.')
            ext += '.';
        ext += piece;
        pieces.push_back(std::move(ext));
        if (semicolon == std::string_view::npos)
            break;
        rest.remove_prefix(semicolon + 1);
    }
    return pieces;
}

bool trimExtensionText(char* text) {
    if (!text)
        return false;
    std::size_t length = std::strlen(text);
    while (length > 0 && (text[length - 1] == ' ' || text[length - 1] == ';'))
        text[--length] = '\0';
    return length > 0;
}

bool hasExtension(std::string_view name, std::string_view ext) {
    if (name.size() < ext.size())
        return false;
    const std::size_t offset = name.size() - ext.size();
    for (std::size_t i = 0; i < ext.size(); ++i) {
        if (upperAscii(name[offset + i]) != ext[i])
            return false;
    }
    return true;
}

namespace {

// `dir` made absolute against `cwd`; "." segments are dropped on the way,
// since they change nothing (".." segments are kept: a symbolic link in
// between would make dropping them wrong).
std::string absoluteDirectory(const std::string& cwd, std::string_view dir) {
    std::string result;
    if (dir.front() != kPathSeparator) {
        result = cwd;
        if (result.empty() || result.back() != kPathSeparator)
            result += kPathSeparator;
    }
    std::size_t start = 0;
    while (start < dir.size()) {
        std::size_t end = dir.find(kPathSeparator, start);
        if (end == std::string_view::npos)
            end = dir.size();
        const std::string_view segment = dir.substr(start, end - start);
        if (segment != ".") {
            result += segment;
            if (end < dir.size())
                result += kPathSeparator;
        }
        start = end + 1;
    }
    if (result.empty() || result.back() != kPathSeparator)
        result += kPathSeparator;
    return result;
}

} // namespace

bool checkDirectorySource(const FileSystem& fs, char* path, char* exts, std::string& absolute) {
    if (!path || !*path)
        return false;
    std::size_t length = std::strlen(path);
    if (path[length - 1] != kPathSeparator) {
        // The caller's buffer holds one more character than its text: the
        // separator takes that place and the terminator moves one on.
        path[length] = kPathSeparator;
        path[length + 1] = '\0';
        ++length;
    }
    const std::string_view dir(path, length);
    std::string cwd;
    if (dir.front() != kPathSeparator && !fs.currentDirectory(cwd))
        return false;
    absolute = absoluteDirectory(cwd, dir);
    if (!fs.changeDirectory(absolute.c_str()))
        return false;
    return trimExtensionText(exts);
}

bool checkProjectFileSource(const FileSystem& fs, const char* path, char* exts) {
    if (!path || !*path)
        return false;
    {
        OpenFile file(fs, path);
        std::int64_t size = 0;
        if (!file.isOpen() || !fs.size(file.handle(), size) || size < kMinProjectFileSize)
            return false;
    }
    return trimExtensionText(exts);
}

} // namespace tarnel
