// Internal interface of the source analyzers: they work on bytes in memory.
#pragma once

#include <cstddef>

#include "tarnel.h"

namespace tarnel {

// The analyzer language codes of mtrc_code_Analyze.
enum Language : int { LangCpp = 0, LangC = 1, LangVb = 2 };

// Analyses `size` bytes at `data` as C++ (or C when cMode is set) and returns a
// new record; never null. The lists are built only when asked for.
mtrc_lines* analyzeCpp(const unsigned char* data, std::size_t size, bool cMode, bool wantFunctions,
                       bool wantClasses);

// Analyses `size` bytes at `data` as Visual Basic and returns a new record.
mtrc_lines* analyzeVb(const unsigned char* data, std::size_t size);

// Dispatches on the language code as mtrc_code_Analyze does: 2 is Visual
// Basic, 1 is C, every other value is C++.
mtrc_lines* analyzeBuffer(const unsigned char* data, std::size_t size, int language,
                          bool wantFunctions, bool wantClasses);

} // namespace tarnel
