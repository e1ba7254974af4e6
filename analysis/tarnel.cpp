// The exported functions of the library, the release functions and the
// language dispatch. The exported functions are thin: they pass the POSIX
// file layer to the internal functions, which the tests call with doubles.
#include <new>
#include <vector>

#include "analyzer.h"
#include "extlist.h"
#include "search.h"

namespace tarnel {

mtrc_lines* analyzeBuffer(const unsigned char* data, std::size_t size, int language,
                          bool wantFunctions, bool wantClasses) {
    switch (language) {
    case LangVb: return analyzeVb(data, size);
    case LangC: return analyzeCpp(data, size, true, wantFunctions, wantClasses);
    default: return analyzeCpp(data, size, false, wantFunctions, wantClasses);
    }
}

mtrc_lines* analyzeFile(const FileSystem& fs, const char* path, int language, bool wantFunctions,
                        bool wantClasses) {
    if (!path || !*path)
        return nullptr;
    // Files above 2 GiB are refused like files that cannot be held in
    // memory: every count of the result is a 32-bit integer.
    WholeFile file(fs, path);
    if (!file.ok())
        return nullptr;
    try {
        return analyzeBuffer(file.data(), file.size(), language, wantFunctions, wantClasses);
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
}

} // namespace tarnel

mtrc_lines* mtrc_code_Analyze(char* path, int language, int wantFunctions, int wantClasses) {
    return tarnel::analyzeFile(tarnel::posixFileSystem(), path, language, wantFunctions != 0,
                               wantClasses != 0);
}

mtrc_search* mtrc_file_NewSearch(char* path, char* exts, int subdirs) {
    return new (std::nothrow) mtrc_search{path, exts, subdirs, 0, nullptr};
}

int mtrc_file_FindByExt(mtrc_search* search) {
    return tarnel::findByExt(tarnel::posixFileSystem(), search);
}

int mtrc_file_GetFromDSP(mtrc_search* search) {
    return tarnel::getFromDsp(tarnel::posixFileSystem(), search);
}

std::string* mtrc_file_ExtractExts(char* text, int& count) {
    count = 0;
    if (!text)
        return nullptr;
    try {
        const std::vector<std::string> pieces = tarnel::splitExtensions(text);
        auto* array = new std::string[pieces.size()];
        for (std::size_t i = 0; i < pieces.size(); ++i)
            array[i] = pieces[i];
        count = static_cast<int>(pieces.size());
        return array;
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
}

long mtrc_file_GetSizeSum(mtrc_search* search) {
    if (!search || !search->files)
        return -1;
    long sum = 0;
    for (const FileRecord* record = search->files; record; record = record->next)
        sum += record->size;
    return sum;
}

int mtrc_file_DeleteSearch(mtrc_search* search) {
    if (!search)
        return 0;
    tarnel::releaseRecords(search->files);
    delete search;
    return 1;
}

void mtrc_code_Release(mtrc_lines* lines) {
    if (!lines)
        return;
    for (mtrc_func* f = lines->func_list; f;) {
        mtrc_func* next = f->next;
        delete[] f->name;
        delete f;
        f = next;
    }
    for (mtrc_class* c = lines->class_list; c;) {
        mtrc_class* next = c->next;
        delete[] c->name;
        delete c;
        c = next;
    }
    delete lines;
}

void mtrc_file_ReleaseRecord(FileRecord* record) {
    if (!record)
        return;
    delete[] record->path;
    delete record;
}

void mtrc_file_ReleaseExts(std::string* exts) {
    delete[] exts;
}

CTarnel& CTarnel::operator=(const CTarnel&) = default;
