// Byte classification, 64 bytes at a time.
//
// What a byte is to the analyzer is written down once, as flags per byte
// value (the tables below). The portable classifier reads the tables byte by
// byte; the vector classifiers either look the same tables up sixteen or
// sixty-four bytes at a time, or compare against each byte value the tables
// name. All of them first find the raw masks of RawMasks, which one function
// turns into what the analyzer needs, and the tests hold every vector
// classifier to the portable one.
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

// Flags of a byte where it stands (table A).
enum : std::uint8_t {
    kNotCode = 1,  // never makes a line code: blanks, line breaks, quotes, ( ) , ; : { } * /
    kNotSolid = 2, // space, tab, \r, \n, {
    kLead = 4,     // may stand before a keyword: space, tab, \n, ( ) : ;
    kPunct = 8,    // ( ) , ; :
    kStopper = 16, // ) ; : {
    kAlways = 32,  // always needs its rule: quotes and braces
    kAndOr = 64,   // & |
    kOpen = 128,   // (
};
// More flags of a byte (table B), also read for the byte after it.
enum : std::uint8_t {
    kClose = 1,    // )
    kLineFeed = 2, // \n
    kReturn = 4,   // \r
    kStar = 8,     // *
    kSlash = 16,   // /
    kAndOrB = 32,  // & |
};
// The first two letters of the keywords (if, while, for, case, class, struct,
// extern, interface, namespace): table F flags each first letter, table G
// flags each second letter with the first letters it follows, so a keyword
// may begin where F of a byte and G of the byte after it share a flag.
constexpr unsigned char kFirstLetters[] = "iwfcsen";
constexpr const char* kSecondLetters[] = {"fn", "h", "o", "al", "t", "x", "a"};

using Table = std::array<std::uint8_t, 256>;

constexpr Table makeTable(int which) {
    Table t{};
    const auto set = [&t](const char* bytes, std::uint8_t flag) {
        for (; *bytes != '\0'; ++bytes) {
            t[static_cast<unsigned char>(*bytes)] |= flag;
        }
    };
    if (which == 0) {
        set(" \t\r\n\"'(),;:{}*/", kNotCode);
        set(" \t\r\n{", kNotSolid);
        set(" \t\n():;", kLead);
        set("(),;:", kPunct);
        set(");:{", kStopper);
        set("\"'{}", kAlways);
        set("&|", kAndOr);
        set("(", kOpen);
    } else if (which == 1) {
        set(")", kClose);
        set("\n", kLineFeed);
        set("\r", kReturn);
        set("*", kStar);
        set("/", kSlash);
        set("&|", kAndOrB);
    } else {
        for (std::uint8_t k = 0; k < 7; ++k) {
            const auto flag = static_cast<std::uint8_t>(1u << k);
            if (which == 2) {
                t[kFirstLetters[k]] |= flag;
            } else {
                set(kSecondLetters[k], flag);
            }
        }
    }
    return t;
}

constexpr Table kTableA = makeTable(0);
constexpr Table kTableB = makeTable(1);
constexpr Table kTableF = makeTable(2);
constexpr Table kTableG = makeTable(3);

// One mask per flag, bit k for byte k of the block.
struct RawMasks {
    std::uint64_t notCode, notSolid, lead, punct, stopper, always, andOr, open; // table A
    std::uint64_t close, lineFeed, ret, star, slash;                            // table B
    std::uint64_t nextStar, nextSlash, nextAndOr; // table B of the byte after
    std::uint64_t starts;                         // a keyword's first two letters follow
};

__attribute__((always_inline)) inline void finish(const RawMasks& r, BlockMasks& out) {
    const std::uint64_t comment = (r.star & r.nextSlash) | (r.slash & (r.nextSlash | r.nextStar));
    out.keywords = r.lead & r.starts;
    out.stops = r.always | comment | out.keywords;
    out.lineFeeds = r.lineFeed;
    out.returns = r.ret;
    out.code = ~r.notCode;
    out.punct = r.punct;
    out.solid = ~r.notSolid;
    out.stoppers = r.stopper;
    out.opens = r.open;
    out.closes = r.close;
    out.pairs = r.andOr & r.nextAndOr;
}

