// The project file (.qvd): a block of lines per source, its extension list,
// subdirectory flag, kind, check state and path, then the paths of its files
// whose boxes are cleared. Reading and writing here work on the bytes only;
// running the searches is the caller's.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace kestrum {

// One source block of a project file.
struct ProjectSource {
    std::string exts;                 // extension list text, as the search record holds it
    int subdirs = 1;                  // 0: the directory search stays in the directory
    std::string path;                 // a directory ends with '/'; anything else is a project file
    bool checked = true;              // the source's own check box
    std::vector<std::string> cleared; // file lines: paths of the files whose boxes are cleared

    bool operator==(const ProjectSource&) const = default;
};

// Scans project file contents. Only carriage returns end lines; line feeds
// are dropped wherever they stand, and a last line without a carriage return
// is not taken. Keywords are the first ten characters exactly; values start at
// position 11, the check digit of a source line is at 11 and its path at 12.
// The extension list and the subdirectory flag carry over from one block to
// the next (starting as empty and 1); a "SOURCE_SUB" value other than exactly
// "0" means 1. A "SOURCE_DIR" path gets a final '/' when it lacks one (unless
// it is empty, which no search accepts). Any other line is a file line of the
// source before it; file lines before the first source are ignored.
std::vector<ProjectSource> parseProjectFile(std::string_view contents);

// The file text of the sources, every line ended by CR LF; keyword
// "SOURCE_DIR" when the path ends with '/', "SOURCE_DSP" otherwise. An empty
// project gives an empty text.
std::string formatProjectFile(const std::vector<ProjectSource>& sources);

// True when `path` equals one of the source's file lines without regard to
// letter case: such a file's box is cleared after the search.
bool isClearedFile(const ProjectSource& source, std::string_view path);

// Reads a whole file into `contents`; false with `error` set to the system's
// reason when it cannot be opened or read.
bool readWholeFile(const std::string& path, std::string& contents, std::string& error);

// The window title: "Untitled - Kestrum", or the part of the path after its
// last '/' followed by " - Kestrum".
std::string projectWindowTitle(std::string_view projectPath);

// "Save your changes to <name or Untitled> ?"
std::string saveChangesQuestion(std::string_view projectPath);

// "Can't open project: <path>"
std::string cantOpenProjectText(std::string_view path);

inline constexpr const char* kProjectLoaded = "Project loaded successfully.";

} // namespace kestrum
