// Function and class name scans, directly and through the analyzer.
#include <gtest/gtest.h>

#include <string>

#include "analyzer.h"
#include "names.h"

namespace {

const unsigned char* bytes(const std::string& s) {
    return reinterpret_cast<const unsigned char*>(s.data());
}

struct FunctionCase {
    const char* name;
    std::string text; // the scan starts at the last "{"
    const char* expected;
    bool lineBreak;
};

std::ostream& operator<<(std::ostream& os, const FunctionCase& c) {
    return os << c.name;
}

class FunctionNames : public testing::TestWithParam<FunctionCase> {};

TEST_P(FunctionNames, scan) {
    const FunctionCase& c = GetParam();
    const std::size_t brace = c.text.rfind('{');
    ASSERT_NE(brace, std::string::npos);
    const tarnel::FunctionName found =
        tarnel::scanFunctionName(bytes(c.text), c.text.size(), brace);
    char* text = tarnel::copyName(bytes(c.text), found);
    EXPECT_STREQ(text, c.expected);
    EXPECT_EQ(found.lineBreak, c.lineBreak);
    delete[] text;
}

TEST_P(FunctionNames, analyzer_names_the_record_alike) {
    const FunctionCase& c = GetParam();
    const std::string text = c.text + "\n}\n";
    mtrc_lines* r = tarnel::analyzeCpp(bytes(text), text.size(), false, true, false);
    ASSERT_NE(r->func_list, nullptr);
    EXPECT_STREQ(r->func_list->name, c.expected);
    mtrc_code_Release(r);
}

const FunctionCase kFunctionCases[] = {
    {"plain_function", "int f(int a) {", "f", false},
    {"member_defined_outside_keeps_class", "int Shape::area(void) const {", "Shape::area", false},
    {"pointer_star_against_name_is_kept", "char *dup(const char *s) {", "*dup", false},
    {"spaces_before_parenthesis_are_dropped", "int f   (int a) {", "f", false},
    {"tab_before_parenthesis_is_dropped", "int f\t(int a) {", "f", false},
    {"operator_with_space_keeps_keyword", "bool operator ==(const A& o) {", "operator ==", false},
    {"member_operator_keeps_class", "bool A::operator ==(const A& o) const {",
     "A::operator ==", false},
    {"operator_without_space", "bool A::operator==(const A& o) {", "A::operator==", false},
    {"one_initializer_on_header_line", "A::A(int x) : m(x) {", "A::A", false},
    {"one_initializer_on_next_line", "A::A(int x)\n  : m(x) {", "A::A", true},
    {"two_initializers_give_the_last_member", "A::A() : a(1), b(2) {", "b", false},
    {"brace_on_next_line_sets_line_break", "int f(void)\n{", "f", true},
    {"brace_after_crlf_sets_line_break", "int f(void)\r\n{", "f", true},
    {"line_break_inside_parameters_is_not_a_break", "int f(int a,\n      int b) {", "f", false},
    {"nested_parentheses_in_parameters", "void f(int (*cb)(int)) {", "f", false},
    {"name_at_first_byte", "f() {", "f", false},
    {"no_parenthesis_gives_empty_name", "x: {", "", false},
    {"unmatched_closing_parenthesis_gives_empty_name", "a) {", "", false},
    {"parenthesis_in_comment_ends_the_search", "int f(int a) /* (x) */ {", "/*", false},
};

INSTANTIATE_TEST_SUITE_P(Names, FunctionNames, testing::ValuesIn(kFunctionCases),
                         [](const auto& info) { return std::string(info.param.name); });

struct ClassCase {
    const char* name;
    std::string text;     // the scan starts at the first "{" after the keyword
    const char* expected; // null: no record
};

std::ostream& operator<<(std::ostream& os, const ClassCase& c) {
    return os << c.name;
}

class ClassNames : public testing::TestWithParam<ClassCase> {};

TEST_P(ClassNames, scan) {
    const ClassCase& c = GetParam();
    const std::size_t brace = c.text.find('{', c.text.find("class"));
    ASSERT_NE(brace, std::string::npos);
    mtrc_class* found = tarnel::scanClassName(bytes(c.text), c.text.size(), brace);
    if (c.expected == nullptr) {
        EXPECT_EQ(found, nullptr);
    } else {
        ASSERT_NE(found, nullptr);
        EXPECT_STREQ(found->name, c.expected);
        EXPECT_EQ(found->next, nullptr);
        delete[] found->name;
        delete found;
    }
}

TEST_P(ClassNames, analyzer_counts_the_class_and_lists_the_name) {
    const ClassCase& c = GetParam();
    mtrc_lines* r = tarnel::analyzeCpp(bytes(c.text), c.text.size(), false, false, true);
    EXPECT_EQ(r->classes, 1);
    if (c.expected == nullptr) {
        EXPECT_EQ(r->class_list, nullptr);
    } else {
        ASSERT_NE(r->class_list, nullptr);
        EXPECT_STREQ(r->class_list->name, c.expected);
    }
    mtrc_code_Release(r);
}

const ClassCase kClassCases[] = {
    {"plain_class", "\nclass Shape {\n};\n", "Shape"},
    {"base_list_ends_at_colon", "\nclass Square: public Shape {\n};\n", "Square"},
    {"export_macro_is_taken_as_name", "\nclass EXPORT Shape {\n};\n", "EXPORT"},
    {"brace_against_name_is_kept", "\nclass Shape{\n};\n", "Shape{"},
    {"carriage_return_is_kept", "\nclass Shape\r\n{\r\n};\r\n", "Shape\r"},
    {"tabs_after_keyword_are_skipped", "\nclass\t\tShape {\n};\n", "Shape"},
    {"word_class_in_comment_is_found_first", "\nclass A /* class B */ {\n};\n", "B"},
    {"keyword_beyond_1023_bytes_gives_no_record",
     "\nclass Far\n" + std::string(1100, ' ') + "{\n};\n", nullptr},
    {"keyword_1023_bytes_back_is_found", "\nclass Near" + std::string(1013, ' ') + "{\n};\n",
     "Near"},
};

INSTANTIATE_TEST_SUITE_P(Names, ClassNames, testing::ValuesIn(kClassCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(KeywordTest, sets_and_boundaries) {
    // Leading space, tab and line feed; trailing space, line feed and the end.
    const std::string text = "x operator \toperator\noperator";
    const auto* d = bytes(text);
    EXPECT_TRUE(tarnel::keywordAt(d, text.size(), 2, tarnel::kOperatorWord));
    EXPECT_TRUE(tarnel::keywordAt(d, text.size(), 12, tarnel::kOperatorWord));
    EXPECT_TRUE(tarnel::keywordAt(d, text.size(), 21, tarnel::kOperatorWord));
    const std::string badLead = "xoperator ";
    EXPECT_FALSE(tarnel::keywordAt(bytes(badLead), badLead.size(), 1, tarnel::kOperatorWord));
    const std::string badTrail = " operator(";
    EXPECT_FALSE(tarnel::keywordAt(bytes(badTrail), badTrail.size(), 1, tarnel::kOperatorWord));
    const std::string first = "operator ";
    EXPECT_FALSE(tarnel::keywordAt(bytes(first), first.size(), 0, tarnel::kOperatorWord));
    const std::string nul("(class\0", 7);
    EXPECT_TRUE(tarnel::keywordAt(bytes(nul), nul.size(), 1, tarnel::kClassWord));
    const std::string cr = "(class\r";
    EXPECT_FALSE(tarnel::keywordAt(bytes(cr), cr.size(), 1, tarnel::kClassWord));
    const std::string upper = "(Class ";
    EXPECT_FALSE(tarnel::keywordAt(bytes(upper), upper.size(), 1, tarnel::kClassWord));
}

} // namespace
