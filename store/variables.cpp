#include "variables.h"

#include "skipping_errors.h"
#include "store/layout/tables.h"

namespace store {

Variables& Variables::Get() {
    static Variables instance;
    return instance;
}

namespace Procedure {

void Ouverture() {
    Variables& v = Variables::Get();
    v.requete = Record();
    v.fCompteur.reset();
    v.fTables.reset();
    v.fCheminFichier.reset();
    v.fNumeroFact.reset();
    v.fPeriodesPaie.reset();
    v.fPlanComptable.reset();
    v.sectAnal.reset();
    v.emplois.reset();
    v.tauxTva.reset();
    v.telegestion.reset();
    Database* db = v.database.get();
    if (!db)
        return;
    // A missing file or record leaves its object empty; its user fails later, at that point.
    SkippingErrors([&] { v.fCompteur = db->OpenFile("COMPTEUR"); });
    SkippingErrors([&] { v.fTables = db->OpenFile("TABLES"); });
    SkippingErrors([&] { v.fCheminFichier = db->OpenFile("CHEMINFICHIER"); });
    SkippingErrors([&] { v.fNumeroFact = db->OpenFile("NUMEROFACT"); });
    SkippingErrors([&] { v.fPeriodesPaie = db->OpenFile("PERIODESPAIE"); });
    SkippingErrors([&] { v.fPlanComptable = db->OpenFile("PLANCOMPTABLE"); });
    if (v.fTables) {
        SkippingErrors([&] { v.sectAnal = v.fTables->Read(layout::tables::kSectionsAnalytiques); });
        SkippingErrors([&] { v.emplois = v.fTables->Read(layout::tables::kEmplois); });
        SkippingErrors([&] { v.tauxTva = v.fTables->Read(layout::tables::kTauxTva); });
        SkippingErrors([&] { v.telegestion = v.fTables->Read(layout::tables::kTelegestion); });
    }
    SkippingErrors([&] {
        std::string status;
        db->CallSubroutine("DBA.EXECUTE", status, "DATE.FORMAT");
    });
}

void Fermeture() {
    Variables& v = Variables::Get();
    v.requete.reset();
    v.sectAnal.reset();
    v.emplois.reset();
    v.tauxTva.reset();
    v.telegestion.reset();
    v.association.reset();
    v.chemin.reset();
    v.numeroFactAssociation.reset();
    v.compteurAssociation.reset();
    v.services.reset();
    v.periodesPaie.reset();
    v.fCompteur.reset();
    v.fAssociation.reset();
    v.fTables.reset();
    v.fCheminFichier.reset();
    v.fNumeroFact.reset();
    v.fPeriodesPaie.reset();
    v.fPlanComptable.reset();
    v.database.reset();
}

}  // namespace Procedure
}  // namespace store
