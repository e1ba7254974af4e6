// Analysing a file: reading it through the file layer, the language codes,
// and failures at every step leaving nothing open or allocated.
#include <memory>
#include <string>
#include <sys/stat.h>
#include <thread>
#include <vector>

#include <gtest/gtest.h>

#include "analyzer.h"
#include "file_helpers.h"
#include "search.h"

namespace {

using testing_files::FaultyFileSystem;
using testing_files::TempDir;

struct Released {
    void operator()(mtrc_lines* r) const { mtrc_code_Release(r); }
};
using Result = std::unique_ptr<mtrc_lines, Released>;

Result analyzePath(const std::string& path, int language, int functions = 0, int classes = 0) {
    return Result(mtrc_code_Analyze(const_cast<char*>(path.c_str()), language, functions, classes));
}

void expectSameCounts(const mtrc_lines& a, const mtrc_lines& b) {
    EXPECT_EQ(a.lines, b.lines);
    EXPECT_EQ(a.comments, b.comments);
    EXPECT_EQ(a.blanks, b.blanks);
    EXPECT_EQ(a.effective, b.effective);
    EXPECT_EQ(a.functions, b.functions);
    EXPECT_EQ(a.cc_min, b.cc_min);
    EXPECT_EQ(a.cc_max, b.cc_max);
    EXPECT_EQ(a.cc_avg, b.cc_avg);
    EXPECT_EQ(a.classes, b.classes);
    EXPECT_EQ(a.structs, b.structs);
}

const char kCppSource[] = "// three functions\n"
                          "int a() { return 1; }\n"
                          "\n"
                          "int b(int x) { if (x) return 2; return 3; }\n"
                          "class K { };\n"
                          "int c() { return 4; }\n";

TEST(AnalyzeFile, EmptyPathGivesNullWithoutTouchingFiles) {
    FaultyFileSystem fs;
    EXPECT_EQ(tarnel::analyzeFile(fs, "", tarnel::LangCpp, true, true), nullptr);
    EXPECT_EQ(tarnel::analyzeFile(fs, nullptr, tarnel::LangCpp, true, true), nullptr);
    EXPECT_EQ(fs.calls, 0);
    char empty[] = "";
    EXPECT_EQ(mtrc_code_Analyze(empty, 0, 0, 0), nullptr);
}

// Whatever cannot be opened as a regular file gives null: a missing file, a
// directory (as on Windows) and a FIFO, which must not block the caller.
TEST(AnalyzeFile, WhatDoesNotOpenGivesNull) {
    TempDir dir;
    const std::string fifo = dir / "pipe.cpp";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    for (const std::string& path : {dir / "missing.cpp", dir.mkdir("folder.cpp"), fifo}) {
        for (int language : {0, 1, 2})
            EXPECT_EQ(analyzePath(path, language), nullptr) << path << " as " << language;
    }
}

// Language 2 is Visual Basic, 1 is C; every other value is C++.
TEST(AnalyzeFile, LanguagesOtherThanOneAndTwoAnalyseAsCpp) {
    TempDir dir;
    const std::string path = dir.write("three.cpp", kCppSource);
    Result cpp = analyzePath(path, tarnel::LangCpp);
    ASSERT_TRUE(cpp);
    EXPECT_NE(cpp->functions, -1);
    for (int language : {3, 4, -1, 99}) {
        SCOPED_TRACE(language);
        Result other = analyzePath(path, language);
        ASSERT_TRUE(other);
        expectSameCounts(*other, *cpp);
    }
    Result vb = analyzePath(path, tarnel::LangVb);
    ASSERT_TRUE(vb);
    EXPECT_EQ(vb->functions, -1);
    EXPECT_EQ(vb->cc_avg, -1);
    EXPECT_EQ(vb->classes, -1);
    EXPECT_EQ(vb->structs, -1);
}

// The counts of the functions and classes do not depend on whether their
// lists are asked for; the lists come last function (class) first.
TEST(AnalyzeFile, ListsOnlyWhenAskedCountsAlways) {
    TempDir dir;
    const std::string path = dir.write("abc.cpp", "int a() { return 1; }\n"
                                                  "int b() { return 2; }\n"
                                                  "class K { int x; };\n"
                                                  "class L { int y; };\n"
                                                  "int c() { return 3; }\n");
    Result bare = analyzePath(path, 0, 0, 0);
    ASSERT_TRUE(bare);
    EXPECT_EQ(bare->functions, 3);
    EXPECT_EQ(bare->cc_min, 1);
    EXPECT_EQ(bare->cc_max, 1);
    EXPECT_EQ(bare->cc_avg, 1);
    EXPECT_EQ(bare->classes, 2);
    EXPECT_EQ(bare->func_list, nullptr);
    EXPECT_EQ(bare->class_list, nullptr);

    Result functions = analyzePath(path, 0, 1, 0);
    ASSERT_TRUE(functions);
    expectSameCounts(*functions, *bare);
    std::vector<std::string> names;
    for (const mtrc_func* f = functions->func_list; f; f = f->next)
        names.push_back(f->name);
    EXPECT_EQ(names, (std::vector<std::string>{"c", "b", "a"}));
    EXPECT_EQ(functions->class_list, nullptr);

    Result classes = analyzePath(path, 0, 0, 1);
    ASSERT_TRUE(classes);
    expectSameCounts(*classes, *bare);
    names.clear();
    for (const mtrc_class* c = classes->class_list; c; c = c->next)
        names.push_back(c->name);
    EXPECT_EQ(names, (std::vector<std::string>{"L", "K"}));
    EXPECT_EQ(classes->func_list, nullptr);
}

// Without functions the complexity fields are 0; two slashes begin a
// comment in C++ only.
TEST(AnalyzeFile, NoFunctionsAndCommentsByLanguage) {
    TempDir dir;
    const std::string path = dir.write("plain.c", "// note\nint x;\n");
    Result cpp = analyzePath(path, tarnel::LangCpp);
    Result c = analyzePath(path, tarnel::LangC);
    ASSERT_TRUE(cpp);
    ASSERT_TRUE(c);
    EXPECT_EQ(cpp->functions, 0);
    EXPECT_EQ(cpp->cc_min, 0);
    EXPECT_EQ(cpp->cc_max, 0);
    EXPECT_EQ(cpp->cc_avg, 0);
    EXPECT_EQ(cpp->comments, 1);
    EXPECT_EQ(c->comments, 0);
}

// The file result equals the buffer result for each language and list flag.
TEST(AnalyzeFile, FileGivesTheBufferResult) {
    TempDir dir;
    const std::string text = kCppSource;
    const std::string path = dir.write("three.cpp", text);
    const auto* bytes = reinterpret_cast<const unsigned char*>(text.data());
    for (int language : {0, 1, 2, 7}) {
        for (int lists : {0, 1}) {
            SCOPED_TRACE(language * 10 + lists);
            Result fromFile = analyzePath(path, language, lists, lists);
            Result fromBuffer(
                tarnel::analyzeBuffer(bytes, text.size(), language, lists != 0, lists != 0));
            ASSERT_TRUE(fromFile);
            ASSERT_TRUE(fromBuffer);
            expectSameCounts(*fromFile, *fromBuffer);
            if (!lists) {
                EXPECT_EQ(fromFile->func_list, nullptr);
                EXPECT_EQ(fromFile->class_list, nullptr);
            }
        }
    }
}

// A failure at any step of reading gives null and leaves no handle open and
// no memory held.
TEST(AnalyzeFile, FailureAtAnyStepLeavesNothingBehind) {
    TempDir dir;
    const std::string path = dir.write("a.bas", "x = 1\n' c\n");
    using Op = FaultyFileSystem::Op;
    for (Op op : {Op::Open, Op::Size, Op::Allocate, Op::Read}) {
        SCOPED_TRACE(static_cast<int>(op));
        FaultyFileSystem fs;
        fs.failing = op;
        EXPECT_EQ(tarnel::analyzeFile(fs, path.c_str(), tarnel::LangVb, true, true), nullptr);
        EXPECT_EQ(fs.openHandles, 0);
        EXPECT_EQ(fs.liveBlocks, 0);
    }
    FaultyFileSystem fs;
    Result r(tarnel::analyzeFile(fs, path.c_str(), tarnel::LangVb, false, false));
    ASSERT_TRUE(r);
    EXPECT_EQ(r->lines, 2);
    EXPECT_EQ(fs.openHandles, 0);
    EXPECT_EQ(fs.liveBlocks, 0);
}

// A file above 2 GiB does not fit the 32-bit counts: it is refused before
// any memory is asked for.
TEST(AnalyzeFile, FileAboveTwoGibIsRefusedWithoutAllocating) {
    TempDir dir;
    const std::string path = dir.write("huge.cpp", "int x;\n");
    FaultyFileSystem fs;
    fs.reportedSize = 0x80000000LL;
    EXPECT_EQ(tarnel::analyzeFile(fs, path.c_str(), tarnel::LangCpp, false, false), nullptr);
    EXPECT_EQ(fs.liveBlocks, 0);
    EXPECT_EQ(fs.openHandles, 0);
    fs.reportedSize = 0x7fffffffLL + 0x100000000LL;
    EXPECT_EQ(tarnel::analyzeFile(fs, path.c_str(), tarnel::LangCpp, false, false), nullptr);
}

// A file that shrinks between taking its size and reading it is analysed
// as far as it was read.
TEST(AnalyzeFile, ShortReadCountsTheBytesRead) {
    TempDir dir;
    const std::string path = dir.write("a.bas", "a\nb\nc\n");
    FaultyFileSystem fs;
    fs.shortRead = 4;
    Result r(tarnel::analyzeFile(fs, path.c_str(), tarnel::LangVb, false, false));
    ASSERT_TRUE(r);
    EXPECT_EQ(r->lines, 2);
    EXPECT_EQ(fs.liveBlocks, 0);
}

// The command line analyses from several threads at once; the results do
// not depend on what the other threads do.
TEST(AnalyzeFile, ConcurrentCallsGiveTheSameResults) {
    TempDir dir;
    const std::string cpp = dir.write("a.cpp", kCppSource);
    const std::string vb = dir.write("a.bas", "x = 1\n' c\n\n");
    Result cppOnce = analyzePath(cpp, 0, 1, 1);
    Result vbOnce = analyzePath(vb, 2);
    ASSERT_TRUE(cppOnce);
    ASSERT_TRUE(vbOnce);
    std::vector<int> mismatches(4, 0);
    std::vector<std::thread> threads;
    for (int t = 0; t < 4; ++t) {
        threads.emplace_back([&, t] {
            for (int i = 0; i < 50; ++i) {
                Result c = analyzePath(cpp, 0, 1, 1);
                Result v = analyzePath(vb, 2);
                if (!c || !v || c->lines != cppOnce->lines || c->functions != cppOnce->functions ||
                    v->comments != vbOnce->comments || v->blanks != vbOnce->blanks)
                    ++mismatches[t];
            }
        });
    }
    for (auto& th : threads)
        th.join();
    for (int t = 0; t < 4; ++t)
        EXPECT_EQ(mismatches[t], 0) << "thread " << t;
}

TEST(Release, AcceptsNullAndFullRecords) {
    mtrc_code_Release(nullptr);
    mtrc_file_ReleaseRecord(nullptr);
    // A record with both lists, built as the analyzers build them.
    auto* r = new mtrc_lines{};
    for (const char* name : {"a", "b"}) {
        char* text = new char[2]{name[0], '\0'};
        r->func_list = new mtrc_func{text, 1, 0, 0, 1, 1, r->func_list};
        char* cls = new char[2]{name[0], '\0'};
        r->class_list = new mtrc_class{cls, r->class_list};
    }
    mtrc_code_Release(r); // the sanitizer build reports anything left over
}

} // namespace
