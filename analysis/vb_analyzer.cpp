// The Visual Basic analyzer: line counts only.
//
// Rules:
//  1. Header skip. A file longer than 30 bytes whose first seven bytes are
//     "VERSION" (case matters) starts with a designer header, which is not
//     counted. From position 7 the scan looks for the next line feed and
//     compares the nine bytes after it with "Attribute" (case matters; bytes
//     past the end never match), then looks for the next line feed after
//     those nine bytes, matched or not, so a line feed among them goes
//     unseen. The header ends at the first line feed after which the nine
//     bytes do not match once at least one earlier comparison did; counting
//     starts right after that line feed. Without such a line feed nothing is
//     counted.
//  2. Bytes. Tab, space and carriage return do nothing; an apostrophe makes
//     the line a comment line (also inside a string literal); "(", ")" and
//     "," mark punctuation; a line feed ends the line; any other byte, NUL
//     and bytes of 128 and above included, makes the line a code line unless
//     a comment began before it.
//  3. Line end. Every line counts; a comment line counts as comment; a line
//     with neither code, comment nor punctuation counts as blank; a code line
//     counts as effective (also when it is a comment line too).
//  4. A last line without a line feed is counted as if it had one; an empty
//     scan counts no line at all.
#include <array>
#include <cstring>
#include <new>
#include <string_view>

#include "analyzer.h"

namespace tarnel {

namespace {

constexpr std::string_view kHeaderStart = "VERSION";
constexpr std::string_view kAttribute = "Attribute";
constexpr std::size_t kMinHeaderFileSize = 31;

// State of the scan.
struct VbState {
    int lines = 0;        // lines ended so far
    int comments = 0;     // lines ended with the comment flag set
    int blanks = 0;       // lines ended with no flag set
    int effective = 0;    // lines ended with the code flag set
    bool code = false;    // set by a code byte before any apostrophe; cleared at line end
    bool comment = false; // set by an apostrophe; cleared at line end
    bool punct = false;   // set by "(", ")" or ","; cleared at line end
};

// What a byte does to the flags of its line (rule 2).
enum class ByteClass : unsigned char {
    Code,       // any byte not named below: code, unless a comment began
    Blank,      // tab, space, carriage return: nothing
    Apostrophe, // begins a comment, also inside a string literal
    Punct,      // "(", ")", ",": neither code nor blank
    LineFeed,   // ends the line
};

constexpr auto kByteClass = [] {
    std::array<ByteClass, 256> table{};
    table.fill(ByteClass::Code);
    table['\t'] = table[' '] = table['\r'] = ByteClass::Blank;
    table['\''] = ByteClass::Apostrophe;
    table['('] = table[')'] = table[','] = ByteClass::Punct;
    table['\n'] = ByteClass::LineFeed;
    return table;
}();

void endLine(VbState& s) {
    ++s.lines;
    if (s.comment)
        ++s.comments;
    if (!s.code && !s.comment && !s.punct)
        ++s.blanks;
    if (s.code)
        ++s.effective;
    s.code = s.comment = s.punct = false;
}

bool matchesAt(const unsigned char* data, std::size_t size, std::size_t pos,
               std::string_view word) {
    return pos <= size && size - pos >= word.size() &&
           std::memcmp(data + pos, word.data(), word.size()) == 0;
}

// Where counting starts: 0, or after the designer header (rule 1); `size`
// when the header never ends.
std::size_t scanStart(const unsigned char* data, std::size_t size) {
    if (size < kMinHeaderFileSize || !matchesAt(data, size, 0, kHeaderStart))
        return 0;
    bool attributeSeen = false;
    std::size_t pos = kHeaderStart.size();
    for (;;) {
        const void* lf = pos < size ? std::memchr(data + pos, '\n', size - pos) : nullptr;
        if (!lf)
            return size;
        const std::size_t next = static_cast<const unsigned char*>(lf) - data + 1;
        const bool matched = matchesAt(data, size, next, kAttribute);
        if (matched)
            attributeSeen = true;
        else if (attributeSeen)
            return next;
        pos = next + kAttribute.size();
    }
}

} // namespace

mtrc_lines* analyzeVb(const unsigned char* data, std::size_t size) {
    VbState s;
    std::size_t pos = scanStart(data, size);
    // Line by line: once a line has a comment, or code, the bytes after it
    // can change nothing but the comment flag, so the scan jumps ahead with
    // memchr (rule 2 in full for every byte, at the speed of a byte search).
    while (pos < size) {
        const void* lf = std::memchr(data + pos, '\n', size - pos);
        const std::size_t lineEnd = lf ? static_cast<const unsigned char*>(lf) - data : size;
        for (std::size_t i = pos; i < lineEnd; ++i) {
            const ByteClass c = kByteClass[data[i]];
            if (c == ByteClass::Blank)
                continue;
            if (c == ByteClass::Punct) {
                s.punct = true;
                continue;
            }
            if (c == ByteClass::Code) {
                s.code = true;
                ++i;
                // The rest of the line matters only for an apostrophe.
                if (i >= lineEnd || !std::memchr(data + i, '\'', lineEnd - i))
                    break;
            }
            s.comment = true;
            break;
        }
        // A last line without a line feed counts as if it had one (rule 4).
        endLine(s);
        pos = lineEnd + 1;
    }
    auto* result = new mtrc_lines{};
    result->lines = s.lines;
    result->comments = s.comments;
    result->blanks = s.blanks;
    result->effective = s.effective;
    // Visual Basic measures no functions, complexity, classes or structs.
    result->functions = result->cc_min = result->cc_max = result->cc_avg = -1;
    result->classes = result->structs = -1;
    return result;
}

} // namespace tarnel
