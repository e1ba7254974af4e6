#include "cli/cli.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <chrono>
#include <climits>
#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <iostream>
#include <memory>
#include <mutex>
#include <optional>
#include <thread>

#include "cli/formats.h"
#include "project/core/project_file.h"
#include "run/core/collect.h"
#include "run/core/columns.h"
#include "run/core/language.h"
#include "run/core/metrics.h"
#include "run/core/reports.h"
#include "run/core/text_output.h"
#include "tarnel.h"

namespace kestrum {

namespace {

constexpr const char* kUsage =
    "Usage: kestrum [OPTIONS] SOURCE...\n"
    "Measures C, C++ and Visual Basic sources: lines, effective, comment and blank\n"
    "lines, functions, classes, structs and cyclomatic complexity.\n"
    "\n"
    "Each SOURCE is a directory (searched for the extension list), a .dsp project\n"
    "file, a .qvd project (its checked sources and files) or a single source file.\n"
    "\n"
    "Options:\n"
    "  -x, --exts LIST       extensions searched in directories and .dsp files\n"
    "                        (default \"C;CPP;CC;CXX;H;HPP;HH;HXX;BAS;FRM;CLS\")\n"
    "      --no-subdirs      do not search the subdirectories of directories\n"
    "  -l, --lang MODE       cpp, c, vb, or ext (by file extension, the default)\n"
    "      --cpp-exts LIST   extensions measured as C++ with -l ext (\"CPP;HPP;H\")\n"
    "      --c-exts LIST     extensions measured as C with -l ext (\"C\")\n"
    "      --vb-exts LIST    extensions measured as Visual Basic with -l ext\n"
    "                        (\"BAS;FRM;CLS\")\n"
    "      --default-lang L  cpp, c or vb for other extensions (cpp)\n"
    "  -f, --format FORMAT   text (the default), csv or json\n"
    "      --crlf            end text lines with CR LF, as Orbek's text file does\n"
    "      --columns LETTERS text and csv columns in order, A (file name) first:\n"
    "                        A name, B lines, C effective, D E%, E comment, F C%,\n"
    "                        G blank, H B%, I functions, J avg CC, K min CC,\n"
    "                        L max CC, M classes, N structs (default ABCDEFGHIJKLMN)\n"
    "      --full-path       show full paths instead of file names\n"
    "  -o, --output FILE     write to FILE (replaced only when complete)\n"
    "      --functions FILE  function report of one file\n"
    "      --classes FILE    class report of one file\n"
    "      --max-cc N        list functions whose cyclomatic complexity is above N\n"
    "                        and exit with status 3 when there is one\n"
    "  -j, --jobs N          analyse on N threads (default: the number of cores)\n"
    "  -q, --quiet           no progress line on a terminal\n"
    "  -h, --help            show this help and exit\n"
    "  -V, --version         show the version and exit\n"
    "\n"
    "Exit status: 0 success; 1 a file could not be read (the others are reported);\n"
    "2 usage error or a source that cannot be searched; 3 --max-cc limit exceeded.\n";

enum class Format { Text, Csv, Json };

struct Options {
    std::vector<std::string> sources; // absolute
    std::string exts = "C;CPP;CC;CXX;H;HPP;HH;HXX;BAS;FRM;CLS";
    bool subdirs = true;
    int mode = LangModeByExtension;
    std::string cppExts = "CPP;HPP;H";
    std::string cExts = "C";
    std::string vbExts = "BAS;FRM;CLS";
    int defaultLanguage = 0;
    Format format = Format::Text;
    bool crlf = false;
    ColumnOrder order = defaultColumnOrder();
    bool fullPath = false;
    std::string output;        // absolute, empty: standard output
    std::string functionsFile; // absolute
    std::string classesFile;   // absolute
    std::optional<long long> maxCc;
    int jobs = 0; // 0: one per core
    bool quiet = false;
};

// A usage or source error: the message and exit status 2.
struct UsageError {
    std::string message;
};

std::string currentDirectory() {
    std::unique_ptr<char, decltype(&std::free)> cwd(getcwd(nullptr, 0), &std::free);
    return cwd ? std::string(cwd.get()) : std::string("/");
}

// Makes `path` absolute against `base` and drops "." parts and repeated
// separators ("..", which may cross a link, is kept). A final '/' is kept.
std::string absolutePath(const std::string& path, const std::string& base) {
    const std::string joined = !path.empty() && path[0] == '/' ? path : base + "/" + path;
    std::string out;
    out.reserve(joined.size());
    std::size_t i = 0;
    while (i < joined.size()) {
        std::size_t j = joined.find('/', i);
        if (j == std::string::npos)
            j = joined.size();
        const std::string_view part(joined.data() + i, j - i);
        if (!part.empty() && part != ".") {
            out += '/';
            out += part;
        }
        i = j + 1;
    }
    if (out.empty())
        return "/";
    if (joined.back() == '/' || joined.ends_with("/."))
        out += '/';
    return out;
}

std::string directoryOf(const std::string& path) {
    const auto slash = path.rfind('/');
    return slash == std::string::npos || slash == 0 ? std::string("/") : path.substr(0, slash);
}

bool endsWithNoCase(std::string_view text, std::string_view suffix) {
    if (text.size() < suffix.size())
        return false;
    for (std::size_t i = 0; i < suffix.size(); ++i) {
        char a = text[text.size() - suffix.size() + i];
        if (a >= 'A' && a <= 'Z')
            a = static_cast<char>(a - 'A' + 'a');
        if (a != suffix[i])
            return false;
    }
    return true;
}

bool emptyExtensionList(std::string_view list) {
    return list.find_first_not_of(" ;") == std::string_view::npos;
}

int parseLanguage(const std::string& name, bool allowExt, const std::string& option) {
    if (name == "cpp" || name == "c++")
        return LangModeCpp;
    if (name == "c")
        return LangModeC;
    if (name == "vb")
        return LangModeVb;
    if (allowExt && name == "ext")
        return LangModeByExtension;
    throw UsageError{option + ": unknown language '" + name + "' (cpp, c, vb" +
                     (allowExt ? ", ext)" : ")")};
}

long long parseNumber(const std::string& text, const std::string& option, long long min) {
    if (text.empty() || text.find_first_not_of("0123456789") != std::string::npos ||
        text.size() > 9)
        throw UsageError{option + ": '" + text + "' is not a number"};
    const long long value = std::stoll(text);
    if (value < min)
        throw UsageError{option + ": " + text + " is too small"};
    return value;
}

enum class Parsed { Run, Help, Version };

Parsed parseArgs(const std::vector<std::string>& args, Options& o) {
    const std::string cwd = currentDirectory();
    bool endOfOptions = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        std::string arg = args[i];
        if (endOfOptions || arg.empty() || arg[0] != '-' || arg == "-") {
            o.sources.push_back(absolutePath(arg, cwd));
            continue;
        }
        if (arg == "--") {
            endOfOptions = true;
            continue;
        }
        // "--name=value" and "-jN" forms.
        std::optional<std::string> attached;
        if (arg.starts_with("--")) {
            const auto eq = arg.find('=');
            if (eq != std::string::npos) {
                attached = arg.substr(eq + 1);
                arg.resize(eq);
            }
        } else if (arg.size() > 2) {
            attached = arg.substr(2);
            arg.resize(2);
        }
        const auto value = [&]() -> std::string {
            if (attached)
                return *attached;
            if (i + 1 >= args.size())
                throw UsageError{arg + ": a value is missing"};
            return args[++i];
        };
        const auto flag = [&]() {
            if (attached)
                throw UsageError{arg + ": takes no value"};
        };
        if (arg == "-h" || arg == "--help") {
            flag();
            return Parsed::Help;
        } else if (arg == "-V" || arg == "--version") {
            flag();
            return Parsed::Version;
        } else if (arg == "-x" || arg == "--exts") {
            o.exts = value();
            if (emptyExtensionList(o.exts))
                throw UsageError{arg + ": the extension list is empty"};
        } else if (arg == "--no-subdirs") {
            flag();
            o.subdirs = false;
        } else if (arg == "-l" || arg == "--lang") {
            o.mode = parseLanguage(value(), true, arg);
        } else if (arg == "--cpp-exts") {
            o.cppExts = value();
        } else if (arg == "--c-exts") {
            o.cExts = value();
        } else if (arg == "--vb-exts") {
            o.vbExts = value();
        } else if (arg == "--default-lang") {
            o.defaultLanguage = parseLanguage(value(), false, arg);
        } else if (arg == "-f" || arg == "--format") {
            const std::string f = value();
            if (f == "text")
                o.format = Format::Text;
            else if (f == "csv")
                o.format = Format::Csv;
            else if (f == "json")
                o.format = Format::Json;
            else
                throw UsageError{arg + ": unknown format '" + f + "' (text, csv, json)"};
        } else if (arg == "--crlf") {
            flag();
            o.crlf = true;
        } else if (arg == "--columns") {
            std::string why;
            const auto order = parseColumnLetters(value(), why);
            if (!order)
                throw UsageError{arg + ": " + why};
            o.order = *order;
        } else if (arg == "--full-path") {
            flag();
            o.fullPath = true;
        } else if (arg == "-o" || arg == "--output") {
            o.output = absolutePath(value(), cwd);
        } else if (arg == "--functions") {
            o.functionsFile = absolutePath(value(), cwd);
        } else if (arg == "--classes") {
            o.classesFile = absolutePath(value(), cwd);
        } else if (arg == "--max-cc") {
            o.maxCc = parseNumber(value(), arg, 0);
        } else if (arg == "-j" || arg == "--jobs") {
            o.jobs = static_cast<int>(parseNumber(value(), arg, 1));
        } else if (arg == "-q" || arg == "--quiet") {
            flag();
            o.quiet = true;
        } else {
            throw UsageError{"unknown option '" + args[i] + "'"};
        }
    }
    const bool reports = !o.functionsFile.empty() || !o.classesFile.empty();
    if (o.sources.empty() && !reports)
        throw UsageError{"no SOURCE given (see kestrum --help)"};
    if (!o.sources.empty() && reports)
        throw UsageError{"--functions and --classes take no SOURCE"};
    if (reports && o.maxCc)
        throw UsageError{"--max-cc needs SOURCEs, not --functions or --classes"};
    return Parsed::Run;
}

// One file to measure.
struct WorkFile {
    std::string path;
    int size = 0;
};

// Why a directory source could not be searched, in a few words, or empty
// when the directory itself opens.
std::string directoryFailure(const std::string& dir) {
    DIR* d = opendir(dir.c_str());
    if (!d)
        return std::string("cannot search directory: ") + std::strerror(errno);
    closedir(d);
    return {};
}

// Why a project file source could not be read, or empty when it reads.
std::string projectFailure(const std::string& path) {
    const int fd = open(path.c_str(), O_RDONLY);
    if (fd < 0)
        return std::string("cannot read project file: ") + std::strerror(errno);
    struct stat st {};
    const bool ok = fstat(fd, &st) == 0;
    close(fd);
    if (ok && S_ISDIR(st.st_mode))
        return "cannot read project file: Is a directory";
    if (ok && st.st_size < 19)
        return "cannot read project file: too short to be a project file";
    return {};
}

// Searches one directory or .dsp source and appends its files; throws a
// UsageError naming the source when the search fails or finds nothing.
void collectSearch(const std::string& path, const std::string& exts, bool subdirs,
                   const std::string& shownName, std::vector<WorkFile>& files,
                   const ProjectSource* clearedFrom = nullptr) {
    const bool directory = isDirectorySource(path);
    const SourceFiles found = searchSource(path, exts, subdirs);
    if (found.status == SearchStatus::Failed) {
        std::string why = directory ? directoryFailure(path) : projectFailure(path);
        if (why.empty())
            why = emptyExtensionList(exts) ? "the extension list is empty" : "cannot be searched";
        throw UsageError{shownName + ": " + why};
    }
    if (found.status == SearchStatus::NoFiles)
        throw UsageError{shownName + ": no files meeting extensions " + exts};
    for (const FoundFile& f : found.files) {
        if (clearedFrom && isClearedFile(*clearedFrom, f.path))
            continue;
        files.push_back(WorkFile{f.path, f.size});
    }
}

void collectProject(const std::string& qvd, std::vector<WorkFile>& files) {
    std::string contents, error;
    if (!readWholeFile(qvd, contents, error))
        throw UsageError{qvd + ": cannot open project: " + error};
    const std::string base = directoryOf(qvd);
    for (const ProjectSource& source : parseProjectFile(contents)) {
        if (!source.checked)
            continue;
        if (source.path.empty())
            throw UsageError{qvd + ": a source without a path"};
        // Paths in a project are absolute; a relative one is taken from the
        // project file's folder.
        const std::string path = absolutePath(source.path, base);
        collectSearch(path, source.exts, source.subdirs != 0, path, files, &source);
    }
}

std::vector<WorkFile> collectSources(const Options& o) {
    std::vector<WorkFile> files;
    for (const std::string& source : o.sources) {
        struct stat st {};
        if (stat(source.c_str(), &st) != 0)
            throw UsageError{source + ": " + std::strerror(errno)};
        if (S_ISDIR(st.st_mode)) {
            std::string dir = source;
            if (dir.back() != '/')
                dir += '/';
            collectSearch(dir, o.exts, o.subdirs, source, files);
        } else if (endsWithNoCase(source, ".qvd")) {
            collectProject(source, files);
        } else if (endsWithNoCase(source, ".dsp")) {
            collectSearch(source, o.exts, o.subdirs, source, files);
        } else {
            const int size = st.st_size > INT_MAX ? INT_MAX : static_cast<int>(st.st_size);
            files.push_back(WorkFile{source, size});
        }
    }
    return files;
}

// The measured values of one file.
struct FileResult {
    bool ok = false;
    int language = 0;
    FileMetrics metrics;
    std::string error;                                  // why it could not be read
    std::vector<std::pair<std::string, int>> overLimit; // functions above --max-cc
};

std::string readFailure(const std::string& path) {
    const int fd = open(path.c_str(), O_RDONLY);
    if (fd < 0)
        return std::strerror(errno);
    struct stat st {};
    const bool dir = fstat(fd, &st) == 0 && S_ISDIR(st.st_mode);
    close(fd);
    return dir ? "Is a directory" : "could not be read";
}

void analyzeOne(WorkFile& file, FileResult& result, int mode, const LanguageTables& tables,
                const std::optional<long long>& maxCc) {
    result.language = chooseLanguage(mode, tables, file.path);
    mtrc_lines* r = mtrc_code_Analyze(file.path.data(), result.language, maxCc ? 1 : 0, 0);
    if (!r) {
        result.error = readFailure(file.path);
        return;
    }
    result.ok = true;
    result.metrics = metricsOf(*r);
    if (maxCc) {
        // The list holds the last function first; report them in file order.
        for (const mtrc_func* f = r->func_list; f; f = f->next)
            if (f->cc > *maxCc)
                result.overLimit.emplace_back(f->name ? f->name : "", f->cc);
        std::reverse(result.overLimit.begin(), result.overLimit.end());
    }
    mtrc_code_Release(r);
}

// Shared progress of the worker threads, read by the progress line.
struct Progress {
    std::atomic<std::size_t> next{0};
    std::atomic<std::size_t> filesDone{0};
    std::atomic<long long> bytesDone{0};
    std::mutex mutex;
    std::condition_variable finished;
    int running = 0;
};

void worker(std::vector<WorkFile>& files, std::vector<FileResult>& results, Progress& progress,
            const Options& o, const LanguageTables& tables) {
    for (;;) {
        const std::size_t i = progress.next.fetch_add(1, std::memory_order_relaxed);
        if (i >= files.size())
            break;
        analyzeOne(files[i], results[i], o.mode, tables, o.maxCc);
        progress.bytesDone.fetch_add(files[i].size, std::memory_order_relaxed);
        progress.filesDone.fetch_add(1, std::memory_order_relaxed);
    }
    std::lock_guard lock(progress.mutex);
    if (--progress.running == 0)
        progress.finished.notify_all();
}

void printProgress(std::ostream& err, const Progress& p, std::size_t total,
                   std::chrono::steady_clock::time_point start) {
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    const double mb = static_cast<double>(p.bytesDone.load()) / 1e6;
    char line[160];
    std::snprintf(line, sizeof line, "\r%zu of %zu files, %.1f MB, %.1f MB/s\x1b[K",
                  p.filesDone.load(), total, mb, seconds > 0 ? mb / seconds : 0.0);
    err << line << std::flush;
}

std::vector<FileResult> analyzeAll(std::vector<WorkFile>& files, const Options& o,
                                   bool showProgress, std::ostream& err) {
    std::vector<FileResult> results(files.size());
    const LanguageTables tables =
        o.mode == LangModeByExtension
            ? makeLanguageTables(o.cppExts, o.cExts, o.vbExts, o.defaultLanguage)
            : LanguageTables{};
    int jobs = o.jobs;
    if (jobs <= 0)
        jobs = static_cast<int>(std::max(1u, std::thread::hardware_concurrency()));
    // More threads than this only cost memory; the disk and cores are the limit.
    jobs = std::min(jobs, 256);
    if (static_cast<std::size_t>(jobs) > files.size())
        jobs = static_cast<int>(std::max<std::size_t>(1, files.size()));

    Progress progress;
    const auto start = std::chrono::steady_clock::now();
    std::vector<std::thread> threads;
    progress.running = jobs;
    for (int t = 0; t < jobs; ++t) {
        try {
            threads.emplace_back(worker, std::ref(files), std::ref(results), std::ref(progress),
                                 std::cref(o), std::cref(tables));
        } catch (const std::system_error&) {
            // No more threads to be had: the ones running share the work.
            std::lock_guard lock(progress.mutex);
            progress.running -= jobs - t;
            break;
        }
    }
    if (threads.empty()) {
        progress.running = 1;
        worker(files, results, progress, o, tables);
    } else {
        std::unique_lock lock(progress.mutex);
        while (progress.running > 0) {
            if (showProgress)
                printProgress(err, progress, files.size(), start);
            progress.finished.wait_for(lock, std::chrono::milliseconds(250));
        }
    }
    for (std::thread& t : threads)
        t.join();
    if (showProgress) {
        printProgress(err, progress, files.size(), start);
        err << "\r\x1b[K" << std::flush;
    }
    return results;
}

const char* const kJsonMetricNames[kSummedMetricCount] = {
    "lines", "effective", "comments", "blanks", "functions", "classes", "structs"};

void appendJsonNumberField(std::string& out, const char* name, long long value, bool comma) {
    out += '"';
    out += name;
    out += "\":";
    out += decimal(value);
    if (comma)
        out += ',';
}

std::string formatFileResults(const Options& o, const std::vector<WorkFile>& files,
                              const std::vector<FileResult>& results, bool& overLimit) {
    const std::string_view eol = o.crlf ? kCrLf : kLf;
    std::string out;
    int analysed = 0;
    for (const FileResult& r : results)
        if (r.ok)
            ++analysed;
    overLimit = false;
    for (const FileResult& r : results)
        if (r.ok && !r.overLimit.empty())
            overLimit = true;

    if (o.format == Format::Text) {
        out.reserve(static_cast<std::size_t>(analysed) * 96 + 1024);
        RunTotals totals;
        appendTitleLine(out, o.order, eol);
        for (std::size_t i = 0; i < files.size(); ++i) {
            if (!results[i].ok)
                continue;
            appendRowLine(out, o.order,
                          rowCells(files[i].path, results[i].metrics, o.order, o.fullPath), eol);
            totals.addFile(results[i].metrics, o.order);
        }
        out += eol;
        const Report report = fileMetricsReport(totals, o.order, analysed);
        appendWithEol(out, report.text, eol);
        if (overLimit) {
            if (!report.text.ends_with('\n'))
                out += eol;
            for (std::size_t i = 0; i < files.size(); ++i)
                for (const auto& [name, cc] : results[i].overLimit) {
                    out += files[i].path + ": " + name + " " + decimal(cc);
                    out += eol;
                }
        }
    } else if (o.format == Format::Csv) {
        out.reserve(static_cast<std::size_t>(analysed) * 128 + 1024);
        const int shown = shownColumnCount(o.order);
        out += "Path";
        for (int k = 1; k < shown; ++k) {
            out += ',';
            appendCsvField(out, kFileColumns[o.order[k]].title);
        }
        out += "\r\n";
        for (std::size_t i = 0; i < files.size(); ++i) {
            if (!results[i].ok)
                continue;
            appendCsvField(out, files[i].path);
            for (int k = 1; k < shown; ++k) {
                out += ',';
                out += decimal(columnValue(results[i].metrics, o.order[k]));
            }
            out += "\r\n";
        }
    } else {
        out.reserve(static_cast<std::size_t>(analysed) * 320 + 2048);
        RunTotals totals;
        out += "{\n\"files\": [";
        bool first = true;
        for (std::size_t i = 0; i < files.size(); ++i) {
            if (!results[i].ok)
                continue;
            const FileMetrics& m = results[i].metrics;
            totals.addFile(m);
            out += first ? "\n" : ",\n";
            first = false;
            out += "{\"path\":";
            appendJsonString(out, files[i].path);
            out += ",\"language\":\"";
            out += languageName(results[i].language);
            out += "\",";
            appendJsonNumberField(out, "lines", m.lines, true);
            appendJsonNumberField(out, "effective", m.effective, true);
            appendJsonNumberField(out, "effective_percent", percentOf(m.effective, m.lines), true);
            appendJsonNumberField(out, "comments", m.comments, true);
            appendJsonNumberField(out, "comment_percent", percentOf(m.comments, m.lines), true);
            appendJsonNumberField(out, "blanks", m.blanks, true);
            appendJsonNumberField(out, "blank_percent", percentOf(m.blanks, m.lines), true);
            appendJsonNumberField(out, "functions", m.functions, true);
            appendJsonNumberField(out, "cc_avg", m.ccAvg, true);
            appendJsonNumberField(out, "cc_min", m.ccMin, true);
            appendJsonNumberField(out, "cc_max", m.ccMax, true);
            appendJsonNumberField(out, "classes", m.classes, true);
            appendJsonNumberField(out, "structs", m.structs, false);
            out += '}';
        }
        out += "\n],\n\"totals\": {";
        appendJsonNumberField(out, "files", analysed, true);
        for (int i = 0; i < kSummedMetricCount; ++i) {
            const MetricTotal& t = totals.metrics[i];
            out += "\n\"";
            out += kJsonMetricNames[i];
            out += "\":{";
            appendJsonNumberField(out, "total", t.total, true);
            appendJsonNumberField(out, "average", analysed ? t.total / analysed : 0, true);
            appendJsonNumberField(out, "minimum", t.minimum, true);
            appendJsonNumberField(out, "maximum", t.maximum, false);
            out += i + 1 < kSummedMetricCount ? "}," : "}";
        }
        out += "\n}";
        if (o.maxCc) {
            out += ",\n\"max_cc\": {\"limit\":" + decimal(*o.maxCc) + ",\"functions\":[";
            bool firstOver = true;
            for (std::size_t i = 0; i < files.size(); ++i)
                for (const auto& [name, cc] : results[i].overLimit) {
                    out += firstOver ? "\n" : ",\n";
                    firstOver = false;
                    out += "{\"path\":";
                    appendJsonString(out, files[i].path);
                    out += ",\"function\":";
                    appendJsonString(out, name);
                    out += ",\"cc\":" + decimal(cc) + "}";
                }
            out += "]}";
        }
        out += "\n}\n";
    }
    return out;
}

// Appends `text` with a final line ending when it has none.
void appendReportText(std::string& out, const std::string& text, std::string_view eol) {
    appendWithEol(out, text, eol);
    if (!text.ends_with('\n'))
        out += eol;
}

// The function and class reports of single files. Returns the exit status.
int formatFileReports(const Options& o, std::string& out, std::ostream& err) {
    const std::string_view eol = o.crlf ? kCrLf : kLf;
    int status = ExitOk;
    struct Analysed {
        std::string path;
        mtrc_lines* result = nullptr;
        ~Analysed() { mtrc_code_Release(result); }
    };
    // Always analysed as C++, whatever the file's extension, as Orbek does.
    Analysed functions{o.functionsFile}, classes{o.classesFile};
    if (!functions.path.empty()) {
        functions.result = mtrc_code_Analyze(functions.path.data(), 0, 1, 0);
        if (!functions.result) {
            err << "kestrum: " << functions.path << ": " << readFailure(functions.path) << "\n";
            status = ExitUnreadable;
        }
    }
    if (!classes.path.empty()) {
        classes.result = mtrc_code_Analyze(classes.path.data(), 0, 0, 1);
        if (!classes.result) {
            err << "kestrum: " << classes.path << ": " << readFailure(classes.path) << "\n";
            status = ExitUnreadable;
        }
    }
    std::vector<const mtrc_func*> funcs; // in file order
    if (functions.result)
        for (const mtrc_func* f = functions.result->func_list; f; f = f->next)
            funcs.push_back(f);
    std::reverse(funcs.begin(), funcs.end());
    std::vector<const char*> names; // in file order
    if (classes.result)
        for (const mtrc_class* c = classes.result->class_list; c; c = c->next)
            names.push_back(c->name ? c->name : "");
    std::reverse(names.begin(), names.end());

    if (o.format == Format::Text) {
        if (functions.result)
            appendReportText(out, functionReport(functions.path, *functions.result).text, eol);
        if (functions.result && classes.result)
            out += eol;
        if (classes.result)
            appendReportText(out, classReport(classes.path, *classes.result), eol);
    } else if (o.format == Format::Csv) {
        if (functions.result) {
            out += "Function,Lines,Effective,Comment,Blank,Cyc.Cmplx\r\n";
            for (const mtrc_func* f : funcs) {
                appendCsvField(out, f->name ? f->name : "");
                for (int v : {f->lines, f->effective, f->comments, f->blanks, f->cc})
                    out += "," + decimal(v);
                out += "\r\n";
            }
        }
        if (functions.result && classes.result)
            out += "\r\n";
        if (classes.result) {
            out += "Class\r\n";
            for (const char* name : names) {
                appendCsvField(out, name);
                out += "\r\n";
            }
        }
    } else {
        out += "{";
        if (functions.result) {
            const mtrc_lines& r = *functions.result;
            out += "\n\"functions\": {\"path\":";
            appendJsonString(out, functions.path);
            out += ",\"count\":" + decimal(r.functions) + ",\"list\":[";
            for (std::size_t i = 0; i < funcs.size(); ++i) {
                const mtrc_func* f = funcs[i];
                out += i ? ",\n" : "\n";
                out += "{\"name\":";
                appendJsonString(out, f->name ? f->name : "");
                out += ',';
                appendJsonNumberField(out, "lines", f->lines, true);
                appendJsonNumberField(out, "effective", f->effective, true);
                appendJsonNumberField(out, "comments", f->comments, true);
                appendJsonNumberField(out, "blanks", f->blanks, true);
                appendJsonNumberField(out, "cc", f->cc, false);
                out += '}';
            }
            out += "]}";
        }
        if (classes.result) {
            out += functions.result ? ",\n" : "\n";
            out += "\"classes\": {\"path\":";
            appendJsonString(out, classes.path);
            out += ",\"count\":" + decimal(classes.result->classes) + ",\"list\":[";
            for (std::size_t i = 0; i < names.size(); ++i) {
                out += i ? "," : "";
                appendJsonString(out, names[i]);
            }
            out += "]}";
        }
        out += "\n}\n";
    }
    return status;
}

// Where the results go: standard output, or a temporary file beside the
// output file that replaces it only once everything is written.
class Output {
public:
    explicit Output(std::string path) : path_(std::move(path)) {}
    ~Output() {
        if (file_)
            std::fclose(file_);
        if (!temp_.empty())
            unlink(temp_.c_str());
    }
    Output(const Output&) = delete;
    Output& operator=(const Output&) = delete;

