#include "run/core/columns.h"

namespace kestrum {

const std::array<ColumnDef, kFileColumnCount> kFileColumns = {{
    {"File name", 100},
    {"Lines", 45},
    {"Effective", 60},
    {"E%", 35},
    {"Comment", 65},
    {"C%", 35},
    {"Blank", 45},
    {"B%", 35},
    {"Func.", 45},
    {"avg CC", 55},
    {"min CC", 55},
    {"max CC", 55},
    {"class", 45},
    {"struct", 45},
}};

const std::array<ColumnDef, kFunctionColumnCount> kFunctionColumns = {{
    {"Function", 200},
    {"Lines", 50},
    {"Effective", 65},
    {"Comment", 70},
    {"Blank", 55},
    {"Cyc.Cmplx", 75},
}};

const std::array<ColumnDef, kTotalsColumnCount> kTotalsColumns = {{
    {"Metric", 100},
    {"Total", 50},
    {"Average", 70},
    {"Minumum", 70},
    {"Maximum", 70},
}};

ColumnOrder defaultColumnOrder() {
    ColumnOrder order{};
    for (int i = 0; i < kFileColumnCount; ++i)
        order[i] = static_cast<signed char>(i);
    return order;
}

ColumnOrder columnOrderFromSetting(std::string_view text) {
    if (text.empty())
        return defaultColumnOrder();
    std::array<bool, kFileColumnCount> seen{};
    ColumnOrder order;
    order.fill(-1);
    // The file name always leads; the other letters follow in stored order.
    order[0] = ColFileName;
    seen[ColFileName] = true;
    int next = 1;
    for (std::size_t i = 0; i < text.size() && i < kFileColumnCount; ++i) {
        const int c = text[i] - 'A';
        if (c < 0 || c >= kFileColumnCount || seen[c])
            continue;
        seen[c] = true;
        order[next++] = static_cast<signed char>(c);
    }
    return order;
}

std::string columnOrderSetting(const ColumnOrder& order) {
    std::string text(kFileColumnCount, '@');
    for (int i = 0; i < kFileColumnCount; ++i)
        if (order[i] >= 0)
            text[i] = static_cast<char>('A' + order[i]);
    return text;
}

std::optional<ColumnOrder> parseColumnLetters(std::string_view letters, std::string& why) {
    if (letters.empty()) {
        why = "no column letters given";
        return std::nullopt;
    }
    if (letters.size() > kFileColumnCount) {
        why = "more than 14 column letters";
        return std::nullopt;
    }
    ColumnOrder order;
    order.fill(-1);
    std::array<bool, kFileColumnCount> seen{};
    for (std::size_t i = 0; i < letters.size(); ++i) {
        char ch = letters[i];
        if (ch >= 'a' && ch <= 'z')
            ch = static_cast<char>(ch - 'a' + 'A');
        const int c = ch - 'A';
        if (c < 0 || c >= kFileColumnCount) {
            why = std::string("'") + letters[i] + "' is not a column letter (A to N)";
            return std::nullopt;
        }
        if (seen[c]) {
            why = std::string("column ") + ch + " is named twice";
            return std::nullopt;
        }
        seen[c] = true;
        order[i] = static_cast<signed char>(c);
    }
    if (order[0] != ColFileName) {
        why = "the first column must be A (the file name)";
        return std::nullopt;
    }
    return order;
}

int shownColumnCount(const ColumnOrder& order) {
    int n = 0;
    while (n < kFileColumnCount && order[n] >= 0)
        ++n;
    return n;
}

} // namespace kestrum
