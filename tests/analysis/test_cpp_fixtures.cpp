// Self-describing fixture files: the first line of each file under fixtures/cpp
// states what the analysis must give, as "/* name value name value ... */". A file
// ending in ".c" is analysed as C, any other as C++. Adding a case means adding a file.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <sstream>
#include <string>

#include "analyzer.h"

namespace {

std::map<std::string, int> expectations(const std::string& text) {
    std::map<std::string, int> out;
    const std::string first = text.substr(0, text.find('\n'));
    std::istringstream words(first);
    std::string word;
    std::string name;
    while (words >> word) {
        if (word == "/*" || word == "*/") {
            continue;
        }
        if (name.empty()) {
            name = word;
        } else {
            out[name] = std::stoi(word);
            name.clear();
        }
    }
    return out;
}

TEST(CppFixtures, every_file_gives_what_its_first_line_states) {
    const std::filesystem::path dir = std::filesystem::path(KESTRUM_TEST_DATA) / "cpp";
    int files = 0;
    for (const auto& entry : std::filesystem::directory_iterator(dir)) {
        const std::string name = entry.path().filename().string();
        if (!entry.is_regular_file() || name.front() == '.') {
            continue;
        }
        std::ifstream in(entry.path(), std::ios::binary);
        const std::string text((std::istreambuf_iterator<char>(in)),
                               std::istreambuf_iterator<char>());
        const auto want = expectations(text);
        ASSERT_FALSE(want.empty()) << name << ": the first line states nothing";
        const bool cMode = entry.path().extension() == ".c";
        mtrc_lines* r = tarnel::analyzeCpp(reinterpret_cast<const unsigned char*>(text.data()),
                                           text.size(), cMode, false, false);
        const std::map<std::string, int> got = {
            {"lines", r->lines},         {"comments", r->comments},   {"blanks", r->blanks},
            {"effective", r->effective}, {"functions", r->functions}, {"cc_min", r->cc_min},
            {"cc_max", r->cc_max},       {"cc_avg", r->cc_avg},       {"classes", r->classes},
            {"structs", r->structs}};
        mtrc_code_Release(r);
        for (const auto& [key, value] : want) {
            ASSERT_TRUE(got.count(key)) << name << ": unknown count " << key;
            EXPECT_EQ(got.at(key), value) << name << ": " << key;
        }
        ++files;
    }
    EXPECT_GE(files, 6);
}

} // namespace
