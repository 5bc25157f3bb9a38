// Errors of reading and writing the program's files, with the texts the user sees in the error
// box: "Fichier introuvable", "Disque plein" or "Erreur E/S" and the system's error number.
#pragma once

#include <string>

#include "qtl_error.h"

namespace qtl {

class FileError : public CommandError {
  public:
    explicit FileError(int systemError);
    int systemError() const { return systemError_; }

  private:
    int systemError_;
};

// The user's text for a system error number (errno).
std::string fileErrorText(int systemError);

}  // namespace qtl
