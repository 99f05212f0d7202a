// The set-up of a new association on a real database and a real template folder: the exact
// sequence of commands, dictionary writes and copies, what lands in the store and the folder,
// and a failed run followed by a retry.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "setup/creation_fichier_unidata.h"
#include "setup_world.h"
#include "store/file.h"
#include "store/store_error.h"

namespace {

using Log = std::vector<std::string>;

const std::string kSelect = "SELECT SSELECT CONVENTIONCOL|CONVENTIONCOL|0";
const std::string kExpression = "OCONV(@ID,\"T1,5\":@VM:\"TCIVILAIDANT;X;;31\")";

Log FirstPass007A1() {
    return {"EXECUTE CREATE.FILE CONTRAT007A1 3,1", "OPEN DICT CONTRAT007A1",
            "NEWITEM DICT CONTRAT007A1 Secteur",    "WRITE DICT CONTRAT007A1 Secteur",
            "EXECUTE CREATE.FILE AVENANT007A1 3,1", "COPY Contrat.txt > Contrat007A1.txt",
            "COPY Avenant.txt > Avenant007A1.txt"};
}

Log TwoAgreements007() {
    Log log{kSelect};
    for (const std::string& l : FirstPass007A1())
        log.push_back(l);
    for (const char* l :
         {"COPY Defaut.txt > Convocm007.txt", "COPY Defaut.txt > Opposition007.txt",
          "EXECUTE CREATE.FILE CONTRAT007B2 3,1", "OPEN DICT CONTRAT007B2",
          "NEWITEM DICT CONTRAT007B2 Secteur", "WRITE DICT CONTRAT007B2 Secteur",
          "EXECUTE CREATE.FILE AVENANT007B2 3,1", "COPY Contrat.txt > Contrat007B2.txt",
          "COPY Avenant.txt > Avenant007B2.txt", "COPY Defaut.txt > Convocm007.txt",
          "COPY Defaut.txt > Opposition007.txt", "EXECUTE CREATE.FILE CONVOVM007 3,1"})
        log.push_back(l);
    return log;
}

void ExpectSecteurItem(store::Database& db, const std::string& contractFile) {
    store::Record item = db.OpenFile("DICT " + contractFile)->Read("Secteur");
    EXPECT_EQ(item.Value(1), "V");
    EXPECT_EQ(item.Value(2), kExpression);
    EXPECT_EQ(item.Value(3), "");
    EXPECT_EQ(item.Value(4), "Secteur");
    EXPECT_EQ(item.Value(5), "2L");
    EXPECT_EQ(item.Value(6), "S");
    EXPECT_EQ(item.Value(7), "");
    EXPECT_LE(item.DCount(), 7);
}

class CreationTest : public ::testing::Test {
  protected:
    void Run(const std::string& code) {
        setup::Creation_FichierUNIDATA(*world.db, code, world.folder, world.files);
    }
    SetupWorld world;
};

TEST_F(CreationTest, TwoAgreementsGiveTheirFilesAndCopiesInOrder) {
    world.AddConventions({"B2", "A1"});  // stored out of order: the selection sorts them
    Run("007");
    EXPECT_EQ(world.log, TwoAgreements007());

    for (const char* f :
         {"CONTRAT007A1", "AVENANT007A1", "CONTRAT007B2", "AVENANT007B2", "CONVOVM007"})
        EXPECT_TRUE(world.HasFile(f)) << f;
    ExpectSecteurItem(*world.real, "CONTRAT007A1");
    ExpectSecteurItem(*world.real, "CONTRAT007B2");
    EXPECT_EQ(world.Template("Contrat007A1.txt"), "Contrat de travail\n");
    EXPECT_EQ(world.Template("Contrat007B2.txt"), "Contrat de travail\n");
    EXPECT_EQ(world.Template("Avenant007B2.txt"), "Avenant au contrat\n");
    EXPECT_EQ(world.Template("Convocm007.txt"), "Convocation\n");
    EXPECT_EQ(world.Template("Opposition007.txt"), "Convocation\n");
    EXPECT_EQ(world.TemplateNames().size(), 3u + 6u);
}

TEST_F(CreationTest, NoAgreementGivesOnlyTheNoticeFile) {
    Run("007");
    EXPECT_EQ(world.log, (Log{kSelect, "EXECUTE CREATE.FILE CONVOVM007 3,1"}));
    EXPECT_TRUE(world.HasFile("CONVOVM007"));
    EXPECT_EQ(world.TemplateNames(),
              (std::vector<std::string>{"Avenant.txt", "Contrat.txt", "Defaut.txt"}));
}

TEST_F(CreationTest, ACodeIsUsedWithItsBlanks) {
    world.AddConventions({"A1"});
    Run(" 07 ");
    EXPECT_EQ(world.log,
              (Log{kSelect, "EXECUTE CREATE.FILE CONTRAT 07 A1 3,1", "OPEN DICT CONTRAT 07 A1",
                   "NEWITEM DICT CONTRAT 07 A1 Secteur", "WRITE DICT CONTRAT 07 A1 Secteur",
                   "EXECUTE CREATE.FILE AVENANT 07 A1 3,1", "COPY Contrat.txt > Contrat 07 A1.txt",
                   "COPY Avenant.txt > Avenant 07 A1.txt", "COPY Defaut.txt > Convocm 07 .txt",
                   "COPY Defaut.txt > Opposition 07 .txt", "EXECUTE CREATE.FILE CONVOVM 07  3,1"}));
    for (const char* f : {"CONTRAT 07 A1", "AVENANT 07 A1", "CONVOVM 07 "})
        EXPECT_TRUE(world.HasFile(f)) << '"' << f << '"';
    EXPECT_FALSE(world.HasFile("CONVOVM 07")) << "the trailing blank is part of the name";
    ExpectSecteurItem(*world.real, "CONTRAT 07 A1");
    EXPECT_EQ(world.Template("Contrat 07 A1.txt"), "Contrat de travail\n");
    EXPECT_EQ(world.Template("Opposition 07 .txt"), "Convocation\n");
}

TEST_F(CreationTest, AMissingTemplateStopsTheRunAndARetryCompletesIt) {
    world.AddConventions({"A1", "B2"});
    world.RemoveTemplate("Defaut.txt");
    try {
        Run("007");
        FAIL() << "the run went on without Defaut.txt";
    } catch (const files::FileError& e) {
        EXPECT_EQ(std::string(e.what()),
                  "Le modèle " + world.folder + "/Defaut.txt est introuvable.");
    }
    Log expected{kSelect};
    for (const std::string& l : FirstPass007A1())
        expected.push_back(l);
    EXPECT_EQ(world.log, expected);
    EXPECT_TRUE(world.HasFile("CONTRAT007A1"));
    EXPECT_TRUE(world.HasFile("AVENANT007A1"));
    EXPECT_FALSE(world.HasFile("CONTRAT007B2"));
    EXPECT_FALSE(world.HasFile("CONVOVM007"));
    EXPECT_EQ(world.Template("Avenant007A1.txt"), "Avenant au contrat\n");
    EXPECT_EQ(world.Template("Convocm007.txt"), "<absent>");

    world.WriteTemplate("Defaut.txt", "Convocation\n");
    world.log.clear();
    Run("007");
    EXPECT_EQ(world.log, TwoAgreements007());
    ExpectSecteurItem(*world.real, "CONTRAT007A1");
    ExpectSecteurItem(*world.real, "CONTRAT007B2");
    EXPECT_TRUE(world.HasFile("CONVOVM007"));
    EXPECT_EQ(world.TemplateNames().size(), 3u + 6u);
}

TEST_F(CreationTest, AnOlderSecteurItemIsReplaced) {
    world.AddConventions({"A1"});
    world.real->Execute("CREATE.FILE CONTRAT007A1 3,1");
    store::Record old = world.real->OpenFile("DICT CONTRAT007A1")->NewItem("Secteur");
    old.SetValue(1, "D");
    old.SetValue(2, "1");
    old.SetValue(4, "Ancien");
    old.SetValue(5, "10L");
    old.SetValue(6, "M");
    old.SetValue(8, "8");
    old.DBWrite();
    Run("007");
    ExpectSecteurItem(*world.real, "CONTRAT007A1");
}

TEST_F(CreationTest, SecteurShowsTheCivilAidantTranslation) {
    world.AddConventions({"A1"});
    Run("007");
    auto civil = world.real->OpenFile("CIVILAIDANT");
    store::Record aidant = civil->NewItem("ABCDE");
    aidant.SetValue(31, "Aide à domicile");
    aidant.DBWrite();
    auto contracts = world.real->OpenFile("CONTRAT007A1");
    for (const char* id : {"ABCDE0001", "ZZZZZ0002", "ABCDE0003"}) {
        store::Record contract = contracts->NewItem(id);
        contract.SetValue(1, "x");
        contract.DBWrite();
    }
    store::Record found = world.real->Select(
        "SSELECT CONTRAT007A1 AVEC Secteur = \"Aide à domicile\"", "CONTRAT007A1", "0");
    ASSERT_EQ(found.DCount(), 2);
    EXPECT_EQ(found.Value(1, 1), "ABCDE0001");
    EXPECT_EQ(found.Value(2, 1), "ABCDE0003");
    store::Record none =
        world.real->Select("SSELECT CONTRAT007A1 SANS Secteur", "CONTRAT007A1", "0");
    ASSERT_EQ(none.DCount(), 1);
    EXPECT_EQ(none.Value(1, 1), "ZZZZZ0002");
}

}  // namespace
