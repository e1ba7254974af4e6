// Throughput of the C and C++ analyzer, single thread, on bytes in memory.
//
//   bench_analyze [directory...]
//
// Prints MB/s for (a) generated C++ sources, (b) every C or C++ file under
// each directory given (read once so that it is in the page cache, then timed
// per file), with the throughput of merely summing the same bytes next to it,
// and (c) inputs that would make backward walks or forward scans quadratic, at
// doubling sizes: linear time shows as a steady rate.
#include <sys/resource.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "analyzer.h"

namespace {

using Clock = std::chrono::steady_clock;

double seconds(Clock::duration d) {
    return std::chrono::duration<double>(d).count();
}

double mbPerSecond(std::size_t bytes, double secs) {
    return secs > 0 ? static_cast<double>(bytes) / 1e6 / secs : 0.0;
}

// Keeps the optimiser from dropping work whose result is not used.
volatile std::uint64_t g_sink = 0;

double analyzeSeconds(const std::string& text, int language, bool wantFunctions) {
    const auto start = Clock::now();
    mtrc_lines* r = tarnel::analyzeBuffer(reinterpret_cast<const unsigned char*>(text.data()),
                                          text.size(), language, wantFunctions, false);
    const auto end = Clock::now();
    g_sink = g_sink + static_cast<std::uint64_t>(r->lines);
    mtrc_code_Release(r);
    return seconds(end - start);
}

double sumSeconds(const std::string& text) {
    const auto start = Clock::now();
    std::uint64_t sum = 0;
    for (unsigned char c : text) {
        sum += c;
    }
    g_sink = g_sink + sum;
    return seconds(Clock::now() - start);
}

std::string generatedSource(std::size_t target) {
    static const char* kUnit =
        "/*\n * A generated unit with the usual mix of code, comments and literals.\n */\n"
        "#include <stdio.h>\n\n"
        "static int table[4][2] = { {1, 2}, {3, 4}, {5, 6}, {7, 8} };\n\n"
        "struct point {\n\tint x;\n\tint y;\n};\n\n"
        "class Shape : public Base {\npublic:\n    Shape(int w) : width(w) {}\n"
        "    int area() const { return width * width; }\nprivate:\n    int width;\n};\n\n"
        "int Shape_count(const struct point *p, int n)\n{\n\tint i, count = 0;\n\n"
        "\tfor (i = 0; i < n; i++) {\n\t\tif (p[i].x > 0 && p[i].y > 0 || p[i].x == -1) {\n"
        "\t\t\tcount++; // counted\n\t\t} else if (p[i].x < 0) {\n"
        "\t\t\tprintf(\"negative: %d\\n\", p[i].x);\n\t\t}\n\t}\n"
        "\twhile (count > 100)\n\t\tcount /= 2;\n\tswitch (n) {\n\tcase 0: return 0;\n"
        "\tcase 'a': return 1;\n\tdefault: break;\n\t}\n\treturn count;\n}\n\n";
    std::string text;
    while (text.size() < target) {
        text += kUnit;
    }
    return text;
}

bool isSourceFile(const std::filesystem::path& p) {
    std::string ext = p.extension().string();
    std::transform(ext.begin(), ext.end(), ext.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return ext == ".c" || ext == ".h" || ext == ".cpp" || ext == ".hpp" || ext == ".cc" ||
           ext == ".cxx" || ext == ".hh" || ext == ".hxx" || ext == ".inl";
}

bool readFile(const std::filesystem::path& p, std::string& out) {
    std::ifstream in(p, std::ios::binary);
    if (!in) {
        return false;
    }
    out.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    return true;
}

void benchDirectory(const std::string& dir) {
    std::vector<std::filesystem::path> files;
    std::error_code ec;
    for (auto it = std::filesystem::recursive_directory_iterator(
             dir, std::filesystem::directory_options::skip_permission_denied, ec);
         !ec && it != std::filesystem::recursive_directory_iterator(); it.increment(ec)) {
        if (it->is_regular_file(ec) && isSourceFile(it->path())) {
            files.push_back(it->path());
        }
    }
    std::string text;
    std::size_t bytes = 0;
    for (const auto& f : files) { // brings every file into the page cache
        if (readFile(f, text)) {
            bytes += text.size();
        }
    }
    double cpp = 0, c = 0, cppFunctions = 0, sum = 0, whole = 0;
    std::size_t largest = 0;
    for (const auto& f : files) {
        if (!readFile(f, text)) {
            continue;
        }
        largest = std::max(largest, text.size());
        cpp += analyzeSeconds(text, tarnel::LangCpp, false);
        c += analyzeSeconds(text, tarnel::LangC, false);
        cppFunctions += analyzeSeconds(text, tarnel::LangCpp, true);
        sum += sumSeconds(text);
        // The exported function, opening and reading the file included.
        std::string path = f.string();
        const auto start = Clock::now();
        mtrc_lines* r = mtrc_code_Analyze(path.data(), 0, 0, 0);
        whole += seconds(Clock::now() - start);
        mtrc_code_Release(r);
    }
    std::printf("%s: %zu files, %.1f MB (largest %.1f MB)\n", dir.c_str(), files.size(),
                static_cast<double>(bytes) / 1e6, static_cast<double>(largest) / 1e6);
    std::printf("  analyze as C++             %8.0f MB/s\n", mbPerSecond(bytes, cpp));
    std::printf("  analyze as C               %8.0f MB/s\n", mbPerSecond(bytes, c));
    std::printf("  analyze as C++, functions  %8.0f MB/s\n", mbPerSecond(bytes, cppFunctions));
    std::printf("  mtrc_code_Analyze (C++)    %8.0f MB/s  (file read included)\n",
                mbPerSecond(bytes, whole));
    std::printf("  sum every byte             %8.0f MB/s\n", mbPerSecond(bytes, sum));
}

std::string repeat(const std::string& piece, std::size_t target) {
    std::string text;
    text.reserve(target + piece.size());
    while (text.size() < target) {
        text += piece;
    }
    return text;
}

void benchPathological() {
    struct Input {
        const char* name;
        std::string (*make)(std::size_t);
    };
    const Input inputs[] = {
        {"\"{}\" repeated", [](std::size_t n) { return repeat("{}", n); }},
        {"\"if \" repeated", [](std::size_t n) { return repeat("if ", n); }},
        {"\"):{ if }\" repeated", [](std::size_t n) { return repeat("):{ if }", n); }},
        {"\"( \" then \") {}\"",
         [](std::size_t n) { return repeat("( ", n / 2) + repeat(") {}", n / 2); }},
        {"\"f():\" then \"{}:\"", [](std::size_t n) { return "f():" + repeat("{}:", n); }},
        {"\"{\" nested, then \"}\"",
         [](std::size_t n) { return std::string(n / 2, '{') + std::string(n / 2, '}'); }},
        {"\"while (\" unclosed", [](std::size_t n) { return repeat("while (", n); }},
    };
    std::printf("pathological inputs (MB/s at 1, 2, 4, 8 MB; with the function list):\n");
    for (const Input& in : inputs) {
        std::printf("  %-24s", in.name);
        for (std::size_t mb : {1, 2, 4, 8}) {
            const std::string text = in.make(mb << 20);
            std::printf(" %8.0f", mbPerSecond(text.size(), analyzeSeconds(text, 0, true)));
            std::fflush(stdout);
        }
        std::printf("\n");
    }
}

} // namespace

int main(int argc, char** argv) {
    std::setvbuf(stdout, nullptr, _IOLBF, 0);
    const std::string generated = generatedSource(64 << 20);
    double best = 1e9, bestC = 1e9, bestSum = 1e9;
    for (int i = 0; i < 3; ++i) {
        best = std::min(best, analyzeSeconds(generated, tarnel::LangCpp, false));
        bestC = std::min(bestC, analyzeSeconds(generated, tarnel::LangCpp, true));
        bestSum = std::min(bestSum, sumSeconds(generated));
    }
    std::printf("generated C++ source, %.1f MB:\n", static_cast<double>(generated.size()) / 1e6);
    std::printf("  analyze as C++             %8.0f MB/s\n", mbPerSecond(generated.size(), best));
    std::printf("  analyze as C++, functions  %8.0f MB/s\n", mbPerSecond(generated.size(), bestC));
    std::printf("  sum every byte             %8.0f MB/s\n",
                mbPerSecond(generated.size(), bestSum));
    for (int i = 1; i < argc; ++i) {
        benchDirectory(argv[i]);
    }
    if (std::getenv("BENCH_SKIP_PATHOLOGICAL") == nullptr) {
        benchPathological();
    }
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    std::printf("peak resident memory %.1f MB\n", static_cast<double>(usage.ru_maxrss) / 1024.0);
    return 0;
}
