// Checks run when the user leaves a field of the association screen.

#include "tests/control/association_fixture.h"

namespace {

const QString kSiren = QStringLiteral("Le numéro de SIREN doit comporter 9 caractères.");
const QString kFiness = QStringLiteral("Le numéro de FINESS doit comporter 9 caractères.");
const QString kMail = QStringLiteral("Adresse mail invalide.");
const QString kDate = QStringLiteral("Erreur de saisie dans la date, veuillez la ressaisir.");
const QString kTelephone = QStringLiteral("Vous avez saisi un numéro de téléphone incorrect.");

class ReglesTest : public CtrAssociationTest {
  protected:
    void SetUp() override {
        CtrAssociationTest::SetUp();
        start();
        enterCode("1");
    }
    // Types typed into name, leaves it for other and checks what stays there.
    void check(const char* name, const char* other, const QString& typed, const QString& refusal,
               const QString& kept) {
        retype(name, typed);
        leave(name, other, refusal);
        EXPECT_EQ(text(name), kept) << typed.toStdString();
    }
};

}  // namespace

TEST_F(ReglesTest, IdentifiersAreCheckedOnLeaving) {
    // Nine characters or none; a refused text stays to be corrected.
    for (const char* siren : {"12345678", "1234567890"})
        check("Txt_SirenAssoc", "Txt_NumTVA", siren, kSiren, siren);
    check("Txt_SirenAssoc", "Txt_NumTVA", "123456789", {}, "123456789");
    check("Txt_SirenAssoc", "Txt_NumTVA", "", {}, "");
    check("Txt_Finess", "Txt_NumTVA", "49000431", kFiness, "49000431");
    // Letters and digits only: the dash and the blank never enter.
    check("Txt_Finess", "Txt_NumTVA", "49-00 A4314", {}, "4900A4314");
    check("Txt_Finess", "Txt_NumTVA", "", {}, "");
    // Lower-case letters typed in the sigle are upper case once it is left.
    retype("Txt_SigleAssoc", "asd bocage é");
    EXPECT_EQ(text("Txt_SigleAssoc"), "asd bocage é");
    leave("Txt_SigleAssoc", "Txt_RaisonAssoc");
    EXPECT_EQ(text("Txt_SigleAssoc"), "ASD BOCAGE É");
}

TEST_F(ReglesTest, PayrollEmailHasAnAtBetweenOtherCharacters) {
    showTab(kPersonnel);
    for (const char* refused : {"@exemple.fr", "paie@", "paie.exemple.fr", ""})
        check("Txt_MailRespPaie", "Txt_RespPerso", refused, kMail, refused);
    check("Txt_MailRespPaie", "Txt_RespPerso", "p@x", {}, "p@x");
}

TEST_F(ReglesTest, PayrollTelephoneIsWrittenInPairs) {
    showTab(kPersonnel);
    struct Case {
        const char* typed;
        const char* shown;
        bool refused;
    };
    for (const Case& c :
         {Case{"0241712020", "02 41 71 20 20 ", false},
          Case{"02.41.71.20.20", "02 41 71 20 20 ", false},
          Case{"06a12b34c56d78", "06 12 34 56 78 ", false}, Case{"02417", "02417", false},
          Case{"2417120201", "", true}, Case{"0041712020", "", true}}) {
        check("Txt_TelRespPaie", "Txt_RespPerso", c.typed, c.refused ? kTelephone : QString(),
              c.shown);
    }
    // Leaving again changes nothing more.
    check("Txt_TelRespPaie", "Txt_RespPerso", "0241712020", {}, "02 41 71 20 20 ");
    focusOn(field("Txt_TelRespPaie"));
    leave("Txt_TelRespPaie", "Txt_RespPerso");
    EXPECT_EQ(text("Txt_TelRespPaie"), "02 41 71 20 20 ");
}

TEST_F(ReglesTest, AggirDateIsNormalisedOrHeldUntilCorrected) {
    showTab(kMisesEnForme);
    QLineEdit* date = field("Txt_DateGrilleAggir2008");
    // Any separator key is typed as "/".
    retype("Txt_DateGrilleAggir2008", "1.3-24");
    EXPECT_EQ(date->text(), "1/3/24");
    leave("Txt_DateGrilleAggir2008", "Txt_AgrAuto1");
    EXPECT_EQ(date->text(), "01/03/2024");

    // An impossible date is told and kept to be corrected; text that reads as no date at all
    // only keeps the focus.
    check("Txt_DateGrilleAggir2008", "Txt_AgrAuto1", "31/02/2024", kDate, "31/02/2024");
    retype("Txt_DateGrilleAggir2008", "1//2");
    leave("Txt_DateGrilleAggir2008", "Txt_AgrAuto1", QString(), true);
    EXPECT_EQ(date->text(), "1//2");

    // Tab checks the date before the focus moves on.
    retype("Txt_DateGrilleAggir2008", "1/4/24");
    pressKey(date, Qt::Key_Tab);
    settle();
    EXPECT_EQ(date->text(), "01/04/2024");
    EXPECT_NE(focusName(), "Txt_DateGrilleAggir2008");
    retype("Txt_DateGrilleAggir2008", "30/02/24");
    answers.expect(kDate, QMessageBox::Warning);
    pressKey(date, Qt::Key_Tab);
    EXPECT_TRUE(answers.waitAnswered());
    settle();
    EXPECT_TRUE(answers.done()) << "one message for the Tab and the focus change it makes";
    EXPECT_EQ(focusName(), "Txt_DateGrilleAggir2008");
    EXPECT_EQ(date->text(), "30/02/24");

    check("Txt_DateGrilleAggir2008", "Txt_AgrAuto1", "", {}, "");
}
