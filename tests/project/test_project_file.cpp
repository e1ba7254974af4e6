// The project file: the reader's scanning rules and the writer's format.
#include <gtest/gtest.h>

#include "project/core/project_file.h"

namespace kestrum {
namespace {

ProjectSource source(std::string exts, int subdirs, std::string path, bool checked,
                     std::vector<std::string> cleared = {}) {
    return ProjectSource{std::move(exts), subdirs, std::move(path), checked, std::move(cleared)};
}

TEST(ProjectFileRead, ExampleOfTwoSources) {
    const auto sources = parseProjectFile("SOURCE_EXT CPP;H\r\nSOURCE_SUB 1\r\n"
                                          "SOURCE_DIR 1/src/\r\n/src/old/legacy.cpp\r\n"
                                          "SOURCE_EXT CPP\r\nSOURCE_SUB 0\r\n"
                                          "SOURCE_DSP 0/proj/p.dsp\r\n");
    ASSERT_EQ(sources.size(), 2u);
    EXPECT_EQ(sources[0], source("CPP;H", 1, "/src/", true, {"/src/old/legacy.cpp"}));
    EXPECT_EQ(sources[1], source("CPP", 0, "/proj/p.dsp", false));
}

TEST(ProjectFileRead, LineFeedsAloneEndNoLine) {
    EXPECT_TRUE(parseProjectFile("SOURCE_EXT CPP\nSOURCE_SUB 1\nSOURCE_DIR 1/src/\n").empty());
    EXPECT_TRUE(parseProjectFile("").empty());
}

TEST(ProjectFileRead, LineFeedsAreDroppedWhereverTheyStand) {
    const auto sources = parseProjectFile("\nSOURCE_EXT C\nPP\r\nSOURCE_DIR 1/s\nrc/\r\n");
    ASSERT_EQ(sources.size(), 1u);
    EXPECT_EQ(sources[0].exts, "CPP");
    EXPECT_EQ(sources[0].path, "/src/");
}

TEST(ProjectFileRead, LastLineWithoutCarriageReturnIsNotTaken) {
    const auto sources = parseProjectFile("SOURCE_DIR 1/a/\r\nSOURCE_DIR 1/b/");
    ASSERT_EQ(sources.size(), 1u);
    EXPECT_EQ(sources[0].path, "/a/");
}

TEST(ProjectFileRead, SubdirectoryFlagIsZeroOnlyForExactlyZero) {
    const struct {
        const char* value;
        int expected;
    } cases[] = {{"0", 0}, {"1", 1}, {"00", 1}, {"", 1}, {"0 ", 1}, {"no", 1}};
    for (const auto& c : cases) {
        const auto sources =
            parseProjectFile(std::string("SOURCE_SUB ") + c.value + "\r\nSOURCE_DIR 1/a/\r\n");
        ASSERT_EQ(sources.size(), 1u);
        EXPECT_EQ(sources[0].subdirs, c.expected) << '"' << c.value << '"';
    }
}

TEST(ProjectFileRead, ValuesCarryFromBlockToBlock) {
    const auto sources = parseProjectFile("SOURCE_DIR 1/first/\r\n"
                                          "SOURCE_EXT H;C\r\nSOURCE_SUB 0\r\n"
                                          "SOURCE_DIR 0/second/\r\n"
                                          "SOURCE_DSP 1/third.dsp\r\n");
    ASSERT_EQ(sources.size(), 3u);
    EXPECT_EQ(sources[0], source("", 1, "/first/", true));
    EXPECT_EQ(sources[1], source("H;C", 0, "/second/", false));
    EXPECT_EQ(sources[2], source("H;C", 0, "/third.dsp", true)); // own check state
}

TEST(ProjectFileRead, SourceLinesAndPaths) {
    const auto sources = parseProjectFile("SOURCE_DIR 1/src\r\n"     // slash appended
                                          "SOURCE_DSP 1/dir/\r\n"    // a directory now
                                          "SOURCE_DIRX7/odd\r\n"     // position 10 unread
                                          "SOURCE_DIR\r\n"           // no digit, no path
                                          "SOURCE_DSP 2/x.dsp\r\n"); // only 0 unchecks
    ASSERT_EQ(sources.size(), 5u);
    EXPECT_EQ(sources[0].path, "/src/");
    EXPECT_EQ(sources[1].path, "/dir/");
    EXPECT_EQ(sources[2].path, "/odd/");
    EXPECT_TRUE(sources[2].checked);
    EXPECT_EQ(sources[3].path, ""); // left empty: no search accepts it
    EXPECT_TRUE(sources[3].checked);
    EXPECT_TRUE(sources[4].checked);
}

TEST(ProjectFileRead, FileLinesBelongToTheSourceBeforeThem) {
    const auto sources = parseProjectFile("/before/any/source.cpp\r\n"
                                          "source_dir 1/lower/case/keyword\r\n"
                                          "SOURCE_DIR 1/a/\r\n"
                                          "/a/x.cpp\r\n"
                                          "SOURCE_EXT H\r\n"
                                          "/a/y.cpp\r\n"
                                          "SOURCE_DIR 1/b/\r\n"
                                          "\r\n");
    ASSERT_EQ(sources.size(), 2u);
    EXPECT_EQ(sources[0].cleared, (std::vector<std::string>{"/a/x.cpp", "/a/y.cpp"}));
    EXPECT_EQ(sources[1].cleared, (std::vector<std::string>{""}));
}

TEST(ProjectFileRead, ClearedFilesMatchWithoutRegardToCase) {
    const ProjectSource s = source("CPP", 1, "/src/", true, {"/SRC/OLD/Legacy.CPP"});
    EXPECT_TRUE(isClearedFile(s, "/src/old/legacy.cpp"));
    EXPECT_TRUE(isClearedFile(s, "/SRC/OLD/LEGACY.CPP"));
    EXPECT_FALSE(isClearedFile(s, "/src/old/legacy.cp"));
    EXPECT_FALSE(isClearedFile(s, "/src/old/legacy.cpp2"));
}

TEST(ProjectFileWrite, FormatAndRoundTripByteForByte) {
    const std::vector<ProjectSource> sources = {
        source("CPP;H", 1, "/src/", true, {"/src/old/legacy.cpp", "/src/B.H"}),
        source("CPP", 0, "/proj/p.dsp", false),
        source("BAS;FRM", 0, "/vb/", false, {"/vb/a.bas"}),
    };
    const std::string text = formatProjectFile(sources);
    EXPECT_EQ(text, "SOURCE_EXT CPP;H\r\nSOURCE_SUB 1\r\nSOURCE_DIR 1/src/\r\n"
                    "/src/old/legacy.cpp\r\n/src/B.H\r\n"
                    "SOURCE_EXT CPP\r\nSOURCE_SUB 0\r\nSOURCE_DSP 0/proj/p.dsp\r\n"
                    "SOURCE_EXT BAS;FRM\r\nSOURCE_SUB 0\r\nSOURCE_DIR 0/vb/\r\n/vb/a.bas\r\n");
    const auto read = parseProjectFile(text);
    EXPECT_EQ(read, sources);
    EXPECT_EQ(formatProjectFile(read), text);
    EXPECT_EQ(formatProjectFile({}), "");
}

TEST(ProjectTexts, TitleQuestionAndMessage) {
    EXPECT_EQ(projectWindowTitle(""), "Untitled - Kestrum");
    EXPECT_EQ(projectWindowTitle("/home/u/p.qvd"), "p.qvd - Kestrum");
    EXPECT_EQ(projectWindowTitle("p.qvd"), "p.qvd - Kestrum");
    EXPECT_EQ(saveChangesQuestion(""), "Save your changes to Untitled ?");
    EXPECT_EQ(saveChangesQuestion("/a/p.qvd"), "Save your changes to /a/p.qvd ?");
    EXPECT_EQ(cantOpenProjectText("/a/p.qvd"), "Can't open project: /a/p.qvd");
}

} // namespace
} // namespace kestrum
