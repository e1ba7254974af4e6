// Fuzz target for the source analyzers. The first byte picks the language
// (C++, C, Visual Basic) and whether the function and class lists are built;
// the rest is the file's contents. The result is checked for the invariants
// every analysis keeps and then released, so a leak shows. C and C++ inputs
// are analysed a second time with the portable byte classifier: every count
// and every list entry must be the same as with the vector one.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "analyzer.h"
#include "classify.h"

namespace {

bool sameText(const char* a, const char* b) {
    return (a == nullptr) == (b == nullptr) && (a == nullptr || std::strcmp(a, b) == 0);
}

bool sameResult(const mtrc_lines* a, const mtrc_lines* b) {
    if (a->lines != b->lines || a->comments != b->comments || a->blanks != b->blanks ||
        a->effective != b->effective || a->functions != b->functions || a->cc_min != b->cc_min ||
        a->cc_max != b->cc_max || a->cc_avg != b->cc_avg || a->classes != b->classes ||
        a->structs != b->structs) {
        return false;
    }
    const mtrc_func* f = a->func_list;
    const mtrc_func* g = b->func_list;
    for (; f != nullptr && g != nullptr; f = f->next, g = g->next) {
        if (!sameText(f->name, g->name) || f->lines != g->lines || f->comments != g->comments ||
            f->blanks != g->blanks || f->effective != g->effective || f->cc != g->cc) {
            return false;
        }
    }
    const mtrc_class* c = a->class_list;
    const mtrc_class* d = b->class_list;
    for (; c != nullptr && d != nullptr; c = c->next, d = d->next) {
        if (!sameText(c->name, d->name)) {
            return false;
        }
    }
    return f == nullptr && g == nullptr && c == nullptr && d == nullptr;
}

} // namespace

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
    if (language != tarnel::LangVb) {
        tarnel::setSimdLevel(tarnel::SimdLevel::Portable);
        mtrc_lines* portable =
            tarnel::analyzeBuffer(data + 1, size - 1, language, wantFunctions, wantClasses);
        tarnel::setSimdLevel(tarnel::bestSimdLevel());
        if (portable == nullptr || !sameResult(result, portable)) {
            std::abort();
        }
        mtrc_code_Release(portable);
    }
    mtrc_code_Release(result);
    return 0;
}
