// The texts the totals pane shows after a run and for one file: the FILE
// METRICS report with its list rows, and the function and class reports.
#pragma once

#include <string>
#include <vector>

#include "run/core/columns.h"
#include "run/core/metrics.h"
#include "tarnel.h"

namespace kestrum {

// A report: its text for the pane's text view and its rows for the pane's list
// (each row the cell texts from column 0 on).
struct Report {
    std::string text;
    std::vector<std::vector<std::string>> rows;
};

// The FILE METRICS report of a completed run over `fileCount` files: one line
// and one totals row per summed metric shown by `order`, in display order.
// With no file it is "No files to analyze." and no rows.
Report fileMetricsReport(const RunTotals& totals, const ColumnOrder& order, int fileCount);

// The function report of `path` from a result analysed with the function list
// requested. Its rows are in the function metrics layout, last function of the
// file first. With no function it is "No functions found..." and no rows (the
// pane clears its list then).
Report functionReport(const std::string& path, const mtrc_lines& result);

// The class report of `path` from a result analysed with the class list
// requested; "No classes found..." without classes. It has no rows: the pane
// leaves its list as it was.
std::string classReport(const std::string& path, const mtrc_lines& result);

// Pane texts of the run and the reports that are not built from results.
inline constexpr const char* kNoFilesToAnalyze = "No files to analyze.";
inline constexpr const char* kNoFunctionsFound = "No functions found...";
inline constexpr const char* kNoClassesFound = "No classes found...";
inline constexpr const char* kUserCancel = "Analyze: User cancel.";

// "Analyzing...\nProcessing file (3 of 5):\n/path": the pane text while a file
// is analysed (index counts from 1).
std::string progressText(int index, int count, const std::string& path);

// "Can't open file: /path. Aborting project analyze!"
std::string cantOpenFileText(const std::string& path);

// The pane text when the file of a function or class report can no longer be
// read (moved, deleted or made unreadable since it was listed).
std::string cantReadFileText(const std::string& path);

} // namespace kestrum
