// Byte classification, 64 bytes at a time. Each instruction set only finds,
// for every byte value the analyzer cares about, the bytes equal to it; the
// masks are then combined by one portable function, so the implementations
// cannot drift apart in what they mean.
#include "classify.h"

#include <array>
#include <atomic>
#include <cstddef>

#if defined(__x86_64__) || defined(__i386__)
#include <immintrin.h>
#define TARNEL_X86 1
#endif

namespace tarnel {
namespace {

// The byte values whose positions the masks are made of.
enum Value : int {
    kSpace,
    kTab,
    kReturn,
    kLineFeed,
    kDoubleQuote,
    kQuote,
    kOpen,
    kClose,
    kColon,
    kSemicolon,
    kComma,
    kStar,
    kSlash,
    kOpenBrace,
    kCloseBrace,
    kAmp,
    kBar,
    // First two letters of the keywords: if, while, for, case, class,
    // struct, extern, interface, namespace.
    kA,
    kC,
    kE,
    kF,
    kH,
    kI,
    kL,
    kN,
    kO,
    kS,
    kT,
    kW,
    kX,
    kValueCount
};

constexpr std::array<unsigned char, kValueCount> kValues = {
    ' ', '\t', '\r', '\n', '"', '\'', '(', ')', ':', ';', ',', '*', '/', '{', '}',
    '&', '|',  'a',  'c',  'e', 'f',  'h', 'i', 'l', 'n', 'o', 's', 't', 'w', 'x'};

using Equal = std::array<std::uint64_t, kValueCount>;

// Which value a byte is, kValueCount for none.
constexpr auto kIndex = [] {
    std::array<std::uint8_t, 256> out{};
    out.fill(kValueCount);
    for (int v = 0; v < kValueCount; ++v) {
        out[kValues[static_cast<std::size_t>(v)]] = static_cast<std::uint8_t>(v);
    }
    return out;
}();

// Combines the equality masks of the 64 bytes at p into what the analyzer needs.
void combine(const unsigned char* p, const Equal& eq, BlockMasks& out) {
    // The same masks one and two bytes further on; the block's last bytes
    // look at the two bytes after it.
    const auto next = [&](int v) {
        return (eq[static_cast<std::size_t>(v)] >> 1) |
               (static_cast<std::uint64_t>(p[64] == kValues[static_cast<std::size_t>(v)]) << 63);
    };
    const auto after = [&](int v) {
        const unsigned char c = kValues[static_cast<std::size_t>(v)];
        return (eq[static_cast<std::size_t>(v)] >> 2) |
               (static_cast<std::uint64_t>(p[64] == c) << 62) |
               (static_cast<std::uint64_t>(p[65] == c) << 63);
    };
    const auto at = [&](int v) { return eq[static_cast<std::size_t>(v)]; };

    const std::uint64_t blank = at(kSpace) | at(kTab);
    const std::uint64_t quote = at(kDoubleQuote) | at(kQuote);
    const std::uint64_t parens = at(kOpen) | at(kClose);
    const std::uint64_t colons = at(kColon) | at(kSemicolon);
    const std::uint64_t punct = parens | colons | at(kComma);
    const std::uint64_t braces = at(kOpenBrace) | at(kCloseBrace);
    const std::uint64_t andOr = at(kAmp) | at(kBar);
    // A keyword can begin at the next byte only where its first two letters
    // stand there: "if" or "in", "wh", "fo", "ca" or "cl", "st", "ex", "na".
    // Testing the second letter too keeps words such as "char" from stopping
    // the bulk pass.
    const std::uint64_t nextStarts = (next(kI) & (after(kF) | after(kN))) | (next(kW) & after(kH)) |
                                     (next(kF) & after(kO)) | (next(kC) & (after(kA) | after(kL))) |
                                     (next(kS) & after(kT)) | (next(kE) & after(kX)) |
                                     (next(kN) & after(kA));
    const std::uint64_t leads = blank | parens | colons | at(kLineFeed);
    const std::uint64_t comment =
        (at(kStar) & next(kSlash)) | (at(kSlash) & (next(kSlash) | next(kStar)));
    const std::uint64_t notCode =
        blank | at(kReturn) | at(kLineFeed) | quote | punct | braces | at(kStar) | at(kSlash);

    out.stops = quote | braces | comment | (leads & nextStarts);
    out.lineFeeds = at(kLineFeed);
    out.returns = at(kReturn);
    out.code = ~notCode;
    out.punct = punct;
    out.solid = ~(blank | at(kReturn) | at(kLineFeed));
    out.stoppers = at(kClose) | colons;
    out.opens = at(kOpen);
    out.closes = at(kClose);
    out.pairs = andOr & (next(kAmp) | next(kBar));
}

void classifyPortable(const unsigned char* p, BlockMasks& out) {
    Equal eq{};
    for (unsigned k = 0; k < 64; ++k) {
        const std::uint8_t v = kIndex[p[k]];
        if (v != kValueCount) {
            eq[v] |= std::uint64_t{1} << k;
        }
    }
    combine(p, eq, out);
}

#if defined(TARNEL_X86)
void classifySse2(const unsigned char* p, BlockMasks& out) {
    __m128i x[4];
    for (int part = 0; part < 4; ++part) {
        x[part] = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + 16 * part));
    }
    Equal eq;
    for (std::size_t v = 0; v < kValueCount; ++v) {
        const __m128i c = _mm_set1_epi8(static_cast<char>(kValues[v]));
        std::uint64_t bits = 0;
        for (int part = 0; part < 4; ++part) {
            const auto m =
                static_cast<std::uint32_t>(_mm_movemask_epi8(_mm_cmpeq_epi8(x[part], c)));
            bits |= static_cast<std::uint64_t>(m) << (16 * part);
        }
        eq[v] = bits;
    }
    combine(p, eq, out);
}

