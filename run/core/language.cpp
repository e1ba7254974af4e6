#include "run/core/language.h"

#include "tarnel.h"

namespace kestrum {

bool needsFirstUseExts(std::string_view cExts, std::string_view cppExts, std::string_view vbExts) {
    return cExts.empty() && cppExts.empty() && vbExts.empty();
}

namespace {

std::vector<std::string> splitExts(std::string_view list) {
    // The splitter upper-cases its text in place, so it gets a copy.
    std::string text(list);
    int count = 0;
    std::string* array = mtrc_file_ExtractExts(text.data(), count);
    std::vector<std::string> exts;
    if (array) {
        exts.reserve(count > 0 ? count : 0);
        for (int i = 0; i < count; ++i)
            exts.push_back(std::move(array[i]));
        mtrc_file_ReleaseExts(array);
    }
    return exts;
}

bool endsWithUpper(std::string_view path, const std::string& ext) {
    if (path.size() < ext.size())
        return false;
    const std::string_view tail = path.substr(path.size() - ext.size());
    for (std::size_t i = 0; i < ext.size(); ++i) {
        char ch = tail[i];
        if (ch >= 'a' && ch <= 'z')
            ch = static_cast<char>(ch - 'a' + 'A');
        if (ch != ext[i])
            return false;
    }
    return true;
}

} // namespace

LanguageTables makeLanguageTables(std::string_view cppExts, std::string_view cExts,
                                  std::string_view vbExts, int defaultLanguage) {
    LanguageTables tables;
    tables.exts[0] = splitExts(cppExts);
    tables.exts[1] = splitExts(cExts);
    tables.exts[2] = splitExts(vbExts);
    tables.defaultLanguage = defaultLanguage;
    return tables;
}

int chooseLanguage(int mode, const LanguageTables& tables, std::string_view path) {
    if (mode >= LangModeCpp && mode <= LangModeVb)
        return mode;
    int language = tables.defaultLanguage;
    for (int code = 0; code < 3; ++code)
        for (const std::string& ext : tables.exts[code])
            if (endsWithUpper(path, ext))
                language = code;
    return language;
}

const char* languageName(int code) {
    switch (code) {
    case 1: return "c";
    case 2: return "vb";
    default: return "cpp";
    }
}

} // namespace kestrum
