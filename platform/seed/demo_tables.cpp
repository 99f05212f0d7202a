// Shared demo records: the chart of accounts every association starts from, the TABLES records,
// the collective agreements, the helped persons' sectors, the rights of the demo users and the
// document templates.

#include "demo_data.h"
#include "seed.h"

namespace seed::demo {

const std::vector<Account>& CommonChart() {
    static const std::vector<Account> chart = {
        {"1020000000", "FONDS ASSOCIATIFS SANS DROIT DE REPRISE"},
        {"1100000000", "REPORT A NOUVEAU"},
        {"1200000000", "RESULTAT DE L'EXERCICE"},
        {"1640000000", "EMPRUNTS AUPRES DES ETABLISSEMENTS DE CREDIT"},
        {"2183000000", "MATERIEL DE BUREAU ET INFORMATIQUE"},
        {"2182000000", "MATERIEL DE TRANSPORT"},
        {"4010000000", "FOURNISSEURS"},
        {"4110000000", "USAGERS"},
        {"4116000000", "USAGERS CONSEIL DEPARTEMENTAL"},
        {"4117000000", "USAGERS CAISSES DE RETRAITE"},
        {"4210000000", "PERSONNEL REMUNERATIONS DUES"},
        {"4310000000", "URSSAF"},
        {"4372000000", "CAISSE DE RETRAITE COMPLEMENTAIRE"},
        {"4373000000", "PREVOYANCE"},
        {"4457100000", "TVA COLLECTEE"},
        {"5121000000", "BANQUE COMPTE COURANT"},
        {"5300000000", "CAISSE"},
        {"6061000000", "FOURNITURES NON STOCKABLES"},
        {"6064000000", "FOURNITURES ADMINISTRATIVES"},
        {"6132000000", "LOCATIONS IMMOBILIERES"},
        {"6161000000", "ASSURANCES MULTIRISQUES"},
        {"6251000000", "DEPLACEMENTS DES INTERVENANTS"},
        {"6260000000", "FRAIS POSTAUX ET TELECOMMUNICATIONS"},
        {"6411000000", "SALAIRES ET APPOINTEMENTS"},
        {"6413000000", "INDEMNITES DE CONGES PAYES"},
        {"6451000000", "COTISATIONS URSSAF"},
        {"6453000000", "COTISATIONS CAISSES DE RETRAITE"},
        {"7061000000", "PRESTATIONS AIDE MENAGERE"},
        {"7062000000", "PRESTATIONS AUXILIAIRE DE VIE"},
        {"7064000000", "FRAIS DE GESTION MANDATAIRE"},
        {"7065000000", "MISE EN RELATION INTERMEDIAIRE"},
        {"7066000000", "AIDES SANS PRISE EN CHARGE"},
        {"7410000000", "SUBVENTIONS D'EXPLOITATION ETAT"},
        {"7440000000", "SUBVENTIONS CONSEIL DEPARTEMENTAL"},
        {"7460000000", "DONS ET LEGS"},
        {"7561000000", "COTISATIONS ANNUELLES MANDATAIRE"},
        {"7562000000", "COTISATIONS ANNUELLES PRESTATAIRE"},
        {"7563000000", "COTISATIONS ANNUELLES INTERMEDIAIRE"},
        {"7680000000", "PRODUITS FINANCIERS"},
    };
    return chart;
}

const std::vector<Table>& Tables() {
    static const std::vector<Table> tables = {
        {.id = "SECTANAL",
         .title = "Sections analytiques",
         .codes = {"100", "200", "300", "400", "450", "500", "900"},
         .labels = {"AIDE A DOMICILE PRESTATAIRE", "SOINS INFIRMIERS A DOMICILE", "GARDE D'ENFANTS",
                    "MANDATAIRE", "INTERMEDIAIRE", "PORTAGE DE REPAS", "SIEGE ET ADMINISTRATION"}},
        {.id = "EMPLOIS",
         .title = "Emplois",
         .codes = {"ADV", "AVS", "TIS", "ASG", "IDC", "RES", "ADM"},
         .labels = {"AGENT A DOMICILE", "AUXILIAIRE DE VIE SOCIALE",
                    "TECHNICIEN D'INTERVENTION SOCIALE ET FAMILIALE", "AIDE-SOIGNANT",
                    "INFIRMIER COORDINATEUR", "RESPONSABLE DE SECTEUR", "AGENT ADMINISTRATIF"}},
        // Rates in hundredths of a percent.
        {.id = "TAUXTVA",
         .title = "Taux de TVA",
         .codes = {"0", "1", "2", "3"},
         .labels = {"EXONERE", "TAUX REDUIT 5,5 %", "TAUX NORMAL 20 %", "TAUX INTERMEDIAIRE 10 %"},
         .values = {"0", "550", "2000", "1000"}},
        {.id = "TELEGESTION",
         .title = "Systèmes de télégestion",
         .codes = {"TPO", "DPH", "MOB"},
         .labels = {"TELEPOINTAGE OUEST", "DOMICILE PHONE SERVICES", "VISITES MOBILES"}},
        // Codes are the stored quality: "0" followed by the list position plus one.
        {.id = "QUALITERESPPAIE",
         .title = "Qualités du responsable de paie",
         .codes = {"01", "02", "03", "04", "05"},
         .labels = {"Directeur", "Président", "Comptable", "Responsable des ressources humaines",
                    "Secrétaire administrative"}},
        // A service belongs to one type of activity only (P, M, I or S).
        {.id = "SERVICES",
         .title = "Services",
         .codes = {"AMN", "AVS", "GAE", "POR", "MAN", "INT", "SSI"},
         .labels = {"AIDE MENAGERE", "AUXILIAIRE DE VIE", "GARDE D'ENFANTS", "PORTAGE DE REPAS",
                    "EMPLOI DIRECT MANDATAIRE", "MISE EN RELATION", "SOINS INFIRMIERS"}},
    };
    return tables;
}

const std::vector<Agreement>& Agreements() {
    static const std::vector<Agreement> agreements = {
        {"A1", "Branche de l'aide, de l'accompagnement, des soins et des services à domicile",
         "2941"},
        {"B2", "Établissements privés d'hospitalisation, de soins, de cure et de garde", "0029"},
        {"C3", "Particuliers employeurs et emploi à domicile", "3239"},
    };
    return agreements;
}

const std::vector<Person>& People() {
    static const std::vector<Person> people = {
        {"10001", "MME", "BOURCIER", "Madeleine", "49300", "CHOLET", "01"},
        {"10002", "M.", "GODINEAU", "Joseph", "49300", "CHOLET", "01"},
        {"10003", "MME", "RAIMBAULT", "Simone", "49600", "BEAUPRÉAU-EN-MAUGES", "02"},
        {"10004", "MME", "CHAUVIRÉ", "Lucienne", "49600", "BEAUPRÉAU-EN-MAUGES", "02"},
        {"20001", "M.", "DELAUNAY", "Marcel", "37000", "TOURS", "01"},
        {"20002", "MME", "LEROUX", "Germaine", "37400", "AMBOISE", "02"},
        {"30001", "MME", "LE GOFF", "Yvonne", "44600", "SAINT-NAZAIRE", "01"},
        {"30002", "M.", "THOBIE", "René", "44380", "PORNICHET", "02"},
        {"30003", "MME", "BERTHO", "Anne", "44350", "GUÉRANDE", "03"},
        {"40001", "M.", "BRUNETEAU", "Gilbert", "79200", "PARTHENAY", "02"},
        {"40002", "MME", "PAPIN", "Odette", "79500", "MELLE", "03"},
        {"50001", "MME", "CHEVALLIER", "Paulette", "72600", "MAMERS", "01"},
    };
    return people;
}

const std::vector<UserRights>& Rights() {
    static const std::vector<UserRights> rights = {
        {kDemoAdminUser, {"ASSOCIATION", "PAIE", "FACTURATION"}, {"2", "2", "2"}},
        {kDemoConsultUser, {"ASSOCIATION", "PAIE", "FACTURATION"}, {"1", "1", "1"}},
    };
    return rights;
}

const std::vector<Template>& Templates() {
    static const std::vector<Template> templates = {
        {"Contrat.txt",
         "«RAISON_SOCIALE»\n"
         "«ADRESSE_ASSOCIATION»\n"
         "\n"
         "CONTRAT DE TRAVAIL À DURÉE INDÉTERMINÉE\n"
         "\n"
         "Entre l'association «RAISON_SOCIALE», représentée par «NOM_DIRIGEANT», d'une part,\n"
         "et «CIVILITE_SALARIE» «PRENOM_SALARIE» «NOM_SALARIE», demeurant «ADRESSE_SALARIE»,\n"
         "d'autre part, il a été convenu ce qui suit.\n"
         "\n"
         "Article 1 - Engagement\n"
         "«CIVILITE_SALARIE» «NOM_SALARIE» est engagé(e) à compter du «DATE_DEBUT» en qualité\n"
         "de «EMPLOI», selon la convention collective «CONVENTION».\n"
         "\n"
         "Article 2 - Durée du travail\n"
         "La durée mensuelle de travail est fixée à «HEURES_MENSUELLES» heures.\n"
         "\n"
         "Article 3 - Rémunération\n"
         "Le salaire horaire brut est de «TAUX_HORAIRE» euros.\n"
         "\n"
         "Fait à «COMMUNE_ASSOCIATION», le «DATE_DU_JOUR», en deux exemplaires.\n"
         "\n"
         "L'employeur                                  Le (la) salarié(e)\n"},
        {"Avenant.txt",
         "«RAISON_SOCIALE»\n"
         "\n"
         "AVENANT N° «NUMERO_AVENANT» AU CONTRAT DE TRAVAIL DU «DATE_CONTRAT»\n"
         "\n"
         "Entre l'association «RAISON_SOCIALE» et «CIVILITE_SALARIE» «PRENOM_SALARIE» "
         "«NOM_SALARIE»,\n"
         "il est convenu de modifier le contrat de travail comme suit, à compter du "
         "«DATE_EFFET» :\n"
         "\n"
         "«MODIFICATIONS»\n"
         "\n"
         "Les autres clauses du contrat demeurent inchangées.\n"
         "\n"
         "Fait à «COMMUNE_ASSOCIATION», le «DATE_DU_JOUR».\n"},
        {"Defaut.txt",
         "«RAISON_SOCIALE»\n"
         "«ADRESSE_ASSOCIATION»\n"
         "\n"
         "«CIVILITE_DESTINATAIRE» «NOM_DESTINATAIRE»\n"
         "«ADRESSE_DESTINATAIRE»\n"
         "\n"
         "«COMMUNE_ASSOCIATION», le «DATE_DU_JOUR»\n"
         "\n"
         "Objet : «OBJET»\n"
         "\n"
         "«CIVILITE_DESTINATAIRE»,\n"
         "\n"
         "«CORPS_DU_COURRIER»\n"
         "\n"
         "Veuillez agréer, «CIVILITE_DESTINATAIRE», l'expression de nos salutations "
         "distinguées.\n"
         "\n"
         "«NOM_SIGNATAIRE»\n"},
        {"MiseADispo.txt",
         "«RAISON_SOCIALE»\n"
         "\n"
         "CONVENTION DE MISE EN RELATION\n"
         "\n"
         "L'association «RAISON_SOCIALE» met en relation «CIVILITE_AIDE» «NOM_AIDE», "
         "particulier employeur,\n"
         "avec «CIVILITE_SALARIE» «PRENOM_SALARIE» «NOM_SALARIE», intervenant(e) à domicile.\n"
         "\n"
         "L'intervention débute le «DATE_DEBUT» pour «HEURES_MENSUELLES» heures par mois.\n"
         "Les frais de mise en relation s'élèvent à «MONTANT_FRAIS» euros.\n"
         "\n"
         "Fait à «COMMUNE_ASSOCIATION», le «DATE_DU_JOUR».\n"},
    };
    return templates;
}

}  // namespace seed::demo
