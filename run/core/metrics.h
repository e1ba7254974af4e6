// Row values of the metrics list and the totals of a run, computed from the
// counts the library returns for each file.
#pragma once

#include <array>
#include <climits>
#include <string>
#include <string_view>
#include <vector>

#include "run/core/columns.h"
#include "tarnel.h"

namespace kestrum {

// The counts of one analysed file, copied out of its result record so that the
// record can be released at once.
struct FileMetrics {
    int lines = 0;
    int comments = 0;
    int blanks = 0;
    int effective = 0;
    int functions = 0; // -1 for Visual Basic, as the following fields
    int ccMin = 0;
    int ccMax = 0;
    int ccAvg = 0;
    int classes = 0;
    int structs = 0;
};

FileMetrics metricsOf(const mtrc_lines& result);

// count / lines * 100 in double precision, truncated toward zero (29 of 100
// gives 28); 0 when lines is 0.
int percentOf(int count, int lines);

// The value of a file metrics column (B to N) for a file; column A has none.
int columnValue(const FileMetrics& m, int column);

// The decimal text of a value: minus sign when negative, no padding.
std::string decimal(long long value);

// The part of a path after its last '/', or the whole path without one.
std::string_view fileNamePart(std::string_view path);

// The texts of a metrics list row by display position: the file name (the full
// path when fullPath is set) at position 0, then the value of each shown
// column. Empty positions end the row.
std::vector<std::string> rowCells(std::string_view path, const FileMetrics& m,
                                  const ColumnOrder& order, bool fullPath);

// The seven summed metrics of a run, in the order of their columns.
enum SummedMetric : int {
    SumLines = 0,
    SumEffective,
    SumComment,
    SumBlank,
    SumFunctions,
    SumClasses,
    SumStructs,
};
inline constexpr int kSummedMetricCount = 7;

// The summed metric taken from a column, or -1 for a column that is not summed.
int summedMetricOfColumn(int column);
int columnOfSummedMetric(int metric);

// The report label ("Lines\t") and the totals list row text ("Lines").
const char* summedMetricLabel(int metric);
const char* summedMetricRowText(int metric);

// One summed metric over a run. The total is 64 bits wide so that a large
// tree cannot wrap it around; minimum and maximum start as the run starts.
struct MetricTotal {
    long long total = 0;
    int minimum = INT_MAX;
    int maximum = 0; // not the smallest integer: a run of -1 values keeps 0

    void add(int value);
};

// Totals, minima and maxima of the seven summed metrics over a run.
struct RunTotals {
    std::array<MetricTotal, kSummedMetricCount> metrics{};

    // Adds one file: only the summed metrics whose columns the order shows,
    // once per shown column.
    void addFile(const FileMetrics& m, const ColumnOrder& order);
    // Adds one file to every summed metric.
    void addFile(const FileMetrics& m);
};

} // namespace kestrum
