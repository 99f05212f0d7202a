// A new database made ready for the system, and the demo data set as the screens will find it.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include <unistd.h>

#include "platform/seed/day_number.h"
#include "platform/seed/seed.h"
#include "store/local_database.h"
#include "store/record.h"
#include "store/store_error.h"

namespace fs = std::filesystem;

namespace {

const std::vector<std::string> kSystemFiles = {
    "ASSOCIATION",   "ETABLISSEMENT", "ACTIVITES",     "COMPTEUR",      "NUMEROFACT",  "TABLES",
    "CHEMINFICHIER", "PERIODESPAIE",  "PLANCOMPTABLE", "CONVENTIONCOL", "CIVILAIDANT", "DROITS"};

class TempFolder {
  public:
    TempFolder() {
        path_ = fs::temp_directory_path() /
                ("seed_test_" + std::to_string(::getpid()) + "_" + std::to_string(counter_++));
        fs::remove_all(path_);
        fs::create_directories(path_);
    }
    ~TempFolder() {
        std::error_code ignored;
        fs::remove_all(path_, ignored);
    }
    const fs::path& path() const { return path_; }

  private:
    static inline int counter_ = 0;
    fs::path path_;
};

// Ids of a selection asked for "0".
std::vector<std::string> Ids(store::Database& db, const std::string& command,
                             const std::string& file) {
    store::Record result = db.Select(command, file, "0");
    std::vector<std::string> ids;
    for (int i = 1; i <= result.DCount(); ++i)
        ids.push_back(result.Value(i, 1));
    return ids;
}

// Every record of a file, by id.
std::map<std::string, std::string> Contents(store::Database& db, const std::string& file) {
    std::map<std::string, std::string> out;
    auto f = db.OpenFile(file);
    for (const std::string& id : Ids(db, "SSELECT " + file, file))
        out[id] = f->Read(id).Text();
    return out;
}

// (file, field) of every index, as the dump lists them.
std::set<std::pair<std::string, std::string>> IndexedFields(store::LocalDatabase& db) {
    std::stringstream dump;
    db.Dump(dump);
    std::set<std::pair<std::string, std::string>> out;
    std::string line;
    while (std::getline(dump, line)) {
        if (line.find("\"index\"") == std::string::npos)
            continue;
        std::vector<std::string> quoted;
        for (size_t at = line.find('"'); at != std::string::npos;) {
            const size_t end = line.find('"', at + 1);
            quoted.push_back(line.substr(at + 1, end - at - 1));
            at = line.find('"', end + 1);
        }
        std::string file, field;
        for (size_t i = 0; i + 1 < quoted.size(); ++i) {
            if (quoted[i] == "index")
                file = quoted[i + 1];
            else if (quoted[i] == "field")
                field = quoted[i + 1];
        }
        out.emplace(file, field);
    }
    return out;
}

bool LuhnValid(const std::string& digits) {
    int sum = 0;
    for (size_t i = 0; i < digits.size(); ++i) {
        const char c = digits[digits.size() - 1 - i];
        if (c < '0' || c > '9')
            return false;
        int d = c - '0';
        if (i % 2 == 1)
            d = d * 2 > 9 ? d * 2 - 9 : d * 2;
        sum += d;
    }
    return !digits.empty() && sum % 10 == 0;
}

// Remainder modulo 97 of a long number written in digits, letters counting 10 to 35.
int Mod97(const std::string& text) {
    int r = 0;
    for (char c : text) {
        const int v = (c >= '0' && c <= '9') ? c - '0' : c - 'A' + 10;
        r = (v >= 10 ? r * 100 : r * 10) + v;
        r %= 97;
    }
    return r;
}

// The French bank-account key: the letters of an account number stand for digits.
bool RibKeyValid(const std::string& bank, const std::string& branch, const std::string& account,
                 const std::string& key) {
    std::string digits = bank + branch;
    for (char c : account) {
        if (c >= '0' && c <= '9')
            digits += c;
        else if (c >= 'A' && c <= 'I')
            digits += static_cast<char>('1' + (c - 'A'));
        else if (c >= 'J' && c <= 'R')
            digits += static_cast<char>('1' + (c - 'J'));
        else if (c >= 'S' && c <= 'Z')
            digits += static_cast<char>('2' + (c - 'S'));
        else
            return false;
    }
    return key.size() == 2 && Mod97(digits + key) == 0;
}

bool IbanValid(const std::string& iban) {
    return iban.size() >= 15 && Mod97(iban.substr(4) + iban.substr(0, 4)) == 1;
}

// FR, two check digits, a three-character business code, then the national identifier.
bool IcsValid(const std::string& ics) {
    if (ics.size() == 6)
        return true;
    if (ics.size() != 13 || ics.substr(0, 2) != "FR")
        return false;
    return Mod97(ics.substr(7) + "FR" + ics.substr(2, 2)) == 1;
}

void ExpectBankDetails(const store::Record& r, int f, const std::string& what) {
    SCOPED_TRACE(what);
    EXPECT_FALSE(r.Value(f, 1).empty()) << "bank name";
    const std::string bank = r.Value(f + 1), branch = r.Value(f + 2), account = r.Value(f + 3),
                      key = r.Value(f + 4), iban = r.Value(f + 5), bic = r.Value(f + 6);
    EXPECT_EQ(bank.size(), 5u);
    EXPECT_EQ(branch.size(), 5u);
    EXPECT_EQ(account.size(), 11u);
    EXPECT_TRUE(RibKeyValid(bank, branch, account, key)) << bank << branch << account << key;
    EXPECT_EQ(iban.substr(4), bank + branch + account + key);
    EXPECT_TRUE(IbanValid(iban)) << iban;
    EXPECT_TRUE(bic.size() == 8 || bic.size() == 11) << bic;
    EXPECT_TRUE(IcsValid(r.Value(f + 7))) << r.Value(f + 7);
}

// ----------------------------------------------------------------------------------------------

class Bootstrap : public ::testing::Test {
  protected:
    TempFolder folder;
    std::string dbPath = (folder.path() / "base.mvdb").string();
};

TEST_F(Bootstrap, MakesEveryFileWithTheNamesTheCommandsUse) {
    auto db = store::OpenLocalDatabase(dbPath);
    seed::Bootstrap(*db);
    for (const std::string& name : kSystemFiles) {
        EXPECT_NO_THROW(db->OpenFile(name)) << name;
        EXPECT_NO_THROW(db->OpenFile("DICT " + name)) << name;
    }
    const std::map<std::string, std::pair<std::string, std::string>> items = {
        {"SigleAssoc", {"ASSOCIATION", "1"}}, {"SigleEtabl", {"ETABLISSEMENT", "1"}},
        {"CodEtabl", {"ETABLISSEMENT", "0"}}, {"LibActivite", {"ACTIVITES", "1"}},
        {"CodActivite", {"ACTIVITES", "0"}},  {"LibCompte", {"PLANCOMPTABLE", "1"}}};
    for (const auto& [name, where] : items) {
        store::Record item = db->OpenFile("DICT " + where.first)->Read(name);
        EXPECT_EQ(item.Value(1), "D") << name;
        EXPECT_EQ(item.Value(2), where.second) << name;
        EXPECT_FALSE(item.Value(4).empty()) << name << " heading";
        EXPECT_TRUE(item.Value(5).back() == 'L' || item.Value(5).back() == 'R') << name;
        EXPECT_EQ(item.Value(6), "S") << name;
    }
    // The commands of the screens run on the empty files.
    EXPECT_EQ(db->Select("SSELECT ASSOCIATION PAR SigleAssoc", "ASSOCIATION", "0 1").DCount(), 0);
    EXPECT_EQ(db->Select("SSELECT ETABLISSEMENT AVEC CodEtabl = \"001]\" PAR SigleEtabl",
                         "ETABLISSEMENT", "0 1")
                  .DCount(),
              0);
}

TEST_F(Bootstrap, IndexesTheLookupFields) {
    auto db = store::OpenLocalDatabase(dbPath);
    seed::Bootstrap(*db);
    const auto indexes = IndexedFields(*db);
    for (const auto& wanted :
         std::vector<std::pair<std::string, std::string>>{{"ASSOCIATION", "SigleAssoc"},
                                                          {"ETABLISSEMENT", "SigleEtabl"},
                                                          {"ACTIVITES", "LibActivite"},
                                                          {"ACTIVITES", "Service"},
                                                          {"PLANCOMPTABLE", "LibCompte"}}) {
        EXPECT_TRUE(indexes.count(wanted)) << wanted.first << " " << wanted.second;
    }
}

TEST_F(Bootstrap, RunTwiceOrOverExistingFilesChangesNothing) {
    auto db = store::OpenLocalDatabase(dbPath);
    // A file made by hand keeps its own dictionary.
    db->Execute("CREATE.FILE DROITS 3,1");
    store::Record own = db->OpenFile("DICT DROITS")->NewItem("Utilisateur");
    own.SetValue(1, "D");
    own.SetValue(2, "0");
    own.DBWrite();

    seed::Bootstrap(*db);
    std::map<std::string, std::map<std::string, std::string>> before;
    for (const std::string& name : kSystemFiles)
        before[name] = Contents(*db, "DICT " + name);
    EXPECT_EQ(before["DROITS"].size(), 1u);

    seed::Bootstrap(*db);
    for (const std::string& name : kSystemFiles)
        EXPECT_EQ(Contents(*db, "DICT " + name), before[name]) << name;
}

// ----------------------------------------------------------------------------------------------

class Demo : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        folder_ = new TempFolder;
        db_ = store::OpenLocalDatabase((folder_->path() / "demo.mvdb").string());
        seed::LoadDemo(*db_, templates().string());
    }
    static void TearDownTestSuite() {
        db_.reset();
        delete folder_;
    }
    static fs::path templates() { return folder_->path() / "modeles"; }
    store::Database& db() { return *db_; }

    std::vector<std::string> associations() {
        return Ids(db(), "SSELECT ASSOCIATION", "ASSOCIATION");
    }
    store::Record read(const std::string& file, const std::string& id) {
        return db().OpenFile(file)->Read(id);
    }

    static inline TempFolder* folder_ = nullptr;
    static inline decltype(store::OpenLocalDatabase("")) db_;
};

