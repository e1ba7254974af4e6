#include "run/core/text_output.h"

namespace kestrum {

std::string_view cellSeparator(int column, std::string_view text) {
    switch (column) {
    case ColFileName: return text.size() < 8 ? "\t\t" : "\t";
    case ColLines:
    case ColEffective:
    case ColComment:
    case ColBlank:
    case ColFunctions: return "\t\t";
    default: return "\t";
    }
}

void appendTitleLine(std::string& out, const ColumnOrder& order, std::string_view eol) {
    const int shown = shownColumnCount(order);
    for (int k = 0; k < shown; ++k) {
        out += kFileColumns[order[k]].title;
        out += '\t';
    }
    out += eol;
}

void appendRowLine(std::string& out, const ColumnOrder& order,
                   const std::vector<std::string>& cells, std::string_view eol) {
    const int shown = shownColumnCount(order);
    for (int k = 0; k < shown && k < static_cast<int>(cells.size()); ++k) {
        appendWithEol(out, cells[k], eol);
        out += cellSeparator(order[k], cells[k]);
    }
    out += eol;
}

void appendWithEol(std::string& out, std::string_view text, std::string_view eol) {
    if (eol == kLf) {
        out += text;
        return;
    }
    std::size_t start = 0;
    for (std::size_t lf = text.find('\n'); lf != std::string_view::npos;
         lf = text.find('\n', start)) {
        out += text.substr(start, lf - start);
        out += eol;
        start = lf + 1;
    }
    out += text.substr(start);
}

std::string formatTextOutput(const ColumnOrder& order,
                             const std::vector<std::vector<std::string>>& rows,
                             std::string_view paneText, std::string_view eol) {
    std::string out;
    appendTitleLine(out, order, eol);
    for (const auto& row : rows)
        appendRowLine(out, order, row, eol);
    out += eol;
    appendWithEol(out, paneText, eol);
    return out;
}

} // namespace kestrum
