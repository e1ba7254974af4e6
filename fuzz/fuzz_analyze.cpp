// Fuzz target for the source analyzers. The first byte picks the language
// (C++, C, Visual Basic) and whether the function and class lists are built;
// the rest is the file's contents. The result is checked for the invariants
// every analysis keeps and then released, so a leak shows.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "analyzer.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) {
        return 0;
    }
    const int language = data[0] % 3;
    const bool wantFunctions = (data[0] & 0x04) != 0;
    const bool wantClasses = (data[0] & 0x08) != 0;
    mtrc_lines* result =
        tarnel::analyzeBuffer(data + 1, size - 1, language, wantFunctions, wantClasses);
    // A Visual Basic file that is all designer header counts no line at all.
    const int minLines = language == tarnel::LangVb ? 0 : 1;
    if (result == nullptr || result->lines < minLines || result->comments < 0 ||
        result->blanks < 0 || result->effective < 0 || result->comments > result->lines ||
        result->blanks > result->lines || result->effective > result->lines) {
        std::abort();
    }
    if (language != tarnel::LangVb) {
        if (result->cc_min > result->cc_max || result->cc_avg < result->cc_min ||
            result->cc_avg > result->cc_max || (result->functions > 0 && result->cc_min < 1) ||
            (!wantFunctions && result->func_list != nullptr) ||
            (!wantClasses && result->class_list != nullptr)) {
            std::abort();
        }
    }
    mtrc_code_Release(result);
    return 0;
}
