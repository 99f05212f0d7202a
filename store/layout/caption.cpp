#include "store/layout/caption.h"

#include "store/layout/activites.h"
#include "store/layout/association.h"
#include "store/layout/compteur.h"
#include "store/layout/etablissement.h"
#include "store/layout/tables.h"

namespace store::layout {

std::string CaptionOf(std::span<const Caption> captions, int attribute) {
    for (const Caption& c : captions) {
        if (attribute < c.first || attribute >= c.first + c.count)
            continue;
        return c.parts ? c.parts[attribute - c.first] : c.text;
    }
    return "Attribut " + std::to_string(attribute);
}

std::span<const Caption> CaptionsOf(const std::string& fileName) {
    if (fileName == "ASSOCIATION")
        return association::kCaptions;
    if (fileName == "ETABLISSEMENT")
        return etablissement::kCaptions;
    if (fileName == "ACTIVITES")
        return activites::kCaptions;
    if (fileName == "COMPTEUR")
        return compteur::kCaptions;
    if (fileName == "TABLES")
        return tables::kCaptions;
    return {};
}

}  // namespace store::layout
