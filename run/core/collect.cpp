#include "run/core/collect.h"

#include <unistd.h>

#include <cstring>
#include <memory>

#include "run/core/metrics.h"

namespace kestrum {

bool isDirectorySource(std::string_view path) {
    return !path.empty() && path.back() == kSeparator;
}

namespace {

// Remembers the current directory and goes back to it when it goes out of
// scope; the library's directory search changes it.
class CurrentDirectoryKeeper {
public:
    CurrentDirectoryKeeper() {
        std::unique_ptr<char, decltype(&std::free)> cwd(getcwd(nullptr, 0), &std::free);
        if (cwd)
            saved_ = cwd.get();
    }
    ~CurrentDirectoryKeeper() {
        if (!saved_.empty() && chdir(saved_.c_str()) != 0) {
            // The old directory is gone; nothing better can be done.
        }
    }
    CurrentDirectoryKeeper(const CurrentDirectoryKeeper&) = delete;
    CurrentDirectoryKeeper& operator=(const CurrentDirectoryKeeper&) = delete;

private:
    std::string saved_;
};

// A text buffer with room for the text, its terminator and one more
// character, as the search record requires.
std::unique_ptr<char[]> textBuffer(std::string_view text) {
    auto buffer = std::make_unique<char[]>(text.size() + 2);
    std::memcpy(buffer.get(), text.data(), text.size());
    buffer[text.size()] = '\0';
    buffer[text.size() + 1] = '\0';
    return buffer;
}

} // namespace

SearchStatus runSearch(mtrc_search* search, std::vector<FileRecord*>& taken) {
    if (!search || !search->path)
        return SearchStatus::Failed;
    int found;
    {
        CurrentDirectoryKeeper keeper;
        found = isDirectorySource(search->path) ? mtrc_file_FindByExt(search)
                                                : mtrc_file_GetFromDSP(search);
    }
    if (found < 0)
        return SearchStatus::Failed;
    if (found == 0)
        return SearchStatus::NoFiles;
    while (FileRecord* record = search->files) {
        search->files = record->next;
        record->next = nullptr;
        taken.push_back(record);
    }
    return SearchStatus::Found;
}

SourceFiles searchSource(std::string_view path, std::string_view exts, bool subdirs) {
    SourceFiles result;
    auto pathBuffer = textBuffer(path);
    auto extsBuffer = textBuffer(exts);
    std::unique_ptr<mtrc_search> search(
        mtrc_file_NewSearch(pathBuffer.get(), extsBuffer.get(), subdirs ? 1 : 0));
    std::vector<FileRecord*> taken;
    result.status = runSearch(search.get(), taken);
    result.path = pathBuffer.get();
    result.files.reserve(taken.size());
    for (FileRecord* record : taken) {
        result.files.push_back(FoundFile{record->path ? record->path : "", record->size});
        mtrc_file_ReleaseRecord(record);
    }
    // Records a failed or empty search may have left on the list.
    if (search) {
        while (FileRecord* record = search->files) {
            search->files = record->next;
            mtrc_file_ReleaseRecord(record);
        }
    }
    return result;
}

std::string foundFilesText(int count) {
    return "found " + decimal(count) + " files meeting extensions.\n";
}

} // namespace kestrum
