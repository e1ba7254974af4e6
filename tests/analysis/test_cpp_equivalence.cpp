// Regression: backward walks and forward condition scans made the analysis quadratic.
// A file of "{}" repeated, or of "if " without parentheses, took minutes per megabyte.
//
// The analyzer now remembers positions during its forward pass instead of walking. This
// test holds it to a plain, byte-by-byte implementation of the same rules (slow but
// obvious) on many generated and random inputs, field by field and record by record.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <random>
#include <string>
#include <string_view>
#include <vector>

#include "analyzer.h"
#include "classify.h"
#include "names.h"

namespace {

using tarnel::Pos;

// The rules, one byte at a time, with every walk done literally.
class Reference {
public:
    Reference(std::string_view text, bool cMode, bool wantFunctions, bool wantClasses)
        : d_(reinterpret_cast<const unsigned char*>(text.data())), n_(text.size()), cMode_(cMode),
          wantF_(wantFunctions), wantC_(wantClasses) {}

    mtrc_lines* run() {
        for (std::size_t p = 0; p < n_; ++p) {
            const unsigned char c = d_[p];
            const bool inComment = lineComment_ || block_;
            if (c == '\t' || c == '\r' || c == ' ') {
                continue;
            }
            if (c == '\n') {
                lineEnd();
                continue;
            }
            if (c == '"' || c == '\'') {
                if (!inComment) {
                    while (p + 1 < n_) {
                        const unsigned char next = d_[p + 1];
                        if (next == c && !(d_[p] == '\\' && d_[p - 1] != '\\')) {
                            ++p;
                            break;
                        }
                        if (next == '\r' || next == '\n') {
                            break;
                        }
                        ++p;
                    }
                    code_ = true;
                }
                continue;
            }
            if (c == '(' || c == ')' || c == ',' || c == ';' || c == ':') {
                punct_ = true;
                structMark_ = externMark_ = false;
                continue;
            }
            if (c == '*') {
                if (at(p + 1) == '/') {
                    block_ = false;
                    if (blockStart_ == lines_) {
                        closed_ = true;
                    }
                }
                continue;
            }
            if (c == '/') {
                if (!cMode_ && at(p + 1) == '/') {
                    lineComment_ = true;
                }
                if (at(p + 1) == '*' && !lineComment_) {
                    block_ = true;
                    blockStart_ = lines_;
                }
                continue;
            }
            if (c == '{') {
                if (!inComment) {
                    openBrace(p);
                }
                continue;
            }
            if (c == '}') {
                if (!inComment) {
                    closeBrace();
                }
                continue;
            }
            if (!inComment) {
                code_ = true;
                keywords(p);
            }
        }
        if (n_ == 0 || d_[n_ - 1] != '\n') {
            lineEnd();
        }
        auto* r = new mtrc_lines{};
        r->lines = lines_;
        r->comments = comments_;
        r->blanks = blanks_;
        r->effective = effective_;
        r->functions = functions_;
        r->cc_min = ccMin_ < 0 ? 0 : ccMin_;
        r->cc_max = ccMax_;
        r->cc_avg = functions_ == 0 ? 0 : static_cast<int>(ccSum_ / functions_);
        r->classes = classes_;
        r->structs = structs_;
        r->func_list = funcs_;
        r->class_list = classList_;
        return r;
    }

private:
    unsigned char at(std::size_t i) const { return i < n_ ? d_[i] : 0; }

    void lineEnd() {
        lineWasEffective_.push_back(code_);
        ++lines_;
        if (block_) {
            lineComment_ = true;
        }
        if (lineComment_ || closed_) {
            ++comments_;
        }
        if (!code_ && !lineComment_ && !block_ && !punct_ && !closed_) {
            ++blanks_;
        }
        if (code_) {
            ++effective_;
        }
        if (!block_) {
            lineComment_ = false;
        }
        code_ = punct_ = closed_ = false;
    }

