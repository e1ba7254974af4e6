// The program may import only these functions of the analysis library: the
// five it calls and the three that release what the library hands out. The
// test reads the program's undefined dynamic symbols (demangled) and the
// library's exported ones, and compares.
#include <gtest/gtest.h>

#include <cstdio>
#include <iostream>
#include <set>
#include <string>

namespace {

const std::set<std::string> kCalled = {
    "mtrc_code_Analyze",   "mtrc_file_ExtractExts", "mtrc_file_GetFromDSP",
    "mtrc_file_NewSearch", "mtrc_file_FindByExt",
};
const std::set<std::string> kReleases = {
    "mtrc_code_Release",
    "mtrc_file_ReleaseRecord",
    "mtrc_file_ReleaseExts",
};

// Runs a command and returns the symbol names it prints (the part of each
// "nm" line after the type letter, without the parameter list).
std::set<std::string> Symbols(const std::string& command) {
    std::set<std::string> names;
    FILE* pipe = popen(command.c_str(), "r");
    if (pipe == nullptr) {
        ADD_FAILURE() << "cannot run: " << command;
        return names;
    }
    char line[4096];
    while (std::fgets(line, sizeof line, pipe) != nullptr) {
        std::string text(line);
        // "                 U name(args)" or "0000000000001234 T name(args)"
        const size_t type = text.find_first_not_of(" 0123456789abcdef");
        if (type == std::string::npos || type + 2 > text.size()) {
            continue;
        }
        std::string name = text.substr(type + 2);
        // A function returning std::string carries an ABI tag: "name[abi:cxx11](args)".
        const size_t end = name.find_first_of("(@[\n");
        if (end != std::string::npos) {
            name.resize(end);
        }
        if (!name.empty()) {
            names.insert(name);
        }
    }
    EXPECT_EQ(pclose(pipe), 0) << command;
    return names;
}

std::string Output(const std::string& command) {
    std::string out;
    FILE* pipe = popen(command.c_str(), "r");
    if (pipe == nullptr) {
        return out;
    }
    char buffer[4096];
    size_t n = 0;
    while ((n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0) {
        out.append(buffer, n);
    }
    pclose(pipe);
    return out;
}

} // namespace

TEST(OrbekImports, OnlyTheAllowedLibraryFunctions) {
    const std::set<std::string> exported =
        Symbols(std::string("nm -D -C --defined-only '") + TARNEL_PATH + "'");
    ASSERT_FALSE(exported.empty());
    const std::set<std::string> undefined =
        Symbols(std::string("nm -D -C --undefined-only '") + ORBEK_PATH + "'");
    ASSERT_FALSE(undefined.empty());

    std::set<std::string> called;
    for (const std::string& name : undefined) {
        const bool fromLibrary = exported.count(name) != 0 || name.rfind("mtrc_", 0) == 0 ||
                                 name.find("CTarnel") != std::string::npos;
        if (!fromLibrary) {
            continue;
        }
        EXPECT_TRUE(kCalled.count(name) != 0 || kReleases.count(name) != 0)
            << "orbek imports " << name << " from the library";
        if (kCalled.count(name) != 0) {
            called.insert(name);
        }
    }

    std::cout << "orbek imports " << called.size() << " of the 5 library functions:";
    for (const std::string& name : kCalled) {
        std::cout << "\n  " << name << (called.count(name) != 0 ? ": imported" : ": not yet");
    }
    std::cout << std::endl;
#ifdef ORBEK_EXPECT_ALL_IMPORTS
    EXPECT_EQ(called, kCalled);
#endif
}

TEST(OrbekImports, LinksTheLibraryAtLoadTimeNextToItself) {
    const std::string dynamic = Output(std::string("readelf -d '") + ORBEK_PATH + "'");
    EXPECT_NE(dynamic.find("Shared library: [libtarnel.so"), std::string::npos) << dynamic;
    EXPECT_NE(dynamic.find("$ORIGIN/"), std::string::npos) << dynamic;
}
