// Placeholder until the Visual Basic analyzer lands.
#include "analyzer.h"

namespace tarnel {
mtrc_lines* analyzeVb(const unsigned char*, std::size_t) { return new mtrc_lines{}; }
} // namespace tarnel
