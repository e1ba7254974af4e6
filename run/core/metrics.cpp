#include "run/core/metrics.h"

#include <charconv>

namespace kestrum {

FileMetrics metricsOf(const mtrc_lines& r) {
    return FileMetrics{r.lines,  r.comments, r.blanks, r.effective, r.functions,
                       r.cc_min, r.cc_max,   r.cc_avg, r.classes,   r.structs};
}

int percentOf(int count, int lines) {
    if (lines == 0)
        return 0;
    const double quotient = static_cast<double>(count) / static_cast<double>(lines);
    return static_cast<int>(quotient * 100.0);
}

int columnValue(const FileMetrics& m, int column) {
    switch (column) {
    case ColLines: return m.lines;
    case ColEffective: return m.effective;
    case ColEffectivePct: return percentOf(m.effective, m.lines);
    case ColComment: return m.comments;
    case ColCommentPct: return percentOf(m.comments, m.lines);
    case ColBlank: return m.blanks;
    case ColBlankPct: return percentOf(m.blanks, m.lines);
    case ColFunctions: return m.functions;
    case ColAvgCc: return m.ccAvg;
    case ColMinCc: return m.ccMin;
    case ColMaxCc: return m.ccMax;
    case ColClasses: return m.classes;
    case ColStructs: return m.structs;
    default: return 0;
    }
}

std::string decimal(long long value) {
    char buf[24];
    const auto res = std::to_chars(buf, buf + sizeof buf, value);
    return std::string(buf, res.ptr);
}

std::string_view fileNamePart(std::string_view path) {
    const auto slash = path.rfind('/');
    return slash == std::string_view::npos ? path : path.substr(slash + 1);
}

std::vector<std::string> rowCells(std::string_view path, const FileMetrics& m,
                                  const ColumnOrder& order, bool fullPath) {
    std::vector<std::string> cells;
    const int shown = shownColumnCount(order);
    cells.reserve(shown);
    for (int k = 0; k < shown; ++k) {
        if (order[k] == ColFileName)
            cells.emplace_back(fullPath ? path : fileNamePart(path));
        else
            cells.push_back(decimal(columnValue(m, order[k])));
    }
    return cells;
}

namespace {

struct SummedDef {
    int column;
    const char* label;
    const char* rowText;
};

constexpr SummedDef kSummed[kSummedMetricCount] = {
    {ColLines, "Lines\t", "Lines"},
    {ColEffective, "Effective\t", "Effective"},
    {ColComment, "Comment\t", "Comment"},
    {ColBlank, "Blank\t", "Blank"},
    {ColFunctions, "Functions\t", "Functions"},
    {ColClasses, "Class\t", "Class"},
    {ColStructs, "Struct\t", "Struct"},
};

} // namespace

int summedMetricOfColumn(int column) {
    for (int i = 0; i < kSummedMetricCount; ++i)
        if (kSummed[i].column == column)
            return i;
    return -1;
}

int columnOfSummedMetric(int metric) {
    return kSummed[metric].column;
}
const char* summedMetricLabel(int metric) {
    return kSummed[metric].label;
}
const char* summedMetricRowText(int metric) {
    return kSummed[metric].rowText;
}

void MetricTotal::add(int value) {
    total += value;
    if (value < minimum)
        minimum = value;
    if (value > maximum)
        maximum = value;
}

void RunTotals::addFile(const FileMetrics& m, const ColumnOrder& order) {
    for (int k = 0; k < kFileColumnCount; ++k) {
        const int metric = summedMetricOfColumn(order[k]);
        if (metric >= 0)
            metrics[metric].add(columnValue(m, order[k]));
    }
}

void RunTotals::addFile(const FileMetrics& m) {
    for (int i = 0; i < kSummedMetricCount; ++i)
        metrics[i].add(columnValue(m, kSummed[i].column));
}

} // namespace kestrum