void classifyPortable(const unsigned char* p, BlockMasks& out) {
    RawMasks r{};
    for (unsigned k = 0; k < 64; ++k) {
        const std::uint64_t bit = std::uint64_t{1} << k;
        const std::uint8_t a = kTableA[p[k]];
        const std::uint8_t b = kTableB[p[k]];
        const std::uint8_t next = kTableB[p[k + 1]];
        r.notCode |= (a & kNotCode) ? bit : 0;
        r.notSolid |= (a & kNotSolid) ? bit : 0;
        r.lead |= (a & kLead) ? bit : 0;
        r.punct |= (a & kPunct) ? bit : 0;
        r.stopper |= (a & kStopper) ? bit : 0;
        r.always |= (a & kAlways) ? bit : 0;
        r.andOr |= (a & kAndOr) ? bit : 0;
        r.open |= (a & kOpen) ? bit : 0;
        r.close |= (b & kClose) ? bit : 0;
        r.lineFeed |= (b & kLineFeed) ? bit : 0;
        r.ret |= (b & kReturn) ? bit : 0;
        r.star |= (b & kStar) ? bit : 0;
        r.slash |= (b & kSlash) ? bit : 0;
        r.nextStar |= (next & kStar) ? bit : 0;
        r.nextSlash |= (next & kSlash) ? bit : 0;
        r.nextAndOr |= (next & kAndOrB) ? bit : 0;
        r.starts |= (kTableF[p[k + 1]] & kTableG[p[k + 2]]) ? bit : 0;
    }
    finish(r, out);
}

#if defined(TARNEL_X86)
// The compare-based classifiers: each byte value the tables name is compared
// for, at the byte itself or one or two bytes further on. `Eq` gives the mask
// of the bytes at offset 0, 1 or 2 that equal a value.
template <class Eq>
__attribute__((always_inline)) inline void classifyByValue(Eq eq, BlockMasks& out) {
    RawMasks r{};
    const std::uint64_t blank = eq(0, ' ') | eq(0, '\t');
    r.ret = eq(0, '\r');
    r.lineFeed = eq(0, '\n');
    r.open = eq(0, '(');
    r.close = eq(0, ')');
    const std::uint64_t colons = eq(0, ':') | eq(0, ';');
    r.punct = r.open | r.close | colons | eq(0, ',');
    r.star = eq(0, '*');
    r.slash = eq(0, '/');
    const std::uint64_t openBrace = eq(0, '{');
    r.always = eq(0, '"') | eq(0, '\'') | openBrace | eq(0, '}');
    r.andOr = eq(0, '&') | eq(0, '|');
    r.notSolid = blank | r.ret | r.lineFeed | openBrace;
    r.lead = blank | r.lineFeed | r.open | r.close | colons;
    r.stopper = r.close | colons | openBrace;
    r.notCode = r.notSolid | r.punct | r.always | r.star | r.slash;
    r.nextStar = eq(1, '*');
    r.nextSlash = eq(1, '/');
    r.nextAndOr = eq(1, '&') | eq(1, '|');
    r.starts = (eq(1, 'i') & (eq(2, 'f') | eq(2, 'n'))) | (eq(1, 'w') & eq(2, 'h')) |
               (eq(1, 'f') & eq(2, 'o')) | (eq(1, 'c') & (eq(2, 'a') | eq(2, 'l'))) |
               (eq(1, 's') & eq(2, 't')) | (eq(1, 'e') & eq(2, 'x')) | (eq(1, 'n') & eq(2, 'a'));
    finish(r, out);
}

void classifySse2(const unsigned char* p, BlockMasks& out) {
    __m128i x[3][4];
    for (int offset = 0; offset < 3; ++offset) {
        for (int part = 0; part < 4; ++part) {
            x[offset][part] =
                _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + offset + 16 * part));
        }
    }
    classifyByValue(
        [&x](int offset, char value) {
            const __m128i c = _mm_set1_epi8(value);
            std::uint64_t bits = 0;
            for (int part = 0; part < 4; ++part) {
                const auto m = static_cast<std::uint32_t>(
                    _mm_movemask_epi8(_mm_cmpeq_epi8(x[offset][part], c)));
                bits |= static_cast<std::uint64_t>(m) << (16 * part);
            }
            return bits;
        },
        out);
}