TEST_F(Demo, AssociationsAreCompleteAndValid) {
    const auto codes = associations();
    ASSERT_GE(codes.size(), 4u);
    ASSERT_LE(codes.size(), 6u);
    std::set<std::string> postalAreas;
    for (const std::string& code : codes) {
        SCOPED_TRACE(code);
        ASSERT_EQ(code.size(), 3u);
        EXPECT_TRUE(std::all_of(code.begin(), code.end(), ::isdigit));
        store::Record a = read("ASSOCIATION", code);
        EXPECT_FALSE(a.Value(1).empty());
        EXPECT_EQ(a.Value(1), [&] {
            std::string up = a.Value(1);
            std::transform(up.begin(), up.end(), up.begin(), ::toupper);
            return up;
        }());
        EXPECT_FALSE(a.Value(2).empty());
        EXPECT_FALSE(a.Value(3).empty()) << "address line 1";
        EXPECT_EQ(a.Value(6).size(), 5u) << "postal code";
        EXPECT_FALSE(a.Value(8).empty()) << "commune";
        postalAreas.insert(a.Value(6).substr(0, 2));
        EXPECT_EQ(a.Value(14).size(), 9u);
        EXPECT_TRUE(LuhnValid(a.Value(14))) << "SIREN " << a.Value(14);
        ExpectBankDetails(a, 15, "association " + code);
        EXPECT_EQ(a.Value(37).size(), 9u) << "FINESS";
        EXPECT_FALSE(a.Value(33).empty());
        EXPECT_FALSE(a.Value(34).empty());
        const std::string quality = a.Value(24);
        EXPECT_TRUE(quality.size() == 2 && quality[0] == '0' && quality[1] >= '1') << quality;
        for (int flag : {25, 49, 50, 54, 55, 58, 59})
            EXPECT_TRUE(a.Value(flag) == "0" || a.Value(flag) == "1") << "attribute " << flag;
        // Workforce lines: parallel values, periods as yyyymm.
        EXPECT_GE(a.DCount(29), 1);
        EXPECT_EQ(a.DCount(27), a.DCount(29));
        EXPECT_EQ(a.DCount(28), a.DCount(29));
        for (int i = 1; i <= a.DCount(29); ++i)
            EXPECT_EQ(a.Value(29, i).size(), 6u);
        if (!a.Value(43).empty()) {
            EXPECT_FALSE(a.Value(44).empty());
            EXPECT_FALSE(a.Value(45).empty());
        }
    }
    EXPECT_GE(postalAreas.size(), 4u) << "associations in different départements";

    // The sending settings: one to an IP address with its port, one to a server name.
    int byAddress = 0, byName = 0;
    for (const std::string& code : codes) {
        const std::string server = read("ASSOCIATION", code).Value(43);
        if (server.empty())
            continue;
        const bool ip = std::count(server.begin(), server.end(), '.') == 3 &&
                        server.find(':') != std::string::npos;
        ++(ip ? byAddress : byName);
    }
    EXPECT_GE(byAddress, 1);
    EXPECT_GE(byName, 1);
    EXPECT_EQ(read("ASSOCIATION", "001").Value(56), std::to_string(14977)) << "01/01/2009";
}

