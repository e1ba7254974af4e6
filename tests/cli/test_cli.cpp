// The kestrum program, run as a user runs it, on fixture trees made in a
// temporary folder.
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "run/core/collect.h"
#include "run/core/metrics.h"
#include "run/core/reports.h"
#include "run/core/text_output.h"
#include "tarnel.h"

namespace fs = std::filesystem;

namespace kestrum {
namespace {

struct Outcome {
    int status = -1;
    std::string out;
    std::string err;
};

std::string quote(const std::string& s) {
    std::string q = "'";
    for (char c : s) {
        if (c == '\'')
            q += "'\\''";
        else
            q += c;
    }
    return q + "'";
}

std::string readFile(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    std::stringstream ss;
    ss << in.rdbuf();
    return ss.str();
}

class Cli : public ::testing::Test {
protected:
    void SetUp() override {
        std::string pattern = (fs::temp_directory_path() / "kestrum-cli-XXXXXX").string();
        ASSERT_NE(mkdtemp(pattern.data()), nullptr);
        root_ = pattern;
        fs::create_directories(root_ / "out");
    }
    void TearDown() override {
        std::error_code ec;
        fs::permissions(root_, fs::perms::owner_all, fs::perm_options::add, ec);
        fs::remove_all(root_, ec);
    }

    void write(const std::string& rel, const std::string& text) {
        fs::create_directories((root_ / rel).parent_path());
        std::ofstream(root_ / rel, std::ios::binary) << text;
    }
    std::string path(const std::string& rel) const { return (root_ / rel).string(); }

    // Runs the program in the fixture folder with the output streams caught.
    Outcome run(const std::vector<std::string>& args) {
        std::string cmd = "cd " + quote(root_.string()) + " && " + quote(KESTRUM_PROGRAM);
        for (const std::string& a : args)
            cmd += " " + quote(a);
        const fs::path out = root_ / "out" / "stdout";
        const fs::path err = root_ / "out" / "stderr";
        cmd += " >" + quote(out.string()) + " 2>" + quote(err.string());
        Outcome r;
        const int raw = std::system(cmd.c_str());
        r.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
        r.out = readFile(out);
        r.err = readFile(err);
        return r;
    }

    // What Orbek writes for these files with all columns and file names: rows
    // from the library's own numbers, in the order given.
    std::string expectedText(const std::vector<std::string>& files, std::string_view eol,
                             int language = 0) {
        const ColumnOrder order = defaultColumnOrder();
        std::vector<std::vector<std::string>> rows;
        RunTotals totals;
        for (const std::string& f : files) {
            std::string p = f;
            mtrc_lines* r = mtrc_code_Analyze(p.data(), language, 0, 0);
            EXPECT_NE(r, nullptr) << f;
            if (!r)
                continue;
            rows.push_back(rowCells(f, metricsOf(*r), order, false));
            totals.addFile(metricsOf(*r), order);
            mtrc_code_Release(r);
        }
        return formatTextOutput(
            order, rows, fileMetricsReport(totals, order, static_cast<int>(rows.size())).text, eol);
    }

    // The files a directory search lists, in its order.
    std::vector<std::string> listed(const std::string& dir, const std::string& exts) {
        std::vector<std::string> out;
        for (const FoundFile& f : searchSource(dir, exts, true).files)
            out.push_back(f.path);
        return out;
    }

    fs::path root_;
};

const char* const kCppSource = "// counts things\n"
                               "#include <stdio.h>\n"
                               "\n"
                               "int count(int n) {\n"
                               "    int c = 0;\n"
                               "    for (int i = 0; i < n; ++i)\n"
                               "        if (i % 3 == 0 && i % 5 == 0)\n"
                               "            ++c;\n"
                               "    return c;\n"
                               "}\n"
                               "\n"
                               "class Counter { int n; };\n"
                               "struct Pair { int a, b; };\n";

TEST_F(Cli, DirectoryTextIsWhatOrbekWrites) {
    write("src/count.cpp", kCppSource);
    write("src/a.c", "int a(void) { return 1; }\n");
    write("src/deep/sub/x.h", "/* only a comment */\n");
    write("src/readme.txt", "not source\n");
    const std::vector<std::string> files = listed(path("src") + "/", "CPP;C;H");
    ASSERT_EQ(files.size(), 3u);

    Outcome r = run({"-q", "-x", "CPP;C;H", "-l", "cpp", "src"});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.err, "");
    EXPECT_EQ(r.out, expectedText(files, "\n"));

