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
    const std::size_t start = scanStart(data, size);
    for (std::size_t i = start; i < size; ++i) {
        switch (data[i]) {
        case '\t':
        case ' ':
        case '\r': break;
        case '\'': s.comment = true; break;
        case '(':
        case ')':
        case ',': s.punct = true; break;
        case '\n': endLine(s); break;
        default:
            if (!s.comment)
                s.code = true;
            break;
        }
    }
    if (start < size && data[size - 1] != '\n')
        endLine(s);
    return new mtrc_lines{s.lines, s.comments, s.blanks, s.effective, -1,      -1,
                          -1,      -1,         -1,       -1,          nullptr, nullptr};
}

} // namespace tarnel