    // Creates the temporary file at once, so that an unwritable place is
    // reported before any work is done.
    void open() {
        if (path_.empty())
            return;
        std::string pattern = path_ + ".XXXXXX";
        const int fd = mkstemp(pattern.data());
        if (fd < 0)
            throw UsageError{path_ + ": cannot write: " + std::strerror(errno)};
        temp_ = pattern;
        fchmod(fd, 0666 & ~currentUmask());
        file_ = fdopen(fd, "wb");
        if (!file_) {
            close(fd);
            throw UsageError{path_ + ": cannot write: " + std::strerror(errno)};
        }
    }

    void commit(const std::string& text, std::ostream& out) {
        if (path_.empty()) {
            out.write(text.data(), static_cast<std::streamsize>(text.size()));
            out.flush();
            return;
        }
        const bool written = std::fwrite(text.data(), 1, text.size(), file_) == text.size();
        const bool closed = std::fclose(file_) == 0;
        file_ = nullptr;
        if (!written || !closed)
            throw UsageError{path_ + ": cannot write: " + std::strerror(errno)};
        if (std::rename(temp_.c_str(), path_.c_str()) != 0)
            throw UsageError{path_ + ": cannot write: " + std::strerror(errno)};
        temp_.clear();
    }

private:
    static mode_t currentUmask() {
        const mode_t mask = umask(022);
        umask(mask);
        return mask;
    }

