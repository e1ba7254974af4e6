// Name scans of the C and C++ analyzer: the name of a function or class is
// taken by walking backward from the opening brace of its body over the raw
// bytes of the file, without parsing. Also the keyword test that the analyzer
// and the scans share.
#pragma once

#include <cstddef>
#include <cstdint>
#include <map>
#include <string_view>
#include <unordered_map>

#include "tarnel.h"

namespace tarnel {

// Byte offsets into the scanned buffer; -1 stands for "before the first byte".
using Pos = std::int64_t;

// A keyword and the bytes that may stand right before and right after it.
struct Keyword {
    std::string_view text;
    std::string_view leading;  // one of these must precede the keyword
    std::string_view trailing; // one of these (or NUL, or the end) must follow it
};

// The two words the name scans look for.
inline constexpr Keyword kOperatorWord{"operator", ": )}\t\n;", " \t\n"};
inline constexpr Keyword kClassWord{"class", " (){}\t\n;", " ()\t\n"};

// True when `word` stands at `pos`: pos is not the first byte, the byte before
// is in the leading set, the bytes spell the word exactly, and the byte after
// it is in the trailing set, is NUL or lies beyond the end.
bool keywordAt(const unsigned char* data, std::size_t size, std::size_t pos, const Keyword& word);

// Result of the function name scan: the name is the bytes first..last (empty
// when last < first).
struct FunctionName {
    Pos first = 0;
    Pos last = -1;
    bool lineBreak = false; // a CR or LF lies between a parameter list and what follows it
};

// The whole function name scan for the opening brace at `brace`, walking
// backward over the buffer.
FunctionName scanFunctionName(const unsigned char* data, std::size_t size, std::size_t brace);

// What earlier function name scans over the same buffer found, so that a scan
// never walks again over bytes an earlier one has walked: the name behind each
// "(" already scanned, and the stretches already searched for `operator`.
class NameScanMemo {
public:
    const FunctionName* nameBehind(Pos open) const;
    void rememberName(Pos open, const FunctionName& name) { names_[open] = name; }
    // Step 5's search from s: the position of the keyword `operator`, or -1.
    Pos operatorBefore(const unsigned char* data, std::size_t size, Pos s);

private:
    struct Searched {
        Pos top;     // the stretch runs from the map key up to here
        Pos keyword; // what a search entering the stretch finds
    };
    std::unordered_map<Pos, FunctionName> names_;
    std::map<Pos, Searched> searched_;
};

// The same scan once the parameter list behind the brace is known: `open` is
// the position of its "(" (-1 when there is none). The returned line-break flag
// covers only what the scan walks after that point (constructor initializer
// lists); the caller adds the bytes between the ")" and the brace.
FunctionName scanFunctionNameFrom(const unsigned char* data, std::size_t size, Pos open,
                                  NameScanMemo* memo = nullptr);

// The position of the "(" that matches the ")" at `close` when walking back
// and counting parentheses, or -1 when the walk reaches the first byte.
Pos matchingOpenParen(const unsigned char* data, Pos close);

// A new NUL-terminated copy (new[]) of the name's bytes.
char* copyName(const unsigned char* data, const FunctionName& name);

// The class name scan for the opening brace at `brace`: a new mtrc_class
// (next null) named by the word after the nearest keyword `class` within the
// 1023 bytes before the brace, or null when there is none.
mtrc_class* scanClassName(const unsigned char* data, std::size_t size, std::size_t brace);

} // namespace tarnel