    bool keyword(std::size_t p, std::string_view word, std::string_view lead,
                 std::string_view trail) const {
        if (p == 0 || lead.find(static_cast<char>(d_[p - 1])) == std::string_view::npos) {
            return false;
        }
        if (n_ - p < word.size() || std::memcmp(d_ + p, word.data(), word.size()) != 0) {
            return false;
        }
        const std::size_t after = p + word.size();
        return after >= n_ || d_[after] == 0 ||
               trail.find(static_cast<char>(d_[after])) != std::string_view::npos;
    }

    int conditionScan(std::size_t p) const {
        int opens = 0;
        int closes = 0;
        int add = 1;
        for (std::size_t i = p + 2; i < n_; ++i) {
            if (d_[i] == '(') {
                ++opens;
            }
            if ((d_[i] == '&' || d_[i] == '|') && (at(i + 1) == '&' || at(i + 1) == '|')) {
                ++add;
            }
            if (d_[i] == ')') {
                ++closes;
            }
            if (opens >= 1 && opens == closes) {
                break;
            }
        }
        return add;
    }

    void keywords(std::size_t p) {
        const std::string_view lead = " (){}\t\n;";
        const std::string_view trail = " ()\t\n";
        if (keyword(p, "if", lead, trail) || keyword(p, "while", lead, trail)) {
            running_ += conditionScan(p);
        }
        if (keyword(p, "for", lead, trail) || keyword(p, "case", lead, " :()\t\n")) {
            running_ += 1;
        }
        if (keyword(p, "class", lead, trail)) {
            classMark_ = true;
        }
        if (keyword(p, "struct", lead, trail)) {
            structMark_ = true;
        }
        if (keyword(p, "extern", lead, std::string_view(" ()\t\n\x1c", 6))) {
            externMark_ = true;
        }
        if (keyword(p, "interface", lead, trail)) {
            interfaceMark_ = true;
        }
        if (keyword(p, "namespace", ": )}\t\n;", " ({\t\n")) {
            namespaceMark_ = true;
        }
    }

    void openBrace(std::size_t p) {
        punct_ = true;
        if (externMark_ || namespaceMark_) {
            externMark_ = namespaceMark_ = false;
            return;
        }
        ++opens_;
        if (structMark_) {
            ++structs_;
            structBlock_ = true;
        }
        Pos j = static_cast<Pos>(p) - 1;
        while (j > 0 && std::strchr(" \t\n\r{", d_[j]) != nullptr && d_[j] != 0) {
            --j;
        }
        if (j >= 0 && d_[j] == '=') {
            plain_ = true;
        }
        if (!plain_) {
            bool found = false;
            for (Pos i = static_cast<Pos>(p) - 1; i >= 0; --i) {
                const unsigned char b = d_[i];
                if (b == ';' || b == '{') {
                    plain_ = true;
                    found = true;
                    break;
                }
                if (b == ')' || b == ':') {
                    found = true;
                    break;
                }
            }
            if (!found) {
                plain_ = true;
            }
        }
        const bool top = opens_ - closes_ == 1;
        if (top) {
            record_ = nullptr;
        }
        if (wantF_ && !plain_ && !classMark_ && !structMark_ && !interfaceMark_ && top) {
            const tarnel::FunctionName name = tarnel::scanFunctionName(d_, n_, p);
            record_ = new mtrc_func{};
            record_->name = tarnel::copyName(d_, name);
            record_->next = funcs_;
            funcs_ = record_;
            l0_ = lines_;
            c0_ = comments_;
            b0_ = blanks_;
            e0_ = effective_;
            k_ = name.lineBreak;
        }
        if (wantC_ && classMark_ && !structMark_ && top) {
            if (mtrc_class* cls = tarnel::scanClassName(d_, n_, p)) {
                cls->next = classList_;
                classList_ = cls;
            }
        }
        structMark_ = false;
    }

    void closeBrace() {
        punct_ = true;
        ++closes_;
        if (closes_ > opens_) {
            --closes_;
            return;
        }
        if (closes_ == opens_) {
            if (classMark_ || structBlock_ || plain_ || interfaceMark_) {
                if (classMark_) {
                    ++classes_;
                }
                classMark_ = structBlock_ = interfaceMark_ = false;
            } else {
                ++functions_;
                const int cc = 1 + running_;
                ccSum_ += cc;
                if (ccMin_ < 0 || cc < ccMin_) {
                    ccMin_ = cc;
                }
                ccMax_ = std::max(ccMax_, cc);
                if (wantF_ && record_ != nullptr) {
                    fill(record_, cc);
                }
            }
            running_ = 0;
            record_ = nullptr;
        }
        plain_ = false;
    }

