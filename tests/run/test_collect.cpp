// Source collection through the library's searches, on a fixture tree made in
// a temporary folder.
#include <gtest/gtest.h>

#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>

#include "run/core/collect.h"

namespace fs = std::filesystem;

namespace kestrum {
namespace {

class Collect : public ::testing::Test {
protected:
    void SetUp() override {
        std::string pattern = (fs::temp_directory_path() / "kestrum-collect-XXXXXX").string();
        ASSERT_NE(mkdtemp(pattern.data()), nullptr);
        root_ = pattern;
        write("a.cpp", "int a;\n");
        write("b.H", "int b;\n");
        write("notes.txt", "x\n");
        write("sub/c.cpp", "int c;\n");
    }
    void TearDown() override { fs::remove_all(root_); }

    void write(const std::string& rel, const std::string& text) {
        fs::create_directories((root_ / rel).parent_path());
        std::ofstream(root_ / rel, std::ios::binary) << text;
    }

    std::vector<std::string> names(const SourceFiles& found) {
        std::vector<std::string> out;
        for (const FoundFile& f : found.files)
            out.push_back(f.path.substr(root_.string().size()));
        std::sort(out.begin(), out.end());
        return out;
    }

    fs::path root_;
};

TEST_F(Collect, DirectoryWithAndWithoutSubdirectories) {
    const std::string dir = root_.string() + "/";
    SourceFiles found = searchSource(dir, "cpp; h", true);
    EXPECT_EQ(found.status, SearchStatus::Found);
    EXPECT_EQ(names(found), (std::vector<std::string>{"/a.cpp", "/b.H", "/sub/c.cpp"}));
    for (const FoundFile& f : found.files)
        EXPECT_EQ(f.size, 7);

    found = searchSource(dir, "CPP;H", false);
    EXPECT_EQ(names(found), (std::vector<std::string>{"/a.cpp", "/b.H"}));
}

TEST_F(Collect, FailureAndNothingFoundAreTold) {
    EXPECT_EQ(searchSource(root_.string() + "/missing/", "CPP", true).status, SearchStatus::Failed);
    EXPECT_EQ(searchSource(root_.string() + "/", " ; ", true).status, SearchStatus::Failed);
    EXPECT_EQ(searchSource(root_.string() + "/", "PAS", true).status, SearchStatus::NoFiles);
    // A path without the final separator is a project file, too short here.
    write("tiny.dsp", "SOURCE=a.cpp\n");
    EXPECT_EQ(searchSource(root_.string() + "/tiny.dsp", "CPP", true).status, SearchStatus::Failed);
}

TEST_F(Collect, ProjectFileSource) {
    write("p.dsp", "# Project file\r\nSOURCE=.\\a.cpp\r\nSOURCE=.\\sub\\c.cpp\r\n"
                   "SOURCE=.\\gone.cpp\r\n");
    const SourceFiles found = searchSource(root_.string() + "/p.dsp", "CPP", true);
    EXPECT_EQ(found.status, SearchStatus::Found);
    EXPECT_EQ(found.files.size(), 2u);
}

TEST_F(Collect, CurrentDirectoryIsKept) {
    const fs::path before = fs::current_path();
    searchSource(root_.string() + "/sub/", "CPP", true);
    EXPECT_EQ(fs::current_path(), before);
}

TEST_F(Collect, RunSearchTakesTheRecordsOffInListOrder) {
    std::string path = root_.string() + "/";
    std::string exts = "CPP";
    path.reserve(path.size() + 2);
    std::vector<char> pathBuf(path.begin(), path.end()), extsBuf(exts.begin(), exts.end());
    pathBuf.resize(pathBuf.size() + 2, '\0');
    extsBuf.push_back('\0');
    mtrc_search* search = mtrc_file_NewSearch(pathBuf.data(), extsBuf.data(), 1);
    std::vector<FileRecord*> taken;
    EXPECT_EQ(runSearch(search, taken), SearchStatus::Found);
    EXPECT_EQ(taken.size(), 2u);
    EXPECT_EQ(search->files, nullptr);
    for (FileRecord* r : taken) {
        EXPECT_EQ(r->next, nullptr);
        mtrc_file_ReleaseRecord(r);
    }
    delete search;
    EXPECT_EQ(runSearch(nullptr, taken), SearchStatus::Failed);
}

TEST(CollectTexts, Messages) {
    EXPECT_EQ(foundFilesText(3), "found 3 files meeting extensions.\n");
    EXPECT_TRUE(isDirectorySource("/src/"));
    EXPECT_FALSE(isDirectorySource("/src/p.dsp"));
    EXPECT_FALSE(isDirectorySource(""));
}

} // namespace
} // namespace kestrum