    r = run({"-q", "-x", "CPP;C;H", "-l", "cpp", "--crlf", "src"});
    EXPECT_EQ(r.out, expectedText(files, "\r\n"));
    EXPECT_EQ(r.out.find("\n\n"), std::string::npos); // every line feed follows a CR
}

TEST_F(Cli, TextLayoutWithOnlyTheFileNameColumn) {
    write("one/file.c", "int x;\n");
    write("one/long_name_file.c", "int y;\n");
    const std::vector<std::string> files = listed(path("one") + "/", "C");
    Outcome r = run({"--columns", "A", "one"});
    EXPECT_EQ(r.status, 0);
    std::string expected = "File name\t\n";
    for (const std::string& f : files) {
        const std::string name(fileNamePart(f));
        expected += name + (name.size() < 8 ? "\t\t\n" : "\t\n");
    }
    expected += "\nFILE METRICS\n\n\t~~~~~~~~~ total 2 source file(s) ~~~~~~~~~\n\n"
                "METRIC\tTOTAL\tAVG\tMIN\tMAX\n";
    EXPECT_EQ(r.out, expected);

    r = run({"--columns", "A", "--full-path", path("one/file.c")});
    EXPECT_EQ(r.out.substr(0, r.out.find("\n\n")), "File name\t\n" + path("one/file.c") + "\t");
}

TEST_F(Cli, EachKindOfSource) {
    write("tree/a.cpp", "int a;\n");
    write("tree/sub/b.cpp", "int b;\n");
    write("tree/sub/c.H", "int c;\n");
    write("tree/form.frm", "Sub X\nEnd Sub\n");
    write("proj/p.dsp", "# Microsoft Developer Studio Project File - p\r\n"
                        "SOURCE=..\\tree\\a.cpp\r\n"
                        "SOURCE=..\\tree\\sub\\c.H\r\n"
                        "SOURCE=..\\tree\\missing.cpp\r\n");
    const auto names = [](const std::string& out) {
        std::vector<std::string> lines;
        std::istringstream in(out.substr(0, out.find("\n\n")));
        std::string line;
        std::getline(in, line); // titles
        while (std::getline(in, line))
            lines.push_back(line.substr(0, line.find('\t')));
        std::sort(lines.begin(), lines.end());
        return lines;
    };
    const std::string tree = path("tree");

    Outcome r = run({"--columns", "A", "--full-path", "tree"});
    EXPECT_EQ(names(r.out), (std::vector<std::string>{tree + "/a.cpp", tree + "/form.frm",
                                                      tree + "/sub/b.cpp", tree + "/sub/c.H"}));
    r = run({"--columns", "A", "--full-path", "--no-subdirs", "-x", "cpp", "tree"});
    EXPECT_EQ(names(r.out), (std::vector<std::string>{tree + "/a.cpp"}));
    r = run({"--columns", "A", "--full-path", "proj/p.dsp"});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(names(r.out), (std::vector<std::string>{tree + "/a.cpp", tree + "/sub/c.H"}));
    r = run({"--columns", "A", "tree/form.frm", "tree/a.cpp"});
    EXPECT_EQ(names(r.out), (std::vector<std::string>{"a.cpp", "form.frm"}));
    // Single files come in the order given.
    EXPECT_LT(r.out.find("form.frm"), r.out.find("a.cpp"));

    // A project: an unchecked source is not measured, nor are cleared files
    // (matched without regard to case); file lines of a source apply to it only.
    write("p.qvd", "SOURCE_EXT CPP;H\r\nSOURCE_SUB 1\r\nSOURCE_DIR 1" + tree + "\r\n" + tree +
                       "/SUB/C.h\r\n" + "SOURCE_DIR 0" + tree + "/sub/\r\n" +
                       "SOURCE_EXT FRM\r\nSOURCE_SUB 0\r\nSOURCE_DIR 1" + tree + "/\r\n" + tree +
                       "/a.cpp\r\n");
    r = run({"--columns", "A", "--full-path", "p.qvd"});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(names(r.out),
              (std::vector<std::string>{tree + "/a.cpp", tree + "/form.frm", tree + "/sub/b.cpp"}));
}

TEST_F(Cli, CsvQuotesAsRfc4180Says) {
    write("q/we,ird\"name.c", "int x;\n");
    write("q/plain.c", "int y;\n\n");
    Outcome r = run({"-f", "csv", "q"});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out.substr(0, r.out.find("\r\n")),
              "Path,Lines,Effective,E%,Comment,C%,Blank,B%,Func.,avg CC,min CC,max CC,class,"
              "struct");
    EXPECT_NE(r.out.find("\r\n\"" + path("q") + "/we,ird\"\"name.c\","), std::string::npos)
        << r.out;
    EXPECT_NE(r.out.find("\r\n" + path("q") + "/plain.c,"), std::string::npos);
    EXPECT_EQ(std::count(r.out.begin(), r.out.end(), '\n'), 3);