TEST_F(Demo, EstablishmentsAndActivitiesFitTheirAssociation) {
    std::set<std::string> types;
    const store::Record services = read("TABLES", "SERVICES");
    std::map<std::string, std::string> typeOfService;
    for (const std::string& code : associations()) {
        SCOPED_TRACE(code);
        const store::Record association = read("ASSOCIATION", code);
        const std::string quoted = "\"" + code + "]\"";

        store::Record etabs =
            db().Select("SSELECT ETABLISSEMENT AVEC CodEtabl = " + quoted + " PAR SigleEtabl",
                        "ETABLISSEMENT", "0 1");
        EXPECT_GE(etabs.DCount(), 2);
        EXPECT_LE(etabs.DCount(), 4);
        std::string lastEtab = "000";
        for (int i = 1; i <= etabs.DCount(); ++i) {
            const std::string id = etabs.Value(i, 1);
            if (i > 1) {
                EXPECT_LE(etabs.Value(i - 1, 2), etabs.Value(i, 2)) << "sorted by sigle";
            }
            lastEtab = std::max(lastEtab, id.substr(3));
            store::Record e = read("ETABLISSEMENT", id);
            EXPECT_TRUE(LuhnValid(e.Value(14))) << "SIRET " << e.Value(14);
            EXPECT_EQ(e.Value(14).substr(0, 9), association.Value(14));
            if (!e.Value(36, 1).empty())
                ExpectBankDetails(e, 36, "establishment " + id);
        }

        store::Record acts =
            db().Select("SSELECT ACTIVITES AVEC CodActivite = " + quoted + " PAR LibActivite",
                        "ACTIVITES", "0 1");
        EXPECT_GE(acts.DCount(), 3);
        std::string lastActivity = "000";
        for (int i = 1; i <= acts.DCount(); ++i) {
            const std::string id = acts.Value(i, 1);
            SCOPED_TRACE(id);
            if (i > 1) {
                EXPECT_LE(acts.Value(i - 1, 2), acts.Value(i, 2)) << "sorted by label";
            }
            lastActivity = std::max(lastActivity, id.substr(3));
            store::Record a = read("ACTIVITES", id);
            const std::string type = a.Value(12);
            types.insert(type);
            EXPECT_LE(a.Value(1).size(), 30u);
            ASSERT_FALSE(a.Value(13).empty()) << "service";
            auto [it, added] = typeOfService.emplace(a.Value(13), type);
            EXPECT_EQ(it->second, type) << "a service belongs to one type of activity";
            if (type == "P") {
                EXPECT_GE(a.DCount(14), 1) << "hourly-cost history";
                EXPECT_EQ(a.DCount(15), a.DCount(14));
                EXPECT_EQ(a.DCount(20), a.DCount(14));
                // Empty majorated costs keep their place; a single empty one is no value.
                EXPECT_TRUE(a.DCount(16) == a.DCount(14) || a.Value(16).empty());
            } else {
                EXPECT_EQ(a.Value(14), "");
            }
            if (!a.Value(3, 1).empty()) {
                ExpectBankDetails(a, 3, "activity " + id);
                // Same creditor as the association, another business code.
                const std::string ics = a.Value(10), own = association.Value(22);
                ASSERT_EQ(ics.size(), own.size());
                if (ics.size() == 13) {
                    EXPECT_EQ(ics.substr(0, 4), own.substr(0, 4));
                    EXPECT_EQ(ics.substr(7), own.substr(7));
                }
            }
            for (int account : {23, 24}) {
                if (!a.Value(account).empty()) {
                    EXPECT_NO_THROW(read("PLANCOMPTABLE", code + a.Value(account)));
                }
            }
        }

        const store::Record counter = read("COMPTEUR", code);
        EXPECT_EQ(counter.Value(2, 1), lastActivity);
        EXPECT_EQ(counter.Value(4, 1), lastEtab);
        const store::Record invoices = read("NUMEROFACT", code);
        EXPECT_EQ(invoices.DCount(), 6);
        for (int i = 1; i <= 6; ++i)
            EXPECT_EQ(invoices.Value(i).size(), 10u);
    }
    EXPECT_EQ(types, (std::set<std::string>{"I", "M", "P", "S"}));
    // The service check of the activities screen finds no activity of another type.
    for (const auto& [service, type] : typeOfService) {
        EXPECT_EQ(db().Select("SSELECT ACTIVITES AVEC 13 = \"" + service + "\" AND AVEC 12 # \"" +
                                  type + "\"",
                              "ACTIVITES", "0")
                      .DCount(),
                  0)
            << service;
    }
}

