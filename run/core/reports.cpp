#include "run/core/reports.h"

namespace kestrum {

Report fileMetricsReport(const RunTotals& totals, const ColumnOrder& order, int fileCount) {
    Report report;
    if (fileCount <= 0) {
        report.text = kNoFilesToAnalyze;
        return report;
    }
    std::string& t = report.text;
    t += "FILE METRICS\n\n";
    t += "\t~~~~~~~~~ total ";
    t += decimal(fileCount);
    t += " source file(s) ~~~~~~~~~\n\n";
    t += "METRIC\tTOTAL\tAVG\tMIN\tMAX\n";
    for (int k = 0; k < kFileColumnCount; ++k) {
        const int metric = summedMetricOfColumn(order[k]);
        if (metric < 0)
            continue;
        const MetricTotal& m = totals.metrics[metric];
        const std::string total = decimal(m.total);
        const std::string average = decimal(m.total / fileCount);
        const std::string minimum = decimal(m.minimum);
        const std::string maximum = decimal(m.maximum);
        t += summedMetricLabel(metric);
        t += total;
        t += '\t';
        t += average;
        t += '\t';
        t += minimum;
        t += '\t';
        t += maximum;
        t += '\n';
        report.rows.push_back({summedMetricRowText(metric), total, average, minimum, maximum});
    }
    return report;
}

Report functionReport(const std::string& path, const mtrc_lines& r) {
    Report report;
    const int n = r.functions;
    if (n <= 0) {
        // A count of 0 means no functions; a negative one (a file measured
        // as Visual Basic) has no functions either and must not divide.
        report.text = kNoFunctionsFound;
        return report;
    }
    std::string& t = report.text;
    t += "FUNCTION METRICS for source code file: ";
    t += path;
    t += "\n\n\t~~~~~~~~~ total ";
    t += decimal(n);
    t += " function(s) ~~~~~~~~~\t\n\n";

    // Lines, effective, comment, blank, complexity.
    long long total[5] = {0, 0, 0, 0, 0};
    int minimum[5] = {65535, 65535, 65535, 65535, 65535};
    int maximum[5] = {-1, -1, -1, -1, -1};
    for (const mtrc_func* f = r.func_list; f; f = f->next) {
        const int values[5] = {f->lines, f->effective, f->comments, f->blanks, f->cc};
        const char* name = f->name ? f->name : "";
        std::vector<std::string> row{name};
        for (int v : values)
            row.push_back(decimal(v));
        t += "FUNCTION: ";
        t += name;
        t += "\nLines\tEffective\tComment\tBlank\tCyc.Complx\n";
        for (int i = 0; i < 5; ++i) {
            t += row[i + 1];
            t += i < 4 ? "\t" : "\n\n";
            total[i] += values[i];
            if (values[i] < minimum[i])
                minimum[i] = values[i];
            if (values[i] > maximum[i])
                maximum[i] = values[i];
        }
        report.rows.push_back(std::move(row));
    }
    t += "\t~~~~~~~~~ Summary for ";
    t += decimal(n);
    t += " funtion(s) ~~~~~~~~~\t\n\n";
    t += "METRIC\tTOTAL\tAVG\tMIN\tMAX\n";
    static const char* const labels[5] = {"Lines\t", "Effective\t", "Comment\t", "Blank\t",
                                          "C.Cmplx.\t"};
    for (int i = 0; i < 5; ++i) {
        t += labels[i];
        t += decimal(total[i]);
        t += '\t';
        t += decimal(total[i] / n);
        t += '\t';
        t += decimal(minimum[i]);
        t += '\t';
        t += decimal(maximum[i]);
        t += '\n';
    }
    return report;
}

std::string classReport(const std::string& path, const mtrc_lines& r) {
    const int n = r.classes;
    if (n <= 0)
        return kNoClassesFound;
    std::string t = "CLASS METRICS for source code file: ";
    t += path;
    t += "\n\n\t~~~~~~~~~ total ";
    t += decimal(n);
    t += " class(es) ~~~~~~~~~\t\n\n";
    for (const mtrc_class* c = r.class_list; c; c = c->next) {
        t += "\nCLASS: ";
        t += c->name ? c->name : "";
    }
    return t;
}

std::string progressText(int index, int count, const std::string& path) {
    return "Analyzing...\nProcessing file (" + decimal(index) + " of " + decimal(count) + "):\n" +
           path;
}

std::string cantOpenFileText(const std::string& path) {
    return "Can't open file: " + path + ". Aborting project analyze!";
}

std::string cantReadFileText(const std::string& path) {
    return "Can't read file: " + path + ". It may have been moved or deleted since it was listed.";
}

} // namespace kestrum
