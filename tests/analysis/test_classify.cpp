// The 64-byte classifiers: what the masks mean, and every vector implementation
// the processor runs gives exactly the masks of the portable one.
#include <gtest/gtest.h>

#include <array>
#include <random>
#include <string>
#include <vector>

#include "classify.h"

namespace {

using tarnel::BlockMasks;
using tarnel::SimdLevel;

// 66 readable bytes: the block and the two bytes after it, padded with 'x'.
std::array<unsigned char, 66> block(const std::string& text) {
    std::array<unsigned char, 66> out{};
    out.fill('x');
    for (std::size_t k = 0; k < text.size() && k < out.size(); ++k) {
        out[k] = static_cast<unsigned char>(text[k]);
    }
    return out;
}

BlockMasks classify(tarnel::Classifier c, const std::array<unsigned char, 66>& bytes) {
    BlockMasks m{};
    c(bytes.data(), m);
    return m;
}

std::vector<unsigned> positions(std::uint64_t mask) {
    std::vector<unsigned> out;
    for (unsigned k = 0; k < 64; ++k) {
        if ((mask >> k) & 1) {
            out.push_back(k);
        }
    }
    return out;
}

struct StopCase {
    const char* name;
    std::string text;
    std::vector<unsigned> stops;
};

class StopMasks : public ::testing::TestWithParam<StopCase> {};

TEST_P(StopMasks, portable_classifier_stops_where_a_rule_must_run) {
    const StopCase& c = GetParam();
    const BlockMasks m = classify(tarnel::classifierFor(SimdLevel::Portable), block(c.text));
    EXPECT_EQ(positions(m.stops), c.stops) << c.text;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, StopMasks,
    ::testing::Values(
        StopCase{"plain_code", "int_value = other + 1", {}},
        StopCase{"quotes_and_braces", "a\"b'c{d}e", {1, 3, 5, 7}},
        StopCase{"bar_is_not_a_brace", "a|b", {}},
        StopCase{"comment_marks", "a/*b*/c//d", {1, 4, 7}},
        StopCase{"lone_slash_and_star", "a/b*c", {}},
        StopCase{"byte_before_a_keyword", " if(x) while", {0, 6}},
        StopCase{"keyword_after_paren_semicolon_colon_and_line_feed",
                 "(for;case:class\nstruct",
                 {0, 4, 9, 15}},
        StopCase{"two_letter_prefixes_stop_too", " int static", {0, 4}},
        StopCase{"words_that_begin_no_keyword", " char x=while", {}},
        StopCase{"keyword_in_the_two_bytes_after_the_block", std::string(63, 'x') + " if", {63}},
        StopCase{"comment_mark_split_by_the_block_end", std::string(63, 'x') + "/*", {63}}),
    [](const ::testing::TestParamInfo<StopCase>& info) { return std::string(info.param.name); });

TEST(BlockMasks, masks_mean_what_the_line_counting_and_the_brace_rules_need) {
    const BlockMasks m =
        classify(tarnel::classifierFor(SimdLevel::Portable), block("a b;\r\n*/(&&)|{"));
    const std::uint64_t text = 0x3FFF; // the fourteen bytes above, not the padding
    EXPECT_EQ(positions(m.lineFeeds), (std::vector<unsigned>{5}));
    EXPECT_EQ(positions(m.returns), (std::vector<unsigned>{4}));
    // Blanks, line breaks, punctuation, braces, "*" and "/" never make a line code.
    EXPECT_EQ(positions(m.code & text), (std::vector<unsigned>{0, 2, 9, 10, 12}));
    EXPECT_EQ(positions(m.punct & text), (std::vector<unsigned>{3, 8, 11}));
    // What an opening brace looks back for: the last byte that is no
    // whitespace and no "{", and the last of ) ; : {.
    EXPECT_EQ(positions(m.solid & text), (std::vector<unsigned>{0, 2, 3, 6, 7, 8, 9, 10, 11, 12}));
    EXPECT_EQ(positions(m.stoppers & text), (std::vector<unsigned>{3, 11, 13}));
    EXPECT_EQ(positions(m.opens), (std::vector<unsigned>{8}));
    EXPECT_EQ(positions(m.closes), (std::vector<unsigned>{11}));
    EXPECT_EQ(positions(m.pairs), (std::vector<unsigned>{9}));
}

void expectSameMasks(const BlockMasks& a, const BlockMasks& b, const std::string& what) {
    EXPECT_EQ(a.stops, b.stops) << what;
    EXPECT_EQ(a.lineFeeds, b.lineFeeds) << what;
    EXPECT_EQ(a.returns, b.returns) << what;
    EXPECT_EQ(a.code, b.code) << what;
    EXPECT_EQ(a.punct, b.punct) << what;
    EXPECT_EQ(a.solid, b.solid) << what;
    EXPECT_EQ(a.stoppers, b.stoppers) << what;
    EXPECT_EQ(a.opens, b.opens) << what;
    EXPECT_EQ(a.closes, b.closes) << what;
    EXPECT_EQ(a.pairs, b.pairs) << what;
}

class VectorClassifiers : public ::testing::TestWithParam<SimdLevel> {};

TEST_P(VectorClassifiers, give_the_masks_of_the_portable_classifier) {
    const SimdLevel level = GetParam();
    if (!tarnel::simdLevelAvailable(level)) {
        GTEST_SKIP() << "this processor does not run the level";
    }
    const tarnel::Classifier portable = tarnel::classifierFor(SimdLevel::Portable);
    const tarnel::Classifier vector = tarnel::classifierFor(level);
    // Every byte value at every position, the two bytes after the block included,
    // in front of each neighbour that changes what a byte means.
    for (const std::string neighbour : {"x", " ", "/", "*", "&", "f", "n"}) {
        for (unsigned pos = 0; pos < 66; ++pos) {
            for (int value = 0; value < 256; ++value) {
                std::array<unsigned char, 66> bytes = block(std::string(66, neighbour[0]));
                bytes[pos] = static_cast<unsigned char>(value);
                const BlockMasks a = classify(portable, bytes);
                const BlockMasks b = classify(vector, bytes);
                if (a.stops != b.stops || a.code != b.code || a.pairs != b.pairs) {
                    expectSameMasks(a, b,
                                    "byte " + std::to_string(value) + " at " + std::to_string(pos) +
                                        " among '" + neighbour + "'");
                    return;
                }
                expectSameMasks(a, b, "byte value");
            }
        }
    }
    // Random blocks of the bytes that matter.
    std::mt19937 rng(64);
    static const char kBytes[] = " \t\r\n\"'():;,*/{}&|acefhilnostwx=0\xff";
    std::uniform_int_distribution<std::size_t> pick(0, sizeof kBytes - 1);
    for (int i = 0; i < 20000; ++i) {
        std::array<unsigned char, 66> bytes{};
        for (auto& b : bytes) {
            b = static_cast<unsigned char>(kBytes[pick(rng)]);
        }
        expectSameMasks(classify(portable, bytes), classify(vector, bytes), "random block");
        if (HasFailure()) {
            return;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Levels, VectorClassifiers,
                         ::testing::Values(SimdLevel::Sse2, SimdLevel::Avx2, SimdLevel::Avx512),
                         [](const ::testing::TestParamInfo<SimdLevel>& info) {
                             switch (info.param) {
                             case SimdLevel::Sse2: return std::string("sse2");
                             case SimdLevel::Avx2: return std::string("avx2");
                             case SimdLevel::Avx512: return std::string("avx512");
                             default: return std::string("portable");
                             }
                         });

TEST(SimdLevels, unavailable_level_falls_back_to_the_portable_classifier) {
    EXPECT_TRUE(tarnel::simdLevelAvailable(SimdLevel::Portable));
    EXPECT_TRUE(tarnel::simdLevelAvailable(tarnel::bestSimdLevel()));
    for (auto level : {SimdLevel::Sse2, SimdLevel::Avx2, SimdLevel::Avx512}) {
        if (!tarnel::simdLevelAvailable(level)) {
            EXPECT_EQ(tarnel::classifierFor(level), tarnel::classifierFor(SimdLevel::Portable));
        }
    }
}

} // namespace