TEST_F(Demo, TablesGiveWhatTheScreensRead) {
    // Payroll-manager qualities: the n codes then the n labels.
    store::Record qualities =
        db().Select("SSELECT TABLES AVEC 0 = \"QUALITERESPPAIE\"", "TABLES", "2 3");
    ASSERT_GE(qualities.DCount(), 4);
    ASSERT_EQ(qualities.DCount() % 2, 0);
    const int n = qualities.DCount() / 2;
    for (int k = 1; k <= n; ++k) {
        EXPECT_EQ(qualities.Value(k), "0" + std::to_string(k)) << "stored as 0 + position";
        EXPECT_FALSE(qualities.Value(k + n).empty());
    }

    const std::map<std::string, size_t> codeLength = {
        {"SECTANAL", 3}, {"SERVICES", 3}, {"TAUXTVA", 1}, {"TELEGESTION", 0}, {"EMPLOIS", 0}};
    std::map<std::string, std::set<std::string>> codes;
    for (const auto& [table, length] : codeLength) {
        SCOPED_TRACE(table);
        store::Record t = read("TABLES", table);
        ASSERT_GE(t.DCount(2), 3);
        EXPECT_EQ(t.DCount(3), t.DCount(2));
        for (int k = 1; k <= t.DCount(2); ++k) {
            if (length) {
                EXPECT_EQ(t.Value(2, k).size(), length) << t.Value(2, k);
            }
            EXPECT_FALSE(t.Value(3, k).empty());
            codes[table].insert(t.Value(2, k));
        }
    }
    store::Record vat = read("TABLES", "TAUXTVA");
    EXPECT_EQ(vat.DCount(4), vat.DCount(2));
    for (int k = 1; k <= vat.DCount(4); ++k) {
        const std::string rate = vat.Value(4, k);
        EXPECT_TRUE(!rate.empty() && std::all_of(rate.begin(), rate.end(), ::isdigit))
            << "hundredths of a percent: " << rate;
    }

    for (const std::string& code : associations()) {
        const std::string system = read("ASSOCIATION", code).Value(38);
        if (!system.empty()) {
            EXPECT_TRUE(codes["TELEGESTION"].count(system)) << code << " " << system;
        }
    }
    for (const std::string& id : Ids(db(), "SSELECT ACTIVITES", "ACTIVITES")) {
        store::Record a = read("ACTIVITES", id);
        EXPECT_TRUE(codes["SECTANAL"].count(a.Value(2))) << id;
        EXPECT_TRUE(codes["SERVICES"].count(a.Value(13))) << id;
        EXPECT_TRUE(codes["TAUXTVA"].count(a.Value(11))) << id;
    }

    const auto agreements = Ids(db(), "SSELECT CONVENTIONCOL", "CONVENTIONCOL");
    EXPECT_GE(agreements.size(), 2u);
    EXPECT_LE(agreements.size(), 3u);
    for (const std::string& key : agreements)
        EXPECT_FALSE(read("CONVENTIONCOL", key).Value(1).empty());

    const auto people = Ids(db(), "SSELECT CIVILAIDANT", "CIVILAIDANT");
    EXPECT_FALSE(people.empty());
    for (const std::string& id : people) {
        EXPECT_EQ(id.size(), 5u) << "the sector field reads the first five characters of an id";
        EXPECT_EQ(read("CIVILAIDANT", id).Value(31).size(), 2u) << id;
    }

    EXPECT_GE(read("PERIODESPAIE", "1").Value(1, 1), "200307");
    EXPECT_FALSE(read("COMPTEUR", "999").Value(15).empty());

    store::Record admin = read("DROITS", seed::kDemoAdminUser);
    store::Record consult = read("DROITS", seed::kDemoConsultUser);
    EXPECT_EQ(admin.Value(1, 1), "ASSOCIATION");
    EXPECT_EQ(admin.Value(2, 1), "2");
    EXPECT_EQ(consult.Value(1, 1), "ASSOCIATION");
    EXPECT_EQ(consult.Value(2, 1), "1");
}

