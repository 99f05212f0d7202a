#include "bench_data.h"

#include <sqlite3.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <random>
#include <stdexcept>

#include "platform/engine/database.h"
#include "platform/seed/seed.h"
#include "store/local_database.h"
#include "store/record.h"

namespace fs = std::filesystem;

namespace bench {

namespace {

// Bump when the generated data changes, so that cached bases are made again.
constexpr const char* kGeneratorVersion = "4";

// Account labels start from these; three of them begin with "SUB", the prefix the type-ahead
// benchmark types.
struct Stem {
    const char* prefix;  // first four digits of the account code
    const char* label;
};
const Stem kStems[] = {
    {"1020", "FONDS ASSOCIATIFS"},
    {"1200", "RESULTAT DE L'EXERCICE"},
    {"1640", "EMPRUNTS"},
    {"2183", "MATERIEL INFORMATIQUE"},
    {"2182", "MATERIEL DE TRANSPORT"},
    {"4010", "FOURNISSEURS"},
    {"4110", "USAGERS"},
    {"4116", "USAGERS CONSEIL DEPARTEMENTAL"},
    {"4117", "USAGERS CAISSES DE RETRAITE"},
    {"4210", "PERSONNEL REMUNERATIONS DUES"},
    {"4310", "URSSAF"},
    {"4372", "RETRAITE COMPLEMENTAIRE"},
    {"4373", "PREVOYANCE"},
    {"4457", "TVA COLLECTEE"},
    {"5121", "BANQUE"},
    {"5300", "CAISSE"},
    {"6061", "FOURNITURES NON STOCKABLES"},
    {"6064", "FOURNITURES ADMINISTRATIVES"},
    {"6132", "LOCATIONS IMMOBILIERES"},
    {"6161", "ASSURANCES"},
    {"6251", "DEPLACEMENTS"},
    {"6260", "TELECOMMUNICATIONS"},
    {"6411", "SALAIRES"},
    {"6413", "CONGES PAYES"},
    {"6451", "COTISATIONS URSSAF"},
    {"6453", "COTISATIONS RETRAITE"},
    {"7061", "PRESTATIONS AIDE MENAGERE"},
    {"7062", "PRESTATIONS AUXILIAIRE DE VIE"},
    {"7063", "PRESTATIONS GARDE D'ENFANTS"},
    {"7064", "FRAIS DE GESTION MANDATAIRE"},
    {"7065", "MISE EN RELATION"},
    {"7066", "AIDES SANS PRISE EN CHARGE"},
    {"7067", "SOINS INFIRMIERS"},
    {"7410", "SUBVENTION ETAT"},
    {"7440", "SUBVENTION CONSEIL DEPARTEMENTAL"},
    {"7441", "SUBVENTION COMMUNE"},
    {"7460", "DONS"},
    {"7561", "COTISATIONS MANDATAIRE"},
    {"7562", "COTISATIONS PRESTATAIRE"},
    {"7680", "PRODUITS FINANCIERS"},
};
constexpr int kStemCount = sizeof(kStems) / sizeof(kStems[0]);

const char* const kActivityNames[] = {
    "AIDE MENAGERE",        "AUXILIAIRE DE VIE", "GARDE D'ENFANTS",  "PORTAGE DE REPAS",
    "MANDATAIRE",           "MISE EN RELATION",  "SOINS INFIRMIERS", "ACCOMPAGNEMENT",
    "TRANSPORT ACCOMPAGNE", "JARDINAGE"};
const char* const kActivityTypes = "PPPPMISPPP";

const char* const kSigleWords[] = {"AIDE",     "SAD",      "SOINS",    "DOMICILE", "PRESENCE",
                                   "ENTRAIDE", "SERVICES", "FAMILLES", "ACCUEIL",  "RELAIS"};

std::string Pad(int number, int width) {
    std::string text = std::to_string(number);
    return std::string(width > static_cast<int>(text.size()) ? width - text.size() : 0, '0') + text;
}

struct Account {
    std::string id, label;
};

Account AccountOf(int association, int k) {
    const Stem& stem = kStems[(k * 7 + association) % kStemCount];
    Account a;
    a.id = AssociationCode(association) + stem.prefix + Pad(k, 6);
    // About one account in a hundred has no label yet.
    if (k % 97 != 0)
        a.label = std::string(stem.label) + " " + Pad(k, 4);
    return a;
}

std::string SigleOf(int association) {
    return std::string(kSigleWords[(association * 3) % 10]) + " " + AssociationCode(association);
}

std::string ActivityLabel(int association, int n) {
    return std::string(kActivityNames[(n + association) % 10]) + " " + Pad(n, 2);
}

char ActivityType(int association, int n) {
    return kActivityTypes[(n + association) % 10];
}

std::string FM(std::initializer_list<std::string> attributes) {
    std::string text;
    bool first = true;
    for (const std::string& a : attributes) {
        if (!first)
            text += '\xFE';
        text += a;
        first = false;
    }
    return text;
}

bool Finished(const std::string& path) {
    std::ifstream marker(path + ".fini");
    std::string version;
    return fs::exists(path) && marker >> version && version == kGeneratorVersion;
}

void MarkFinished(const std::string& path) {
    std::ofstream(path + ".fini") << kGeneratorVersion << "\n";
}

void StartOver(const std::string& path) {
    for (const char* suffix : {"", "-wal", "-shm", "-locks", ".fini"})
        fs::remove(path + suffix);
}

template <typename Fn>
std::string Cached(const std::string& name, Fn generate) {
    const std::string path = DataFolder() + "/" + name;
    if (Finished(path))
        return path;
    StartOver(path);
    const auto start = std::chrono::steady_clock::now();
    std::fprintf(stderr, "Génération de %s ...\n", path.c_str());
    generate(path);
    MarkFinished(path);
    std::fprintf(stderr, "%s prêt en %.0f s\n", path.c_str(),
                 std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
    return path;
}

void GenerateLargeBase(const std::string& path) {
    auto db = store::OpenLocalDatabase(path);
    db->Engine().SetHistoryKept(false);  // generated data has no history to keep
    seed::Bootstrap(*db);
    auto associations = db->OpenFile("ASSOCIATION");
    auto accounts = db->OpenFile("PLANCOMPTABLE");
    auto activities = db->OpenFile("ACTIVITES");
    auto establishments = db->OpenFile("ETABLISSEMENT");
    auto counters = db->OpenFile("COMPTEUR");
    for (int a = 1; a <= kAssociations; ++a) {
        store::LocalDatabase::Transaction tx(*db);
        const std::string code = AssociationCode(a);
        associations->Write(code, FM({SigleOf(a), "ASSOCIATION " + code}));
        for (int k = 0; k < kAccountsPerAssociation; ++k) {
            const Account account = AccountOf(a, k);
            accounts->Write(account.id, account.label);
        }
        for (int n = 1; n <= kActivitiesPerAssociation; ++n) {
            const char type = ActivityType(a, n);
            activities->Write(code + Pad(n, 3),
                              FM({ActivityLabel(a, n), "100", "", "", "", "", "", "", "", "", "1",
                                  std::string(1, type), std::string("SV") + type}));
        }
        for (int n = 1; n <= kEstablishmentsPerAssociation; ++n) {
            establishments->Write(code + Pad(n, 3), FM({"ETAB " + code + " " + Pad(n, 2),
                                                        "ETABLISSEMENT " + Pad(n, 2)}));
        }
        counters->Write(code, FM({"000", Pad(kActivitiesPerAssociation, 3), "000",
                                  Pad(kEstablishmentsPerAssociation, 3), "000"}));
        tx.Commit();
        if (a % 50 == 0)
            std::fprintf(stderr, "  %d associations\n", a);
    }
}

struct Sql {
    sqlite3* db = nullptr;
    explicit Sql(const std::string& path) {
        if (sqlite3_open(path.c_str(), &db) != SQLITE_OK)
            throw std::runtime_error("sqlite3_open " + path);
    }
    ~Sql() { sqlite3_close(db); }
    void Run(const std::string& sql) {
        char* error = nullptr;
        if (sqlite3_exec(db, sql.c_str(), nullptr, nullptr, &error) != SQLITE_OK) {
            std::string text = error ? error : "?";
            sqlite3_free(error);
            throw std::runtime_error(sql + " : " + text);
        }
    }
};

void Insert(sqlite3_stmt* stmt, std::initializer_list<std::string> values) {
    int i = 1;
    for (const std::string& v : values)
        sqlite3_bind_text(stmt, i++, v.data(), static_cast<int>(v.size()), SQLITE_TRANSIENT);
    if (sqlite3_step(stmt) != SQLITE_DONE)
        throw std::runtime_error("insertion refusée");
    sqlite3_reset(stmt);
}

void GenerateLargeFloor(const std::string& path) {
    Sql sql(path);
    sql.Run("PRAGMA journal_mode=WAL; PRAGMA synchronous=NORMAL;");
    sql.Run(
        "CREATE TABLE association(id TEXT PRIMARY KEY, sigle TEXT, raison TEXT) WITHOUT ROWID;"
        "CREATE TABLE plancomptable(association TEXT, account TEXT, label TEXT,"
        " PRIMARY KEY(association, account)) WITHOUT ROWID;"
        "CREATE TABLE activites(association TEXT, code TEXT, label TEXT, type TEXT,"
        " service TEXT, PRIMARY KEY(association, code)) WITHOUT ROWID;"
        "CREATE TABLE compteur(id TEXT PRIMARY KEY, last_activity INTEGER,"
        " last_establishment INTEGER) WITHOUT ROWID;");
    sqlite3_stmt *association, *account, *activity, *counter;
    sqlite3_prepare_v2(sql.db, "INSERT INTO association VALUES(?,?,?)", -1, &association, nullptr);
    sqlite3_prepare_v2(sql.db, "INSERT INTO plancomptable VALUES(?,?,?)", -1, &account, nullptr);
    sqlite3_prepare_v2(sql.db, "INSERT INTO activites VALUES(?,?,?,?,?)", -1, &activity, nullptr);
    sqlite3_prepare_v2(sql.db, "INSERT INTO compteur VALUES(?,?,?)", -1, &counter, nullptr);
    sql.Run("BEGIN");
    for (int a = 1; a <= kAssociations; ++a) {
        const std::string code = AssociationCode(a);
        Insert(association, {code, SigleOf(a), "ASSOCIATION " + code});
        for (int k = 0; k < kAccountsPerAssociation; ++k) {
            const Account acc = AccountOf(a, k);
            Insert(account, {code, acc.id.substr(3), acc.label});
        }
        for (int n = 1; n <= kActivitiesPerAssociation; ++n) {
            const char type = ActivityType(a, n);
            Insert(activity, {code, Pad(n, 3), ActivityLabel(a, n), std::string(1, type),
                              std::string("SV") + type});
        }
        Insert(counter, {code, std::to_string(kActivitiesPerAssociation),
                         std::to_string(kEstablishmentsPerAssociation)});
    }
    sql.Run("COMMIT");
    for (sqlite3_stmt* s : {association, account, activity, counter})
        sqlite3_finalize(s);
    sql.Run(
        "CREATE INDEX association_sigle ON association(sigle);"
        "CREATE INDEX plancomptable_label ON plancomptable(association, label);"
        "CREATE INDEX activites_label ON activites(association, label);"
        "CREATE INDEX activites_service ON activites(service);"
        "ANALYZE;");
}

void GenerateManyFiles(const std::string& path) {
    auto db = store::OpenLocalDatabase(path);
    db->Engine().SetHistoryKept(false);
    seed::Bootstrap(*db);
    store::LocalDatabase::Transaction tx(*db);
    for (int i = 1; i <= kManyFiles; ++i) {
        // Two files per association and collective agreement, as a large federation has.
        const std::string name = (i % 2 ? "CONTRAT" : "AVENANT") + Pad((i + 1) / 2, 5);
        db->Execute("CREATE.FILE " + name + " 3,1");
    }
    tx.Commit();
    db->OpenFile("CONTRAT" + Pad(kManyFiles / 2, 5));  // throws when the last ones are missing
    db->OpenFile("DICT AVENANT" + Pad(kManyFiles / 2, 5));
}

}  // namespace

std::string DataFolder() {
    const char* env = std::getenv("MERI_BENCH_DATA");
    const std::string folder = env && *env ? env : MERI_BENCH_DATA_DIR;
    fs::create_directories(folder);
    return folder;
}

std::string AssociationCode(int index) {
    return Pad(index, 3);
}

std::string LargeBase() {
    static const std::string path = Cached("base-1m.mvdb", GenerateLargeBase);
    return path;
}

std::string LargeFloor() {
    static const std::string path = Cached("plancher-1m.sqlite", GenerateLargeFloor);
    return path;
}

std::string ManyFilesBase() {
    static const std::string path = Cached("fichiers-20k.mvdb", GenerateManyFiles);
    return path;
}

std::vector<std::string> SampleAccountIds(int count) {
    std::mt19937 random(42);
    std::uniform_int_distribution<int> association(1, kAssociations);
    std::uniform_int_distribution<int> account(0, kAccountsPerAssociation - 1);
    std::vector<std::string> ids;
    for (int i = 0; i < count; ++i)
        ids.push_back(AccountOf(association(random), account(random)).id);
    return ids;
}

}  // namespace bench