// Compiled for AVX2 as a whole, the comparisons included.
#if defined(__clang__)
#pragma clang attribute push(__attribute__((target("avx2"))), apply_to = function)
#else
#pragma GCC push_options
#pragma GCC target("avx2")
#endif
struct Avx2Eq {
    __m256i x[3][2];
    std::uint64_t operator()(int offset, char value) const {
        const __m256i c = _mm256_set1_epi8(value);
        const auto lo =
            static_cast<std::uint32_t>(_mm256_movemask_epi8(_mm256_cmpeq_epi8(x[offset][0], c)));
        const auto hi =
            static_cast<std::uint32_t>(_mm256_movemask_epi8(_mm256_cmpeq_epi8(x[offset][1], c)));
        return lo | (static_cast<std::uint64_t>(hi) << 32);
    }
};

void classifyAvx2(const unsigned char* p, BlockMasks& out) {
    Avx2Eq eq;
    for (int offset = 0; offset < 3; ++offset) {
        for (int part = 0; part < 2; ++part) {
            eq.x[offset][part] =
                _mm256_loadu_si256(reinterpret_cast<const __m256i*>(p + offset + 32 * part));
        }
    }
    classifyByValue(eq, out);
}
#if defined(__clang__)
#pragma clang attribute pop
#else
#pragma GCC pop_options
#endif

// AVX-512 with byte permutes: each table is looked up for 64 bytes at once.
#if defined(__clang__)
#pragma clang attribute push(__attribute__((target("avx512f,avx512bw,avx512vbmi"))),               \
                             apply_to = function)
#else
#pragma GCC push_options
#pragma GCC target("avx512f,avx512bw,avx512vbmi")
#endif
struct Lookup {
    __m512i low;  // entries 0-63
    __m512i high; // entries 64-127; bytes of 128 and above have no flags
    explicit Lookup(const Table& t)
        : low(_mm512_loadu_si512(t.data())), high(_mm512_loadu_si512(t.data() + 64)) {}
    __m512i operator()(__m512i x) const {
        return _mm512_maskz_permutex2var_epi8(~_mm512_movepi8_mask(x), low, x, high);
    }
};

inline std::uint64_t has(__m512i flags, std::uint8_t flag) {
    return _mm512_test_epi8_mask(flags, _mm512_set1_epi8(static_cast<char>(flag)));
}

void classifyAvx512(const unsigned char* p, BlockMasks& out) {
    static const Lookup a(kTableA), b(kTableB), f(kTableF), g(kTableG);
    const __m512i x = _mm512_loadu_si512(p);
    const __m512i x1 = _mm512_loadu_si512(p + 1);
    const __m512i x2 = _mm512_loadu_si512(p + 2);
    const __m512i fa = a(x);
    const __m512i fb = b(x);
    const __m512i next = b(x1);
    RawMasks r;
    r.notCode = has(fa, kNotCode);
    r.notSolid = has(fa, kNotSolid);
    r.lead = has(fa, kLead);
    r.punct = has(fa, kPunct);
    r.stopper = has(fa, kStopper);
    r.always = has(fa, kAlways);
    r.andOr = has(fa, kAndOr);
    r.open = has(fa, kOpen);
    r.close = has(fb, kClose);
    r.lineFeed = has(fb, kLineFeed);
    r.ret = has(fb, kReturn);
    r.star = has(fb, kStar);
    r.slash = has(fb, kSlash);
    r.nextStar = has(next, kStar);
    r.nextSlash = has(next, kSlash);
    r.nextAndOr = has(next, kAndOrB);
    r.starts = _mm512_test_epi8_mask(f(x1), g(x2));
    finish(r, out);
}
#if defined(__clang__)
#pragma clang attribute pop
#else
#pragma GCC pop_options
#endif
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
        return __builtin_cpu_supports("avx512f") != 0 && __builtin_cpu_supports("avx512bw") != 0 &&
               __builtin_cpu_supports("avx512vbmi") != 0;
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
