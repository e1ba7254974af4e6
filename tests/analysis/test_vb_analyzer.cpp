// The Visual Basic analyzer: line counts after the designer header.
#include <cstdio>
#include <fstream>
#include <memory>
#include <string>

#include <gtest/gtest.h>

#include "analyzer.h"
#include "file_helpers.h"

namespace {

struct Released {
    void operator()(mtrc_lines* r) const { mtrc_code_Release(r); }
};
using Result = std::unique_ptr<mtrc_lines, Released>;

Result analyze(const std::string& text) {
    return Result(
        tarnel::analyzeVb(reinterpret_cast<const unsigned char*>(text.data()), text.size()));
}

struct VbCase {
    const char* name;
    std::string input;
    int lines, comments, blanks, effective;
};

// A form header: three Attribute lines after the control description. The
// line feed after "End" lies within the nine bytes compared after the line
// feed before it, so the scan does not see it; the first Attribute line is
// passed over unnoticed and the header still ends after the third.
const std::string kFormHeader = "VERSION 5.00\r\n"
                                "Begin VB.Form F\r\n"
                                "End\r\n"
                                "Attribute VB_Name = \"F\"\r\n"
                                "Attribute VB_Creatable = False\r\n"
                                "Attribute VB_Exposed = False\r\n";

const VbCase kCases[] = {
    {"empty_file_has_no_lines", "", 0, 0, 0, 0},
    {"code_line", "x = 1\n", 1, 0, 0, 1},
    {"last_line_without_line_feed_counts", "x = 1\ny = 2", 2, 0, 0, 2},
    {"blank_lines_of_blanks_tabs_and_cr", "\n \t \r\n", 2, 0, 2, 0},
    {"comment_line", "' note\n", 1, 1, 0, 0},
    {"code_then_comment_is_both", "x = 1 ' note\n", 1, 1, 0, 1},
    {"apostrophe_in_string_starts_comment", "MsgBox \"Don't\"\n", 1, 1, 0, 1},
    {"comment_then_code_bytes_stay_comment", "'x = 1\nrem\n", 2, 1, 0, 1},
    {"rem_counts_as_code", "REM note\n", 1, 0, 0, 1},
    {"punctuation_only_is_neither", "( , )\n", 1, 0, 0, 0},
    {"crlf_and_bare_lf_mixed", "a\r\n\r\n' c\r\nb\n\n", 5, 1, 2, 2},
    {"high_bytes_are_code", "\xe9\xff\x80\n", 1, 0, 0, 1},
    {"nul_bytes_are_code", std::string("\0\n\0", 3), 2, 0, 0, 2},
    {"one_mib_line_then_comment", std::string(1 << 20, 'x') + "'\n", 1, 1, 0, 1},
    {"lone_cr_is_not_a_line_end", "a\rb\r", 1, 0, 0, 1},
    {"module_not_beginning_with_version_counts_whole",
     "Attribute VB_Name = \"Module1\"\nSub A()\nEnd Sub\n", 3, 0, 0, 3},
    {"lower_case_version_is_no_header", "version 5.00\nAttribute VB_Name = \"Module1\"\nSub A()\n",
     3, 0, 0, 3},
    {"form_counted_after_three_attribute_lines",
     kFormHeader + "Private Sub X()\r\n' c\r\n\r\nEnd Sub\r\n", 4, 1, 1, 2},
    {"form_header_with_bare_line_feeds",
     "VERSION 5.00\nBegin VB.Form F\nEnd\nAttribute A = 1\nAttribute B = 2\nx\n", 1, 0, 0, 1},
    {"short_version_file_counts_header_too", "VERSION 5.00\nAttribute X\nY\n", 3, 0, 0, 3},
    {"thirty_byte_version_file_counts_whole", "VERSION 5.00\nAttribute A = 12\n", 2, 0, 0, 2},
    {"thirty_one_byte_version_file_skips_header", "VERSION 5.00\nAttribute A = 123\n", 0, 0, 0, 0},
    {"version_without_attribute_counts_nothing",
     "VERSION 5.00\nBegin VB.Form Form1\nEnd\nSub A()\nEnd Sub\n", 0, 0, 0, 0},
    {"header_only_counts_nothing", "VERSION 5.00\nBegin\nEnd\nAttribute VB_Name = 1\n", 0, 0, 0, 0},
    {"header_ending_at_last_line_without_line_feed",
     "VERSION 5.00\nBegin\nEnd\nAttribute VB_Name = 1\nSub A()", 1, 0, 0, 1},
    // "Attribute" must start right after a line feed: an indented one ends
    // the run of Attribute lines.
    {"indented_attribute_ends_header", "VERSION 5.00\nAttribute A = 1\n Attribute B = 2\nx\n", 2, 0,
     0, 2},
    // Lines before the Attribute run belong to the header.
    {"lines_before_attribute_run_are_header",
     "VERSION 5.00\nBegin VB.Form F\nEnd Form1\nAttribute A = 1\n' c\n", 1, 1, 0, 0},
    // After a line feed the search goes on nine bytes later: a short line
    // ("End" and its line feed) hides the line feed before a lone Attribute
    // line, no Attribute line is ever seen and nothing is counted.
    {"attribute_line_behind_short_line_goes_unseen",
     "VERSION 5.00\nBegin VB.Form F\nEnd\nAttribute A = 1\n' c\n", 0, 0, 0, 0},
};

class VbRules : public ::testing::TestWithParam<VbCase> {};

TEST_P(VbRules, CountsLines) {
    const VbCase& c = GetParam();
    Result r = analyze(c.input);
    ASSERT_TRUE(r);
    EXPECT_EQ(r->lines, c.lines);
    EXPECT_EQ(r->comments, c.comments);
    EXPECT_EQ(r->blanks, c.blanks);
    EXPECT_EQ(r->effective, c.effective);
    EXPECT_EQ(r->functions, -1);
    EXPECT_EQ(r->cc_min, -1);
    EXPECT_EQ(r->cc_max, -1);
    EXPECT_EQ(r->cc_avg, -1);
    EXPECT_EQ(r->classes, -1);
    EXPECT_EQ(r->structs, -1);
    EXPECT_EQ(r->func_list, nullptr);
    EXPECT_EQ(r->class_list, nullptr);
}

INSTANTIATE_TEST_SUITE_P(Vb, VbRules, ::testing::ValuesIn(kCases),
                         [](const auto& info) { return std::string(info.param.name); });

// The header test needs more than 30 bytes: check the two cases at the
// boundary are what their names say.
TEST(VbRules, BoundaryCasesHaveTheirSizes) {
    EXPECT_EQ(std::string("VERSION 5.00\nAttribute A = 12\n").size(), 30u);
    EXPECT_EQ(std::string("VERSION 5.00\nAttribute A = 123\n").size(), 31u);
}

// The analyzer skips ahead within a line; compare it with the rules applied
// byte by byte on random text made of the bytes that matter.
TEST(VbRules, SameCountsAsByteByByteRules) {
    const char alphabet[] = {'a', ' ', '\t', '\r', '\n', '\'', '(', ',', '\0', '\xe9'};
    unsigned seed = 12345;
    for (int round = 0; round < 3000; ++round) {
        std::string text;
        seed = seed * 1103515245u + 12345u;
        const unsigned length = (seed >> 16) % 60;
        for (unsigned i = 0; i < length; ++i) {
            seed = seed * 1103515245u + 12345u;
            text += alphabet[(seed >> 16) % sizeof alphabet];
        }
        int lines = 0, comments = 0, blanks = 0, effective = 0;
        bool code = false, comment = false, punct = false;
        auto endLine = [&] {
            ++lines;
            comments += comment;
            blanks += !code && !comment && !punct;
            effective += code;
            code = comment = punct = false;
        };
        for (char c : text) {
            if (c == '\'')
                comment = true;
            else if (c == '(' || c == ')' || c == ',')
                punct = true;
            else if (c == '\n')
                endLine();
            else if (c != ' ' && c != '\t' && c != '\r' && !comment)
                code = true;
        }
        if (!text.empty() && text.back() != '\n')
            endLine();
        Result r = analyze(text);
        ASSERT_EQ(r->lines, lines) << round;
        ASSERT_EQ(r->comments, comments) << round;
        ASSERT_EQ(r->blanks, blanks) << round;
        ASSERT_EQ(r->effective, effective) << round;
    }
}

// Through the exported function: language 2 reads a file from disk, with the
// form header written with CR LF and a NUL byte in the code.
TEST(VbFiles, AnalyzeReadsFormFile) {
    testing_files::TempDir dir;
    const std::string path =
        dir.write("Form1.frm", kFormHeader + "Private Sub X()\r\n" +
                                   std::string("  s = \"a\0b\"\r\n", 13) + "' c\r\nEnd Sub");
    Result r(mtrc_code_Analyze(const_cast<char*>(path.c_str()), tarnel::LangVb, 1, 1));
    ASSERT_TRUE(r);
    EXPECT_EQ(r->lines, 4);
    EXPECT_EQ(r->comments, 1);
    EXPECT_EQ(r->blanks, 0);
    EXPECT_EQ(r->effective, 3);
    EXPECT_EQ(r->functions, -1);
    EXPECT_EQ(r->func_list, nullptr);
    EXPECT_EQ(r->class_list, nullptr);
}

// Every file under fixtures/vb states on its first line what it must give:
// "expect: lines L comments C blanks B effective E". In a form or class file
// that line is the VERSION line of the header, which is not counted.
TEST(VbFiles, FixturesGiveTheCountsTheyState) {
    int checked = 0;
    for (const auto& entry :
         testing_files::fs::directory_iterator(std::string(KESTRUM_TEST_DATA) + "/vb")) {
        const std::string path = entry.path().string();
        SCOPED_TRACE(path);
        std::ifstream in(path, std::ios::binary);
        std::string first;
        std::getline(in, first);
        const std::size_t at = first.find("expect:");
        ASSERT_NE(at, std::string::npos);
        int lines = -1, comments = -1, blanks = -1, effective = -1;
        ASSERT_EQ(std::sscanf(first.c_str() + at,
                              "expect: lines %d comments %d blanks %d effective %d", &lines,
                              &comments, &blanks, &effective),
                  4);
        Result r(mtrc_code_Analyze(const_cast<char*>(path.c_str()), tarnel::LangVb, 0, 0));
        ASSERT_TRUE(r);
        EXPECT_EQ(r->lines, lines);
        EXPECT_EQ(r->comments, comments);
        EXPECT_EQ(r->blanks, blanks);
        EXPECT_EQ(r->effective, effective);
        ++checked;
    }
    EXPECT_GE(checked, 4);
}

TEST(VbFiles, EmptyFileHasNoLines) {
    testing_files::TempDir dir;
    const std::string path = dir.write("Empty.bas");
    Result r(mtrc_code_Analyze(const_cast<char*>(path.c_str()), tarnel::LangVb, 0, 0));
    ASSERT_TRUE(r);
    EXPECT_EQ(r->lines, 0);
    EXPECT_EQ(r->blanks, 0);
    EXPECT_EQ(r->structs, -1);
}

} // namespace
