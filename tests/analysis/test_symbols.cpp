// The library exports exactly its documented functions, with their exact
// signatures, CTarnel's copy assignment and the release functions; nothing
// else, no standard library instance included.
#include <cstdio>
#include <cstdlib>
#include <cxxabi.h>
#include <memory>
#include <set>
#include <sstream>
#include <string>

#include <gtest/gtest.h>

namespace {

// The library's defined dynamic symbols, as the dynamic linker sees them.
std::set<std::string> exportedSymbols() {
    std::set<std::string> names;
    const std::string command = std::string("nm -D --defined-only '") + TARNEL_LIBRARY_PATH + "'";
    FILE* pipe = ::popen(command.c_str(), "r");
    if (!pipe)
        return names;
    char line[4096];
    while (std::fgets(line, sizeof line, pipe)) {
        std::istringstream fields(line);
        std::string address, type, name;
        if (fields >> address >> type >> name)
            names.insert(name);
    }
    EXPECT_EQ(::pclose(pipe), 0) << command;
    return names;
}

std::string demangle(const std::string& name) {
    int status = 0;
    std::unique_ptr<char, decltype(&std::free)> text(
        abi::__cxa_demangle(name.c_str(), nullptr, nullptr, &status), &std::free);
    return status == 0 && text ? std::string(text.get()) : name;
}

TEST(Exports, AreExactlyTheDocumentedFunctions) {
    // A function returning a std::string type carries the standard library's
    // [abi:cxx11] tag in its name; the parameter lists are the documented ones.
    const std::set<std::string> expected = {
        "mtrc_code_Analyze(char*, int, int, int)",
        "mtrc_file_NewSearch(char*, char*, int)",
        "mtrc_file_FindByExt(mtrc_search*)",
        "mtrc_file_GetFromDSP(mtrc_search*)",
        "mtrc_file_ExtractExts[abi:cxx11](char*, int&)",
        "mtrc_file_GetSizeSum(mtrc_search*)",
        "mtrc_file_DeleteSearch(mtrc_search*)",
        "CTarnel::operator=(CTarnel const&)",
        "mtrc_code_Release(mtrc_lines*)",
        "mtrc_file_ReleaseRecord(FileRecord*)",
        "mtrc_file_ReleaseExts(std::__cxx11::basic_string<char, std::char_traits<char>, "
        "std::allocator<char> >*)",
    };
    std::set<std::string> actual;
    for (const std::string& name : exportedSymbols())
        actual.insert(demangle(name));
    for (const std::string& name : expected)
        EXPECT_TRUE(actual.count(name)) << "not exported: " << name;
    for (const std::string& name : actual)
        EXPECT_TRUE(expected.count(name)) << "exported but not documented: " << name;
}

} // namespace
