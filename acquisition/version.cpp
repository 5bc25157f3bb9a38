#include "version.h"

namespace qtl {
const char* versionText() { return "0.1.0"; }
}  // namespace qtl
