// Name scans of the C and C++ analyzer.
//
// Function name, walking backward from the opening brace of the body:
//  1. Find the last ")" before the cursor (the end of the parameter list); a
//     carriage return or line feed passed on the way sets the line-break flag.
//  2. Find its "(" by counting parentheses backward.
//  3. Skip the spaces and tabs before the "("; the byte reached ends the name.
//  4. The name starts after the nearest word separator (space, tab, ";", line
//     feed, NUL) at or before its end.
//  5. Operators: walking back from that separator to the nearest stop byte
//     (":;{}/" or NUL), a keyword `operator` moves the start of the name back
//     to the separator before the keyword, so "A::operator ==" stays whole.
//  6. Initializer lists: when the bytes before the name, past blanks,
//     semicolons and line breaks, end in ":", the name found belongs to a
//     member initializer; go back to step 1 from the end of that name.
// Every walk stops at the first byte. When step 1 or 2 finds nothing, the
// name is empty. The walks do not skip comments or literals.
//
// Class name: the nearest keyword `class` within the 1023 bytes before the
// brace; the name is the word after it, up to a space, tab, line feed or ":".
#include "names.h"

#include <algorithm>
#include <cstring>
#include <iterator>
#include <memory>

namespace tarnel {
namespace {

bool isLineBreak(unsigned char c) {
    return c == '\r' || c == '\n';
}

// Where a name begins.
bool isWordSeparator(unsigned char c) {
    return c == ' ' || c == '\t' || c == ';' || c == '\n' || c == 0;
}

// Where the search for the keyword `operator` ends.
bool isOperatorStop(unsigned char c) {
    return c == ':' || c == ';' || c == '{' || c == '}' || c == '/' || c == 0;
}

// What lies between a constructor's ":" and its first member initializer.
bool isInitializerGap(unsigned char c) {
    return c == ' ' || c == '\t' || c == ';' || c == '\n' || c == '\r';
}

bool inSet(std::string_view set, unsigned char c) {
    return set.find(static_cast<char>(c)) != std::string_view::npos;
}

// Step 1 from the cursor `from` (bytes before it are examined).
Pos closeParenBefore(const unsigned char* data, Pos from, bool& lineBreak) {
    for (Pos i = from - 1; i >= 0; --i) {
        if (data[i] == ')') {
            return i;
        }
        if (isLineBreak(data[i])) {
            lineBreak = true;
        }
    }
    return -1;
}

Pos lastSeparatorAtOrBefore(const unsigned char* data, Pos i) {
    while (i >= 0 && !isWordSeparator(data[i])) {
        --i;
    }
    return i;
}

// Steps 3 to 6 for the parameter list that opens at `open`: the separator
// before the name (s), the name's last byte (e), and whether an initializer
// list sends the scan round again.
struct NameRound {
    Pos separator;
    Pos last;
    bool again;
};

// Step 5's search from s down to position 1: the keyword `operator` found
// before a stop byte, or -1.
Pos searchOperator(const unsigned char* data, std::size_t size, Pos s) {
    for (Pos t = s; t >= 1; --t) {
        if (isOperatorStop(data[t])) {
            return -1;
        }
        if (data[t] == 'o' && keywordAt(data, size, static_cast<std::size_t>(t), kOperatorWord)) {
            return t;
        }
    }
    return -1;
}

NameRound nameBeforeParen(const unsigned char* data, std::size_t size, Pos open,
                          NameScanMemo* memo) {
    if (open < 0) {
        return {-1, -1, false};
    }
    Pos e = open - 1;
    while (e >= 0 && (data[e] == ' ' || data[e] == '\t')) {
        --e;
    }
    Pos s = lastSeparatorAtOrBefore(data, e);
    if (s < 0) {
        return {s, e, false};
    }
    const Pos keyword =
        memo != nullptr ? memo->operatorBefore(data, size, s) : searchOperator(data, size, s);
    if (keyword >= 0) {
        s = lastSeparatorAtOrBefore(data, keyword - 1);
    }
    if (s < 0) {
        return {s, e, false};
    }
    Pos j = s;
    while (j > 0 && isInitializerGap(data[j])) {
        --j;
    }
    return {s, e, data[j] == ':'};
}

} // namespace

bool keywordAt(const unsigned char* data, std::size_t size, std::size_t pos, const Keyword& word) {
    if (pos == 0 || !inSet(word.leading, data[pos - 1])) {
        return false;
    }
    const std::size_t len = word.text.size();
    if (size - pos < len || std::memcmp(data + pos, word.text.data(), len) != 0) {
        return false;
    }
    const std::size_t after = pos + len;
    return after >= size || data[after] == 0 || inSet(word.trailing, data[after]);
}

Pos matchingOpenParen(const unsigned char* data, Pos close) {
    Pos depth = 1;
    for (Pos i = close - 1; i >= 0; --i) {
        if (data[i] == ')') {
            ++depth;
        } else if (data[i] == '(' && --depth == 0) {
            return i;
        }
    }
    return -1;
}

const FunctionName* NameScanMemo::nameBehind(Pos open) const {
    const auto it = names_.find(open);
    return it == names_.end() ? nullptr : &it->second;
}

Pos NameScanMemo::operatorBefore(const unsigned char* data, std::size_t size, Pos s) {
    // Walk down from s until a byte settles the search or the walk enters a
    // stretch searched before; then remember the bytes walked as one stretch.
    Pos found = -1;
    Pos bottom = 0; // lowest position of the new stretch
    for (Pos t = s; t >= 1; --t) {
        auto it = searched_.upper_bound(t);
        if (it != searched_.begin() && std::prev(it)->second.top >= t) {
            found = std::prev(it)->second.keyword;
            bottom = t + 1;
            break;
        }
        if (isOperatorStop(data[t]) ||
            (data[t] == 'o' && keywordAt(data, size, static_cast<std::size_t>(t), kOperatorWord))) {
            found = data[t] == 'o' ? t : -1;
            bottom = t;
            break;
        }
    }
    if (s >= bottom) {
        searched_[bottom] = {s, found};
    }
    return found;
}

FunctionName scanFunctionNameFrom(const unsigned char* data, std::size_t size, Pos open,
                                  NameScanMemo* memo) {
    const Pos first = open;
    if (memo != nullptr) {
        if (const FunctionName* known = memo->nameBehind(first)) {
            return *known;
        }
    }
    bool lineBreak = false;
    FunctionName name;
    for (;;) {
        if (memo != nullptr && open != first) {
            if (const FunctionName* known = memo->nameBehind(open)) {
                name = *known;
                name.lineBreak = name.lineBreak || lineBreak;
                break;
            }
        }
        const NameRound round = nameBeforeParen(data, size, open, memo);
        if (!round.again) {
            name = {round.separator + 1, round.last, lineBreak};
            break;
        }
        // Each round ends before the "(" it started from, so this terminates.
        const Pos close = closeParenBefore(data, round.last, lineBreak);
        open = close < 0 ? -1 : matchingOpenParen(data, close);
    }
    if (memo != nullptr) {
        memo->rememberName(first, name);
    }
    return name;
}

FunctionName scanFunctionName(const unsigned char* data, std::size_t size, std::size_t brace) {
    bool lineBreak = false;
    const Pos close = closeParenBefore(data, static_cast<Pos>(brace), lineBreak);
    const Pos open = close < 0 ? -1 : matchingOpenParen(data, close);
    FunctionName name = scanFunctionNameFrom(data, size, open);
    name.lineBreak = name.lineBreak || lineBreak;
    return name;
}

char* copyName(const unsigned char* data, const FunctionName& name) {
    const std::size_t len =
        name.last >= name.first ? static_cast<std::size_t>(name.last - name.first + 1) : 0;
    char* text = new char[len + 1];
    if (len > 0) {
        std::memcpy(text, data + name.first, len);
    }
    text[len] = '\0';
    return text;
}

mtrc_class* scanClassName(const unsigned char* data, std::size_t size, std::size_t brace) {
    constexpr std::size_t kLookBack = 1023;
    const std::size_t lowest = brace > kLookBack ? brace - kLookBack : 0;
    std::size_t keyword = 0;
    bool found = false;
    for (std::size_t t = brace; t-- > lowest;) {
        if (data[t] == 'c' && t + 1 < size && data[t + 1] == 'l' &&
            keywordAt(data, size, t, kClassWord)) {
            keyword = t;
            found = true;
            break;
        }
    }
    if (!found) {
        return nullptr;
    }
    std::size_t first = keyword + kClassWord.text.size();
    while (first < size && (data[first] == ' ' || data[first] == '\t')) {
        ++first;
    }
    std::size_t end = first;
    while (end < size && data[end] != ' ' && data[end] != '\t' && data[end] != '\n' &&
           data[end] != ':') {
        ++end;
    }
    std::unique_ptr<char[]> text(new char[end - first + 1]);
    if (end > first) {
        std::memcpy(text.get(), data + first, end - first);
    }
    text[end - first] = '\0';
    auto* record = new mtrc_class{};
    record->name = text.release();
    return record;
}

} // namespace tarnel
