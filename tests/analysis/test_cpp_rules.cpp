// The C and C++ analyzer's rules, case by case, on bytes in memory.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "analyzer.h"

namespace {

struct Result {
    mtrc_lines* r;
    explicit Result(const std::string& text, bool cMode = false, bool wantF = false,
                    bool wantC = false)
        : r(tarnel::analyzeCpp(reinterpret_cast<const unsigned char*>(text.data()), text.size(),
                               cMode, wantF, wantC)) {}
    ~Result() { mtrc_code_Release(r); }
    Result(const Result&) = delete;
    Result& operator=(const Result&) = delete;
    const mtrc_lines* operator->() const { return r; }
};

// ---- Line counts ----------------------------------------------------------------

struct LineCase {
    const char* name;
    std::string text;
    bool cMode;
    int lines, comments, blanks, effective;
};

std::ostream& operator<<(std::ostream& os, const LineCase& c) {
    return os << c.name;
}

class CppLines : public testing::TestWithParam<LineCase> {};

TEST_P(CppLines, counts) {
    const LineCase& c = GetParam();
    Result r(c.text, c.cMode);
    EXPECT_EQ(r->lines, c.lines);
    EXPECT_EQ(r->comments, c.comments);
    EXPECT_EQ(r->blanks, c.blanks);
    EXPECT_EQ(r->effective, c.effective);
}

const LineCase kLineCases[] = {
    {"empty_file_is_one_blank_line", "", false, 1, 0, 1, 0},
    {"one_line_feed", "\n", false, 1, 0, 1, 0},
    {"last_line_without_line_feed", "int x;\nint y;", false, 2, 0, 0, 2},
    {"last_line_with_line_feed", "int x;\nint y;\n", false, 2, 0, 0, 2},
    {"declaration_then_closed_block_comment", "int x; /* c */\n", false, 1, 1, 0, 1},
    {"two_closed_comments_count_once", "int x; /* a */ /* b */\n", false, 1, 1, 0, 1},
    {"closed_comment_then_line_comment_counts_once", "int x; /* a */ // b\n", false, 1, 1, 0, 1},
    {"closing_brace_alone_is_neither", "}\n", false, 1, 0, 0, 0},
    {"closing_brace_and_semicolon_is_neither", "};\n", false, 1, 0, 0, 0},
    {"punctuation_only_is_neither", "( ) , ;\n", false, 1, 0, 0, 0},
    {"string_literal_alone_is_effective", "\"abc\"\n", false, 1, 0, 0, 1},
    {"line_comment_in_cpp_mode", "// words\n", false, 1, 1, 0, 0},
    {"two_slashes_in_c_mode_are_code", "// words\n", true, 1, 0, 0, 1},
    {"block_comment_in_c_mode", "/* words */\n", true, 1, 1, 0, 0},
    {"multiline_block_comment_every_line", "/* a\nb\nc */\n", false, 3, 3, 0, 0},
    {"code_after_multiline_close_is_comment_only", "/* a\nb */ int x;\n", false, 2, 2, 0, 0},
    {"code_then_open_block_comment", "int x; /* a\nb */\n", false, 2, 2, 0, 1},
    {"stars_and_slashes_only_is_blank", " * / \n", false, 1, 0, 1, 0},
    {"whitespace_only_is_blank", " \t \r\n", false, 1, 0, 1, 0},
    {"crlf_lines", "int x;\r\n\r\n// c\r\n", false, 3, 1, 1, 1},
    {"bytes_above_127_are_code", "\xc3\xa9\n", false, 1, 0, 0, 1},
    {"nul_byte_is_code", std::string("\0\n", 2), false, 1, 0, 0, 1},
    {"unclosed_block_comment_at_end", "int x;\n/* open\nmore", false, 3, 2, 0, 1},
    {"unclosed_literal_at_end", "int x;\n\"abc", false, 2, 0, 0, 2},
    {"escaped_quote_stays_in_literal", "s = \"a\\\"b\"; /* c */\n", false, 1, 1, 0, 1},
    {"double_backslash_ends_literal", "s = \"\\\\\"; /* c */\n", false, 1, 1, 0, 1},
    {"comment_opener_inside_literal", "s = \"/*\";\nint x;\n", false, 2, 0, 0, 2},
    {"apostrophe_in_comment_opens_no_literal", "// don't\nint x;\n", false, 2, 1, 0, 1},
    {"comment_close_between_quotes_still_closes", "/* a \"*/\" */\nint x;\n", false, 2, 1, 0, 2},
    {"blank_line_inside_block_comment_is_comment", "/*\n\n*/\n", false, 3, 3, 0, 0},
};

INSTANTIATE_TEST_SUITE_P(Rules, CppLines, testing::ValuesIn(kLineCases),
                         [](const auto& info) { return std::string(info.param.name); });

// ---- Blocks and complexity ------------------------------------------------------

struct BlockCase {
    const char* name;
    std::string text;
    int functions, ccMin, ccMax, ccAvg, classes, structs;
};

std::ostream& operator<<(std::ostream& os, const BlockCase& c) {
    return os << c.name;
}

class CppBlocks : public testing::TestWithParam<BlockCase> {};

TEST_P(CppBlocks, counts) {
    const BlockCase& c = GetParam();
    Result r(c.text);
    EXPECT_EQ(r->functions, c.functions);
    EXPECT_EQ(r->cc_min, c.ccMin);
    EXPECT_EQ(r->cc_max, c.ccMax);
    EXPECT_EQ(r->cc_avg, c.ccAvg);
    EXPECT_EQ(r->classes, c.classes);
    EXPECT_EQ(r->structs, c.structs);
}

const BlockCase kBlockCases[] = {
    {"no_functions_gives_zero_complexity", "int x;\n", 0, 0, 0, 0, 0, 0},
    {"function_without_decisions_is_1", "int f() { return 0; }\n", 1, 1, 1, 1, 0, 0},
    {"if_with_and_and_or_adds_3", "int f() { if (a && b || c) x(); }\n", 1, 4, 4, 4, 0, 0},
    {"for_with_and_adds_1", "int f() { for (i = 0; a && b; ) x(); }\n", 1, 2, 2, 2, 0, 0},
    {"while_with_or_adds_2", "int f() { while (a || b) x(); }\n", 1, 3, 3, 3, 0, 0},
    {"case_then_quote_is_no_decision", "int f() { switch (c) { case'a': break; } }\n", 1, 1, 1, 1,
     0, 0},
    {"case_then_space_is_a_decision", "int f() { switch (c) { case 'a': break; } }\n", 1, 2, 2, 2,
     0, 0},
    {"else_conditional_and_bare_and_add_nothing", "int f() { x = a && b ? 1 : 2; } else {}\n", 1, 1,
     1, 1, 0, 0},
    {"condition_scan_counts_triple_ampersand_twice", "int f() { if (a &&& b) x(); }\n", 1, 4, 4, 4,
     0, 0},
    {"condition_scan_reads_into_comments", "int f() { if (a /* && */) x(); }\n", 1, 3, 3, 3, 0, 0},
    {"if_without_space_before_paren", "int f() { if(a) x(); }\n", 1, 2, 2, 2, 0, 0},
    {"identifier_containing_if_is_no_decision", "int f() { xif (a) x(); elif (b) y(); }\n", 1, 1, 1,
     1, 0, 0},
    {"preprocessor_if_is_no_decision", "#if A\nint f() { return 0; }\n#endif\n", 1, 1, 1, 1, 0, 0},
    {"min_max_and_average", "int f() { if (a) {} }\nint g() { }\nint h() { if (a) {} if (b) {} }\n",
     3, 1, 3, 2, 0, 0},
    {"average_truncates", "int f() { if (a) {} }\nint g() { }\n", 2, 1, 2, 1, 0, 0},
    {"struct_directly_before_brace_sets_no_mark", "int x; struct{ int a; } s;\n", 0, 0, 0, 0, 0, 0},
    {"struct_space_brace_counts", "int x; struct { int a; } s;\n", 0, 0, 0, 0, 0, 1},
    {"struct_inside_function_makes_it_no_function", "int f() { struct { int a; } s; }\n", 0, 0, 0,
     0, 0, 1},
    {"keyword_at_first_byte_does_not_count", "struct { int a; } s;\n", 0, 0, 0, 0, 0, 0},
    {"flat_initializer_is_no_function", "int v[] = { 1, 2 };\n", 0, 0, 0, 0, 0, 0},
    {"nested_initializer_closes_as_function", "int m[2][2] = { {1, 2}, {3, 4} };\n", 1, 1, 1, 1, 0,
     0},
    {"inline_member_decisions_are_dropped",
     "\nclass A {\n  void f() { if (x) {} }\n};\nint g() { return 0; }\n", 1, 1, 1, 1, 1, 0},
    {"forward_declared_class_makes_next_block_a_class", "\nclass A;\nint f() { return 0; }\n", 0, 0,
     0, 0, 1, 0},
    {"using_directive_swallows_next_brace",
     "\nusing namespace std;\nint f() { return 0; }\nint g() { return 1; }\n", 1, 1, 1, 1, 0, 0},
    {"extern_c_brace_is_swallowed", "\nextern \"C\" {\nint f() { return 0; }\n}\n", 1, 1, 1, 1, 0,
     0},
    {"namespace_brace_is_swallowed", "\nnamespace n {\nint f() { if (a) {} }\n}\n", 1, 2, 2, 2, 0,
     0},
    {"interface_block_is_no_function", "\ninterface I : IUnknown {\n  void f();\n};\n", 0, 0, 0, 0,
     0, 0},
    {"class_keyword_in_body_makes_a_class", "int f() { class X *p; return 0; }\n", 0, 0, 0, 0, 1,
     0},
    {"class_with_base_list", "\nclass B : public A {\n};\n", 0, 0, 0, 0, 1, 0},
    {"unmatched_closing_brace_is_ignored", "}\nint f() { return 0; }\n", 1, 1, 1, 1, 0, 0},
    {"decisions_at_file_level_go_to_next_function",
     "#define X(a) if (a) b\nint f() { return 0; }\n", 1, 2, 2, 2, 0, 0},
    {"else_block_is_plain", "int f() {\n if (a) {} else { x(); }\n}\n", 1, 2, 2, 2, 0, 0},
    {"constructor_with_initializer_is_a_function", "A::A() : x(1) {}\n", 1, 1, 1, 1, 0, 0},
    {"bare_block_at_top_level_is_no_function", "{ x(); }\n", 0, 0, 0, 0, 0, 0},
    {"enum_body_is_no_function", "enum E { a, b };\n", 0, 0, 0, 0, 0, 0},
    {"brace_in_comment_is_ignored", "int f() { /* { */ return 0; }\n", 1, 1, 1, 1, 0, 0},
    {"brace_in_literal_is_ignored", "int f() { return '{'; }\n", 1, 1, 1, 1, 0, 0},
    {"brace_after_multiline_comment_close_is_ignored", "/* a\n*/ int f() {\n}\n", 0, 0, 0, 0, 0, 0},
    {"unclosed_function_at_end_is_not_counted", "int f() { if (a) {}\n", 0, 0, 0, 0, 0, 0},
    {"condition_without_parentheses_runs_to_the_end", "int f() { if a && b }\n", 1, 3, 3, 3, 0, 0},
    {"condition_ending_after_the_function", "int f() { if } && && (a) {}\n", 2, 1, 4, 2, 0, 0},
};

INSTANTIATE_TEST_SUITE_P(Rules, CppBlocks, testing::ValuesIn(kBlockCases),
                         [](const auto& info) { return std::string(info.param.name); });

// ---- Function records -----------------------------------------------------------

struct RecordCase {
    const char* name;
    std::string text;
    const char* function; // name of the last function of the file
    int lines, comments, blanks, effective, cc;
};

std::ostream& operator<<(std::ostream& os, const RecordCase& c) {
    return os << c.name;
}

class CppRecords : public testing::TestWithParam<RecordCase> {};

TEST_P(CppRecords, numbers) {
    const RecordCase& c = GetParam();
    Result r(c.text, false, true, false);
    ASSERT_NE(r->func_list, nullptr);
    const mtrc_func* f = r->func_list;
    EXPECT_STREQ(f->name, c.function);
    EXPECT_EQ(f->lines, c.lines);
    EXPECT_EQ(f->comments, c.comments);
    EXPECT_EQ(f->blanks, c.blanks);
    EXPECT_EQ(f->effective, c.effective);
    EXPECT_EQ(f->cc, c.cc);
}

const RecordCase kRecordCases[] = {
    {"one_line_function", "int f() { return 0; }\n", "f", 1, 0, 0, 1, 1},
    {"brace_on_header_line", "int f() {\n  return 0;\n}\n", "f", 2, 0, 0, 1, 1},
    {"brace_on_its_own_line_counts_its_line", "int f()\n{\n  return 0;\n}\n", "f", 3, 0, 0, 1, 1},
    {"comments_and_blanks_inside", "int f() {\n  // c\n\n  x();\n}\n", "f", 4, 1, 1, 1, 1},
    {"code_before_closing_brace_counts", "int f() {\n  x(); }\n", "f", 1, 0, 0, 1, 1},
    {"crlf_brace_on_its_own_line", "int f()\r\n{\r\n  return 0;\r\n}\r\n", "f", 3, 0, 0, 1, 1},
    {"complexity_in_record", "int f() {\n  if (a || b) {}\n}\n", "f", 2, 0, 0, 1, 3},
    {"block_that_is_no_function_keeps_zeros", "int f() { class X; }\n", "f", 0, 0, 0, 0, 0},
};

INSTANTIATE_TEST_SUITE_P(Rules, CppRecords, testing::ValuesIn(kRecordCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(CppLists, functions_last_first_and_only_when_asked) {
    const std::string text = "int a() {}\nint b() {}\nint c() {}\n";
    Result with(text, false, true, false);
    std::vector<std::string> names;
    for (const mtrc_func* f = with->func_list; f != nullptr; f = f->next) {
        names.emplace_back(f->name);
    }
    EXPECT_EQ(names, (std::vector<std::string>{"c", "b", "a"}));
    EXPECT_EQ(with->class_list, nullptr);

    Result without(text);
    EXPECT_EQ(without->functions, 3);
    EXPECT_EQ(without->cc_min, 1);
    EXPECT_EQ(without->func_list, nullptr);
}

TEST(CppLists, classes_last_first_and_only_when_asked) {
    const std::string text = "\nclass A {\n};\nclass B : public A {\n};\n";
    Result with(text, false, false, true);
    ASSERT_NE(with->class_list, nullptr);
    EXPECT_STREQ(with->class_list->name, "B");
    ASSERT_NE(with->class_list->next, nullptr);
    EXPECT_STREQ(with->class_list->next->name, "A");
    EXPECT_EQ(with->class_list->next->next, nullptr);
    EXPECT_EQ(with->func_list, nullptr);

    Result without(text);
    EXPECT_EQ(without->classes, 2);
    EXPECT_EQ(without->class_list, nullptr);
}

// ---- Decisions taken over the written rules -------------------------------------

// Regression: one `if` gave a complexity of 1, like a function without decisions.
// A function closed with the bare count of decisions (or 1 when there were none).
TEST(CppRegression, complexity_was_not_decisions_plus_one) {
    Result one("int f() { if (a) x(); }\n");
    EXPECT_EQ(one->cc_max, 2);
    Result two("int f() { if (a) x(); for (;;) {} }\n");
    EXPECT_EQ(two->cc_max, 3);
    Result none("int f() { x(); }\n");
    EXPECT_EQ(none->cc_max, 1);
}

// Regression: a stray quote swallowed every later line of a file with bare line feeds.
// Literals ended only before a carriage return, so an apostrophe in a comment-less line ran on.
TEST(CppRegression, literal_ran_past_the_line_feed) {
    const std::string lf = "#error don't\n/* c */\nint f() { return 0; }\n";
    Result r(lf);
    EXPECT_EQ(r->lines, 3);
    EXPECT_EQ(r->comments, 1);
    EXPECT_EQ(r->effective, 2);
    EXPECT_EQ(r->functions, 1);

    std::string crlf = "#error don't\r\n/* c */\r\nint f() { return 0; }\r\n";
    Result c(crlf);
    EXPECT_EQ(c->lines, r->lines);
    EXPECT_EQ(c->comments, r->comments);
    EXPECT_EQ(c->blanks, r->blanks);
    EXPECT_EQ(c->effective, r->effective);
    EXPECT_EQ(c->functions, r->functions);
}

// Regression: a function whose header line held no code got -1 effective lines.
// The header line was taken off even when it had not been counted as effective.
TEST(CppRegression, negative_effective_lines_of_a_function) {
    Result r("int f(int a\n) {\n}\n", false, true, false);
    ASSERT_NE(r->func_list, nullptr);
    EXPECT_EQ(r->func_list->lines, 1);
    EXPECT_EQ(r->func_list->effective, 0);

    Result body("int f(int a\n) {\n  x();\n}\n", false, true, false);
    ASSERT_NE(body->func_list, nullptr);
    EXPECT_EQ(body->func_list->effective, 1);

    Result oneLine("int f() { x(); }\n", false, true, false);
    EXPECT_EQ(oneLine->func_list->effective, 1);
}

// ---- Hostile sizes --------------------------------------------------------------

TEST(CppHostile, one_mebibyte_line) {
    std::string text = "int f() { x = \"";
    text += std::string(1 << 20, 'a');
    text += "\"; if (a && b) {} }\n";
    Result r(text, false, true, true);
    EXPECT_EQ(r->lines, 1);
    EXPECT_EQ(r->functions, 1);
    EXPECT_EQ(r->cc_max, 3);
    ASSERT_NE(r->func_list, nullptr);
    EXPECT_STREQ(r->func_list->name, "f");
}

TEST(CppHostile, ten_thousand_nested_braces) {
    std::string text = "int f() ";
    text += std::string(10000, '{') + "\n" + std::string(10000, '}') + "\n";
    Result r(text, false, true, true);
    EXPECT_EQ(r->lines, 2);
    EXPECT_EQ(r->functions, 1);
    EXPECT_EQ(r->cc_max, 1);
    ASSERT_NE(r->func_list, nullptr);
    EXPECT_EQ(r->func_list->lines, 1);
}

TEST(CppHostile, unclosed_comment_and_literal_at_the_very_end) {
    Result comment("int x; /");
    EXPECT_EQ(comment->lines, 1);
    EXPECT_EQ(comment->effective, 1);
    Result open("int x; /*");
    EXPECT_EQ(open->comments, 1);
    Result quote("int x = '");
    EXPECT_EQ(quote->effective, 1);
    Result backslash("s = \"\\");
    EXPECT_EQ(backslash->effective, 1);
    Result keyword("x;if");
    EXPECT_EQ(keyword->effective, 1);
}

} // namespace
