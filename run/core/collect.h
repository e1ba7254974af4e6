// Source collection: runs the library's search for one source (a directory
// searched by extension, or a project file whose file list is read) and hands
// back its files in the order the search listed them.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "tarnel.h"

namespace kestrum {

// The directory separator: a source path that ends with it is a directory.
inline constexpr char kSeparator = '/';

// True when the source path names a directory (it ends with the separator);
// any other path is a project file.
bool isDirectorySource(std::string_view path);

// The outcome of a search: the desktop program words Failed and NoFiles as
// message boxes, the command line as errors.
enum class SearchStatus {
    Found,   // at least one file
    Failed,  // no search record, or the library returned -1 (directory missing
             // or not enterable, project file unreadable or too short, empty
             // extension list)
    NoFiles, // the search ran and nothing matched
};

// Runs the search function of the record's kind and takes the records it found
// off `search->files`, in list order, appending them to `taken` (which then
// owns them; release each with mtrc_file_ReleaseRecord). Afterwards
// `search->files` is null. The search makes its directory the process's
// current directory; this function puts the previous one back, so relative
// paths elsewhere keep their meaning. Searches must not run concurrently.
SearchStatus runSearch(mtrc_search* search, std::vector<FileRecord*>& taken);

// One found file, copied out of its record.
struct FoundFile {
    std::string path;
    int size = 0;
};

// The result of searching one source from plain values.
struct SourceFiles {
    SearchStatus status = SearchStatus::Failed;
    std::vector<FoundFile> files; // in list order
    std::string path;             // the source path as the search left it
};

// Makes the text buffers and the search record for (path, extension list,
// subdirectory flag), runs the search, copies the files out and releases the
// records and the search record. `path` must be absolute: the search changes
// the current directory.
SourceFiles searchSource(std::string_view path, std::string_view exts, bool subdirs);

// Pane and message texts of a search.
inline constexpr const char* kSearchFailed = "File search filed!";
inline constexpr const char* kSearchFailedPane =
    "File search filed! Directory or project file may be corrupt.";
inline constexpr const char* kNoFilesFound = "No files foud";
inline constexpr const char* kNoFilesFoundPane = "No files foud meeting extensions.";

// "found 3 files meeting extensions.\n"
std::string foundFilesText(int count);

} // namespace kestrum
