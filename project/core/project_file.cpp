#include "project/core/project_file.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>

namespace kestrum {

namespace {

constexpr std::string_view kExtKey = "SOURCE_EXT";
constexpr std::string_view kSubKey = "SOURCE_SUB";
constexpr std::string_view kDirKey = "SOURCE_DIR";
constexpr std::string_view kDspKey = "SOURCE_DSP";

// The line from `pos` on, or empty when it is shorter.
std::string_view from(std::string_view line, std::size_t pos) {
    return line.size() > pos ? line.substr(pos) : std::string_view{};
}

char upper(char ch) {
    return ch >= 'a' && ch <= 'z' ? static_cast<char>(ch - 'a' + 'A') : ch;
}

struct Scanner {
    std::vector<ProjectSource> sources;
    std::string exts; // carried from block to block
    int subdirs = 1;  // carried from block to block
    bool haveSource = false;

    void process(std::string_view line) {
        const std::string_view key = line.substr(0, 10);
        if (key == kExtKey) {
            exts = from(line, 11);
        } else if (key == kSubKey) {
            subdirs = from(line, 11) == "0" ? 0 : 1;
        } else if (key == kDirKey || key == kDspKey) {
            ProjectSource source;
            source.exts = exts;
            source.subdirs = subdirs;
            source.checked = !(line.size() > 11 && line[11] == '0');
            source.path = from(line, 12);
            if (key == kDirKey && !source.path.empty() && source.path.back() != '/')
                source.path += '/';
            sources.push_back(std::move(source));
            haveSource = true;
        } else if (haveSource) {
            sources.back().cleared.emplace_back(line);
        }
    }
};

} // namespace

std::vector<ProjectSource> parseProjectFile(std::string_view contents) {
    Scanner scanner;
    std::string line;
    for (char ch : contents) {
        if (ch == '\n')
            continue;
        if (ch != '\r') {
            line += ch;
            continue;
        }
        scanner.process(line);
        line.clear();
    }
    return std::move(scanner.sources);
}

std::string formatProjectFile(const std::vector<ProjectSource>& sources) {
    std::string out;
    for (const ProjectSource& s : sources) {
        out += "SOURCE_EXT ";
        out += s.exts;
        out += "\r\nSOURCE_SUB ";
        out += std::to_string(s.subdirs);
        out += "\r\n";
        out += !s.path.empty() && s.path.back() == '/' ? "SOURCE_DIR " : "SOURCE_DSP ";
        out += s.checked ? '1' : '0';
        out += s.path;
        out += "\r\n";
        for (const std::string& file : s.cleared) {
            out += file;
            out += "\r\n";
        }
    }
    return out;
}

bool isClearedFile(const ProjectSource& source, std::string_view path) {
    for (const std::string& line : source.cleared) {
        if (line.size() != path.size())
            continue;
        bool same = true;
        for (std::size_t i = 0; i < line.size() && same; ++i)
            same = upper(line[i]) == upper(path[i]);
        if (same)
            return true;
    }
    return false;
}

bool readWholeFile(const std::string& path, std::string& contents, std::string& error) {
    std::unique_ptr<std::FILE, decltype(&std::fclose)> file(std::fopen(path.c_str(), "rb"),
                                                            &std::fclose);
    if (!file) {
        error = std::strerror(errno);
        return false;
    }
    contents.clear();
    char buffer[65536];
    std::size_t n;
    while ((n = std::fread(buffer, 1, sizeof buffer, file.get())) > 0)
        contents.append(buffer, n);
    if (std::ferror(file.get())) {
        // Reading a directory fails here ("Is a directory").
        error = std::strerror(errno ? errno : EIO);
        return false;
    }
    return true;
}

std::string projectWindowTitle(std::string_view projectPath) {
    if (projectPath.empty())
        return "Untitled - Kestrum";
    const auto slash = projectPath.rfind('/');
    const std::string_view name =
        slash == std::string_view::npos ? projectPath : projectPath.substr(slash + 1);
    return std::string(name) + " - Kestrum";
}

std::string saveChangesQuestion(std::string_view projectPath) {
    return "Save your changes to " +
           (projectPath.empty() ? std::string("Untitled") : std::string(projectPath)) + " ?";
}

std::string cantOpenProjectText(std::string_view path) {
    return "Can't open project: " + std::string(path);
}

} // namespace kestrum
