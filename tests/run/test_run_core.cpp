// Row values, run totals, reports and the language choice of the run core.
#include <gtest/gtest.h>

#include <cstring>

#include "run/core/columns.h"
#include "run/core/language.h"
#include "run/core/metrics.h"
#include "run/core/reports.h"

namespace kestrum {
namespace {

FileMetrics cppFile(int lines, int effective = 0, int comments = 0, int blanks = 0) {
    FileMetrics m;
    m.lines = lines;
    m.effective = effective;
    m.comments = comments;
    m.blanks = blanks;
    return m;
}

FileMetrics vbFile(int lines) {
    FileMetrics m = cppFile(lines);
    m.functions = m.ccMin = m.ccMax = m.ccAvg = m.classes = m.structs = -1;
    return m;
}

struct PercentCase {
    const char* name;
    int count;
    int lines;
    int expected;
};

class Percent : public ::testing::TestWithParam<PercentCase> {};

TEST_P(Percent, TruncatesTheDoubleProduct) {
    EXPECT_EQ(percentOf(GetParam().count, GetParam().lines), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Cases, Percent,
                         ::testing::Values(PercentCase{"effective_29_of_100_is_28", 29, 100, 28},
                                           PercentCase{"comment_57_of_100_is_56", 57, 100, 56},
                                           PercentCase{"blank_1_of_3_is_33", 1, 3, 33},
                                           PercentCase{"all_lines_is_100", 7, 7, 100},
                                           PercentCase{"no_lines_is_0", 0, 0, 0},
                                           PercentCase{"half_is_50", 50, 100, 50}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(RowValues, VisualBasicFileWithoutLinesShowsZeroPercentAndMinusOnes) {
    const ColumnOrder order = defaultColumnOrder();
    const auto cells = rowCells("/src/x/form1.frm", vbFile(0), order, false);
    const std::vector<std::string> expected = {"form1.frm", "0",  "0",  "0",  "0",  "0",  "0",
                                               "0",         "-1", "-1", "-1", "-1", "-1", "-1"};
    EXPECT_EQ(cells, expected);
}

TEST(RowValues, CellsFollowTheDisplayOrderAndThePathMode) {
    std::string why;
    const auto order = parseColumnLetters("AGBD", why);
    ASSERT_TRUE(order);
    FileMetrics m = cppFile(100, 29, 5, 7);
    EXPECT_EQ(rowCells("/a/b/file.cpp", m, *order, false),
              (std::vector<std::string>{"file.cpp", "7", "100", "28"}));
    EXPECT_EQ(rowCells("/a/b/file.cpp", m, *order, true),
              (std::vector<std::string>{"/a/b/file.cpp", "7", "100", "28"}));
    EXPECT_EQ(rowCells("nofolder.c", m, *order, false)[0], "nofolder.c");
}

TEST(RunTotals, StartValues) {
    RunTotals t;
    for (const MetricTotal& m : t.metrics) {
        EXPECT_EQ(m.total, 0);
        EXPECT_EQ(m.minimum, 2147483647);
        EXPECT_EQ(m.maximum, 0);
    }
}

TEST(RunTotals, TwoVisualBasicFilesGiveFunctionsMinusTwoMinusOneMinusOneZero) {
    const ColumnOrder order = defaultColumnOrder();
    RunTotals t;
    t.addFile(vbFile(10), order);
    t.addFile(vbFile(20), order);
    const MetricTotal& f = t.metrics[SumFunctions];
    EXPECT_EQ(f.total, -2);
    EXPECT_EQ(f.minimum, -1);
    EXPECT_EQ(f.maximum, 0);
    const Report r = fileMetricsReport(t, order, 2);
    EXPECT_NE(r.text.find("\nFunctions\t-2\t-1\t-1\t0\n"), std::string::npos) << r.text;
}

TEST(RunTotals, HiddenColumnsAreNotAccumulated) {
    std::string why;
    const auto order = parseColumnLetters("AC", why);
    ASSERT_TRUE(order);
    RunTotals t;
    t.addFile(cppFile(10, 4), *order);
    EXPECT_EQ(t.metrics[SumLines].total, 0);
    EXPECT_EQ(t.metrics[SumLines].minimum, 2147483647);
    EXPECT_EQ(t.metrics[SumEffective].total, 4);
}

TEST(RunTotals, TotalsDoNotWrapAroundAtTwoGigalines) {
    // A 32-bit total wrapped to a negative number on very large trees.
    RunTotals t;
    for (int i = 0; i < 3; ++i)
        t.addFile(cppFile(1'000'000'000));
    EXPECT_EQ(t.metrics[SumLines].total, 3'000'000'000LL);
    const Report r = fileMetricsReport(t, defaultColumnOrder(), 3);
    EXPECT_NE(r.text.find("\nLines\t3000000000\t1000000000\t1000000000\t1000000000\n"),
              std::string::npos);
}

TEST(FileMetricsReport, TwoFilesOfTenAndThirtyLines) {
    RunTotals t;
    const ColumnOrder order = defaultColumnOrder();
    t.addFile(cppFile(10, 6, 2, 1), order);
    t.addFile(cppFile(30, 20, 5, 4), order);
    const Report r = fileMetricsReport(t, order, 2);
    EXPECT_EQ(r.text, "FILE METRICS\n\n"
                      "\t~~~~~~~~~ total 2 source file(s) ~~~~~~~~~\n\n"
                      "METRIC\tTOTAL\tAVG\tMIN\tMAX\n"
                      "Lines\t40\t20\t10\t30\n"
                      "Effective\t26\t13\t6\t20\n"
                      "Comment\t7\t3\t2\t5\n"
                      "Blank\t5\t2\t1\t4\n"
                      "Functions\t0\t0\t0\t0\n"
                      "Class\t0\t0\t0\t0\n"
                      "Struct\t0\t0\t0\t0\n");
    ASSERT_EQ(r.rows.size(), 7u);
    EXPECT_EQ(r.rows[0], (std::vector<std::string>{"Lines", "40", "20", "10", "30"}));
    EXPECT_EQ(r.rows[6][0], "Struct");
}

TEST(FileMetricsReport, AverageIsTruncated) {
    RunTotals t;
    for (int lines : {10, 10, 11})
        t.addFile(cppFile(lines));
    const Report r = fileMetricsReport(t, defaultColumnOrder(), 3);
    EXPECT_EQ(r.rows[0], (std::vector<std::string>{"Lines", "31", "10", "10", "11"}));
}

TEST(FileMetricsReport, LinesFollowTheDisplayOrderOfShownColumns) {
    std::string why;
    const auto order = parseColumnLetters("AGDCJN", why); // Blank, E%, Effective, avg CC, struct
    ASSERT_TRUE(order);
    RunTotals t;
    t.addFile(cppFile(10, 5, 0, 3), *order);
    const Report r = fileMetricsReport(t, *order, 1);
    EXPECT_EQ(r.text.substr(r.text.find("METRIC\t")), "METRIC\tTOTAL\tAVG\tMIN\tMAX\n"
                                                      "Blank\t3\t3\t3\t3\n"
                                                      "Effective\t5\t5\t5\t5\n"
                                                      "Struct\t0\t0\t0\t0\n");
    EXPECT_EQ(r.rows.size(), 3u);
}

TEST(FileMetricsReport, NoFiles) {
    const Report r = fileMetricsReport(RunTotals{}, defaultColumnOrder(), 0);
    EXPECT_EQ(r.text, "No files to analyze.");
    EXPECT_TRUE(r.rows.empty());
}

// A result record built by hand, with names owned by the test.
struct OwnedResult {
    mtrc_lines lines{};
    std::vector<std::unique_ptr<mtrc_func>> funcs;
    std::vector<std::unique_ptr<mtrc_class>> classes;
    std::vector<std::string> names;

    // Functions in file order; the list holds the last one first.
    void addFunction(const char* name, int lines_, int effective, int comments, int blanks,
                     int cc) {
        names.reserve(64);
        names.emplace_back(name);
        funcs.push_back(std::make_unique<mtrc_func>(mtrc_func{
            names.back().data(), lines_, comments, blanks, effective, cc, lines.func_list}));
        lines.func_list = funcs.back().get();
        ++lines.functions;
    }
    void addClass(const char* name) {
        names.reserve(64);
        names.emplace_back(name);
        classes.push_back(
            std::make_unique<mtrc_class>(mtrc_class{names.back().data(), lines.class_list}));
        lines.class_list = classes.back().get();
        ++lines.classes;
    }
};

TEST(FunctionReport, ListsTheLastFunctionFirstWithSummary) {
    OwnedResult r;
    r.addFunction("f", 10, 7, 1, 2, 1);
    r.addFunction("g", 12, 9, 0, 1, 4);
    r.addFunction("C::h", 11, 8, 3, 0, 2);
    const Report rep = functionReport("/s/x.cpp", r.lines);
    EXPECT_EQ(rep.text, "FUNCTION METRICS for source code file: /s/x.cpp\n\n"
                        "\t~~~~~~~~~ total 3 function(s) ~~~~~~~~~\t\n\n"
                        "FUNCTION: C::h\nLines\tEffective\tComment\tBlank\tCyc.Complx\n"
                        "11\t8\t3\t0\t2\n\n"
                        "FUNCTION: g\nLines\tEffective\tComment\tBlank\tCyc.Complx\n"
                        "12\t9\t0\t1\t4\n\n"
                        "FUNCTION: f\nLines\tEffective\tComment\tBlank\tCyc.Complx\n"
                        "10\t7\t1\t2\t1\n\n"
                        "\t~~~~~~~~~ Summary for 3 funtion(s) ~~~~~~~~~\t\n\n"
                        "METRIC\tTOTAL\tAVG\tMIN\tMAX\n"
                        "Lines\t33\t11\t10\t12\n"
                        "Effective\t24\t8\t7\t9\n"
                        "Comment\t4\t1\t0\t3\n"
                        "Blank\t3\t1\t0\t2\n"
                        "C.Cmplx.\t7\t2\t1\t4\n");
    ASSERT_EQ(rep.rows.size(), 3u);
    EXPECT_EQ(rep.rows[0], (std::vector<std::string>{"C::h", "11", "8", "3", "0", "2"}));
    EXPECT_EQ(rep.rows[2][0], "f");
}

TEST(FunctionReport, MinimumStartsAt65535AndMaximumAtMinusOne) {
    OwnedResult r;
    r.addFunction("huge", 70000, 1, 0, 0, 1);
    const Report rep = functionReport("p", r.lines);
    EXPECT_NE(rep.text.find("\nLines\t70000\t70000\t65535\t70000\n"), std::string::npos);

    // A counted function without a record: the summary shows the start values.
    OwnedResult counted;
    counted.lines.functions = 2;
    const Report empty = functionReport("p", counted.lines);
    EXPECT_NE(empty.text.find("\nLines\t0\t0\t65535\t-1\n"), std::string::npos);
    EXPECT_TRUE(empty.rows.empty());
}

TEST(FunctionReport, NoFunctions) {
    OwnedResult r;
    EXPECT_EQ(functionReport("p", r.lines).text, "No functions found...");
    r.lines.functions = -1; // a Visual Basic result must not be divided by
    EXPECT_EQ(functionReport("p", r.lines).text, "No functions found...");
}

TEST(ClassReport, ListsTheLastClassFirst) {
    OwnedResult r;
    r.addClass("EXPORT_API");
    r.addClass("Second");
    EXPECT_EQ(classReport("/s/y.h", r.lines), "CLASS METRICS for source code file: /s/y.h\n\n"
                                              "\t~~~~~~~~~ total 2 class(es) ~~~~~~~~~\t\n\n"
                                              "\nCLASS: Second\nCLASS: EXPORT_API");
    OwnedResult none;
    EXPECT_EQ(classReport("/s/y.h", none.lines), "No classes found...");
}

TEST(PaneTexts, ProgressAndAbort) {
    EXPECT_EQ(progressText(3, 5, "/a/b.c"), "Analyzing...\nProcessing file (3 of 5):\n/a/b.c");
    EXPECT_EQ(cantOpenFileText("/a/b.c"), "Can't open file: /a/b.c. Aborting project analyze!");
}

TEST(ColumnOrderSetting, DefaultsPaddingAndUntrustedValues) {
    struct Case {
        const char* stored;
        const char* normalised;
    };
    const Case cases[] = {
        {"", "ABCDEFGHIJKLMN"},
        {"ABCDEFGHIJKLMN", "ABCDEFGHIJKLMN"},
        {"ABCEFGHIJKLMN", "ABCEFGHIJKLMN@"},     // without D: E% hidden
        {"AB", "AB@@@@@@@@@@@@"},                // short: padded
        {"ABCDEFGHIJKLMNXYZ", "ABCDEFGHIJKLMN"}, // beyond the 14th: ignored
        {"ABZC", "ABC@@@@@@@@@@@"},              // foreign letter dropped
        {"ABBC", "ABC@@@@@@@@@@@"},              // repeated letter dropped
        {"A@B", "AB@@@@@@@@@@@@"},               // gaps closed
        {"BC", "ABC@@@@@@@@@@@"},                // file name always first
    };
    for (const Case& c : cases)
        EXPECT_EQ(columnOrderSetting(columnOrderFromSetting(c.stored)), c.normalised) << c.stored;
}

TEST(ColumnLetters, StrictParsing) {
    std::string why;
    auto order = parseColumnLetters("abd", why);
    ASSERT_TRUE(order);
    EXPECT_EQ(columnOrderSetting(*order), "ABD@@@@@@@@@@@");
    EXPECT_EQ(shownColumnCount(*order), 3);
    for (const char* bad : {"", "BA", "ABB", "AZ", "A1", "ABCDEFGHIJKLMNA"}) {
        why.clear();
        EXPECT_FALSE(parseColumnLetters(bad, why)) << bad;
        EXPECT_FALSE(why.empty()) << bad;
    }
}

TEST(ColumnTables, TitlesAndLetters) {
    const char* titles[] = {"File name", "Lines",  "Effective", "E%",    "Comment",
                            "C%",        "Blank",  "B%",        "Func.", "avg CC",
                            "min CC",    "max CC", "class",     "struct"};
    for (int i = 0; i < kFileColumnCount; ++i)
        EXPECT_STREQ(kFileColumns[i].title, titles[i]);
    EXPECT_STREQ(kTotalsColumns[3].title, "Minumum");
    EXPECT_STREQ(kFunctionColumns[5].title, "Cyc.Cmplx");
}

struct LanguageCase {
    const char* name;
    const char* cppExts;
    const char* cExts;
    const char* vbExts;
    int defaultLanguage;
    const char* path;
    int expected;
};

class ByExtension : public ::testing::TestWithParam<LanguageCase> {};

TEST_P(ByExtension, ChoosesTheLastMatchingList) {
    const LanguageCase& c = GetParam();
    const LanguageTables t = makeLanguageTables(c.cppExts, c.cExts, c.vbExts, c.defaultLanguage);
    EXPECT_EQ(chooseLanguage(LangModeByExtension, t, c.path), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ByExtension,
    ::testing::Values(
        LanguageCase{"h_is_cpp", "CPP;HPP;H", "C", "BAS;FRM", 0, "/s/x.h", 0},
        LanguageCase{"c_is_c", "CPP;HPP;H", "C", "BAS;FRM", 0, "/s/x.c", 1},
        LanguageCase{"frm_is_vb", "CPP;HPP;H", "C", "BAS;FRM", 0, "/s/x.frm", 2},
        LanguageCase{"txt_gets_default", "CPP;HPP;H", "C", "BAS;FRM", 1, "/s/x.txt", 1},
        LanguageCase{"c_list_with_h_wins_over_cpp", "CPP;HPP;H", "C;H", "BAS;FRM", 0, "/s/x.h", 1},
        LanguageCase{"dialog_lists_leave_h_unmatched", "CPP; HPP", "C", "BAS; FRM", 2, "/s/x.h", 2},
        LanguageCase{"case_of_path_ignored", "cpp", "c", "bas", 0, "/s/X.Bas", 2},
        LanguageCase{"empty_list_matches_final_dot", "", "C", "", 1, "/s/x.", 2},
        LanguageCase{"short_path_never_matches", "LONGEXT", "C", "BAS", 1, "t", 1}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(Language, FixedModesIgnoreTheExtension) {
    const LanguageTables t = makeLanguageTables("CPP", "C", "BAS", 0);
    EXPECT_EQ(chooseLanguage(LangModeCpp, t, "x.bas"), 0);
    EXPECT_EQ(chooseLanguage(LangModeC, t, "x.bas"), 1);
    EXPECT_EQ(chooseLanguage(LangModeVb, t, "x.c"), 2);
}

TEST(Language, FirstUseDefaultsOnlyWhenAllThreeAreEmpty) {
    EXPECT_TRUE(needsFirstUseExts("", "", ""));
    EXPECT_FALSE(needsFirstUseExts("C", "", ""));
    EXPECT_STREQ(kFirstUseCppExts, "CPP;HPP;H");
}

} // namespace
} // namespace kestrum