TEST_F(Demo, ChartsOfAccountsServeTheAccountingLookups) {
    for (const std::string& code : associations()) {
        SCOPED_TRACE(code);
        const auto accounts =
            Ids(db(), "SSELECT PLANCOMPTABLE AVEC @ID = \"" + code + "]\" PAR 1", "PLANCOMPTABLE");
        EXPECT_GE(accounts.size(), 24u);
        for (const std::string& id : accounts) {
            EXPECT_EQ(id.size(), 13u);
            const std::string label = read("PLANCOMPTABLE", id).Value(1);
            std::string up = label;
            std::transform(up.begin(), up.end(), up.begin(), ::toupper);
            EXPECT_EQ(label, up) << id;
        }
    }
    // The type-ahead: label prefix within one association, accounts without a label left out.
    store::Record fees = db().Select(
        "SSELECT PLANCOMPTABLE AVEC 1 = \"COTISATIONS ANNUELLES]\" AND AVEC @ID = \"001]\" AND "
        "SANS 1 = "
        "\"\" PAR 1",
        "PLANCOMPTABLE", "0 1");
    ASSERT_EQ(fees.DCount(), 3);
    EXPECT_EQ(fees.Value(1, 2), "COTISATIONS ANNUELLES INTERMEDIAIRE");
    EXPECT_EQ(fees.Value(3, 2), "COTISATIONS ANNUELLES PRESTATAIRE");
    EXPECT_EQ(fees.Value(3, 1), "0017562000000");

    const auto all = Ids(db(), "SSELECT PLANCOMPTABLE AVEC @ID = \"001]\"", "PLANCOMPTABLE");
    const auto labelled = Ids(db(),
                              "SSELECT PLANCOMPTABLE AVEC 1 = \"]\" AND AVEC @ID = \"001]\" AND "
                              "SANS 1 = \"\" PAR 1",
                              "PLANCOMPTABLE");
    EXPECT_LT(labelled.size(), all.size()) << "001 has an account without a label";
}

