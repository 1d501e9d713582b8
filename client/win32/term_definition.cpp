#include "term_definition.h"

namespace korvane {

// The definition keeps its built-in 24 x 80 screen until terminal types are read.
int LoadTermDefinition() { return 0; }

}  // namespace korvane
