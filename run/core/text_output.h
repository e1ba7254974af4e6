// The text output format: the shown columns' titles, one line per row with
// tab separators, an empty line, then the totals pane's text.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "run/core/columns.h"

namespace kestrum {

// Line endings: Orbek's text file ends every line with CR LF; the command
// line writes bare line feeds unless asked otherwise.
inline constexpr std::string_view kCrLf = "\r\n";
inline constexpr std::string_view kLf = "\n";

// The separator written after a cell of `column` holding `text`: the file name
// gets two tabs when shorter than 8 characters and one otherwise; Lines,
// Effective, Comment, Blank and Func. get two tabs; the others one.
std::string_view cellSeparator(int column, std::string_view text);

// Appends the title line: each shown column's title and a tab, then `eol`.
void appendTitleLine(std::string& out, const ColumnOrder& order, std::string_view eol);

// Appends one row line: the cells by display position (at most the number of
// shown columns), each followed by its separator, then `eol`.
void appendRowLine(std::string& out, const ColumnOrder& order,
                   const std::vector<std::string>& cells, std::string_view eol);

// Appends `text` with every line feed written as `eol`.
void appendWithEol(std::string& out, std::string_view text, std::string_view eol);

// The whole text file: title line, row lines, an empty line, the pane text.
std::string formatTextOutput(const ColumnOrder& order,
                             const std::vector<std::vector<std::string>>& rows,
                             std::string_view paneText, std::string_view eol);

} // namespace kestrum
