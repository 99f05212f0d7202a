// A new database made ready for the system, and the demo data set as the screens will find it.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <fstream>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "app/common/open_base.h"
#include "platform/components/rib/controles_bancaires.h"
#include "platform/seed/day_number.h"
#include "platform/seed/seed.h"
#include "tests/engine/engine_test_util.h"

namespace fs = std::filesystem;
using enginetest::TempFolder;

namespace {

const std::vector<std::string> kSystemFiles = {
    "ASSOCIATION",   "ETABLISSEMENT", "ACTIVITES",     "COMPTEUR",      "NUMEROFACT",  "TABLES",
    "CHEMINFICHIER", "PERIODESPAIE",  "PLANCOMPTABLE", "CONVENTIONCOL", "CIVILAIDANT", "DROITS"};

// Ids a selection gives.
std::vector<std::string> Ids(store::Database& db, const std::string& command) {
    store::Record result = db.Select(command, "", "0");
    std::vector<std::string> ids;
    for (int i = 1; i <= result.DCount(); ++i)
        ids.push_back(result.Value(i, 1));
    return ids;
}

// Every record of a file, by id.
std::map<std::string, std::string> Contents(store::Database& db, const std::string& file) {
    std::map<std::string, std::string> out;
    auto records = db.OpenFile(file);
    for (const std::string& id : Ids(db, "SSELECT " + file))
        out[id] = records->Read(id).Text();
    return out;
}

bool IsUpper(const std::string& s) {
    return std::none_of(s.begin(), s.end(), [](unsigned char c) { return std::islower(c); });
}

bool LuhnValid(const std::string& digits) {
    int sum = 0;
    for (size_t i = 0; i < digits.size(); ++i) {
        const int d = digits[digits.size() - 1 - i] - '0';
        if (d < 0 || d > 9)
            return false;
        sum += i % 2 == 0 ? d : d * 2 > 9 ? d * 2 - 9 : d * 2;
    }
    return !digits.empty() && sum % 10 == 0;
}

// Complete bank details that pass the checks of the bank-details component.
void ExpectBankDetails(const store::Record& r, int f, const std::string& what) {
    const rib::CoordonneesBancaires c{r.Value(f, 1),  r.Value(f, 2),  r.Value(f + 1),
                                      r.Value(f + 2), r.Value(f + 3), r.Value(f + 4),
                                      r.Value(f + 5), r.Value(f + 6), r.Value(f + 7)};
    EXPECT_EQ(rib::Controler(c).message, "") << what;
    EXPECT_FALSE(c.banque.empty() || c.cleRib.empty() || c.iban.empty() || c.bic.empty()) << what;
    EXPECT_TRUE(c.ics.size() == 6 || (c.ics.size() == 13 && c.ics.starts_with("FR")))
        << what << ", ICS " << c.ics;
}

// ----------------------------------------------------------------------------------------------

class Bootstrap : public ::testing::Test {
  protected:
    TempFolder folder;
    std::shared_ptr<store::LocalDatabase> db = store::OpenLocalDatabase(folder / "base.mvdb");
};

TEST_F(Bootstrap, MakesEveryFileWithTheFieldsAndIndexesTheCommandsUse) {
    seed::Bootstrap(*db);
    for (const std::string& name : kSystemFiles) {
        EXPECT_NO_THROW(db->OpenFile(name)) << name;
        EXPECT_NO_THROW(db->OpenFile("DICT " + name)) << name;
    }
    const struct {
        const char *file, *item, *location;
        int index;  // -1 none, else the id prefix its entries are grouped by
    } items[] = {{"ASSOCIATION", "SigleAssoc", "1", 0},  {"ETABLISSEMENT", "SigleEtabl", "1", 0},
                 {"ETABLISSEMENT", "CodEtabl", "0", -1}, {"ACTIVITES", "LibActivite", "1", 0},
                 {"ACTIVITES", "CodActivite", "0", -1},  {"ACTIVITES", "Service", "13", 0},
                 {"PLANCOMPTABLE", "LibCompte", "1", 3}};
    for (const auto& i : items) {
        SCOPED_TRACE(i.item);
        store::Record item = db->OpenFile(std::string("DICT ") + i.file)->Read(i.item);
        EXPECT_EQ(item.Value(1), "D");
        EXPECT_EQ(item.Value(2), i.location);
        EXPECT_FALSE(item.Value(4).empty()) << "heading";
        EXPECT_TRUE(item.Value(5).back() == 'L' || item.Value(5).back() == 'R');
        EXPECT_EQ(item.Value(6), "S");
        int index = -1;
        for (const mv::IndexDef& def : db->Engine().Indexes(db->Engine().RequireFile(i.file)))
            index = def.field == i.item ? def.idPrefix : index;
        EXPECT_EQ(index, i.index);
    }
}

TEST_F(Bootstrap, RunTwiceOrOverExistingFilesChangesNothing) {
    // A file made by hand keeps its own dictionary.
    db->Execute("CREATE.FILE DROITS 3,1");
    store::Record(db->OpenFile("DICT DROITS"), "Utilisateur", "D" + enginetest::FM + "0").DBWrite();
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
        db_ = store::OpenLocalDatabase(folder_ / "demo.mvdb");
        seed::LoadDemo(*db_, templates_);
    }
    static void TearDownTestSuite() { db_.reset(); }
    store::Database& db() { return *db_; }
    store::Record read(const std::string& file, const std::string& id) {
        return db().OpenFile(file)->Read(id);
    }
    std::vector<std::string> associations() { return Ids(db(), "SSELECT ASSOCIATION"); }
    // Rows of a lookup as its window gets them: record id and attribute 1.
    std::vector<std::pair<std::string, std::string>> Rows(const std::string& command) {
        store::Record result = db().Select(command, "", "0 1");
        std::vector<std::pair<std::string, std::string>> rows;
        for (int i = 1; i <= result.DCount(); ++i)
            rows.emplace_back(result.Value(i, 1), result.Value(i, 2));
        return rows;
    }

