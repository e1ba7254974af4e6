// The directory search by extensions.
//
// Rules of the walk of a directory D (an absolute path ending with the
// separator):
//  1. Every entry of D is examined, the first one included; a directory that
//     cannot be listed yields no entries.
//  2. An entry whose name begins with a dot is skipped: "." and "..", and
//     every other hidden name.
//  3. A directory (or a symbolic link to one), when subdirectories are
//     wanted, is walked at once, before the next entry of D, unless it is one
//     of the directories the walk is already inside (same device and inode):
//     a link loop is never followed.
//  4. Anything else, a directory included when subdirectories are not
//     wanted, is tested against every extension in list order; each match
//     puts a record of D + name in front of the list, with the size of the
//     file, or 0 when it does not open (a directory never does).
#include <new>
#include <vector>

#include "extlist.h"
#include "search.h"

namespace tarnel {

void prependRecord(FileRecord*& list, const std::string& path, int size) {
    char* text = new char[path.size() + 1];
    path.copy(text, path.size());
    text[path.size()] = '\0';
    try {
        list = new FileRecord{text, size, list};
    } catch (...) {
        delete[] text;
        throw;
    }
}

FileRecord* releaseRecords(FileRecord* list, FileRecord* stop) {
    while (list && list != stop) {
        FileRecord* next = list->next;
        delete[] list->path;
        delete list;
        list = next;
    }
    return stop;
}

namespace {

struct Walk {
    const FileSystem& fs;
    const std::vector<std::string>& exts;
    bool subdirs;
    FileRecord*& files;
    std::vector<FileId> inside; // the directories the walk is in, outermost first
};

int walkDirectory(Walk& walk, std::string& dir) {
    FileId self;
    std::vector<DirEntry> entries;
    if (!walk.fs.listDirectory(dir, self, entries))
        return 0;
    walk.inside.push_back(self);
    const std::size_t base = dir.size();
    int added = 0;
    for (const DirEntry& entry : entries) {
        if (entry.name.empty() || entry.name.front() == '.')
            continue;
        dir.resize(base);
        dir += entry.name;
        if (entry.isDirectory && walk.subdirs) {
            bool loop = false;
            for (const FileId& id : walk.inside)
                loop = loop || id == entry.id;
            if (!loop) {
                dir += kPathSeparator;
                added += walkDirectory(walk, dir);
            }
            continue;
        }
        bool sized = false;
        int size = 0;
        for (const std::string& ext : walk.exts) {
            if (!hasExtension(entry.name, ext))
                continue;
            if (!sized) {
                openedFileSize(walk.fs, dir.c_str(), size);
                sized = true;
            }
            prependRecord(walk.files, dir, size);
            ++added;
        }
    }
    dir.resize(base);
    walk.inside.pop_back();
    return added;
}

} // namespace

int findByExt(const FileSystem& fs, mtrc_search* search) {
    if (!search)
        return -1;
    std::string dir;
    if (!checkDirectorySource(fs, search->path, search->exts, dir))
        return -1;
    FileRecord* const before = search->files;
    try {
        const std::vector<std::string> exts = splitExtensions(search->exts);
        Walk walk{fs, exts, search->subdirs != 0, search->files, {}};
        const int added = walkDirectory(walk, dir);
        if (added > 0)
            search->count = added;
        return added;
    } catch (const std::bad_alloc&) {
        // Out of memory half way: take back what this search added, so the
        // list is as it was, and report the search as failed.
        search->files = releaseRecords(search->files, before);
        return -1;
    }
}

} // namespace tarnel
