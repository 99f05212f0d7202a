// Checks run when the user leaves a field of the association screen.
#include <map>

#include "tests/control/association_fixture.h"

namespace {

const char* kSiren = "Le numéro de SIREN doit comporter 9 caractères.";
const char* kFiness = "Le numéro de FINESS doit comporter 9 caractères.";
const char* kMail = "Adresse mail invalide.";
const char* kDate = "Erreur de saisie dans la date, veuillez la ressaisir.";
const char* kTelephone = "Vous avez saisi un numéro de téléphone incorrect.";
const char* kHeld = "";  // the focus comes back without a message

struct Leaving {
    const char* field;
    const char* typed;
    const char* kept;               // what the field shows once left
    const char* refusal = nullptr;  // the message, when the field is not let go
};

class ReglesTest : public CtrAssociationTest {
  protected:
    void SetUp() override {
        CtrAssociationTest::SetUp();
        start();
        enterCode("1");
    }
};

}  // namespace

TEST_F(ReglesTest, FieldsAreCheckedOnLeaving) {
    // Where each field stands, and the field the user goes to.
    const std::map<std::string, std::pair<Tab, const char*>> where = {
        {"Txt_SirenAssoc", {kCoordonnees, "Txt_NumTVA"}},
        {"Txt_Finess", {kCoordonnees, "Txt_NumTVA"}},
        {"Txt_SigleAssoc", {kCoordonnees, "Txt_RaisonAssoc"}},
        {"Txt_MailRespPaie", {kPersonnel, "Txt_RespPerso"}},
        {"Txt_TelRespPaie", {kPersonnel, "Txt_RespPerso"}},
        {"Txt_DateGrilleAggir2008", {kMisesEnForme, "Txt_AgrAuto1"}}};
    const Leaving cases[] = {
        // Nine characters or none; a refused text stays to be corrected.
        {"Txt_SirenAssoc", "12345678", "12345678", kSiren},
        {"Txt_SirenAssoc", "1234567890", "1234567890", kSiren},
        {"Txt_SirenAssoc", "123456789", "123456789"},
        {"Txt_SirenAssoc", "", ""},
        {"Txt_Finess", "49000431", "49000431", kFiness},
        {"Txt_Finess", "49-00 A4314", "4900A4314"},  // letters and digits only
        {"Txt_Finess", "", ""},
        {"Txt_SigleAssoc", "asd bocage é", "ASD BOCAGE É"},
        // One "@" with something on both sides; an empty address is refused too.
        {"Txt_MailRespPaie", "@exemple.fr", "@exemple.fr", kMail},
        {"Txt_MailRespPaie", "paie@", "paie@", kMail},
        {"Txt_MailRespPaie", "paie.exemple.fr", "paie.exemple.fr", kMail},
        {"Txt_MailRespPaie", "", "", kMail},
        {"Txt_MailRespPaie", "p@x", "p@x"},
        // Ten digits, a 0 then a non-zero digit, become five pairs each followed by a blank; a
        // number already in pairs is left as it is.
        {"Txt_TelRespPaie", "0241712020", "02 41 71 20 20 "},
        {"Txt_TelRespPaie", "02.41.71.20.20", "02 41 71 20 20"},
        {"Txt_TelRespPaie", "06a12b34c56d78", "06 12 34 56 78 "},
        {"Txt_TelRespPaie", "02417", "02417"},
        {"Txt_TelRespPaie", "2417120201", "", kTelephone},
        {"Txt_TelRespPaie", "0041712020", "", kTelephone},
        // Any separator key is typed as "/". An impossible date is told and kept to be
        // corrected; text that reads as no date at all only keeps the focus.
        {"Txt_DateGrilleAggir2008", "1.3-24", "01/03/2024"},
        {"Txt_DateGrilleAggir2008", "31/02/2024", "31/02/2024", kDate},
        {"Txt_DateGrilleAggir2008", "1//2", "1//2", kHeld},
        {"Txt_DateGrilleAggir2008", "", ""},
    };
    for (const Leaving& c : cases) {
        SCOPED_TRACE(std::string(c.field) + " " + c.typed);
        const auto& [tab, other] = where.at(c.field);
        showTab(tab);
        retype(c.field, QString::fromUtf8(c.typed));
        leave(c.field, other, c.refusal ? c.refusal : QString(), c.refusal == kHeld);
        EXPECT_EQ(text(c.field), QString::fromUtf8(c.kept));
    }
    // The pairs are written once: leaving again changes nothing more.
    showTab(kPersonnel);
    retype("Txt_TelRespPaie", "0612345678");
    leave("Txt_TelRespPaie", "Txt_RespPerso");
    focusOn(field("Txt_TelRespPaie"));
    leave("Txt_TelRespPaie", "Txt_RespPerso");
    EXPECT_EQ(text("Txt_TelRespPaie"), "06 12 34 56 78 ");
}

TEST_F(ReglesTest, TabChecksTheAggirDateBeforeTheFocusMoves) {
    showTab(kMisesEnForme);
    QLineEdit* date = field("Txt_DateGrilleAggir2008");
    retype("Txt_DateGrilleAggir2008", "1.3-24");
    EXPECT_EQ(date->text(), "1/3/24");
    pressKey(date, Qt::Key_Tab);
    settle();
    EXPECT_EQ(date->text(), "01/03/2024");
    EXPECT_NE(focusName(), "Txt_DateGrilleAggir2008");
    retype("Txt_DateGrilleAggir2008", "30/02/24");
    answers.expect(kDate, QMessageBox::Warning);
    pressKey(date, Qt::Key_Tab);
    EXPECT_TRUE(answers.waitAnswered());
    settle();
    EXPECT_TRUE(answers.done()) << "one message for the Tab and the focus change it makes";
    EXPECT_EQ(focusName(), "Txt_DateGrilleAggir2008");
    EXPECT_EQ(date->text(), "30/02/24");
}
