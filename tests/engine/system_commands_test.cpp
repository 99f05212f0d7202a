// Every command the screens send, on a small database laid out as the system's.
#include "engine_test_util.h"
#include "store/layout/dictionnaire.h"

namespace {

using namespace enginetest;

class SystemCommands : public BackendTest {
  protected:
    void SetUp() override {
        BackendTest::SetUp();
        MakeFile("ASSOCIATION", {{"SigleAssoc", 1, "20L"}});
        MakeFile("ETABLISSEMENT", {{"CodEtabl", 0, "6L"}, {"SigleEtabl", 1, "20L"}});
        MakeFile("ACTIVITES", {{"CodActivite", 0, "6L"}, {"LibActivite", 1, "30L"}});
        MakeFile("PLANCOMPTABLE");
        for (const char* index : {"ASSOCIATION SigleAssoc", "ETABLISSEMENT SigleEtabl",
                                  "ACTIVITES LibActivite", "PLANCOMPTABLE 1"})
            db->Execute(std::string("CREATE.INDEX ") + index);

        Put("ASSOCIATION", "001", "SAD VAL DE LOIRE");
        Put("ASSOCIATION", "002", "ASD BOCAGE");
        Put("ASSOCIATION", "003", "SAD ESTUAIRE");
        Put("ASSOCIATION", "004", "AIDE 49");
        Put("ETABLISSEMENT", "001001", "SAD ANGERS");
        Put("ETABLISSEMENT", "001002", "SAD SAUMUR");
        Put("ETABLISSEMENT", "002001", "BOCAGE CHOLET");
        Put("ETABLISSEMENT", "0021", "HORS CODE");
        // attribute 12: service code, 13: analytic section
        std::string tail(11, '\xFE');
        Put("ACTIVITES", "001001", "PRESTATAIRE AIDE" + tail + "AM" + FM + "S1");
        Put("ACTIVITES", "001002", "MANDATAIRE AIDE" + tail + "AM" + FM + "S2");
        Put("ACTIVITES", "001003", "ACCOMPAGNEMENT" + tail + "AC" + FM + "S1");
        Put("ACTIVITES", "002001", "PRESTATAIRE BOCAGE" + tail + "AD" + FM + "S1");
        Put("PLANCOMPTABLE", "0017061000000", "PRESTATIONS AIDE MENAGERE");
        Put("PLANCOMPTABLE", "0017062000000", "PRESTATIONS MANDATAIRE");
        Put("PLANCOMPTABLE", "0017400000000", "SUBVENTIONS D'EXPLOITATION");
        Put("PLANCOMPTABLE", "0016000000000", "");
        Put("PLANCOMPTABLE", "0027061000000", "PRESTATIONS AIDE");
    }

