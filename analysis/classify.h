// Byte classification of the C and C++ analyzer, 64 bytes at a time.
//
// The analyzer passes over runs of bytes that need no rule of their own by
// combining bit masks: bit k of a mask stands for byte k of the block. The
// masks are computed with the widest vector instructions the processor has;
// every implementation gives the same masks as the portable one.
#pragma once

#include <cstdint>

namespace tarnel {

// What the analyzer needs to know of 64 bytes. Computing it reads the two
// bytes after the block as well (a comment mark or a keyword may begin there).
struct BlockMasks {
    std::uint64_t stops;     // bytes that need their rule: quotes, braces, comment
                             // marks, and bytes that a keyword may follow
    std::uint64_t keywords;  // the stops that a keyword may follow: a blank, ( ) : ;
                             // or a line feed before a keyword's first two letters
    std::uint64_t lineFeeds; // \n
    std::uint64_t returns;   // \r
    std::uint64_t code;      // bytes that make their line hold code
    std::uint64_t punct;     // ( ) , ; :
    std::uint64_t solid;     // bytes other than space, tab, \r, \n and {
    std::uint64_t stoppers;  // ) ; : {
    std::uint64_t opens;     // (
    std::uint64_t closes;    // )
    std::uint64_t pairs;     // & or | followed by & or |
};

// The instruction sets a classifier can use, from the portable one up.
enum class SimdLevel : int { Portable = 0, Sse2 = 1, Avx2 = 2, Avx512 = 3 };

// Classifies the 64 bytes at p; p[0] to p[65] must be readable.
using Classifier = void (*)(const unsigned char* p, BlockMasks& out);

// True when this build has the level and this processor runs it.
bool simdLevelAvailable(SimdLevel level);

// The classifier of a level; the portable one when the level is not available.
Classifier classifierFor(SimdLevel level);

// The classifier the analyzer uses: the best available level unless a test
// chose another with setSimdLevel.
Classifier activeClassifier();
void setSimdLevel(SimdLevel level);
SimdLevel bestSimdLevel();

} // namespace tarnel