    r = run({"-f", "csv", "--columns", "AIB", "q/plain.c"});
    std::string p = path("q/plain.c");
    mtrc_lines* m = mtrc_code_Analyze(p.data(), 1, 0, 0);
    ASSERT_NE(m, nullptr);
    EXPECT_EQ(r.out, "Path,Func.,Lines\r\n" + p + "," + decimal(m->functions) + "," +
                         decimal(m->lines) + "\r\n");
    mtrc_code_Release(m);
}

TEST_F(Cli, JsonHasFilesLanguagesAndTotals) {
    write("j/a.c", "int a;\n");
    write("j/b.bas", "Sub B\nEnd Sub\n");
    write("j/n\xff.cpp", "int n;\n");
    Outcome r = run({"-f", "json", "j"});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out.substr(0, 12), "{\n\"files\": [");
    EXPECT_NE(r.out.find("{\"path\":\"" + path("j") + "/a.c\",\"language\":\"c\",\"lines\":"),
              std::string::npos)
        << r.out;
    EXPECT_NE(r.out.find("/b.bas\",\"language\":\"vb\","), std::string::npos);
    EXPECT_NE(r.out.find("/n\\u00ff.cpp\",\"language\":\"cpp\","), std::string::npos);
    EXPECT_NE(r.out.find("\"totals\": {\"files\":3,\n\"lines\":{\"total\":"), std::string::npos);
    EXPECT_NE(r.out.find("\"functions\":{\"total\":"), std::string::npos);
    EXPECT_EQ(r.out.substr(r.out.size() - 4), "}\n}\n");

    // When a JSON parser is at hand, the whole document must parse, with the
    // --max-cc list and with no file at all.
    if (std::system("command -v python3 >/dev/null 2>&1") != 0)
        return;
    const std::string check = "python3 -c 'import json,sys; json.load(open(sys.argv[1]))' ";
    const fs::path json = root_ / "out" / "check.json";
    for (const std::vector<std::string>& args :
         {std::vector<std::string>{"-f", "json", "j"},
          std::vector<std::string>{"-f", "json", "--max-cc", "0", "j"},
          std::vector<std::string>{"-f", "json", "--functions", "j/a.c", "--classes", "j/a.c"},
          std::vector<std::string>{"-f", "json", "-x", "C", "j/b.bas"}}) {
        std::ofstream(json, std::ios::binary) << run(args).out;
        EXPECT_EQ(std::system((check + quote(json.string())).c_str()), 0) << args[2];
    }
}

TEST_F(Cli, ProgressLineOnATerminalOnly) {
    if (std::system("command -v script >/dev/null 2>&1") != 0)
        GTEST_SKIP() << "no script(1) to give the program a terminal";
    write("p/a.c", "int a;\n");
    write("p/b.c", "int b;\n");
    const auto onTerminal = [&](const std::string& options) {
        const fs::path log = root_ / "out" / "terminal";
        const std::string cmd =
            "script -qec " +
            quote(quote(KESTRUM_PROGRAM) + " " + options + " " + quote(path("p")) + " >/dev/null") +
            " " + quote(log.string()) + " >/dev/null 2>&1";
        EXPECT_EQ(std::system(cmd.c_str()), 0);
        return readFile(log);
    };
    EXPECT_NE(onTerminal("").find("2 of 2 files, 0.0 MB, "), std::string::npos);
    EXPECT_EQ(onTerminal("-q").find("files"), std::string::npos);
    // Not a terminal: nothing on standard error.
    EXPECT_EQ(run({"p"}).err, "");
}