    static inline TempFolder folder_;
    static inline const std::string templates_ = folder_ / "modeles";
    static inline std::shared_ptr<store::LocalDatabase> db_;
};

TEST_F(Demo, AssociationsAreCompleteAndValid) {
    const auto codes = associations();
    ASSERT_GE(codes.size(), 4u);
    ASSERT_LE(codes.size(), 6u);
    std::set<std::string> postalAreas;
    int byAddress = 0, byName = 0;  // sending servers
    for (const std::string& code : codes) {
        SCOPED_TRACE(code);
        ASSERT_EQ(code.size(), 3u);
        EXPECT_TRUE(std::all_of(code.begin(), code.end(), ::isdigit));
        store::Record a = read("ASSOCIATION", code);
        EXPECT_TRUE(!a.Value(1).empty() && IsUpper(a.Value(1))) << "sigle " << a.Value(1);
        for (int filled : {2, 3, 8, 33, 34})
            EXPECT_FALSE(a.Value(filled).empty()) << "attribute " << filled;
        EXPECT_EQ(a.Value(6).size(), 5u) << "postal code";
        postalAreas.insert(a.Value(6).substr(0, 2));
        EXPECT_TRUE(a.Value(14).size() == 9 && LuhnValid(a.Value(14))) << "SIREN " << a.Value(14);
        ExpectBankDetails(a, 15, "association " + code);
        EXPECT_EQ(a.Value(37).size(), 9u) << "FINESS";
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
        if (const std::string server = a.Value(43); !server.empty()) {
            EXPECT_FALSE(a.Value(44).empty() || a.Value(45).empty()) << "login and password";
            const bool ip = std::count(server.begin(), server.end(), '.') == 3 &&
                            server.find(':') != std::string::npos;
            ++(ip ? byAddress : byName);
        }
    }
    EXPECT_GE(postalAreas.size(), 4u) << "associations in different départements";
    EXPECT_GE(byAddress, 1) << "a server given by IP address and port";
    EXPECT_GE(byName, 1) << "a server given by name";
    EXPECT_EQ(read("ASSOCIATION", "001").Value(56), "14977") << "01/01/2009 as a day number";
}

