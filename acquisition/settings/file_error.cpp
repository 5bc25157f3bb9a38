// File error texts.
#include "settings/file_error.h"

#include <cerrno>

namespace qtl {

std::string fileErrorText(int systemError) {
    switch (systemError) {
        case ENOENT:
            return "Fichier introuvable";
        case ENOSPC:
#ifdef EDQUOT
        case EDQUOT:
#endif
            return "Disque plein";
        default:
            return "Erreur E/S " + std::to_string(systemError);
    }
}

FileError::FileError(int systemError)
    : CommandError(fileErrorText(systemError)), systemError_(systemError) {}

}  // namespace qtl