TEST_F(Cli, ManyThreadsGiveTheSameOutputAsOne) {
    for (int i = 0; i < 300; ++i) {
        std::string text;
        for (int k = 0; k < i % 17; ++k)
            text += "int f" + std::to_string(k) + "(int x) { if (x > " + std::to_string(k) +
                    ") return 1; /* c */ return 0; }\n\n";
        write("many/d" + std::to_string(i % 7) + "/f" + std::to_string(i) +
                  (i % 3 == 0 ? ".c" : ".cpp"),
              text);
    }
    for (const char* format : {"text", "json", "csv"}) {
        const Outcome one = run({"-j", "1", "-f", format, "many"});
        const Outcome four = run({"-j4", "-f", format, "many"});
        EXPECT_EQ(one.status, 0);
        EXPECT_EQ(four.status, 0);
        EXPECT_EQ(one.out, four.out) << format;
        EXPECT_GT(one.out.size(), 300u * 20);
    }
}

TEST_F(Cli, UnreadableFilesAreNamedAndTheOthersReported) {
    write("u/good.c", "int g;\n");
    fs::create_symlink(path("u/nowhere.c"), root_ / "u" / "dangling.c");
    fs::create_directories(root_ / "u2" / "looks_like.c");
    write("u2/real.c", "int r;\n");

    Outcome r = run({"u"});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, "kestrum: " + path("u/dangling.c") + ": No such file or directory\n");
    EXPECT_NE(r.out.find("good.c"), std::string::npos);
    EXPECT_EQ(r.out.find("dangling.c"), std::string::npos);
    EXPECT_NE(r.out.find("total 1 source file(s)"), std::string::npos);

    r = run({"--no-subdirs", "u2"});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, "kestrum: " + path("u2/looks_like.c") + ": Is a directory\n");
}

TEST_F(Cli, HostileTreesFinishWithTheirFilesMeasured) {
    write("h/a/x.c", "int x;\n");
    fs::create_directory_symlink("..", root_ / "h" / "a" / "up"); // a link loop
    std::string binary(4096, '\0');
    for (std::size_t i = 0; i < binary.size(); ++i)
        binary[i] = static_cast<char>(i * 131 % 256);
    write("h/binary.c", binary);
    write("h/empty.c", "");
    write("h/long.c", std::string(1 << 20, 'x') + "\n");
    const Outcome r = run({"--columns", "A", "h"});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.out.find("total 4 source file(s)"), std::string::npos) << r.out;
}

TEST_F(Cli, UsageAndSourceErrorsExitWithTwoAndOneLine) {
    write("empty/readme.txt", "x\n");
    write("short.dsp", "SOURCE=a.c\n");
    write("bad.qvd", "SOURCE_DIR 1" + path("missing") + "\r\n");
    struct Case {
        std::vector<std::string> args;
        std::string message;
    };
    const Case cases[] = {
        {{}, "no SOURCE given"},
        {{"--frobnicate", "x"}, "unknown option '--frobnicate'"},
        {{"-f"}, "-f: a value is missing"},
        {{"-f", "xml", "empty"}, "unknown format 'xml'"},
        {{"-l", "pascal", "empty"}, "unknown language 'pascal'"},
        {{"-j", "0", "empty"}, "-j: 0 is too small"},
        {{"--max-cc", "ten", "empty"}, "'ten' is not a number"},
        {{"--columns", "BA", "empty"}, "the first column must be A"},
        {{"-x", " ; ", "empty"}, "the extension list is empty"},
        {{"nothing_here"}, path("nothing_here") + ": No such file or directory"},
        {{"empty"}, path("empty") + ": no files meeting extensions"},
        {{"short.dsp"}, path("short.dsp") + ": cannot read project file: too short"},
        {{"bad.qvd"}, path("missing") + "/: cannot search directory: No such file"},
        {{"--functions", "a.c", "empty"}, "--functions and --classes take no SOURCE"},
    };
    for (const Case& c : cases) {
        const Outcome r = run(c.args);
        EXPECT_EQ(r.status, 2) << c.message;
        EXPECT_EQ(r.out, "") << c.message;
        EXPECT_EQ(r.err.rfind("kestrum: ", 0), 0u) << r.err;
        EXPECT_NE(r.err.find(c.message), std::string::npos) << r.err;
        EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), 1) << r.err;
    }
}