TEST_F(Demo, EstablishmentsAndActivitiesFitTheirAssociation) {
    std::map<std::string, std::string> typeOfService;
    for (const std::string& code : associations()) {
        SCOPED_TRACE(code);
        const store::Record association = read("ASSOCIATION", code);
        // Each list as its window asks for it (the engine tests see to the order).
        const auto etabs =
            Rows("SSELECT ETABLISSEMENT AVEC CodEtabl = \"" + code + "]\" PAR SigleEtabl");
        const auto acts =
            Rows("SSELECT ACTIVITES AVEC CodActivite = \"" + code + "]\" PAR LibActivite");
        EXPECT_TRUE(etabs.size() >= 2 && etabs.size() <= 4) << etabs.size() << " establishments";
        EXPECT_GE(acts.size(), 3u);
        for (const auto& [id, sigle] : etabs) {
            store::Record e = read("ETABLISSEMENT", id);
            EXPECT_TRUE(LuhnValid(e.Value(14)) && e.Value(14).substr(0, 9) == association.Value(14))
                << "SIRET " << e.Value(14);
            if (!e.Value(36, 1).empty())
                ExpectBankDetails(e, 36, "establishment " + id);
        }
        for (const auto& [id, label] : acts) {
            SCOPED_TRACE(id);
            store::Record a = read("ACTIVITES", id);
            const std::string type = a.Value(12);
            EXPECT_LE(label.size(), 30u);
            ASSERT_FALSE(a.Value(13).empty()) << "service";
            EXPECT_EQ(typeOfService.emplace(a.Value(13), type).first->second, type)
                << "a service belongs to one type of activity";
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
                EXPECT_TRUE(ics.size() == own.size() &&
                            (ics.size() != 13 ||
                             ics.substr(0, 4) + ics.substr(7) == own.substr(0, 4) + own.substr(7)))
                    << ics << " " << own;
            }
            for (int account : {23, 24}) {  // accounts of the association's chart
                if (!a.Value(account).empty()) {
                    EXPECT_NO_THROW(read("PLANCOMPTABLE", code + a.Value(account)));
                }
            }
        }
        auto last = [](const auto& rows) {
            std::string code = "000";
            for (const auto& row : rows)
                code = std::max(code, row.first.substr(3));
            return code;
        };
        const store::Record counter = read("COMPTEUR", code);
        EXPECT_EQ(counter.Value(2, 1) + " " + counter.Value(4, 1), last(acts) + " " + last(etabs));
        const store::Record invoices = read("NUMEROFACT", code);
        EXPECT_EQ(invoices.DCount(), 6);
        for (int i = 1; i <= 6; ++i)
            EXPECT_EQ(invoices.Value(i).size(), 10u);
    }
    std::set<std::string> types;
    for (const auto& [service, type] : typeOfService) {
        types.insert(type);
        // The service check of the activities screen finds no activity of another type.
        EXPECT_EQ(Ids(db(), "SSELECT ACTIVITES AVEC 13 = \"" + service + "\" AND AVEC 12 # \"" +
                                type + "\"")
                      .size(),
                  0u)
            << service;
    }
    EXPECT_EQ(types, (std::set<std::string>{"I", "M", "P", "S"}));
}

TEST_F(Demo, TablesHoldEveryCodeTheRecordsUse) {
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
            EXPECT_TRUE(length == 0 || t.Value(2, k).size() == length) << t.Value(2, k);
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
        EXPECT_TRUE(system.empty() || codes["TELEGESTION"].count(system)) << code << " " << system;
    }
    for (const std::string& id : Ids(db(), "SSELECT ACTIVITES")) {
        store::Record a = read("ACTIVITES", id);
        EXPECT_TRUE(codes["SECTANAL"].count(a.Value(2)) && codes["SERVICES"].count(a.Value(13)) &&
                    codes["TAUXTVA"].count(a.Value(11)))
            << id;
    }
}

