#include "system_files.h"

#include "store/layout/activites.h"
#include "store/layout/association.h"
#include "store/layout/compteur.h"
#include "store/layout/etablissement.h"
#include "store/layout/numerofact.h"
#include "store/layout/parametres.h"
#include "store/layout/plancomptable.h"
#include "store/layout/references.h"
#include "store/layout/tables.h"

namespace seed {

namespace {

namespace L = store::layout;

// A dictionary item's location: the attribute number as text ("0" for the record id).
std::string At(int attribute) {
    return std::to_string(attribute);
}

}  // namespace

const std::vector<SystemFile>& SystemFiles() {
    // The names the screens' commands use (SigleAssoc, SigleEtabl, CodEtabl, LibActivite,
    // CodActivite) must keep their spelling; the others only give LIST its headings.
    static const std::vector<SystemFile> files = {
        {"ASSOCIATION",
         {{"SigleAssoc", At(L::association::kSigle), "Sigle", "20L", false, true},
          {"RaisonAssoc", At(L::association::kRaisonSociale), "Raison sociale", "40L"},
          {"CodePostal", At(L::association::kAdresse + 3), "CP", "5L"},
          {"Commune", At(L::association::kAdresse + 5), "Commune", "25L"},
          {"Telephone", At(L::association::kAdresse + 7), "Téléphone", "14L"},
          {"Siren", At(L::association::kSiren), "SIREN", "9L"},
          {"Email", At(L::association::kEmail), "E-mail", "30L"},
          {"Finess", At(L::association::kFiness), "FINESS", "9L"},
          {"Telegestion", At(L::association::kSystemeTelegestion), "Télégestion", "4L"}}},
        // An establishment's id is its association code followed by its own code, so the
        // association's establishments are the ids that begin with the association code.
        {"ETABLISSEMENT",
         {{"CodEtabl", "0", "Code", "6L", false, true},
          {"SigleEtabl", At(L::etablissement::kSigle), "Sigle", "20L", false, true},
          {"RaisonEtabl", At(L::etablissement::kRaisonSociale), "Raison sociale", "40L"},
          {"Commune", At(L::etablissement::kAdresseCommune), "Commune", "25L"},
          {"Siret", At(L::etablissement::kSiret), "SIRET", "14L"},
          {"Regime", At(L::etablissement::kRegime), "Régime", "1L"},
          {"IdCCN", At(L::etablissement::kIdConventionCollective), "IDCC", "4L"}}},
        {"ACTIVITES",
         {{"CodActivite", "0", "Code", "6L", false, true},
          {"LibActivite", At(L::activites::kLibelle), "Dénomination", "30L", false, true},
          {"SectAnal", At(L::activites::kSection), "Section", "3L"},
          {"CodeTVA", At(L::activites::kCodeTva), "TVA", "1L"},
          {"TypeActivite", At(L::activites::kType), "Type", "1L"},
          // The service check selects on it across every association.
          {"Service", At(L::activites::kService), "Service", "3L", false, true},
          {"CoutHoraire", At(L::activites::kCoutHoraire), "Coût horaire", "8R", true},
          {"DateCout", At(L::activites::kDateApplication), "Date", "6R", true},
          {"Finess", At(L::activites::kFiness), "FINESS", "9L"},
          {"CompteSansPriseChg", At(L::activites::kCompteAideSansPriseChg), "Cpte sans PEC", "10L"},
          {"CompteCotisation", At(L::activites::kCompteCotisAnnuelle), "Cpte cotisation", "10L"}}},
        {"COMPTEUR",
         {{"DerActivite", At(L::compteur::kDerniereActivite), "Dern. activité", "3R"},
          {"DerEtabl", At(L::compteur::kDernierEtablissement), "Dern. établ.", "3R"},
          {"Comptabilite", At(L::compteur::kIntegrationComptable), "Comptabilité", "1L"}}},
        {"NUMEROFACT",
         {{"DerFacture", At(L::numerofact::kDerniereFacture), "Dernière facture", "10R"}}},
        {"TABLES",
         {{"Titre", At(L::tables::kTitre), "Table", "30L"},
          {"Codes", At(L::tables::kCodes), "Codes", "10L", true},
          {"Libelles", At(L::tables::kLibelles), "Libellés", "35L", true},
          {"Valeurs", At(L::tables::kValeurs), "Valeurs", "8R", true}}},
        {"CHEMINFICHIER",
         {{"DossierModeles", At(L::cheminfichier::kDossierModeles), "Dossier des modèles", "50L"}}},
        {"PERIODESPAIE",
         {{"PeriodePaie", At(L::periodespaie::kPeriodeCourante), "Période de paie", "6L"}}},
        // The accounting type-ahead matches label prefixes over every association's chart.
        {"PLANCOMPTABLE",
         {{"LibCompte", At(L::plancomptable::kLibelle), "Libellé du compte", "40L", false, true,
           3}}},
        {"CONVENTIONCOL",
         {{"LibConvention", At(L::conventioncol::kLibelle), "Convention collective", "50L"},
          {"IDCC", At(L::conventioncol::kIdcc), "IDCC", "4L"}}},
        {"CIVILAIDANT",
         {{"Civilite", At(L::civilaidant::kCivilite), "Civ.", "4L"},
          {"Nom", At(L::civilaidant::kNom), "Nom", "20L"},
          {"Prenom", At(L::civilaidant::kPrenom), "Prénom", "15L"},
          {"Commune", At(L::civilaidant::kCommune), "Commune", "25L"},
          {"Secteur", At(L::civilaidant::kSecteur), "Secteur", "2L"}}},
        {"DROITS",
         {{"Ecran", At(L::droits::kEcrans), "Ecran", "15L", true},
          {"Niveau", At(L::droits::kNiveaux), "Niveau", "1R", true}}},
    };
    return files;
}

}  // namespace seed
