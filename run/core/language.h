// The language a file is analysed in: one language for every file, or chosen
// per file from the extension lists of the three languages.
#pragma once

#include <array>
#include <string>
#include <string_view>
#include <vector>

namespace kestrum {

// The language mode; 0 to 2 are also the analyzer's language codes.
enum LanguageMode : int {
    LangModeCpp = 0,
    LangModeC = 1,
    LangModeVb = 2,
    LangModeByExtension = 3,
};

// The extension lists written on first use when all three stored lists are
// empty (by-extension mode of a run).
inline constexpr const char* kFirstUseCExts = "C";
inline constexpr const char* kFirstUseCppExts = "CPP;HPP;H";
inline constexpr const char* kFirstUseVbExts = "BAS;FRM";

// True when all three stored lists are empty, so the first-use lists above
// must be written (and used) in their place.
bool needsFirstUseExts(std::string_view cExts, std::string_view cppExts, std::string_view vbExts);

// The by-extension tables: for each analyzer code (0 C++, 1 C, 2 Visual
// Basic) its extensions, upper case with a leading dot, and the code of a file
// that matches none.
struct LanguageTables {
    std::array<std::vector<std::string>, 3> exts;
    int defaultLanguage = 0;
};

// Splits the three lists with the library's extension splitter. An empty list
// gives one lone dot, which matches only paths that end with a dot.
LanguageTables makeLanguageTables(std::string_view cppExts, std::string_view cExts,
                                  std::string_view vbExts, int defaultLanguage);

// The analyzer code of `path`: the mode itself for modes 0 to 2; otherwise the
// code of the last extension that ends the path (upper-cased) in the order C++,
// C, Visual Basic, or the default language when none does.
int chooseLanguage(int mode, const LanguageTables& tables, std::string_view path);

// A short name of an analyzer code: "cpp", "c" or "vb" (other codes are
// analysed as C++ and named "cpp").
const char* languageName(int code);

} // namespace kestrum
