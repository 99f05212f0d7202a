#include "error.h"

#include <cerrno>

namespace mv {

std::string SystemReason(int errnum) {
    switch (errnum) {
        case ENOENT:
            return "dossier introuvable";
        case ENOTDIR:
            return "un élément du chemin n'est pas un dossier";
        case EISDIR:
            return "c'est un dossier";
        case EACCES:
        case EPERM:
            return "accès refusé";
        case EROFS:
            return "support en lecture seule";
        case ENOSPC:
            return "plus de place sur le disque";
        case EMFILE:
        case ENFILE:
            return "trop de fichiers ouverts";
        default:
            return "erreur système " + std::to_string(errnum);
    }
}

}  // namespace mv