    void fill(mtrc_func* r, int cc) const {
        const int s = k_ ? l0_ - 1 : l0_;
        const int l = lines_;
        r->lines = l == s ? 1 : l - s;
        r->comments = comments_ - c0_;
        r->blanks = blanks_ - b0_;
        int e = effective_ - e0_;
        if (!k_) {
            const bool headerEffective = l > s && lineWasEffective_[static_cast<std::size_t>(s)];
            if (l == s || headerEffective) {
                --e;
            }
        }
        if (l == s) {
            ++e;
        }
        if (code_) {
            ++e;
        }
        r->effective = e;
        r->cc = cc;
    }

    const unsigned char* d_;
    std::size_t n_;
    bool cMode_, wantF_, wantC_;
    int lines_ = 0, comments_ = 0, blanks_ = 0, effective_ = 0;
    int functions_ = 0, classes_ = 0, structs_ = 0;
    long long ccSum_ = 0;
    int ccMin_ = -1, ccMax_ = 0, running_ = 0;
    int opens_ = 0, closes_ = 0, blockStart_ = -1;
    bool code_ = false, punct_ = false, closed_ = false, lineComment_ = false, block_ = false;
    bool classMark_ = false, structMark_ = false, structBlock_ = false, plain_ = false;
    bool externMark_ = false, interfaceMark_ = false, namespaceMark_ = false;
    mtrc_func* record_ = nullptr;
    int l0_ = 0, c0_ = 0, b0_ = 0, e0_ = 0;
    bool k_ = false;
    std::vector<bool> lineWasEffective_;
    mtrc_func* funcs_ = nullptr;
    mtrc_class* classList_ = nullptr;
};

std::string describe(const mtrc_lines* r) {
    std::string out = "lines " + std::to_string(r->lines) + " comments " +
                      std::to_string(r->comments) + " blanks " + std::to_string(r->blanks) +
                      " effective " + std::to_string(r->effective) + " functions " +
                      std::to_string(r->functions) + " cc " + std::to_string(r->cc_min) + "/" +
                      std::to_string(r->cc_max) + "/" + std::to_string(r->cc_avg) + " classes " +
                      std::to_string(r->classes) + " structs " + std::to_string(r->structs) + "\n";
    for (const mtrc_func* f = r->func_list; f != nullptr; f = f->next) {
        out += "  func [" + std::string(f->name) + "] " + std::to_string(f->lines) + " " +
               std::to_string(f->comments) + " " + std::to_string(f->blanks) + " " +
               std::to_string(f->effective) + " " + std::to_string(f->cc) + "\n";
    }
    for (const mtrc_class* c = r->class_list; c != nullptr; c = c->next) {
        out += "  class [" + std::string(c->name) + "]\n";
    }
    return out;
}

std::string printable(std::string_view text) {
    std::string out;
    for (unsigned char c : text) {
        if (c == '\n') {
            out += "\\n";
        } else if (c == '\r') {
            out += "\\r";
        } else if (c == '\t') {
            out += "\\t";
        } else if (c < 32 || c >= 127) {
            char buf[8];
            std::snprintf(buf, sizeof buf, "\\x%02x", c);
            out += buf;
        } else {
            out += static_cast<char>(c);
        }
    }
    return out;
}

// The byte classifiers this processor runs: the analyzer must give the same
// results with each of them.
std::vector<tarnel::SimdLevel> availableLevels() {
    std::vector<tarnel::SimdLevel> out;
    for (auto level : {tarnel::SimdLevel::Portable, tarnel::SimdLevel::Sse2,
                       tarnel::SimdLevel::Avx2, tarnel::SimdLevel::Avx512}) {
        if (tarnel::simdLevelAvailable(level)) {
            out.push_back(level);
        }
    }
    return out;
}

// Compares both implementations in every mode, the fast one with every
// available classifier; returns false after the first difference.
bool sameResults(std::string_view text) {
    static const std::vector<tarnel::SimdLevel> levels = availableLevels();
    bool same = true;
    for (int mode = 0; mode < 8 && same; ++mode) {
        const bool cMode = (mode & 1) != 0;
        const bool wantF = (mode & 2) != 0;
        const bool wantC = (mode & 4) != 0;
        mtrc_lines* slow = Reference(text, cMode, wantF, wantC).run();
        const std::string b = describe(slow);
        mtrc_code_Release(slow);
        for (const tarnel::SimdLevel level : levels) {
            tarnel::setSimdLevel(level);
            mtrc_lines* fast =
                tarnel::analyzeCpp(reinterpret_cast<const unsigned char*>(text.data()), text.size(),
                                   cMode, wantF, wantC);
            const std::string a = describe(fast);
            mtrc_code_Release(fast);
            if (a != b) {
                ADD_FAILURE() << "input \"" << printable(text) << "\" mode " << mode
                              << " classifier " << static_cast<int>(level) << "\nfast: " << a
                              << "reference: " << b;
                same = false;
                break;
            }
        }
    }
    tarnel::setSimdLevel(tarnel::bestSimdLevel());
    return same;
}

// Pieces that reach every rule: keywords with their neighbours, comment and
// literal openers, parentheses, the two-byte operators, separators, line ends.
const std::vector<std::string> kPieces = {"{",
                                          "}",
                                          "(",
                                          ")",
                                          ";",
                                          ":",
                                          ",",
                                          "=",
                                          " ",
                                          "\t",
                                          "\n",
                                          "\r\n",
                                          "\r",
                                          "\"",
                                          "'",
                                          "\\",
                                          "/",
                                          "*",
                                          "//",
                                          "/*",
                                          "*/",
                                          "&&",
                                          "||",
                                          "&",
                                          "|",
                                          "if",
                                          "while",
                                          "for",
                                          "case",
                                          "class",
                                          "struct",
                                          "extern",
                                          "interface",
                                          "namespace",
                                          "operator",
                                          "op",
                                          "cl",
                                          "x",
                                          "f",
                                          "A::",
                                          "int ",
                                          "\x1c",
                                          std::string(1, '\0'),
                                          "\xff",
                                          "o",
                                          "e",
                                          "if (",
                                          "} else {",
                                          "f(a)",
                                          " {\n",
                                          "= {",
                                          "::",
                                          "#",
                                          "using namespace x;"};

std::string randomText(std::mt19937& rng, std::size_t pieces) {
    std::string text;
    std::uniform_int_distribution<std::size_t> pick(0, kPieces.size() - 1);
    std::uniform_int_distribution<int> byte(0, 255);
    std::uniform_int_distribution<int> coin(0, 9);
    for (std::size_t i = 0; i < pieces; ++i) {
        if (coin(rng) == 0) {
            text += static_cast<char>(byte(rng));
        } else {
            text += kPieces[pick(rng)];
        }
    }
    return text;
}

TEST(CppEquivalence, random_piece_sequences_match_the_reference) {
    std::mt19937 rng(20261211);
    std::uniform_int_distribution<std::size_t> length(0, 60);
    for (int i = 0; i < 20000; ++i) {
        if (!sameResults(randomText(rng, length(rng)))) {
            return;
        }
    }
}

TEST(CppEquivalence, random_bytes_match_the_reference) {
    std::mt19937 rng(7);
    std::uniform_int_distribution<int> length(0, 200);
    // Mostly special bytes, so that every rule fires often.
    static const char kBytes[] = "{}();:,= \t\n\r\"'\\/*&|ifwhlecasointrux\x1c\0";
    const std::string_view alphabet(kBytes, sizeof kBytes); // the final NUL included
    std::uniform_int_distribution<std::size_t> pick(0, alphabet.size() - 1);
    for (int i = 0; i < 20000; ++i) {
        std::string text;
        const int len = length(rng);
        for (int k = 0; k < len; ++k) {
            text += alphabet[pick(rng)];
        }
        if (!sameResults(text)) {
            return;
        }
    }
}

TEST(CppEquivalence, long_random_texts_match_the_reference) {
    // Long enough for the analyzer's 64-byte blocks to meet every byte kind at
    // every offset, with conditions open across many of them.
    std::mt19937 rng(4242);
    std::uniform_int_distribution<std::size_t> length(100, 700);
    for (int i = 0; i < 2000; ++i) {
        if (!sameResults(randomText(rng, length(rng)))) {
            return;
        }
    }
}

TEST(CppEquivalence, long_runs_of_lines_match_the_reference) {
    // Many lines between the bytes that need a rule of their own, inside and
    // outside block comments, so that whole runs of lines are counted at once
    // and cross the analyzer's 64-byte blocks at every offset.
    std::mt19937 rng(1211);
    const std::vector<std::string> parts = {"\n", "\n\n\n", "x", "x = y", " ", "\t", "\r\n",
                                            ";",  "(",      ")", ",",     ":", "/*", "*/",
                                            "//", "{",      "}", "&&",    "*", "/",  " if (a)"};
    std::uniform_int_distribution<std::size_t> pick(0, parts.size() - 1);
    std::uniform_int_distribution<int> weighted(0, 3);
    std::uniform_int_distribution<int> length(0, 400);
    for (int i = 0; i < 3000; ++i) {
        std::string text;
        const int len = length(rng);
        for (int k = 0; k < len; ++k) {
            // Line feeds and plain code most of the time.
            const int w = weighted(rng);
            text += w == 0 ? parts[pick(rng)] : parts[static_cast<std::size_t>(w - 1)];
        }
        if (!sameResults(text)) {
            return;
        }
    }
}

TEST(CppEquivalence, realistic_code_matches_the_reference) {
    const char* samples[] = {
        "int f(int a)\n{\n    if (a && b || c) {\n        return 1;\n    }\n    return 0;\n}\n",
        "class A : public B {\npublic:\n  void g() { while (x) { } }\n};\nint A::h() const {"
        " for (;;) {} }\n",
        "A::A(int x)\n  : m(x)\n{\n}\nB::B() : a(1), b(2) {}\n",
        "bool A::operator ==(const A& o) const {\n  return x == o.x;\n}\n",
        "extern \"C\" {\nint f() { return 0; }\n}\nnamespace n {\nvoid g() {}\n}\n",
        "int m[2][2] = { {1, 2}, {3, 4} };\nint v[] = {1, 2};\nenum E { a, b };\n",
        "struct S { int a; };\nstruct {\n int b; } s;\nclass F;\nint g() { return 1; }\n",
        "int f(int a\n) {\n}\n",
        "/* a\n * b */ int x; {\n}\n// c\nint g() { /* one */ return 0; } // two\n",
        "#define X if (a) b\nint f() {\n  switch (a) { case 1: case 'x': break; }\n}\n",
        "int f() { if (a) { if (b) {} } }\nint g() { int x = y ? 1 : 2; }\n",
        "int *f(void) {\r\n  return 0;\r\n}\r\n",
        "char c = '\\''; char* s = \"a\\\"b\\\\\"; int f() { return '('; }\n",
        "if if if if if if (x) {}\nint f() { if (a && b\n) {} }\n",
        "int f() { if ) ) ( ( && ) || ) }\nint g() { while ( && ( ) ) }\n",
        "void f() {\n}\n}\n}\nvoid g() {}\n",
    };
    for (const char* sample : samples) {
        EXPECT_TRUE(sameResults(sample)) << sample;
    }
}

TEST(CppEquivalence, conditions_that_run_past_their_function_match_the_reference) {
    // Scans still open when their function closes, in every order of resolution.
    std::mt19937 rng(99);
    const std::vector<std::string> parts = {"):{", "}",  " if ", " while ", "(",     ")",  "&&",
                                            "||",  "\n", "{",    ";",       " for ", "f()"};
    std::uniform_int_distribution<std::size_t> pick(0, parts.size() - 1);
    std::uniform_int_distribution<int> length(0, 80);
    for (int i = 0; i < 20000; ++i) {
        std::string text;
        const int len = length(rng);
        for (int k = 0; k < len; ++k) {
            text += parts[pick(rng)];
        }
        if (!sameResults(text)) {
            return;
        }
    }
}

} // namespace