TEST_F(Cli, MaxCcListsFunctionsAboveTheLimitAndExitsThree) {
    write("cc/count.cpp", kCppSource);
    write("cc/simple.cpp", "int one() { return 1; }\n");
    std::string p = path("cc/count.cpp");
    mtrc_lines* m = mtrc_code_Analyze(p.data(), 0, 1, 0);
    ASSERT_NE(m, nullptr);
    std::string over;
    for (const mtrc_func* f = m->func_list; f; f = f->next)
        if (f->cc > 1)
            over = p + ": " + f->name + " " + std::to_string(f->cc) + "\n" + over;
    mtrc_code_Release(m);
    // The loop with its condition makes count() more complex than 1.
    ASSERT_NE(over.find(p + ": count "), std::string::npos) << over;

    Outcome r = run({"--max-cc", "1", "cc"});
    EXPECT_EQ(r.status, 3) << r.err;
    const std::size_t report = r.out.find("FILE METRICS");
    ASSERT_NE(report, std::string::npos);
    const std::size_t structLine = r.out.find("\nStruct\t", report);
    ASSERT_NE(structLine, std::string::npos);
    EXPECT_EQ(r.out.substr(r.out.find('\n', structLine + 1) + 1), over);

    r = run({"--max-cc", "1000", "cc"});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out.substr(r.out.size() - 1), "\n");
    EXPECT_EQ(r.out.find(": count "), std::string::npos);

    r = run({"--max-cc", "1", "-f", "json", "cc"});
    EXPECT_NE(r.out.find("\"max_cc\": {\"limit\":1,\"functions\":["), std::string::npos);
}

TEST_F(Cli, FunctionAndClassReportsOfOneFile) {
    write("r/count.cpp", kCppSource);
    std::string p = path("r/count.cpp");
    mtrc_lines* f = mtrc_code_Analyze(p.data(), 0, 1, 0);
    mtrc_lines* c = mtrc_code_Analyze(p.data(), 0, 0, 1);
    ASSERT_TRUE(f && c);
    std::string functions = functionReport(p, *f).text;
    std::string classes = classReport(p, *c);
    const int functionCount = f->functions;
    mtrc_code_Release(f);
    mtrc_code_Release(c);
    const auto withEol = [](std::string t) { return t.ends_with('\n') ? t : t + "\n"; };

    Outcome r = run({"--functions", "r/count.cpp"});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, withEol(functions));
    r = run({"--classes", "r/count.cpp"});
    EXPECT_EQ(r.out, withEol(classes));
    r = run({"--functions", "r/count.cpp", "--classes", "r/count.cpp"});
    EXPECT_EQ(r.out, withEol(functions) + "\n" + withEol(classes));

    r = run({"--functions", "r/count.cpp", "-f", "csv"});
    EXPECT_EQ(r.out.substr(0, r.out.find("\r\n")),
              "Function,Lines,Effective,Comment,Blank,Cyc.Cmplx");
    r = run({"--functions", "r/count.cpp", "-f", "json"});
    EXPECT_NE(r.out.find("\"count\":" + std::to_string(functionCount)), std::string::npos);

    r = run({"--functions", "r/gone.cpp"});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, "kestrum: " + path("r/gone.cpp") + ": No such file or directory\n");
}

TEST_F(Cli, OutputFileIsReplacedOnlyWhenComplete) {
    write("o/a.c", "int a;\n");
    write("result.txt", "old contents");
    Outcome r = run({"-o", "result.txt", "o"});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(readFile(root_ / "result.txt"), run({"o"}).out);

    write("result.txt", "old contents");
    r = run({"-o", "result.txt", "o/missing"});
    EXPECT_EQ(r.status, 2);
    EXPECT_EQ(readFile(root_ / "result.txt"), "old contents");

    r = run({"-o", "no/such/dir/out.txt", "o"});
    EXPECT_EQ(r.status, 2);
    EXPECT_NE(r.err.find(path("no/such/dir/out.txt") + ": cannot write"), std::string::npos);
    // No temporary files are left behind.
    int entries = 0;
    for ([[maybe_unused]] const auto& e : fs::directory_iterator(root_))
        ++entries;
    EXPECT_EQ(entries, 3); // out/, o/, result.txt
}

TEST_F(Cli, HelpAndVersion) {
    Outcome r = run({"--help"});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out.rfind("Usage: kestrum [OPTIONS] SOURCE...\n", 0), 0u);
    EXPECT_NE(r.out.find("--max-cc N"), std::string::npos);
    r = run({"--version"});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out.rfind("kestrum ", 0), 0u);
    EXPECT_EQ(r.err, "");
}

} // namespace
} // namespace kestrum
