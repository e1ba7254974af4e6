// The column layouts of the metrics lists and the order in which the file
// metrics columns are shown. Plain data, shared by the desktop program and the
// command line.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>

namespace kestrum {

// One column of a layout: its header text and its initial width in pixels.
struct ColumnDef {
    const char* title;
    int width;
};

// The file metrics columns; the letter of a column is 'A' + its index.
enum Column : int {
    ColFileName = 0, // A
    ColLines,        // B
    ColEffective,    // C
    ColEffectivePct, // D
    ColComment,      // E
    ColCommentPct,   // F
    ColBlank,        // G
    ColBlankPct,     // H
    ColFunctions,    // I
    ColAvgCc,        // J
    ColMinCc,        // K
    ColMaxCc,        // L
    ColClasses,      // M
    ColStructs,      // N
};

inline constexpr int kFileColumnCount = 14;
inline constexpr int kFunctionColumnCount = 6;
inline constexpr int kTotalsColumnCount = 5;

// Layout 0 (file metrics), layout 1 (function metrics) and layout 2 (totals).
extern const std::array<ColumnDef, kFileColumnCount> kFileColumns;
extern const std::array<ColumnDef, kFunctionColumnCount> kFunctionColumns;
extern const std::array<ColumnDef, kTotalsColumnCount> kTotalsColumns;

// For each display position, the column shown there, or -1 for an empty
// position. Used positions come first; position 0 always holds the file name.
using ColumnOrder = std::array<signed char, kFileColumnCount>;

// The order with every column shown in table order ("ABCDEFGHIJKLMN").
ColumnOrder defaultColumnOrder();

// Reads the stored "VisibleColumns" text. Empty gives the default order; a
// short text is padded with empty positions and characters after the 14th are
// ignored. Stored texts are not trusted: a character other than "A" to "N"
// or "@", or a letter seen before, becomes an empty position (a column shown
// twice would be counted twice in the run totals), used positions are moved
// to the front and the file name is put at position 0.
ColumnOrder columnOrderFromSetting(std::string_view text);

// The 14-character "VisibleColumns" text of an order ("@" for empty positions).
std::string columnOrderSetting(const ColumnOrder& order);

// Strict form for user input (the command line's --columns): letters "A" to
// "N" in either case, each at most once, the first one "A". Returns the order,
// or nothing with `why` set to a one-line reason.
std::optional<ColumnOrder> parseColumnLetters(std::string_view letters, std::string& why);

// The number of used (leading, not -1) display positions.
int shownColumnCount(const ColumnOrder& order);

} // namespace kestrum
