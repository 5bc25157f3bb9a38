// Program version, shown in the about box.
#pragma once

namespace qtl {
const char* versionText();
}