TEST_F(Demo, SigleListAndTemplatesAreReady) {
    store::Record list = db().Select("SSELECT ASSOCIATION PAR SigleAssoc", "ASSOCIATION", "0 1");
    ASSERT_EQ(list.DCount(), static_cast<int>(associations().size()));
    for (int i = 2; i <= list.DCount(); ++i)
        EXPECT_LT(list.Value(i - 1, 2), list.Value(i, 2));
    store::Record typed = db().Select(
        "SSELECT ASSOCIATION AVEC SigleAssoc = \"SAD]\" PAR SigleAssoc", "ASSOCIATION", "0 1");
    ASSERT_EQ(typed.DCount(), 1);
    EXPECT_EQ(typed.Value(1, 1), "002");

    const std::string folder = read("CHEMINFICHIER", "1").Value(3);
    EXPECT_EQ(fs::path(folder), fs::absolute(templates()));
    EXPECT_NE(folder.back(), '/');
    for (const char* name : {"Contrat.txt", "Avenant.txt", "Defaut.txt", "MiseADispo.txt"}) {
        std::ifstream in(fs::path(folder) / name);
        ASSERT_TRUE(in) << name;
        std::stringstream text;
        text << in.rdbuf();
        EXPECT_NE(text.str().find("«"), std::string::npos) << name << " has merge fields";
    }
}

