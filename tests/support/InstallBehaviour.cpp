// The tests play pages as the programs do: with the standard behaviour installed before
// the first test runs.
#include "behaviour/StandardBehaviour.h"

namespace {

const bool g_installed = (CStandardBehaviour::Install(), true);

}  // namespace
