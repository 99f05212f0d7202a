#include "system_files.h"

namespace seed {

const std::vector<SystemFile>& SystemFiles() {
    // The names the screens' commands use (SigleAssoc, SigleEtabl, CodEtabl, LibActivite,
    // CodActivite) must keep their spelling; the others only give LIST its headings.
    static const std::vector<SystemFile> files = {
        {"ASSOCIATION",
         {{"SigleAssoc", "1", "Sigle", "20L", false, true},
          {"RaisonAssoc", "2", "Raison sociale", "40L"},
          {"CodePostal", "6", "CP", "5L"},
          {"Commune", "8", "Commune", "25L"},
          {"Telephone", "10", "Téléphone", "14L"},
          {"Siren", "14", "SIREN", "9L"},
          {"Email", "35", "E-mail", "30L"},
          {"Finess", "37", "FINESS", "9L"},
          {"Telegestion", "38", "Télégestion", "4L"}}},
        // An establishment's id is its association code followed by its own code, so the
        // association's establishments are the ids that begin with the association code.
        {"ETABLISSEMENT",
         {{"CodEtabl", "0", "Code", "6L", false, true},
          {"SigleEtabl", "1", "Sigle", "20L", false, true},
          {"RaisonEtabl", "2", "Raison sociale", "40L"},
          {"Commune", "8", "Commune", "25L"},
          {"Siret", "14", "SIRET", "14L"},
          {"Regime", "33", "Régime", "1L"},
          {"IdCCN", "44", "IDCC", "4L"}}},
        {"ACTIVITES",
         {{"CodActivite", "0", "Code", "6L", false, true},
          {"LibActivite", "1", "Dénomination", "30L", false, true},
          {"SectAnal", "2", "Section", "3L"},
          {"CodeTVA", "11", "TVA", "1L"},
          {"TypeActivite", "12", "Type", "1L"},
          // The service check selects on it across every association.
          {"Service", "13", "Service", "3L", false, true},
          {"CoutHoraire", "14", "Coût horaire", "8R", true},
          {"DateCout", "15", "Date", "6R", true},
          {"Finess", "19", "FINESS", "9L"},
          {"CompteSansPriseChg", "23", "Cpte sans PEC", "10L"},
          {"CompteCotisation", "24", "Cpte cotisation", "10L"}}},
        {"COMPTEUR",
         {{"DerActivite", "2", "Dern. activité", "3R"},
          {"DerEtabl", "4", "Dern. établ.", "3R"},
          {"Comptabilite", "15", "Comptabilité", "1L"}}},
        {"NUMEROFACT", {{"DerFacture", "1", "Dernière facture", "10R"}}},
        {"TABLES",
         {{"Titre", "1", "Table", "30L"},
          {"Codes", "2", "Codes", "10L", true},
          {"Libelles", "3", "Libellés", "35L", true},
          {"Valeurs", "4", "Valeurs", "8R", true}}},
        {"CHEMINFICHIER", {{"DossierModeles", "3", "Dossier des modèles", "50L"}}},
        {"PERIODESPAIE", {{"PeriodePaie", "1", "Période de paie", "6L"}}},
        // The accounting type-ahead matches label prefixes over every association's chart.
        {"PLANCOMPTABLE", {{"LibCompte", "1", "Libellé du compte", "40L", false, true, 3}}},
        {"CONVENTIONCOL",
         {{"LibConvention", "1", "Convention collective", "50L"}, {"IDCC", "2", "IDCC", "4L"}}},
        {"CIVILAIDANT",
         {{"Civilite", "1", "Civ.", "4L"},
          {"Nom", "2", "Nom", "20L"},
          {"Prenom", "3", "Prénom", "15L"},
          {"Commune", "5", "Commune", "25L"},
          {"Secteur", "31", "Secteur", "2L"}}},
        {"DROITS", {{"Ecran", "1", "Ecran", "15L", true}, {"Niveau", "2", "Niveau", "1R", true}}},
    };
    return files;
}

}  // namespace seed
