// The project file reader: which lines name files, how a value becomes a
// path, and what fails.
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "file_helpers.h"
#include "search.h"

namespace {

using testing_files::FaultyFileSystem;
using testing_files::TempDir;
using Paths = std::vector<std::string>;

const char kHeader[] = "# Microsoft Developer Studio Project File - Name=\"p\"\r\n";

// The project lives in proj/ of a temporary folder, next to these files.
void writeTree(const TempDir& dir) {
    dir.write("proj/a.c", "aaaa");
    dir.write("proj/b.h", "bb");
    dir.write("proj/.c", "x");
    dir.write("proj/resource.h", "r");
    dir.write("proj/Sub/Util.c", "u");
    dir.write("proj/dup.c", "1");
    dir.write("proj/DUP.c", "2");
    dir.mkdir("proj/folder.c");
    dir.write("src/u.c", "parent");
    dir.write("proj/src/u.c", "decoy");
    dir.write("My Files/m.c", "m");
}

// Reads the project file with the given content and extension list; returns
// the result and the records' paths relative to the temporary folder.
struct Read {
    int result;
    Paths paths;
};

Read readProject(const TempDir& dir, const std::string& content, const std::string& exts) {
    std::string path = dir.write("proj/p.dsp", content);
    std::string extsBuffer = exts;
    mtrc_search* s = mtrc_file_NewSearch(path.data(), extsBuffer.data(), 0);
    Read read{mtrc_file_GetFromDSP(s), {}};
    for (const FileRecord* r = s->files; r; r = r->next) {
        std::string p = r->path;
        read.paths.push_back(
            p.compare(0, dir.path().size(), dir.path()) == 0 ? p.substr(dir.path().size()) : p);
    }
    EXPECT_EQ(s->count, 0);
    mtrc_file_DeleteSearch(s);
    return read;
}

struct DspCase {
    const char* name;
    std::string content;
    const char* exts;
    Paths listed; // list order: last source line first
};

const DspCase kCases[] = {
    {"own_folder_value", std::string(kHeader) + "SOURCE=.\\a.c\r\n", "c", {"proj/a.c"}},
    {"value_without_dot", std::string(kHeader) + "SOURCE=a.c\r\n", "c", {"proj/a.c"}},
    {"blanks_around_equals", std::string(kHeader) + "SOURCE = .\\a.c\r\n", "c", {"proj/a.c"}},
    {"lower_case_line_ignored", std::string(kHeader) + "source=.\\a.c\r\n", "c", {}},
    {"indented_line_ignored", std::string(kHeader) + " SOURCE=.\\a.c\r\n", "c", {}},
    {"missing_file_adds_nothing", std::string(kHeader) + "SOURCE=.\\gone.c\r\n", "c", {}},
    {"folder_does_not_open", std::string(kHeader) + "SOURCE=.\\folder.c\r\n", "c", {}},
    {"extension_not_listed", std::string(kHeader) + "SOURCE=.\\b.h\r\n", "c", {}},
    {"extension_matching_twice",
     std::string(kHeader) + "SOURCE=.\\a.c\r\n",
     "c;.C",
     {"proj/a.c", "proj/a.c"}},
    {"list_is_reverse_of_lines",
     std::string(kHeader) + "SOURCE=.\\a.c\r\n# x\r\nSOURCE=.\\b.h\r\n",
     "h;c",
     {"proj/b.h", "proj/a.c"}},
    {"first_line_never_counts", "SOURCE=.\\a.c\r\n# padding line\r\n", "c", {}},
    {"last_line_without_line_end", std::string(kHeader) + "SOURCE=.\\a.c", "c", {"proj/a.c"}},
    {"quoted_value_with_blanks",
     std::string(kHeader) + "SOURCE=\"..\\My Files\\m.c\"\r\n",
     "c",
     {"My Files/m.c"}},
    {"dot_segments_resolved",
     std::string(kHeader) + "SOURCE=.\\Sub\\..\\.\\a.c\r\n",
     "c",
     {"proj/a.c"}},
    // A source line needs ten bytes after its line feed: "SOURCE=.c" has
    // nine, with a line feed after it ten.
    {"nine_bytes_after_line_feed", std::string(kHeader) + "SOURCE=.c", "c", {}},
    {"ten_bytes_after_line_feed", std::string(kHeader) + "SOURCE=.c\n", "c", {"proj/.c"}},
    {"empty_value", std::string(kHeader) + "SOURCE=   \r\nSOURCE=\r\n", "c", {}},
    {"lone_quote_value", std::string(kHeader) + "SOURCE=\"\r\n# padding\r\n", "c", {}},
    {"nul_bytes_around_lines",
     std::string(kHeader) + std::string("\0\0\nSOURCE=.\\a.c\r\n\0", 19),
     "c",
     {"proj/a.c"}},
    {"exact_name_preferred_over_case_variants",
     std::string(kHeader) + "SOURCE=.\\dup.c\r\n",
     "c",
     {"proj/dup.c"}},
    {"case_variant_of_two_names_is_ambiguous",
     std::string(kHeader) + "SOURCE=.\\Dup.c\r\n",
     "c",
     {}},
};

class DspRules : public ::testing::TestWithParam<DspCase> {};

TEST_P(DspRules, ListsExistingMatchingFiles) {
    const DspCase& c = GetParam();
    TempDir dir;
    writeTree(dir);
    const Read read = readProject(dir, c.content, c.exts);
    EXPECT_EQ(read.result, static_cast<int>(c.listed.size()));
    EXPECT_EQ(read.paths, c.listed);
}

INSTANTIATE_TEST_SUITE_P(Dsp, DspRules, ::testing::ValuesIn(kCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(GetFromDsp, MinimumSizeIsNineteenBytes) {
    TempDir dir;
    EXPECT_EQ(readProject(dir, std::string(18, 'x'), "c").result, -1);
    EXPECT_EQ(readProject(dir, std::string(19, 'x'), "c").result, 0);
}

TEST(GetFromDsp, RecordsHoldSizesAndExtensionTextIsRepaired) {
    TempDir dir;
    writeTree(dir);
    std::string path = dir.write("proj/p.dsp", std::string(kHeader) + "SOURCE=.\\a.c\r\n");
    std::string exts = "c; h ;;  ";
    mtrc_search* s = mtrc_file_NewSearch(path.data(), exts.data(), 1);
    ASSERT_EQ(mtrc_file_GetFromDSP(s), 1);
    EXPECT_EQ(std::string(s->files->path), dir / "proj/a.c");
    EXPECT_EQ(s->files->size, 4);
    EXPECT_STREQ(s->exts, "C; H");
    EXPECT_EQ(std::string(s->path), path);
    mtrc_file_DeleteSearch(s);
}

struct InvalidCase {
    const char* name;
    const char* path; // relative to the temporary folder; "" for an empty text
    const char* exts;
};

const InvalidCase kInvalid[] = {
    {"empty_path", "", "c"},
    {"missing_file", "proj/none.dsp", "c"},
    {"folder_instead_of_file", "proj", "c"},
    {"empty_extension_list", "proj/p.dsp", " ;"},
};

class InvalidProjects : public ::testing::TestWithParam<InvalidCase> {};

TEST_P(InvalidProjects, FailWithListUnchanged) {
    const InvalidCase& c = GetParam();
    TempDir dir;
    writeTree(dir);
    dir.write("proj/p.dsp", std::string(kHeader) + "SOURCE=.\\a.c\r\n");
    std::string path = *c.path ? dir / c.path : "";
    std::string exts = c.exts;
    mtrc_search* s = mtrc_file_NewSearch(path.data(), exts.data(), 0);
    EXPECT_EQ(mtrc_file_GetFromDSP(s), -1);
    EXPECT_EQ(s->files, nullptr);
    EXPECT_EQ(std::string(s->path), path);
    mtrc_file_DeleteSearch(s);
}

INSTANTIATE_TEST_SUITE_P(Dsp, InvalidProjects, ::testing::ValuesIn(kInvalid),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(GetFromDsp, NullSearchFails) {
    EXPECT_EQ(mtrc_file_GetFromDSP(nullptr), -1);
}

// A project path without a folder part reads its values against the
// current directory and gives paths relative to it.
TEST(GetFromDsp, ProjectInCurrentDirectory) {
    TempDir dir;
    writeTree(dir);
    dir.write("proj/p.dsp", std::string(kHeader) + "SOURCE=.\\a.c\r\nSOURCE=..\\src\\u.c\r\n");
    testing_files::fs::current_path(dir / "proj");
    char path[] = "p.dsp";
    char exts[] = "c";
    mtrc_search* s = mtrc_file_NewSearch(path, exts, 0);
    ASSERT_EQ(mtrc_file_GetFromDSP(s), 2);
    EXPECT_STREQ(s->files->path, "../src/u.c");
    EXPECT_STREQ(s->files->next->path, "a.c");
    mtrc_file_DeleteSearch(s);
}

// The project file is opened twice (the check, then the read); a failure at
// either, or at taking the size, allocating or reading, gives -1 and leaves
// nothing open or allocated.
TEST(GetFromDsp, FailureAtAnyStepLeavesNothingBehind) {
    TempDir dir;
    writeTree(dir);
    std::string path = dir.write("proj/p.dsp", std::string(kHeader) + "SOURCE=.\\a.c\r\n");
    using Op = FaultyFileSystem::Op;
    struct Fault {
        Op op;
        int openNumber;
    };
    for (const Fault& fault : {Fault{Op::Open, 1}, Fault{Op::Open, 2}, Fault{Op::Size, 0},
                               Fault{Op::Allocate, 0}, Fault{Op::Read, 0}}) {
        SCOPED_TRACE(static_cast<int>(fault.op) * 10 + fault.openNumber);
        FaultyFileSystem fs;
        fs.failing = fault.op;
        fs.failOpenNumber = fault.openNumber;
        char exts[] = "c";
        mtrc_search search{path.data(), exts, 0, 0, nullptr};
        EXPECT_EQ(tarnel::getFromDsp(fs, &search), -1);
        EXPECT_EQ(search.files, nullptr);
        EXPECT_EQ(fs.openHandles, 0);
        EXPECT_EQ(fs.liveBlocks, 0);
    }
    // The third open is the listed file's: when it fails, the file is
    // passed over.
    FaultyFileSystem fs;
    fs.failing = Op::Open;
    fs.failOpenNumber = 3;
    char exts[] = "c";
    mtrc_search search{path.data(), exts, 0, 0, nullptr};
    EXPECT_EQ(tarnel::getFromDsp(fs, &search), 0);
    EXPECT_EQ(fs.openHandles, 0);
    EXPECT_EQ(fs.liveBlocks, 0);
}

// Arbitrary bytes, with source lines scattered among them, never crash the
// reader; whatever it lists exists.
TEST(GetFromDsp, ArbitraryBytesAreHandled) {
    TempDir dir;
    writeTree(dir);
    const char* pieces[] = {"\nSOURCE=", ".\\a.c", "..\\", "\r", "\n", "\"", "\0", "\xff", "x"};
    unsigned seed = 7;
    for (int round = 0; round < 300; ++round) {
        std::string content = kHeader;
        for (int i = 0; i < 40; ++i) {
            seed = seed * 1103515245u + 12345u;
            const char* piece = pieces[(seed >> 16) % 9];
            content.append(piece, *piece ? std::strlen(piece) : 1);
        }
        const Read read = readProject(dir, content, "c;h;;");
        ASSERT_GE(read.result, 0);
        for (const std::string& p : read.paths)
            EXPECT_TRUE(testing_files::fs::exists(dir / p)) << p;
    }
}

// Parent folders: every dot and backslash after "SOURCE=" was dropped, so
// "..\src\u.c" was looked for as proj/src/u.c, listing the wrong file.
TEST(Regression, ProjectFileValueLostItsParentFolder) {
    TempDir dir;
    writeTree(dir);
    const Read read = readProject(dir, std::string(kHeader) + "SOURCE=..\\src\\u.c\r\n", "c");
    EXPECT_EQ(read.result, 1);
    EXPECT_EQ(read.paths, (Paths{"src/u.c"}));
}

// Bare line feeds: a value ran on to the next carriage return, so a project
// file checked out with line feeds alone listed nothing.
TEST(Regression, ProjectFileWithBareLineFeedsListedNothing) {
    TempDir dir;
    writeTree(dir);
    const Read read = readProject(
        dir, "# Project File\nSOURCE=.\\a.c\n# x\nSOURCE=.\\b.h\nSOURCE=..\\src\\u.c\n", "c;h");
    EXPECT_EQ(read.result, 3);
    EXPECT_EQ(read.paths, (Paths{"src/u.c", "proj/b.h", "proj/a.c"}));
}

// Letter case: project files come from a system whose names ignore case;
// ".\Resource.h" named resource.h there but was missed here.
TEST(Regression, ProjectFileNameInOtherLetterCaseWasMissed) {
    TempDir dir;
    writeTree(dir);
    const Read read = readProject(
        dir, std::string(kHeader) + "SOURCE=.\\Resource.h\r\nSOURCE=.\\SUB\\util.C\r\n", "h;c");
    EXPECT_EQ(read.result, 2);
    EXPECT_EQ(read.paths, (Paths{"proj/Sub/Util.c", "proj/resource.h"}));
}

} // namespace
