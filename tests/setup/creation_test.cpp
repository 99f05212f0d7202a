// The set-up of a new association on a real database and a real template folder: the exact
// sequence of commands, dictionary writes and copies, what lands in the store and the folder,
// and a failed run followed by a retry.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "setup/creation_fichier_unidata.h"
#include "setup_world.h"
#include "store/file.h"

namespace {

// Everything one run logs: the selection, each agreement's pass, the notice file.
Log Expected(const std::string& code, const std::vector<std::string>& keys) {
    Log log{"SELECT SSELECT CONVENTIONCOL|CONVENTIONCOL|0"};
    for (const std::string& key : keys) {
        const std::string contract = "CONTRAT" + code + key;
        log.insert(log.end(),
                   {"EXECUTE CREATE.FILE " + contract + " 3,1", "OPEN DICT " + contract,
                    "NEWITEM DICT " + contract + " Secteur", "WRITE DICT " + contract + " Secteur",
                    "EXECUTE CREATE.FILE AVENANT" + code + key + " 3,1",
                    "COPY Contrat.txt > Contrat" + code + key + ".txt",
                    "COPY Avenant.txt > Avenant" + code + key + ".txt",
                    "COPY Defaut.txt > Convocm" + code + ".txt",
                    "COPY Defaut.txt > Opposition" + code + ".txt"});
    }
    log.push_back("EXECUTE CREATE.FILE CONVOVM" + code + " 3,1");
    return log;
}

const std::string FM = "\xFE";

// The item as the set-up writes it, whatever was there before.
void ExpectSecteurItem(store::Database& db, const std::string& contractFile) {
    const std::string wanted[] = {
        "V", "OCONV(@ID,\"T1,5\":@VM:\"TCIVILAIDANT;X;;31\")", "", "Secteur", "2L", "S", ""};
    store::Record item = db.OpenFile("DICT " + contractFile)->Read("Secteur");
    EXPECT_LE(item.DCount(), 7) << contractFile;
    for (int a = 1; a <= 7; ++a)
        EXPECT_EQ(item.Value(a), wanted[a - 1]) << contractFile << ", attribute " << a;
}

void Create(SetupWorld& world, const std::string& code) {
    setup::Creation_FichierUNIDATA(world.db, code, world.folder, world.files);
}

TEST(Creation, EachAgreementInIdOrderGetsItsFilesAndCopiesThenTheNoticeFileComes) {
    const struct {
        std::initializer_list<std::string> stored;  // CONVENTIONCOL ids, in writing order
        std::string code;
        std::vector<std::string> keys;  // in the order the selection gives them
    } cases[] = {{{"B2", "A1"}, "007", {"A1", "B2"}}, {{}, "007", {}}, {{"A1"}, " 07 ", {"A1"}}};
    for (const auto& c : cases) {
        SCOPED_TRACE("code \"" + c.code + "\", " + std::to_string(c.keys.size()) + " agreements");
        SetupWorld world;
        world.AddConventions(c.stored);
        Create(world, c.code);
        EXPECT_EQ(world.log, Expected(c.code, c.keys));
        for (const std::string& key : c.keys) {
            EXPECT_TRUE(world.HasFile("AVENANT" + c.code + key));
            ExpectSecteurItem(*world.real, "CONTRAT" + c.code + key);
            EXPECT_EQ(world.Template("Contrat" + c.code + key + ".txt"), "Contrat de travail\n");
            EXPECT_EQ(world.Template("Avenant" + c.code + key + ".txt"), "Avenant au contrat\n");
        }
        EXPECT_TRUE(world.HasFile("CONVOVM" + c.code));
        const std::string notice = c.keys.empty() ? "<absent>" : "Convocation\n";
        EXPECT_EQ(world.Template("Convocm" + c.code + ".txt"), notice);
        EXPECT_EQ(world.Template("Opposition" + c.code + ".txt"), notice);
        EXPECT_EQ(world.TemplateCount(), 3 + (c.keys.empty() ? 0 : 2 + 2 * c.keys.size()));
        if (c.code == " 07 ") {
            EXPECT_FALSE(world.HasFile("CONVOVM 07")) << "the trailing blank is part of the name";
        }
    }
}

TEST(Creation, AMissingTemplateStopsTheRunAndARetryCompletesIt) {
    SetupWorld world;
    world.AddConventions({"A1", "B2"});
    std::filesystem::remove(world.folder + "/Defaut.txt");
    try {
        Create(world, "007");
        FAIL() << "the run went on without Defaut.txt";
    } catch (const files::FileError& e) {
        EXPECT_EQ(std::string(e.what()),
                  "Le modèle " + world.folder + "/Defaut.txt est introuvable.");
    }
    Log firstPass = Expected("007", {"A1"});
    firstPass.resize(firstPass.size() - 3);  // up to the first copy of Defaut.txt
    EXPECT_EQ(world.log, firstPass);
    EXPECT_TRUE(world.HasFile("AVENANT007A1"));
    EXPECT_FALSE(world.HasFile("CONTRAT007B2"));
    EXPECT_FALSE(world.HasFile("CONVOVM007"));
    EXPECT_EQ(world.Template("Avenant007A1.txt"), "Avenant au contrat\n");
    EXPECT_EQ(world.Template("Convocm007.txt"), "<absent>");

    // The retry finds the first pass's files, and a "Secteur" item that is not the one it writes.
    store::Record older(
        world.real->OpenFile("DICT CONTRAT007A1"), "Secteur",
        "D" + FM + "1" + FM + FM + "Ancien" + FM + "10L" + FM + "M" + FM + FM + "8");
    older.DBWrite();
    world.WriteTemplate("Defaut.txt", "Convocation\n");
    world.log.clear();
    Create(world, "007");
    EXPECT_EQ(world.log, Expected("007", {"A1", "B2"}));
    ExpectSecteurItem(*world.real, "CONTRAT007A1");
    ExpectSecteurItem(*world.real, "CONTRAT007B2");
    EXPECT_TRUE(world.HasFile("CONVOVM007"));
    EXPECT_EQ(world.TemplateCount(), 3u + 6u);
}

}  // namespace
