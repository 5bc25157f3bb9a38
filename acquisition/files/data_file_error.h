// The error that ends a data file command on an input/output failure; it carries the French
// text of the error box and leaves what was on disk as it was.
#pragma once

#include "qtl_error.h"

namespace qtl {

class DataFileError : public CommandError {
  public:
    using CommandError::CommandError;
};

}  // namespace qtl