TEST_F(Demo, SharedRecordsAreThere) {
    const auto agreements = Ids(db(), "SSELECT CONVENTIONCOL");
    EXPECT_GE(agreements.size(), 2u);
    EXPECT_LE(agreements.size(), 3u);
    for (const std::string& key : agreements)
        EXPECT_FALSE(read("CONVENTIONCOL", key).Value(1).empty());
    const auto people = Ids(db(), "SSELECT CIVILAIDANT");
    EXPECT_FALSE(people.empty());
    for (const std::string& id : people) {
        EXPECT_EQ(id.size(), 5u) << "the sector field reads the first five characters of an id";
        EXPECT_EQ(read("CIVILAIDANT", id).Value(31).size(), 2u) << id;
    }
    EXPECT_GE(read("PERIODESPAIE", "1").Value(1, 1), "200307");
    EXPECT_FALSE(read("COMPTEUR", "999").Value(15).empty());
    store::Record admin = read("DROITS", seed::kDemoAdminUser);
    store::Record consult = read("DROITS", seed::kDemoConsultUser);
    EXPECT_EQ(admin.Value(1, 1) + " " + admin.Value(2, 1), "ASSOCIATION 2");
    EXPECT_EQ(consult.Value(1, 1) + " " + consult.Value(2, 1), "ASSOCIATION 1");
}

TEST_F(Demo, LookupsOfTheScreensFindTheirRecords) {
    const auto list = Rows("SSELECT ASSOCIATION PAR SigleAssoc");
    EXPECT_EQ(list.size(), associations().size());
    EXPECT_TRUE(std::adjacent_find(list.begin(), list.end(),
                                   [](auto& x, auto& y) { return x.second >= y.second; }) ==
                list.end())
        << "sigles sorted and distinct";
    EXPECT_EQ(Ids(db(), "SSELECT ASSOCIATION AVEC SigleAssoc = \"SAD]\" PAR SigleAssoc"),
              std::vector<std::string>{"002"});

    for (const std::string& code : associations()) {
        const auto accounts = Ids(db(), "SSELECT PLANCOMPTABLE AVEC @ID = \"" + code + "]\" PAR 1");
        EXPECT_GE(accounts.size(), 24u) << code;
        for (const std::string& id : accounts) {
            EXPECT_EQ(id.size(), 13u);
            EXPECT_TRUE(IsUpper(read("PLANCOMPTABLE", id).Value(1))) << id;
        }
    }
    // The accounting type-ahead: label prefix within one association, unlabelled accounts out.
    const std::string typeAhead =
        "SSELECT PLANCOMPTABLE AVEC 1 = \"COTISATIONS ANNUELLES]\" AND AVEC @ID = \"001]\" AND "
        "SANS 1 = \"\" PAR 1";
    store::Record fees = db().Select(typeAhead, "PLANCOMPTABLE", "0 1");
    ASSERT_EQ(fees.DCount(), 3);
    EXPECT_EQ(fees.Value(1, 2), "COTISATIONS ANNUELLES INTERMEDIAIRE");
    EXPECT_EQ(fees.Value(3, 2), "COTISATIONS ANNUELLES PRESTATAIRE");
    EXPECT_EQ(fees.Value(3, 1), "0017562000000");
    EXPECT_LT(Ids(db(),
                  "SSELECT PLANCOMPTABLE AVEC 1 = \"]\" AND AVEC @ID = \"001]\" AND SANS "
                  "1 = \"\" PAR 1")
                  .size(),
              Ids(db(), "SSELECT PLANCOMPTABLE AVEC @ID = \"001]\"").size())
        << "001 has an account without a label";
}

TEST_F(Demo, TemplatesLieWhereThePathsRecordSays) {
    const std::string folder = read("CHEMINFICHIER", "1").Value(3);
    EXPECT_EQ(fs::path(folder), fs::absolute(templates_));
    EXPECT_NE(folder.back(), '/');
    for (const char* name : {"Contrat.txt", "Avenant.txt", "Defaut.txt", "MiseADispo.txt"}) {
        std::ifstream in(fs::path(folder) / name);
        const std::string text(std::istreambuf_iterator<char>(in), {});
        EXPECT_NE(text.find("«"), std::string::npos) << name << " has merge fields";
    }
}

