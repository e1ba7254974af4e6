// Placeholder so the skeleton builds; replaced by the real sources.
#include "tarnel.h"

CTarnel& CTarnel::operator=(const CTarnel&) = default;
