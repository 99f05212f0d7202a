#include "variables.h"

namespace store {

Variables& Variables::Get() {
    static Variables instance;
    return instance;
}

namespace Procedure {
namespace {

template <typename Fn>
void skippingErrors(Fn fn) {
    try {
        fn();
    } catch (const std::exception&) {
        // A missing file or record leaves its object empty; its user fails later, at that point.
    }
}

}  // namespace

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
    skippingErrors([&] { v.fCompteur = db->OpenFile("COMPTEUR"); });
    skippingErrors([&] { v.fTables = db->OpenFile("TABLES"); });
    skippingErrors([&] { v.fCheminFichier = db->OpenFile("CHEMINFICHIER"); });
    skippingErrors([&] { v.fNumeroFact = db->OpenFile("NUMEROFACT"); });
    skippingErrors([&] { v.fPeriodesPaie = db->OpenFile("PERIODESPAIE"); });
    skippingErrors([&] { v.fPlanComptable = db->OpenFile("PLANCOMPTABLE"); });
    if (v.fTables) {
        skippingErrors([&] { v.sectAnal = v.fTables->Read("SECTANAL"); });
        skippingErrors([&] { v.emplois = v.fTables->Read("EMPLOIS"); });
        skippingErrors([&] { v.tauxTva = v.fTables->Read("TAUXTVA"); });
        skippingErrors([&] { v.telegestion = v.fTables->Read("TELEGESTION"); });
    }
    skippingErrors([&] {
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