TEST_F(Demo, LoadingAgainKeepsEveryRecordAndEditedTemplate) {
    store::Record changed = read("ASSOCIATION", "003");
    changed.SetValue(2, "RAISON CHANGEE");
    changed.DBWrite();
    const fs::path contract = fs::path(templates_) / "Contrat.txt";
    std::ofstream(contract) << "modèle modifié";
    std::map<std::string, std::map<std::string, std::string>> before;
    for (const std::string& name : kSystemFiles)
        before[name] = Contents(db(), name);

    const std::string otherFolder = folder_ / "autres modeles";
    seed::LoadDemo(db(), otherFolder);
    before["CHEMINFICHIER"] = Contents(db(), "CHEMINFICHIER");  // the one record that moves
    for (const std::string& name : kSystemFiles)
        EXPECT_EQ(Contents(db(), name), before[name]) << name;
    EXPECT_EQ(read("CHEMINFICHIER", "1").Value(3), otherFolder);
    EXPECT_TRUE(fs::exists(otherFolder + "/MiseADispo.txt"));
    std::ifstream in(contract);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}), "modèle modifié");
    seed::LoadDemo(db(), templates_);  // back as it was for the other tests
}

TEST(DemoFailure, AnUnusableTemplateFolderIsNamedAndNothingIsWritten) {
    TempFolder folder;
    auto db = store::OpenLocalDatabase(folder / "base.mvdb");
    std::ofstream(folder / "fichier") << "x";
    try {
        seed::LoadDemo(*db, folder / "fichier/modeles");
        FAIL() << "the demo was loaded without its templates";
    } catch (const std::runtime_error& e) {
        EXPECT_EQ(e.what(), "Impossible de créer le dossier " + (folder / "fichier/modeles") +
                                " : un élément du chemin n'est pas un dossier.");
    }
    EXPECT_THROW(db->OpenFile("ASSOCIATION"), store::StoreError);
}

// The programs' opening: a new or empty base is prepared once; a preparation that fails leaves
// no half-prepared base to be taken for a finished one at the next start.
TEST(Opening, NewAndEmptyBasesArePreparedAndAFailedPreparationLeavesNothing) {
    TempFolder folder;
    const std::string fresh = folder / "dossier/nouvelle.mvdb", empty = folder / "vide.mvdb";
    std::ofstream{empty};
    appbase::OpenOptions demo{appbase::Preparation::DemoData, true};
    for (const std::string& path : {fresh, empty}) {
        appbase::Opened opened = appbase::OpenBase(path, demo);
        EXPECT_TRUE(opened.prepared) << path;
        EXPECT_FALSE(Ids(*opened.database, "SSELECT ASSOCIATION").empty()) << path;
        EXPECT_TRUE(fs::exists(folder / "dossier/modeles/Contrat.txt"));
        EXPECT_FALSE(appbase::OpenBase(path, demo).prepared) << "prepared once";
    }
    EXPECT_EQ(Ids(*appbase::OpenBase(folder / "systeme.mvdb").database, "SSELECT ASSOCIATION"),
              std::vector<std::string>{})
        << "the system's files alone";

    // Templates that cannot be written: the demo fails, and takes its base away with it.
    TempFolder broken;
    std::ofstream(broken / "modeles") << "un fichier, pas un dossier";
    const std::string made = broken / "nouvelle.mvdb", given = broken / "vide.mvdb";
    std::ofstream{given};
    for (const std::string& path : {made, given}) {
        EXPECT_THROW(appbase::OpenBase(path, demo), std::exception) << path;
        for (const char* sidecar : {"-wal", "-shm", "-locks"})
            EXPECT_FALSE(fs::exists(path + sidecar)) << path << sidecar;
    }
    EXPECT_FALSE(fs::exists(made));
    EXPECT_EQ(fs::file_size(given), 0u) << "the empty file given stays, empty";
    EXPECT_TRUE(appbase::IsNewBase(given));
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
