// Saving that never destroys what was there: the bytes go to a temporary file beside the
// target, which is renamed over the target only once every byte was written and flushed.
#pragma once

#include <string>
#include <string_view>

namespace qtl {

// Replaces (or creates) the file at `path` with `bytes`. On failure the temporary file is
// removed, the previous file is left as it was, and a FileError is thrown.
void replaceFile(const std::string& path, std::string_view bytes);

}  // namespace qtl
