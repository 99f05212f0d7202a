// Shared demo records: the chart of accounts every association starts from, the TABLES records,
// the collective agreements, the helped persons' sectors, the rights of the demo users and the
// document templates.

#include <algorithm>
#include <iterator>

#include "demo_data.h"
#include "seed.h"

namespace seed::demo {

namespace {

// A family of accounts: its root account (the code padded with zeros) and its sub-accounts,
// numbered 01, 02 ... after the root's digits, each labelled "ROOT LABEL - DETAIL".
struct Family {
    const char* root;
    const char* label;
    std::vector<const char*> details;
};

// Charges (class 6) and income (class 7) the way a home-help association details them.
const Family kFamilies[] = {
    {"6061", "FOURNITURES NON STOCKABLES", {"EAU", "ELECTRICITE", "GAZ", "CARBURANTS", "FIOUL"}},
    {"6063",
     "FOURNITURES D'ENTRETIEN ET PETIT EQUIPEMENT",
     {"PRODUITS D'ENTRETIEN", "PETIT MATERIEL", "VETEMENTS DE TRAVAIL", "GANTS ET PROTECTIONS",
      "MATERIEL MEDICAL A USAGE UNIQUE", "TROUSSES DE SECOURS"}},
    {"6064",
     "FOURNITURES ADMINISTRATIVES",
     {"PAPETERIE", "CONSOMMABLES INFORMATIQUES", "IMPRIMES", "CARTES DE POINTAGE"}},
    {"6066",
     "FOURNITURES MEDICALES ET PHARMACEUTIQUES",
     {"PANSEMENTS", "PETIT APPAREILLAGE", "PRODUITS D'HYGIENE"}},
    {"6068", "AUTRES MATIERES ET FOURNITURES", {"REPAS PORTES", "CONDITIONNEMENTS"}},
    {"6132",
     "LOCATIONS IMMOBILIERES",
     {"SIEGE", "ANTENNE NORD", "ANTENNE SUD", "ANTENNE EST", "ANTENNE OUEST", "GARAGES"}},
    {"6135",
     "LOCATIONS MOBILIERES",
     {"VEHICULES DE SERVICE", "COPIEURS", "MATERIEL INFORMATIQUE", "TELEPHONES MOBILES"}},
    {"6152",
     "ENTRETIEN ET REPARATIONS SUR BIENS IMMOBILIERS",
     {"SIEGE", "ANTENNES", "NETTOYAGE DES LOCAUX"}},
    {"6155",
     "ENTRETIEN ET REPARATIONS SUR BIENS MOBILIERS",
     {"VEHICULES", "MOBILIER", "MATERIEL DE BUREAU"}},
    {"6156", "MAINTENANCE", {"LOGICIELS", "TELEGESTION", "COPIEURS", "RESEAU INFORMATIQUE"}},
    {"6161",
     "PRIMES D'ASSURANCE",
     {"MULTIRISQUE LOCAUX", "RESPONSABILITE CIVILE", "FLOTTE AUTOMOBILE",
      "MISSION DES INTERVENANTS", "PROTECTION JURIDIQUE"}},
    {"6181", "DOCUMENTATION GENERALE ET TECHNIQUE", {"ABONNEMENTS", "OUVRAGES"}},
    {"6185", "FRAIS DE COLLOQUES ET SEMINAIRES", {"INSCRIPTIONS", "DEPLACEMENTS"}},
    {"6226",
     "HONORAIRES",
     {"EXPERT-COMPTABLE", "COMMISSAIRE AUX COMPTES", "AVOCATS", "MEDECIN COORDONNATEUR",
      "PSYCHOLOGUE", "CONSEIL EN ORGANISATION"}},
    {"6228", "REMUNERATIONS D'INTERMEDIAIRES DIVERS", {"INFIRMIERS LIBERAUX", "PEDICURES"}},
    {"6231", "ANNONCES ET INSERTIONS", {"OFFRES D'EMPLOI", "PRESSE LOCALE"}},
    {"6236", "CATALOGUES ET IMPRIMES", {"PLAQUETTES", "LIVRETS D'ACCUEIL"}},
    {"6251",
     "VOYAGES ET DEPLACEMENTS",
     {"INDEMNITES KILOMETRIQUES INTERVENANTS", "INDEMNITES KILOMETRIQUES ENCADREMENT",
      "TRANSPORTS EN COMMUN", "PEAGES ET STATIONNEMENT", "TEMPS DE TRAJET"}},
    {"6256", "MISSIONS", {"ADMINISTRATEURS", "DIRECTION"}},
    {"6257", "RECEPTIONS", {"ASSEMBLEE GENERALE", "VOEUX DU PERSONNEL"}},
    {"6261", "FRAIS POSTAUX", {"AFFRANCHISSEMENT", "ENVOIS RECOMMANDES"}},
    {"6262",
     "FRAIS DE TELECOMMUNICATIONS",
     {"TELEPHONE FIXE", "TELEPHONIE MOBILE", "ACCES INTERNET", "TELEGESTION"}},
    {"6271",
     "SERVICES BANCAIRES",
     {"FRAIS DE TENUE DE COMPTE", "COMMISSIONS CESU", "PRELEVEMENTS SEPA"}},
    {"6281",
     "COTISATIONS",
     {"FEDERATION DEPARTEMENTALE", "UNION NATIONALE", "ORGANISME DE FORMATION"}},
    {"6283",
     "FORMATION DU PERSONNEL",
     {"GESTES ET POSTURES", "PREMIERS SECOURS", "ACCOMPAGNEMENT FIN DE VIE", "TUTORAT"}},
    {"6311", "TAXE SUR LES SALAIRES", {"VERSEMENTS MENSUELS", "REGULARISATION ANNUELLE"}},
    {"6313", "PARTICIPATION FORMATION PROFESSIONNELLE CONTINUE", {"VERSEMENT OPCO"}},
    {"6411",
     "SALAIRES ET APPOINTEMENTS",
     {"AGENTS A DOMICILE", "AUXILIAIRES DE VIE SOCIALE", "TECHNICIENS D'INTERVENTION SOCIALE",
      "AIDES-SOIGNANTS", "INFIRMIERS COORDINATEURS", "RESPONSABLES DE SECTEUR",
      "PERSONNEL ADMINISTRATIF", "DIRECTION"}},
    {"6412", "CONGES PAYES", {"INTERVENANTS", "ENCADREMENT", "ADMINISTRATIFS"}},
    {"6413",
     "PRIMES ET GRATIFICATIONS",
     {"PRIME D'ANCIENNETE", "PRIME DE DIMANCHE", "PRIME DE JOUR FERIE", "PRIME EXCEPTIONNELLE"}},
    {"6414",
     "INDEMNITES ET AVANTAGES DIVERS",
     {"INDEMNITES DE LICENCIEMENT", "INDEMNITES DE FIN DE CONTRAT", "TICKETS RESTAURANT"}},
    {"6451",
     "COTISATIONS URSSAF",
     {"MALADIE", "VIEILLESSE", "ALLOCATIONS FAMILIALES", "ACCIDENTS DU TRAVAIL", "CSG CRDS"}},
    {"6452", "COTISATIONS AUX MUTUELLES", {"FRAIS DE SANTE"}},
    {"6453",
     "COTISATIONS AUX CAISSES DE RETRAITE",
     {"RETRAITE COMPLEMENTAIRE NON CADRES", "RETRAITE COMPLEMENTAIRE CADRES"}},
    {"6454", "COTISATIONS POLE EMPLOI", {"ASSURANCE CHOMAGE", "AGS"}},
    {"6458", "COTISATIONS AUX AUTRES ORGANISMES SOCIAUX", {"PREVOYANCE", "MSA"}},
    {"6475", "MEDECINE DU TRAVAIL", {"VISITES PERIODIQUES", "VACCINATIONS"}},
    {"6541", "CREANCES IRRECOUVRABLES", {"USAGERS", "FINANCEURS"}},
    {"6581", "CHARGES DIVERSES DE GESTION COURANTE", {"DONS", "PENALITES"}},
    {"6611", "CHARGES D'INTERETS", {"EMPRUNTS", "DECOUVERTS"}},
    {"6712", "CHARGES EXCEPTIONNELLES", {"AMENDES", "REGULARISATIONS"}},
    {"6811",
     "DOTATIONS AUX AMORTISSEMENTS",
     {"MATERIEL DE TRANSPORT", "MATERIEL INFORMATIQUE", "AGENCEMENTS"}},
    {"6817", "DOTATIONS AUX PROVISIONS", {"CREANCES DOUTEUSES", "INDEMNITES DE DEPART"}},
    {"7411", "SUBVENTIONS ETAT", {"AIDES A L'EMPLOI", "POLITIQUE DE LA VILLE"}},
    {"7442", "SUBVENTIONS REGION", {"FORMATION", "INVESTISSEMENT"}},
    {"7443", "SUBVENTIONS DEPARTEMENT", {"FONCTIONNEMENT", "MODERNISATION"}},
    {"7444", "SUBVENTIONS COMMUNES ET CCAS", {"COMMUNES", "CCAS", "INTERCOMMUNALITES"}},
    {"7445", "SUBVENTIONS ORGANISMES SOCIAUX", {"CNSA", "ARS", "CARSAT", "CAF"}},
    {"7581", "PRODUITS DIVERS DE GESTION COURANTE", {"REMBOURSEMENTS", "REFACTURATIONS"}},
    {"7611", "PRODUITS FINANCIERS", {"INTERETS DES LIVRETS", "INTERETS DES COMPTES A TERME"}},
    {"7718", "PRODUITS EXCEPTIONNELS", {"DEGREVEMENTS", "REGULARISATIONS"}},
    {"7817", "REPRISES SUR PROVISIONS", {"CREANCES DOUTEUSES", "INDEMNITES DE DEPART"}},
    {"7911",
     "TRANSFERTS DE CHARGES",
     {"INDEMNITES JOURNALIERES", "FORMATION", "AVANTAGES EN NATURE", "AIDES A L'EMBAUCHE"}},
};

// The services sold, by who pays: one income account for each pair (706 + service + payer).
const char* const kServicesVendus[] = {
    "AIDE MENAGERE",    "AUXILIAIRE DE VIE",      "GARDE D'ENFANTS", "PORTAGE DE REPAS",
    "SOINS INFIRMIERS", "ACCOMPAGNEMENT SORTIES", "TELEASSISTANCE",  "JARDINAGE",
    "PETIT BRICOLAGE",  "AIDE AUX DEVOIRS"};
const char* const kPayeurs[] = {
    "USAGERS",   "APA", "PCH",          "CARSAT",          "MSA", "CAISSES DE RETRAITE",
    "MUTUELLES", "CAF", "AIDE SOCIALE", "CESU PREFINANCES"};

std::string Digits(int n, int width) {
    std::string text = std::to_string(n);
    return std::string(width - static_cast<int>(text.size()), '0') + text;
}

std::string TenDigits(const std::string& digits) {
    return digits + std::string(10 - digits.size(), '0');
}

std::vector<Account> MakeChart() {
    std::vector<Account> chart = {
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
    // The families' roots and details; a root already listed keeps its own label.
    for (const Family& f : kFamilies) {
        const std::string root = TenDigits(f.root);
        if (std::none_of(chart.begin(), chart.end(),
                         [&](const Account& a) { return a.code == root; }))
            chart.push_back({root, f.label});
        for (size_t k = 0; k < f.details.size(); ++k) {
            chart.push_back({TenDigits(f.root + Digits(static_cast<int>(k) + 1, 2)),
                             std::string(f.label) + " - " + f.details[k]});
        }
    }
    // Services sold by payer: 7069 + service (2 digits) + payer (2 digits).
    for (size_t s = 0; s < std::size(kServicesVendus); ++s) {
        for (size_t p = 0; p < std::size(kPayeurs); ++p) {
            chart.push_back({TenDigits("7069" + Digits(static_cast<int>(s) + 1, 2) +
                                       Digits(static_cast<int>(p) + 1, 2)),
                             std::string("VENTES ") + kServicesVendus[s] + " - " + kPayeurs[p]});
        }
    }
    return chart;
}

}  // namespace

const std::vector<Account>& CommonChart() {
    static const std::vector<Account> chart = MakeChart();
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
