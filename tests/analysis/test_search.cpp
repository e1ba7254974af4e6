// The directory search: the source check, the walk, the records and the
// functions around a search record.
#include <algorithm>
#include <cstring>
#include <memory>
#include <string>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "file_helpers.h"
#include "search.h"

namespace {

using testing_files::FaultyFileSystem;
using testing_files::TempDir;

// A directory buffer as the program holds one: its text and exactly one
// spare character, allocated to size so that the sanitizer build catches a
// write past it.
class DirBuffer {
public:
    explicit DirBuffer(const std::string& text) : m_data(new char[text.size() + 2]) {
        std::memcpy(m_data.get(), text.c_str(), text.size() + 1);
        m_data[text.size() + 1] = '#';
    }
    char* data() { return m_data.get(); }
    std::string text() const { return m_data.get(); }

private:
    std::unique_ptr<char[]> m_data;
};

// A search record with its two buffers; deletes the search and the records
// left on it.
struct Search {
    DirBuffer dir;
    std::string exts;
    mtrc_search* search;

    Search(const std::string& path, const std::string& extensions, int subdirs)
        : dir(path), exts(extensions) {
        search = mtrc_file_NewSearch(dir.data(), exts.data(), subdirs);
    }
    ~Search() { mtrc_file_DeleteSearch(search); }
    Search(const Search&) = delete;
    Search& operator=(const Search&) = delete;

    int find() { return mtrc_file_FindByExt(search); }
    std::string extsText() const { return exts.c_str(); }