TEST_F(Demo, LoadingAgainKeepsEveryRecordAndEditedTemplate) {
    store::Record changed = db().OpenFile("ASSOCIATION")->Read("003");
    changed.SetValue(2, "RAISON CHANGEE");
    changed.DBWrite();
    const fs::path contract = templates() / "Contrat.txt";
    std::ofstream(contract) << "modèle modifié";

    std::map<std::string, std::map<std::string, std::string>> before;
    for (const std::string& name : kSystemFiles)
        before[name] = Contents(db(), name);

    const fs::path otherFolder = folder_->path() / "autres modeles";
    seed::LoadDemo(db(), otherFolder.string());
    for (const std::string& name : kSystemFiles) {
        if (name == "CHEMINFICHIER")
            continue;
        EXPECT_EQ(Contents(db(), name), before[name]) << name;
    }
    EXPECT_EQ(read("CHEMINFICHIER", "1").Value(3), otherFolder.string());
    EXPECT_TRUE(fs::exists(otherFolder / "MiseADispo.txt"));
    std::ifstream in(contract);
    std::string text;
    std::getline(in, text);
    EXPECT_EQ(text, "modèle modifié");

    seed::LoadDemo(db(), templates().string());  // back as it was for the other tests
}

TEST(DemoFailure, AnUnusableTemplateFolderWritesNothing) {
    TempFolder folder;
    auto db = store::OpenLocalDatabase((folder.path() / "base.mvdb").string());
    const fs::path blocker = folder.path() / "fichier";
    std::ofstream(blocker) << "x";
    EXPECT_THROW(seed::LoadDemo(*db, (blocker / "modeles").string()), std::runtime_error);
    EXPECT_THROW(db->OpenFile("ASSOCIATION"), store::StoreError);
}

TEST(DayNumber, CountsFromTheLastDayOf1967) {
    EXPECT_EQ(seed::DayNumber("31/12/1967"), 0);
    EXPECT_EQ(seed::DayNumber("01/01/1968"), 1);
    EXPECT_EQ(seed::DayNumber("01/03/1968"), 61);  // 1968 is a leap year
    EXPECT_EQ(seed::DayNumber("01/01/2009"), 14977);
    EXPECT_THROW(seed::DayNumber("30/02/2024"), std::invalid_argument);
    EXPECT_THROW(seed::DayNumber("1/1/2024"), std::invalid_argument);
}

}  // namespace
