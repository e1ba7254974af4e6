// The project file (.dsp) reader.
//
// Rules:
//  1. The project file must pass the source check (it opens, holds at least
//     19 bytes, and the extension list is not empty once trimmed); it is then
//     read whole.
//  2. A source line is one that follows a line feed, has at least ten bytes
//     after that line feed, and whose first six bytes are "SOURCE" exactly
//     (upper case, not indented). The first line of the file never counts.
//  3. The value starts after "SOURCE" and any run of "=", spaces and tabs,
//     and ends before the next carriage return or line feed, or at the end of
//     the file. Double quotes around the whole value are removed.
//  4. The value is tested against every extension in list order. For each
//     match, the value (its backslashes turned into separators) is joined to
//     the project file's folder and its "." and ".." segments are resolved;
//     if that file opens, a record of it goes in front of the list. A file
//     that does not open as written but whose path matches exactly one
//     existing path when letter case is ignored (component by component) is
//     listed under its name on disk, as the project's Windows origin expects.
//     Files that do not open are passed over without a word.
//  5. The scan goes on at the byte that ended the value, so with bare line
//     feeds that line feed can begin the next source line.
#include <cstring>
#include <new>
#include <string_view>
#include <vector>

#include "extlist.h"
#include "search.h"

namespace tarnel {

namespace {

constexpr std::string_view kSourceKeyword = "SOURCE";
constexpr std::size_t kBytesAfterLineFeed = 10;

bool isValueLead(unsigned char c) {
    return c == '=' || c == ' ' || c == '\t';
}

// Splits a path into its segments, dropping empty and "." segments and
// resolving ".." against the segment before it. In an absolute path ".."
// at the root stays at the root; in a relative one leading ".." are kept.
std::vector<std::string> resolvedSegments(std::string_view path) {
    const bool absolute = !path.empty() && path.front() == kPathSeparator;
    std::vector<std::string> segments;
    std::size_t start = 0;
    while (start <= path.size()) {
        std::size_t end = path.find(kPathSeparator, start);
        if (end == std::string_view::npos)
            end = path.size();
        const std::string_view segment = path.substr(start, end - start);
        if (segment == "..") {
            if (!segments.empty() && segments.back() != "..")
                segments.pop_back();
            else if (!absolute)
                segments.emplace_back(segment);
        } else if (!segment.empty() && segment != ".") {
            segments.emplace_back(segment);
        }
        start = end + 1;
    }
    return segments;
}

std::string joinSegments(bool absolute, const std::vector<std::string>& segments) {
    std::string path;
    if (absolute)
        path += kPathSeparator;
    for (std::size_t i = 0; i < segments.size(); ++i) {
        if (i > 0)
            path += kPathSeparator;
        path += segments[i];
    }
    return path;
}

bool equalIgnoringCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (upperAscii(a[i]) != upperAscii(b[i]))
            return false;
    }
    return true;
}

// Looks for the path on disk with letter case ignored, one segment at a
// time: a segment present as written is taken as written, otherwise the one
// entry that equals it with case ignored; none or several fail. A folder
// that cannot be listed keeps its segment as written.
bool findIgnoringCase(const FileSystem& fs, bool absolute, const std::vector<std::string>& segments,
                      std::string& onDisk) {
    std::string current = absolute ? std::string(1, kPathSeparator) : std::string();
    std::vector<DirEntry> entries;
    for (std::size_t i = 0; i < segments.size(); ++i) {
        const std::string& segment = segments[i];
        const std::string* chosen = &segment;
        FileId self;
        entries.clear();
        if (segment != ".." && fs.listDirectory(current.empty() ? "." : current, self, entries)) {
            const std::string* match = nullptr;
            int matches = 0;
            bool exact = false;
            for (const DirEntry& entry : entries) {
                if (entry.name == segment) {
                    exact = true;
                    break;
                }
                if (equalIgnoringCase(entry.name, segment)) {
                    match = &entry.name;
                    ++matches;
                }
            }
            if (!exact) {
                if (matches != 1)
                    return false;
                chosen = match;
            }
        }
        current += *chosen;
        if (i + 1 < segments.size())
            current += kPathSeparator;
    }
    onDisk = std::move(current);
    return true;
}

// The value of a source line: from `begin` up to the line's end, without
// double quotes around it.
std::string_view sourceValue(const unsigned char* data, std::size_t begin, std::size_t end) {
    std::string_view value(reinterpret_cast<const char*>(data) + begin, end - begin);
    if (value.size() >= 2 && value.front() == '"' && value.back() == '"')
        value = value.substr(1, value.size() - 2);
    return value;
}

struct Reader {
    const FileSystem& fs;
    const std::vector<std::string>& exts;
    std::string_view base; // the project file's folder, with its final separator
    FileRecord*& files;

    // Lists the value once for every extension it matches; returns how
    // many records were added.
    int listValue(std::string_view value) {
        int added = 0;
        bool located = false;
        bool opens = false;
        int size = 0;
        std::string path;
        for (const std::string& ext : exts) {
            if (!hasExtension(value, ext))
                continue;
            if (!located) {
                opens = locate(value, path, size);
                located = true;
            }
            if (opens) {
                prependRecord(files, path, size);
                ++added;
            }
        }
        return added;
    }

    bool locate(std::string_view value, std::string& path, int& size) {
        std::string joined(base);
        for (char c : value)
            joined += c == '\\' ? kPathSeparator : c;
        const bool absolute = !joined.empty() && joined.front() == kPathSeparator;
        const std::vector<std::string> segments = resolvedSegments(joined);
        if (segments.empty())
            return false;
        path = joinSegments(absolute, segments);
        if (openedFileSize(fs, path.c_str(), size))
            return true;
        std::string onDisk;
        if (!findIgnoringCase(fs, absolute, segments, onDisk) || onDisk == path)
            return false;
        if (!openedFileSize(fs, onDisk.c_str(), size))
            return false;
        path = std::move(onDisk);
        return true;
    }
};

} // namespace

int getFromDsp(const FileSystem& fs, mtrc_search* search) {
    if (!search)
        return -1;
    if (!checkProjectFileSource(fs, search->path, search->exts))
        return -1;
    FileRecord* const before = search->files;
    try {
        const std::vector<std::string> exts = splitExtensions(search->exts);
        const std::string_view projectPath(search->path);
        const std::size_t slash = projectPath.rfind(kPathSeparator);
        const std::string_view base =
            slash == std::string_view::npos ? std::string_view() : projectPath.substr(0, slash + 1);

        WholeFile file(fs, search->path);
        if (!file.ok())
            return -1;
        const unsigned char* data = file.data();
        const std::size_t size = file.size();

        Reader reader{fs, exts, base, search->files};
        int added = 0;
        for (std::size_t p = 0; p < size; ++p) {
            if (data[p] != '\n' || size - p - 1 < kBytesAfterLineFeed ||
                std::memcmp(data + p + 1, kSourceKeyword.data(), kSourceKeyword.size()) != 0)
                continue;
            std::size_t begin = p + 1 + kSourceKeyword.size();
            while (begin < size && isValueLead(data[begin]))
                ++begin;
            std::size_t end = begin;
            while (end < size && data[end] != '\r' && data[end] != '\n')
                ++end;
            added += reader.listValue(sourceValue(data, begin, end));
            // Go on at the byte that ended the value.
            p = end - 1;
        }
        return added;
    } catch (const std::bad_alloc&) {
        search->files = releaseRecords(search->files, before);
        return -1;
    }
}

} // namespace tarnel
