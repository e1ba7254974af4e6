// Tarnel: the public interface of the source analysis library.
//
// Every record, list element, text and array that a function here returns is
// allocated by the library and belongs to the caller from then on. Records are
// allocated with `new`, texts and arrays with `new[]`; release them with the
// mtrc_*_Release functions below (or with the matching delete, since library
// and program share one process heap).
#pragma once

#include <string>

#if defined(TARNEL_BUILDING)
#define TARNEL_API __attribute__((visibility("default")))
#else
#define TARNEL_API
#endif

// One function found by the C/C++ analyzer.
struct mtrc_func {
    char* name;      // name as written in the source (new[]-allocated)
    int lines;       // lines of the function
    int comments;    // comment lines inside the function
    int blanks;      // blank lines inside the function
    int effective;   // effective lines, header line excluded
    int cc;          // cyclomatic complexity, at least 1
    mtrc_func* next; // the function before this one in the file, or null
};

// One class found by the C/C++ analyzer.
struct mtrc_class {
    char* name;       // name as written after the keyword (new[]-allocated)
    mtrc_class* next; // the class before this one in the file, or null
};

// The counts of one analysed file.
struct mtrc_lines {
    int lines;
    int comments;
    int blanks;
    int effective;
    int functions; // -1 for Visual Basic (not measured)
    int cc_min;    // 0 without functions, -1 for Visual Basic
    int cc_max;
    int cc_avg;
    int classes;
    int structs;
    mtrc_func* func_list;   // last function of the file first; null unless asked for
    mtrc_class* class_list; // last class of the file first; null unless asked for
};

// One file found by a search.
struct FileRecord {
    char* path;       // full path (new[]-allocated)
    int size;         // size in bytes, INT_MAX above 2 GiB, 0 if it did not open
    FileRecord* next; // next record, or null
};

// One search and its result. `path` and `exts` are the caller's buffers: the
// search functions write into them (a separator may be appended to `path`, so
// it needs room for one more character; `exts` is trimmed and upper-cased).
struct mtrc_search {
    char* path;
    char* exts;
    int subdirs;
    int count;
    FileRecord* files;
};

// Analyses one file. language: 0 C++, 1 C, 2 Visual Basic, anything else C++.
// Returns null for an empty path or a file that cannot be opened or read; a
// directory, a FIFO or a device counts as a file that cannot be opened, and a
// file above 2 GiB as one that cannot be held in memory. The file is read
// whole into one buffer of its size, released before the function returns.
// Keeps no shared state: several threads may call it at once.
TARNEL_API mtrc_lines* mtrc_code_Analyze(char* path, int language, int wantFunctions,
                                         int wantClasses);

// Makes a search record that keeps the two caller buffers and the flag.
TARNEL_API mtrc_search* mtrc_file_NewSearch(char* path, char* exts, int subdirs);

// Searches the directory `search->path` for the extension list; returns the
// number of records added in front of `search->files`, or -1. A relative
// directory is taken from the current directory at the time of the call and
// the records hold absolute paths; the directory becomes current. Symbolic
// links to directories are followed, but never into a directory the walk is
// already inside.
TARNEL_API int mtrc_file_FindByExt(mtrc_search* search);

// Lists the existing source files named by the project file `search->path`
// that match the extension list; returns the number of records added, or -1.
// Each "SOURCE=" value is read relative to the project file's folder, with
// backslashes as separators and "." and ".." resolved; a name that exists
// only in another letter case is listed as it is on disk.
TARNEL_API int mtrc_file_GetFromDSP(mtrc_search* search);

// Splits an extension list ("CPP; hpp;.c") into upper-case extensions with a
// leading dot; stores their number in `count`. Upper-cases `text` in place.
TARNEL_API std::string* mtrc_file_ExtractExts(char* text, int& count);

// Sum of the sizes of `search->files`, or -1 for a null search or empty list.
TARNEL_API long mtrc_file_GetSizeSum(mtrc_search* search);

// Releases every record still on `search->files` and the search record;
// 0 for a null search, otherwise 1. The caller's buffers are not released.
TARNEL_API int mtrc_file_DeleteSearch(mtrc_search* search);

// Release functions for what the library hands out. Each accepts null.
TARNEL_API void mtrc_code_Release(mtrc_lines* lines);        // record, lists, names
TARNEL_API void mtrc_file_ReleaseRecord(FileRecord* record); // one record and its path
TARNEL_API void mtrc_file_ReleaseExts(std::string* exts);    // an extension array

// An empty exported class; nothing uses it.
class TARNEL_API CTarnel {
public:
    CTarnel& operator=(const CTarnel&);
};
