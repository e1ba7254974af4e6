// The text output format: titles, separators by column and name length, the
// empty line and the pane text, with either line ending.
#include <gtest/gtest.h>

#include "run/core/columns.h"
#include "run/core/metrics.h"
#include "run/core/text_output.h"

namespace kestrum {
namespace {

const std::string kAllTitles = "File name\tLines\tEffective\tE%\tComment\tC%\tBlank\tB%\tFunc."
                               "\tavg CC\tmin CC\tmax CC\tclass\tstruct\t";

TEST(TextOutput, RowOfShortNameWithAllColumns) {
    const std::vector<std::string> row = {"a.c", "1", "2", "3",  "4",  "5",  "6",
                                          "7",   "8", "9", "10", "11", "12", "13"};
    const std::string out = formatTextOutput(defaultColumnOrder(), {row}, "REPORT\nEND\n", kLf);
    EXPECT_EQ(out, kAllTitles + "\n" +
                       "a.c\t\t1\t\t2\t\t3\t4\t\t5\t6\t\t7\t8\t\t9\t10\t11\t12\t13\t\n"
                       "\n"
                       "REPORT\nEND\n");
}

struct NameCase {
    const char* name;
    const char* separator;
};

TEST(TextOutput, FileNameSeparatorByLength) {
    const NameCase cases[] = {
        {"", "\t\t"},
        {"abc.cpp", "\t\t"},           // 7 characters
        {"abcd.cpp", "\t"},            // 8
        {"abcdefghij.cpp", "\t"},      // 14
        {"abcdefghijk.cpp", "\t"},     // 15
        {"/a/very/long/path.c", "\t"}, // full path
    };
    std::string why;
    const auto order = parseColumnLetters("A", why);
    ASSERT_TRUE(order);
    for (const NameCase& c : cases) {
        std::string line;
        appendRowLine(line, *order, {c.name}, kLf);
        EXPECT_EQ(line, std::string(c.name) + c.separator + "\n") << c.name;
    }
}

TEST(TextOutput, SeparatorsFollowTheColumnNotThePosition) {
    std::string why;
    const auto order = parseColumnLetters("ADBFCHEJGI", why);
    ASSERT_TRUE(order);
    std::string line;
    appendRowLine(line, *order, {"name_long.c", "d", "b", "f", "c", "h", "e", "j", "g", "i"}, kLf);
    EXPECT_EQ(line, "name_long.c\td\tb\t\tf\tc\t\th\te\t\tj\tg\t\ti\t\t\n");
}

TEST(TextOutput, HiddenColumnsAreLeftOutOfTitlesAndRows) {
    std::string why;
    const auto order = parseColumnLetters("ABCDGHIJKLMN", why); // no Comment, no C%
    ASSERT_TRUE(order);
    FileMetrics m;
    m.lines = 4;
    m.comments = 3;
    const auto cells = rowCells("/x/y.c", m, *order, false);
    const std::string out = formatTextOutput(*order, {cells}, "", kLf);
    EXPECT_EQ(out, "File name\tLines\tEffective\tE%\tBlank\tB%\tFunc.\tavg CC\tmin CC\tmax CC"
                   "\tclass\tstruct\t\n"
                   "y.c\t\t4\t\t0\t\t0\t0\t\t0\t0\t\t0\t0\t0\t0\t0\t\n\n");
}

TEST(TextOutput, EmptyListGivesTitlesEmptyLineAndPaneText) {
    EXPECT_EQ(formatTextOutput(defaultColumnOrder(), {}, "No files to analyze.", kLf),
              kAllTitles + "\n\nNo files to analyze.");
}

TEST(TextOutput, CrLfEndsEveryLineIncludingThePaneText) {
    std::string why;
    const auto order = parseColumnLetters("AB", why);
    ASSERT_TRUE(order);
    const std::string out =
        formatTextOutput(*order, {{"x.c", "3"}, {"yyyyyyyy.c", "4"}}, "A\n\nB\tC\n", kCrLf);
    EXPECT_EQ(out, "File name\tLines\t\r\n"
                   "x.c\t\t3\t\t\r\n"
                   "yyyyyyyy.c\t4\t\t\r\n"
                   "\r\n"
                   "A\r\n\r\nB\tC\r\n");
}

} // namespace
} // namespace kestrum