    std::vector<std::string> Column(const std::string& command, const std::string& file,
                                    int value) {
        store::Record result = db->Select(command, file, "0 1");
        std::vector<std::string> out;
        for (int i = 1; i <= result.DCount(); ++i)
            out.push_back(result.Value(i, value));
        return out;
    }
};

TEST_P(SystemCommands, AssociationsAndTheirEstablishmentsListedAndTypedAhead) {
    EXPECT_EQ(Column("SSELECT ASSOCIATION PAR SigleAssoc", "ASSOCIATION", 2),
              (V{"AIDE 49", "ASD BOCAGE", "SAD ESTUAIRE", "SAD VAL DE LOIRE"}));
    EXPECT_EQ(
        Column("SSELECT ASSOCIATION AVEC SigleAssoc = \"SAD]\" PAR SigleAssoc", "ASSOCIATION", 1),
        (V{"003", "001"}));
    EXPECT_EQ(
        Column("SSELECT ASSOCIATION AVEC SigleAssoc = \"Z]\" PAR SigleAssoc", "ASSOCIATION", 1),
        V{});
    EXPECT_EQ(
        Column("SSELECT ETABLISSEMENT AVEC CodEtabl = \"001]\" PAR SigleEtabl", "ETABLISSEMENT", 1),
        (V{"001001", "001002"}));
    EXPECT_EQ(Column("SSELECT ETABLISSEMENT AVEC SigleEtabl = \"SAD S]\" PAR SigleEtabl",
                     "ETABLISSEMENT", 1),
              V{"001002"});
}

TEST_P(SystemCommands, ActivitiesListTypeAheadServiceCheckAndFees) {
    EXPECT_EQ(
        Column("SSELECT ACTIVITES AVEC CodActivite = \"001]\" PAR LibActivite", "ACTIVITES", 2),
        (V{"ACCOMPAGNEMENT", "MANDATAIRE AIDE", "PRESTATAIRE AIDE"}));
    EXPECT_EQ(Column("SSELECT ACTIVITES AVEC LibActivite = \"PRESTATAIRE]\" PAR LibActivite",
                     "ACTIVITES", 1),
              (V{"001001", "002001"}));
    // another activity with section S1 and a service other than AM
    EXPECT_EQ(Column("SSELECT ACTIVITES AVEC 13 = \"S1\" AND AVEC 12 # \"AM\"", "ACTIVITES", 1),
              (V{"001003", "002001"}));
    store::Record fees =
        db->Select("SSELECT ACTIVITES AVEC @ID = \"001]\" PAR 12", "ACTIVITES", "0 12");
    ASSERT_EQ(fees.DCount(), 3);
    EXPECT_EQ(fees.Value(1), "001003" + VM + "AC");
    EXPECT_EQ(fees.Value(2, 2), "AM");
    EXPECT_EQ(fees.Value(3, 1), "001002") << "ties by id";
}

TEST_P(SystemCommands, AccountingTypeAheadAndAccountList) {
    EXPECT_EQ(Column("SSELECT PLANCOMPTABLE AVEC 1 = \"PRESTATIONS]\" AND AVEC @ID = \"001]\" "
                     "AND SANS 1 = \"\" PAR 1",
                     "PLANCOMPTABLE", 2),
              (V{"PRESTATIONS AIDE MENAGERE", "PRESTATIONS MANDATAIRE"}));
    EXPECT_EQ(Column("SSELECT PLANCOMPTABLE AVEC 1 = \"]\" AND AVEC @ID = \"001]\" AND SANS 1 = "
                     "\"\" PAR 1",
                     "PLANCOMPTABLE", 1),
              (V{"0017061000000", "0017062000000", "0017400000000"}));
    EXPECT_EQ(Column("SSELECT PLANCOMPTABLE AVEC @ID = \"001]\" PAR 1", "PLANCOMPTABLE", 1),
              (V{"0016000000000", "0017061000000", "0017062000000", "0017400000000"}));
}

TEST_P(SystemCommands, NewAssociationFilesWithTheirSectorField) {
    MakeFile("CIVILAIDANT");
    std::string civil(30, '\xFE');
    Put("CIVILAIDANT", "00749", civil + "Maine-et-Loire");
    Put("CIVILAIDANT", "00779", civil + "Deux-Sèvres");
    std::string status;
    for (const char* name : {"CONTRAT007A1", "AVENANT007A1", "CONVOVM007"}) {
        store::Record out = db->ExecuteRequest(
            store::MakeRequest(std::string("CREATE.FILE ") + name + " 3,1"), "", status);
        EXPECT_EQ(out.Value(1), "0") << name;
    }
    auto dict = db->OpenFile("DICT CONTRAT007A1");
    store::Record sector = dict->NewItem(store::layout::dictionnaire::kSecteur);
    sector.SetText(store::layout::dictionnaire::SecteurItem());
    sector.DBWrite();
    EXPECT_EQ(dict->Read("Secteur").DCount(), 7) << "stored as given";

    Put("CONTRAT007A1", "0074900012", "contrat 1");
    Put("CONTRAT007A1", "0078500001", "contrat 2");
    Put("CONTRAT007A1", "0077900003", "contrat 3");
    EXPECT_EQ(Column("SSELECT CONTRAT007A1 AVEC Secteur = \"Maine]\"", "CONTRAT007A1", 1),
              V{"0074900012"});
    EXPECT_EQ(Column("SSELECT CONTRAT007A1 AVEC Secteur = \"Deux-Sèvres\"", "CONTRAT007A1", 1),
              V{"0077900003"});
    EXPECT_EQ(Column("SSELECT CONTRAT007A1 SANS Secteur", "CONTRAT007A1", 1), V{"0078500001"});
    store::Record listed = db->Select("SSELECT CONTRAT007A1", "CONTRAT007A1", "0 Secteur");
    EXPECT_EQ(listed.Value(1, 2), "Maine-et-Loire");
    EXPECT_EQ(listed.Value(2, 2), "Deux-Sèvres");
    EXPECT_EQ(listed.Value(3, 2), "");
}

MERI_BACKENDS(SystemCommands);

}  // namespace
