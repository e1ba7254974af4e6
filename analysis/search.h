// Internal entry points behind the exported functions. Each takes the file
// layer to use, so that the tests can run them over a file system that fails
// on purpose; the exported functions pass the POSIX one.
#pragma once

#include <string>

#include "filelayer.h"
#include "tarnel.h"

namespace tarnel {

// mtrc_code_Analyze over the given file layer.
mtrc_lines* analyzeFile(const FileSystem& fs, const char* path, int language, bool wantFunctions,
                        bool wantClasses);

// mtrc_file_FindByExt over the given file layer.
int findByExt(const FileSystem& fs, mtrc_search* search);

// mtrc_file_GetFromDSP over the given file layer.
int getFromDsp(const FileSystem& fs, mtrc_search* search);

// Makes a record with a new copy of `path` and puts it in front of `*list`.
void prependRecord(FileRecord*& list, const std::string& path, int size);

// Releases the records of `list` up to, not including, `stop`, with their
// paths, and returns `stop`.
FileRecord* releaseRecords(FileRecord* list, FileRecord* stop = nullptr);

} // namespace tarnel