    // The records in list order, as (path, size).
    std::vector<std::pair<std::string, int>> records() const {
        std::vector<std::pair<std::string, int>> out;
        for (const FileRecord* r = search->files; r; r = r->next)
            out.emplace_back(r->path, r->size);
        return out;
    }
    // The records' paths relative to `root`, sorted.
    std::vector<std::string> sortedPaths(const std::string& root) const {
        std::vector<std::string> out;
        for (const FileRecord* r = search->files; r; r = r->next) {
            std::string p = r->path;
            out.push_back(p.compare(0, root.size(), root) == 0 ? p.substr(root.size()) : p);
        }
        std::sort(out.begin(), out.end());
        return out;
    }
};

using Paths = std::vector<std::string>;

TEST(NewSearch, KeepsTheCallersBuffersAndFlag) {
    char dir[] = "/x/";
    char exts[] = "c";
    mtrc_search* s = mtrc_file_NewSearch(dir, exts, 7);
    ASSERT_NE(s, nullptr);
    EXPECT_EQ(s->path, dir);
    EXPECT_EQ(s->exts, exts);
    EXPECT_EQ(s->subdirs, 7);
    EXPECT_EQ(s->count, 0);
    EXPECT_EQ(s->files, nullptr);
    EXPECT_EQ(mtrc_file_DeleteSearch(s), 1);
}

// A folder with names that do and do not match ".CPP".
void writeMatchingFolder(const TempDir& dir) {
    dir.write("a.cpp", "1");
    dir.write("b.CPP", "22");
    dir.write("c.Cpp", "333");
    dir.write("d.cpp.bak", "x");
    dir.write("e.h", "x");
    dir.write(".hidden.cpp", "x");
    dir.write("sub.cpp/inner.cpp", "4444");
    dir.write("sub.cpp/.dot/deep.cpp", "x");
    dir.write(".hiddendir/x.cpp", "x");
    dir.write("plain/deeper/f.cpp", "55555");
}

struct WalkCase {
    const char* name;
    const char* exts;
    int subdirs;
    Paths found;
};

const WalkCase kWalkCases[] = {
    // Without subdirectories a folder whose name matches is listed as a file
    // that does not open.
    {"flat_lists_matching_folder_as_file", "cpp", 0, {"a.cpp", "b.CPP", "c.Cpp", "sub.cpp"}},
    {"subdirectories_entered_dot_names_skipped",
     "CPP",
     1,
     {"a.cpp", "b.CPP", "c.Cpp", "plain/deeper/f.cpp", "sub.cpp/inner.cpp"}},
    {"extension_named_twice_lists_twice",
     "cpp;.CPP",
     0,
     {"a.cpp", "a.cpp", "b.CPP", "b.CPP", "c.Cpp", "c.Cpp", "sub.cpp", "sub.cpp"}},
    {"two_lists_both_match", "h; bak", 0, {"d.cpp.bak", "e.h"}},
    {"nothing_matches", "hpp", 1, {}},
};

class WalkRules : public ::testing::TestWithParam<WalkCase> {};

TEST_P(WalkRules, ListsMatchingFiles) {
    const WalkCase& c = GetParam();
    TempDir dir;
    writeMatchingFolder(dir);
    Search s(dir.path(), c.exts, c.subdirs);
    s.search->count = 77;
    const int found = s.find();
    EXPECT_EQ(found, static_cast<int>(c.found.size()));
    EXPECT_EQ(s.search->count, found > 0 ? found : 77);
    EXPECT_EQ(s.sortedPaths(dir.path()), c.found);
}

INSTANTIATE_TEST_SUITE_P(Search, WalkRules, ::testing::ValuesIn(kWalkCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(FindByExt, RecordsHoldFullPathsAndSizes) {
    TempDir dir;
    writeMatchingFolder(dir);
    Search s(dir.path(), "cpp", 0);
    ASSERT_EQ(s.find(), 4);
    auto records = s.records();
    std::sort(records.begin(), records.end());
    const std::vector<std::pair<std::string, int>> expected = {
        {dir / "a.cpp", 1}, {dir / "b.CPP", 2}, {dir / "c.Cpp", 3}, {dir / "sub.cpp", 0}};
    EXPECT_EQ(records, expected);
    EXPECT_EQ(mtrc_file_GetSizeSum(s.search), 6);
}

// The directory text gains one separator and no more; the extension text is
// trimmed and upper-cased; the directory becomes current.
TEST(FindByExt, RepairsTheCallersBuffersAndChangesDirectory) {
    TempDir dir;
    dir.write("a.c", "x");
    std::string withoutSeparator = dir.path();
    withoutSeparator.pop_back();
    Search s(withoutSeparator, "c; h ;; ", 0);
    ASSERT_EQ(s.find(), 1);
    EXPECT_EQ(s.dir.text(), dir.path());
    EXPECT_EQ(s.extsText(), "C; H");
    EXPECT_EQ(testing_files::fs::current_path().string() + "/", dir.path());
    // A second search on the same record adds in front of the first.
    EXPECT_EQ(s.find(), 1);
    EXPECT_EQ(s.dir.text(), dir.path());
    EXPECT_EQ(s.records().size(), 2u);
}

struct InvalidCase {
    const char* name;
    std::string dir; // relative to the temporary folder, "" for an empty text
    std::string exts;
};

const InvalidCase kInvalidCases[] = {
    {"empty_directory_text", "", "c"},         {"missing_directory", "missing", "c"},
    {"file_instead_of_directory", "a.c", "c"}, {"only_blanks_and_semicolons", ".", " ; ;"},
    {"empty_extension_list", ".", ""},
};

class InvalidSources : public ::testing::TestWithParam<InvalidCase> {};

TEST_P(InvalidSources, FailWithListAndCountUnchanged) {
    const InvalidCase& c = GetParam();
    TempDir dir;
    dir.write("a.c", "x");
    Search s(c.dir.empty() ? "" : dir / c.dir, c.exts, 1);
    s.search->count = 5;
    EXPECT_EQ(s.find(), -1);
    EXPECT_EQ(s.search->count, 5);
    EXPECT_EQ(s.search->files, nullptr);
}

INSTANTIATE_TEST_SUITE_P(Search, InvalidSources, ::testing::ValuesIn(kInvalidCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(FindByExt, NullSearchFails) {
    EXPECT_EQ(mtrc_file_FindByExt(nullptr), -1);
    EXPECT_EQ(mtrc_file_GetSizeSum(nullptr), -1);
    EXPECT_EQ(mtrc_file_DeleteSearch(nullptr), 0);
}

// Entries come in the order the listing gives them; the first one counts
// like the others; a subdirectory's files are found where its entry is met;
// every record goes in front.
TEST(FindByExt, ListIsTheReverseOfTheOrderFound) {
    FaultyFileSystem fs;
    auto file = [](const char* name) { return tarnel::DirEntry{name, false, {}}; };
    fs.listings["/root/"] = {file("z.c"), tarnel::DirEntry{"sub", true, {1, 42}}, file("a.c")};
    fs.listings["/root/sub/"] = {file("m.c"), file("n.h")};
    DirBuffer dir("/root");
    char exts[] = "c";
    mtrc_search search{dir.data(), exts, 1, 0, nullptr};
    ASSERT_EQ(tarnel::findByExt(fs, &search), 3);
    std::vector<std::string> paths;
    for (const FileRecord* r = search.files; r; r = r->next)
        paths.push_back(r->path);
    EXPECT_EQ(paths, (Paths{"/root/a.c", "/root/sub/m.c", "/root/z.c"}));
    tarnel::releaseRecords(search.files);
}

// A subdirectory that cannot be listed contributes nothing; the rest of the
// walk goes on (the in-memory listing has no entry for "/root/locked/", and
// no such folder exists on disk).
TEST(FindByExt, UnlistableSubdirectoryContributesNothing) {
    FaultyFileSystem fs;
    fs.listings["/root/"] = {tarnel::DirEntry{"locked", true, {1, 7}},
                             tarnel::DirEntry{"a.c", false, {}}};
    DirBuffer dir("/root/");
    char exts[] = "c";
    mtrc_search search{dir.data(), exts, 1, 0, nullptr};
    ASSERT_EQ(tarnel::findByExt(fs, &search), 1);
    EXPECT_STREQ(search.files->path, "/root/a.c");
    tarnel::releaseRecords(search.files);
}

// Sizes that do not fit the 32-bit field are stored as INT_MAX, not as a
// negative or wrapped number.
TEST(FindByExt, SizeAboveTwoGibIsStoredAsIntMax) {
    TempDir dir;
    dir.write("big.c", "x");
    FaultyFileSystem fs;
    for (long long size : {0x80000000LL, 0x100000005LL}) {
        fs.reportedSize = size;
        DirBuffer buffer(dir.path());
        char exts[] = "c";
        mtrc_search search{buffer.data(), exts, 0, 0, nullptr};
        ASSERT_EQ(tarnel::findByExt(fs, &search), 1);
        EXPECT_EQ(search.files->size, 0x7fffffff) << size;
        tarnel::releaseRecords(search.files);
    }
}

TEST(GetSizeSum, EmptyFilesSumToZeroNothingFoundIsMinusOne) {
    TempDir dir;
    dir.write("a.c");
    dir.write("b.c");
    Search found(dir.path(), "c", 0);
    ASSERT_EQ(found.find(), 2);
    EXPECT_EQ(mtrc_file_GetSizeSum(found.search), 0);
    Search none(dir.path(), "h", 0);
    ASSERT_EQ(none.find(), 0);
    EXPECT_EQ(mtrc_file_GetSizeSum(none.search), -1);
}

// Leak: deleting a search released only the first record still on its list;
// the others and every path text were lost.
TEST(Regression, DeleteSearchLeakedAllButTheFirstRecord) {
    TempDir dir;
    for (const char* name : {"a.c", "b.c", "c.c", "d.c"})
        dir.write(name, "x");
    DirBuffer buffer(dir.path());
    char exts[] = "c";
    mtrc_search* s = mtrc_file_NewSearch(buffer.data(), exts, 0);
    ASSERT_EQ(mtrc_file_FindByExt(s), 4);
    // The caller takes one record off and keeps it, as the program does.
    FileRecord* kept = s->files;
    s->files = kept->next;
    EXPECT_EQ(mtrc_file_DeleteSearch(s), 1); // the sanitizer build reports a leak
    mtrc_file_ReleaseRecord(kept);
}

// Link loops: a symbolic link to a folder that the walk is already inside
// sent the walk round and round until the path grew too long.
TEST(Regression, LinkLoopWalkedRoundAndRound) {
    TempDir dir;
    dir.write("a/x.c", "x");
    dir.write("b/y.c", "y");
    dir.symlink("..", "a/up");         // back to the top
    dir.symlink(dir / "a", "a/self");  // the folder itself
    dir.symlink("../b", "a/sideways"); // a sibling: no loop, walked again
    Search s(dir.path(), "c", 1);
    const int found = s.find();
    EXPECT_EQ(s.sortedPaths(dir.path()), (Paths{"a/sideways/y.c", "a/x.c", "b/y.c"}));
    EXPECT_EQ(found, 3);
}

// Relative directories: the search made the directory current and then
// walked the same relative text from there, so "proj" searched proj/proj,
// and its records' relative paths no longer opened.
TEST(Regression, RelativeDirectoryWasSearchedInsideItself) {
    TempDir dir;
    dir.write("proj/a.c", "12");
    dir.write("proj/proj/wrong.c", "x");
    testing_files::fs::current_path(dir.path());
    for (const char* text : {"proj", "./proj/", "proj/."}) {
        SCOPED_TRACE(text);
        testing_files::fs::current_path(dir.path());
        Search s(text, "c", 0);
        ASSERT_EQ(s.find(), 1);
        EXPECT_EQ(s.records(), (std::vector<std::pair<std::string, int>>{{dir / "proj/a.c", 2}}));
        // The caller's text only gains the final separator.
        std::string expected = text;
        if (expected.back() != '/')
            expected += '/';
        EXPECT_EQ(s.dir.text(), expected);
    }
}

// FIFOs: opening a file for reading waits for a writer when the file is a
// FIFO, so a search that met one named like a source file never returned.
TEST(Regression, FifoNamedLikeSourceBlockedForever) {
    TempDir dir;
    ASSERT_EQ(::mkfifo((dir / "pipe.c").c_str(), 0600), 0);
    dir.write("p.dsp", "# Project File\r\nSOURCE=.\\pipe.c\r\n");
    ::alarm(20); // a hang ends the test program instead of the test run
    Search s(dir.path(), "c", 0);
    EXPECT_EQ(s.find(), 1);
    EXPECT_EQ(s.records(), (std::vector<std::pair<std::string, int>>{{dir / "pipe.c", 0}}));
    std::string pipe = dir / "pipe.c";
    EXPECT_EQ(mtrc_code_Analyze(pipe.data(), 0, 0, 0), nullptr);
    std::string project = dir / "p.dsp";
    std::string exts = "c";
    mtrc_search* dsp = mtrc_file_NewSearch(project.data(), exts.data(), 0);
    EXPECT_EQ(mtrc_file_GetFromDSP(dsp), 0);
    mtrc_file_DeleteSearch(dsp);
    ::alarm(0);
}

// Only a relative directory needs the current directory: when that cannot
// be had, an absolute directory is still searched and a relative one fails.
TEST(FindByExt, CurrentDirectoryUnknown) {
    TempDir dir;
    dir.write("a.c", "x");
    FaultyFileSystem fs;
    fs.failing = FaultyFileSystem::Op::CurrentDirectory;
    DirBuffer absolute(dir.path());
    char exts[] = "c";
    mtrc_search search{absolute.data(), exts, 0, 0, nullptr};
    EXPECT_EQ(tarnel::findByExt(fs, &search), 1);
    tarnel::releaseRecords(search.files);
    DirBuffer relative("sub");
    mtrc_search rel{relative.data(), exts, 0, 0, nullptr};
    EXPECT_EQ(tarnel::findByExt(fs, &rel), -1);
    EXPECT_EQ(rel.files, nullptr);
}

// Matching names that do not open are listed with size 0: a broken link, a
// FIFO, and, unless permissions are ignored, an unreadable file. An unreadable folder contributes
// nothing.
TEST(FindByExt, UnopenableFilesAndUnreadableFolders) {
    TempDir dir;
    dir.write("good.c", "123");
    dir.symlink(dir / "missing.c", "dead.c");
    ASSERT_EQ(::mkfifo((dir / "pipe.c").c_str(), 0600), 0);
    Paths expected = {"dead.c", "good.c", "pipe.c"};
    if (!testing_files::runningAsRoot()) {
        dir.write("locked.c", "x");
        dir.lock("locked.c");
        dir.write("closed/hidden.c", "x");
        dir.lock("closed");
        expected = {"dead.c", "good.c", "locked.c", "pipe.c"};
    }
    Search s(dir.path(), "c", 1);
    EXPECT_EQ(s.find(), static_cast<int>(expected.size()));
    EXPECT_EQ(s.sortedPaths(dir.path()), expected);
    for (const auto& [path, size] : s.records())
        EXPECT_EQ(size, path == dir / "good.c" ? 3 : 0) << path;
}

// A folder that cannot be listed at all gives 0, not a failure.
TEST(FindByExt, ListingFailureFindsNothing) {
    TempDir dir;
    dir.write("a.c", "x");
    FaultyFileSystem fs;
    fs.failing = FaultyFileSystem::Op::List;
    DirBuffer buffer(dir.path());
    char exts[] = "c";
    mtrc_search search{buffer.data(), exts, 1, 3, nullptr};
    EXPECT_EQ(tarnel::findByExt(fs, &search), 0);
    EXPECT_EQ(search.count, 3);
    EXPECT_EQ(fs.openHandles, 0);
}

} // namespace