    std::string path_;
    std::string temp_;
    std::FILE* file_ = nullptr;
};

bool progressWanted(const Options& o, std::ostream& err) {
    return !o.quiet && &err == &std::cerr && isatty(STDERR_FILENO);
}

int run(const Options& o, std::ostream& out, std::ostream& err) {
    Output output(o.output);
    output.open();
    std::string text;
    int status = ExitOk;
    if (!o.functionsFile.empty() || !o.classesFile.empty()) {
        status = formatFileReports(o, text, err);
        output.commit(text, out);
        return status;
    }
    std::vector<WorkFile> files = collectSources(o);
    const std::vector<FileResult> results = analyzeAll(files, o, progressWanted(o, err), err);
    for (std::size_t i = 0; i < files.size(); ++i)
        if (!results[i].ok) {
            err << "kestrum: " << files[i].path << ": " << results[i].error << "\n";
            status = ExitUnreadable;
        }
    bool overLimit = false;
    text = formatFileResults(o, files, results, overLimit);
    if (overLimit && o.format == Format::Csv) {
        // A CSV table has no room for a second list: it goes to the messages.
        for (std::size_t i = 0; i < files.size(); ++i)
            for (const auto& [name, cc] : results[i].overLimit)
                err << files[i].path << ": " << name << " " << cc << "\n";
    }
    output.commit(text, out);
    if (status == ExitOk && overLimit)
        status = ExitMaxCc;
    return status;
}

} // namespace

int runCli(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    try {
        Options options;
        switch (parseArgs(args, options)) {
        case Parsed::Help: out << kUsage; return ExitOk;
        case Parsed::Version: out << "kestrum " KESTRUM_VERSION "\n"; return ExitOk;
        case Parsed::Run: break;
        }
        return run(options, out, err);
    } catch (const UsageError& e) {
        err << "kestrum: " << e.message << "\n";
        return ExitUsage;
    } catch (const std::bad_alloc&) {
        err << "kestrum: out of memory\n";
        return ExitUsage;
    }
}

} // namespace kestrum
