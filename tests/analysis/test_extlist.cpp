// Extension lists: splitting, trimming and matching names.
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "extlist.h"
#include "tarnel.h"

namespace {

struct SplitCase {
    const char* name;
    std::string text;
    std::vector<std::string> exts;
};

const SplitCase kSplitCases[] = {
    {"with_blank_after_semicolon", "CPP; HPP", {".CPP", ".HPP"}},
    {"four_plain", "H;C;CPP;HPP", {".H", ".C", ".CPP", ".HPP"}},
    {"lower_case", "h;c;cpp;hpp", {".H", ".C", ".CPP", ".HPP"}},
    {"with_dots", ".cpp; .Hpp", {".CPP", ".HPP"}},
    {"blanks_around", "  cpp  ;  hpp ", {".CPP", ".HPP"}},
    {"two_semicolons_give_lone_dot", "CPP;;HPP", {".CPP", ".", ".HPP"}},
    {"empty_text_gives_lone_dot", "", {"."}},
    {"leading_semicolon", ";CPP", {".", ".CPP"}},
    {"trailing_semicolon", "CPP;", {".CPP", "."}},
    {"blank_inside_kept", "C PP", {".C PP"}},
    {"only_dot", ".", {"."}},
    {"high_bytes_kept", "\xe9x", {".\xe9X"}},
};

class SplitRules : public ::testing::TestWithParam<SplitCase> {};

TEST_P(SplitRules, GivesUpperCaseExtensionsWithDots) {
    const SplitCase& c = GetParam();
    std::string text = c.text;
    EXPECT_EQ(tarnel::splitExtensions(text.data()), c.exts);
}

// The exported function returns an array the caller releases, stores its
// length and turns the caller's text to upper case in place.
TEST_P(SplitRules, ExportedFunctionGivesTheSameArray) {
    const SplitCase& c = GetParam();
    std::string text = c.text;
    int count = -5;
    std::string* array = mtrc_file_ExtractExts(text.data(), count);
    ASSERT_NE(array, nullptr);
    ASSERT_EQ(count, static_cast<int>(c.exts.size()));
    for (int i = 0; i < count; ++i)
        EXPECT_EQ(array[i], c.exts[i]) << "piece " << i;
    for (char ch : text)
        EXPECT_FALSE(ch >= 'a' && ch <= 'z') << "text not upper case: " << text;
    mtrc_file_ReleaseExts(array);
}

INSTANTIATE_TEST_SUITE_P(Extensions, SplitRules, ::testing::ValuesIn(kSplitCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(ExtractExts, NullTextGivesNoArray) {
    int count = 3;
    EXPECT_EQ(mtrc_file_ExtractExts(nullptr, count), nullptr);
    EXPECT_EQ(count, 0);
    mtrc_file_ReleaseExts(nullptr);
}

struct TrimCase {
    const char* name;
    std::string text;
    bool usable;
    std::string after;
};

const TrimCase kTrimCases[] = {
    {"trailing_blank_and_semicolons", "cpp; h ;; ", true, "cpp; h"},
    {"nothing_to_trim", "CPP", true, "CPP"},
    {"leading_blanks_stay", "  CPP", true, "  CPP"},
    {"only_blanks_and_semicolons", " ; ;  ", false, ""},
    {"empty", "", false, ""},
};

class TrimRules : public ::testing::TestWithParam<TrimCase> {};

TEST_P(TrimRules, TrimsInPlace) {
    const TrimCase& c = GetParam();
    std::string buffer = c.text;
    EXPECT_EQ(tarnel::trimExtensionText(buffer.data()), c.usable);
    EXPECT_EQ(std::string(buffer.c_str()), c.after);
}

INSTANTIATE_TEST_SUITE_P(Extensions, TrimRules, ::testing::ValuesIn(kTrimCases),
                         [](const auto& info) { return std::string(info.param.name); });

struct MatchCase {
    const char* name;
    const char* fileName;
    const char* ext;
    bool matches;
};

const MatchCase kMatchCases[] = {
    {"upper", "A.CPP", ".CPP", true},
    {"lower", "a.cpp", ".CPP", true},
    {"mixed", "a.Cpp", ".CPP", true},
    {"further_extension", "a.cpp.bak", ".CPP", false},
    {"name_equal_to_extension", ".CPP", ".CPP", true},
    {"name_shorter_than_extension", "PP", ".CPP", false},
    {"no_dot_before", "ACPP", ".CPP", false},
    {"lone_dot_matches_trailing_dot", "name.", ".", true},
    {"lone_dot_needs_trailing_dot", "name.c", ".", false},
};

class MatchRules : public ::testing::TestWithParam<MatchCase> {};

TEST_P(MatchRules, NameEndsWithExtension) {
    const MatchCase& c = GetParam();
    EXPECT_EQ(tarnel::hasExtension(c.fileName, c.ext), c.matches);
}

INSTANTIATE_TEST_SUITE_P(Extensions, MatchRules, ::testing::ValuesIn(kMatchCases),
                         [](const auto& info) { return std::string(info.param.name); });

} // namespace