__attribute__((target("avx2"))) void classifyAvx2(const unsigned char* p, BlockMasks& out) {
    const __m256i lo = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(p));
    const __m256i hi = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(p + 32));
    Equal eq;
    for (std::size_t v = 0; v < kValueCount; ++v) {
        const __m256i c = _mm256_set1_epi8(static_cast<char>(kValues[v]));
        const auto a = static_cast<std::uint32_t>(_mm256_movemask_epi8(_mm256_cmpeq_epi8(lo, c)));
        const auto b = static_cast<std::uint32_t>(_mm256_movemask_epi8(_mm256_cmpeq_epi8(hi, c)));
        eq[v] = a | (static_cast<std::uint64_t>(b) << 32);
    }
    combine(p, eq, out);
}

__attribute__((target("avx512f,avx512bw"))) void classifyAvx512(const unsigned char* p,
                                                                BlockMasks& out) {
    const __m512i x = _mm512_loadu_si512(p);
    Equal eq;
    for (std::size_t v = 0; v < kValueCount; ++v) {
        eq[v] = _mm512_cmpeq_epi8_mask(x, _mm512_set1_epi8(static_cast<char>(kValues[v])));
    }
    combine(p, eq, out);
}
#endif

std::atomic<Classifier> g_chosen{nullptr};

} // namespace

bool simdLevelAvailable(SimdLevel level) {
    switch (level) {
    case SimdLevel::Portable: return true;
#if defined(TARNEL_X86)
    case SimdLevel::Sse2: return __builtin_cpu_supports("sse2") != 0;
    case SimdLevel::Avx2: return __builtin_cpu_supports("avx2") != 0;
    case SimdLevel::Avx512:
        return __builtin_cpu_supports("avx512f") != 0 && __builtin_cpu_supports("avx512bw") != 0;
#else
    default: return false;
#endif
    }
    return false;
}

Classifier classifierFor(SimdLevel level) {
    if (!simdLevelAvailable(level)) {
        return classifyPortable;
    }
    switch (level) {
#if defined(TARNEL_X86)
    case SimdLevel::Sse2: return classifySse2;
    case SimdLevel::Avx2: return classifyAvx2;
    case SimdLevel::Avx512: return classifyAvx512;
#endif
    default: return classifyPortable;
    }
}

SimdLevel bestSimdLevel() {
    for (SimdLevel level : {SimdLevel::Avx512, SimdLevel::Avx2, SimdLevel::Sse2}) {
        if (simdLevelAvailable(level)) {
            return level;
        }
    }
    return SimdLevel::Portable;
}

Classifier activeClassifier() {
    Classifier c = g_chosen.load(std::memory_order_relaxed);
    if (c == nullptr) {
        c = classifierFor(bestSimdLevel());
        g_chosen.store(c, std::memory_order_relaxed);
    }
    return c;
}

void setSimdLevel(SimdLevel level) {
    g_chosen.store(classifierFor(level), std::memory_order_relaxed);
}

} // namespace tarnel
