// Finding an association by its code or by the first letters of its sigle.
#include <QAbstractItemView>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>

#include "platform/engine/dynarray.h"
#include "store/request.h"
#include "tests/control/association_fixture.h"

namespace {

// A minimal association record: sigle and raison sociale.
std::string association(const std::string& sigle, const std::string& raison) {
    std::string text;
    mv::replace(text, 1, 1, sigle);
    mv::replace(text, 2, 1, raison);
    return text;
}

}  // namespace

TEST_F(CtrAssociationTest, CodeIsPaddedOnEnterAndOnLeaving) {
    start();
    enterCode("2");
    EXPECT_EQ(w<QLineEdit>("Txt_CodeAssoc")->text(), "002");
    EXPECT_EQ(w<QLineEdit>("Txt_RaisonAssoc")->text(), "SERVICE D'AIDE A DOMICILE DU VAL DE LOIRE");
    EXPECT_FALSE(w<QLineEdit>("Txt_CodeAssoc")->isEnabled());
    for (const char* name : {"Cmd_Annuler", "Cmd_Etablissement", "Cmd_Activite", "Cmd_Ok"})
        EXPECT_TRUE(w<QPushButton>(name)->isEnabled()) << name;
    EXPECT_FALSE(w<QPushButton>("Cmd_Ajouter")->isEnabled());

    // Back to the search, then a code typed and left.
    click(w<QPushButton>("Cmd_Annuler"));
    EXPECT_TRUE(w<QLineEdit>("Txt_CodeAssoc")->isEnabled());
    EXPECT_TRUE(w<QLineEdit>("Txt_RaisonAssoc")->text().isEmpty());
    EXPECT_TRUE(w<QComboBox>("Cbo_SigleAssoc")->isVisible());
    EXPECT_FALSE(w<QPushButton>("Cmd_Annuler")->isEnabled());
    type(w<QLineEdit>("Txt_CodeAssoc"), "4");
    EXPECT_FALSE(w<QPushButton>("Cmd_Etablissement")->isEnabled())
        << "a partial code shows nothing to open";
    focusOn(w<QComboBox>("Cbo_SigleAssoc"));
    settle();
    EXPECT_EQ(w<QLineEdit>("Txt_CodeAssoc")->text(), "004");
    EXPECT_EQ(w<QLineEdit>("Txt_SigleAssoc")->text(), "ERDS");
}

TEST_F(CtrAssociationTest, UnknownCodesShowNothing) {
    start();
    answers.expect(
        "Cette entité juridique n'existe pas, vous devez d'abord cliquer sur Ajouter "
        "pour créer une nouvelle entité juridique.",
        QMessageBox::Warning);
    enterCode("99");
    EXPECT_TRUE(answers.done());
    EXPECT_TRUE(w<QLineEdit>("Txt_CodeAssoc")->text().isEmpty());
    EXPECT_TRUE(w<QLineEdit>("Txt_CodeAssoc")->isEnabled());
    EXPECT_FALSE(w<QLineEdit>("Txt_RaisonAssoc")->isEnabled());
    EXPECT_FALSE(w<QPushButton>("Cmd_Ok")->isEnabled());
}

TEST_F(CtrAssociationTest, TypeAheadListsTheSiglesBeginningWithTheTypedLetters) {
    start();
    lookUpSigle("d");
    EXPECT_EQ(items(w<QComboBox>("Cbo_SigleAssoc")), QStringList{"DOMI ESTUAIRE"});
    EXPECT_FALSE(w<QComboBox>("Cbo_SigleAssoc")->view()->isVisible())
        << "the user opens the list and chooses";
    chooseSigle(0);
    EXPECT_EQ(w<QLineEdit>("Txt_CodeAssoc")->text(), "003");
    EXPECT_EQ(w<QLineEdit>("Txt_RaisonAssoc")->text(), "DOMICILE SERVICES DE L'ESTUAIRE");
    EXPECT_EQ(w<QLineEdit>("Txt_SigleAssoc")->text(), "DOMI ESTUAIRE");
}

TEST_F(CtrAssociationTest, ChoiceReadsTheRowsOfTheLatestResult) {
    writeRecord("ASSOCIATION", "006", association("SAD BIS", "SECOND SERVICE D'AIDE"));
    start();
    // The start-up list is sorted by sigle: its third row is ERDS.
    chooseSigle(2);
    EXPECT_EQ(w<QLineEdit>("Txt_CodeAssoc")->text(), "004");
    click(w<QPushButton>("Cmd_Annuler"));

    lookUpSigle("s");
    EXPECT_EQ(items(w<QComboBox>("Cbo_SigleAssoc")), (QStringList{"SAD BIS", "SAD VAL DE LOIRE"}));
    lookUpSigle("sad v");
    EXPECT_EQ(items(w<QComboBox>("Cbo_SigleAssoc")), QStringList{"SAD VAL DE LOIRE"});
    chooseSigle(0);
    EXPECT_EQ(w<QLineEdit>("Txt_CodeAssoc")->text(), "002")
        << "row 1 of the latest result, not of the first one (006)";
    EXPECT_EQ(w<QLineEdit>("Txt_RaisonAssoc")->text(), "SERVICE D'AIDE A DOMICILE DU VAL DE LOIRE");
}

TEST_F(CtrAssociationTest, NoMatchLeavesTheListAsItWas) {
    start();
    answers.expect("Aucune association commençant par ZZ", QMessageBox::Warning);
    lookUpSigle("zz");
    EXPECT_TRUE(answers.done());
    ASSERT_EQ(w<QComboBox>("Cbo_SigleAssoc")->count(), 5);
    chooseSigle(3);
    EXPECT_EQ(w<QLineEdit>("Txt_SigleAssoc")->text(), "PSP");
    EXPECT_EQ(w<QLineEdit>("Txt_CodeAssoc")->text(), "005");
}

TEST_F(CtrAssociationTest, TypedQuotesAndBracketsStayInsideTheValue) {
    writeRecord("ASSOCIATION", "006", association("L\"ABRI", "L'ABRI FAMILIAL"));
    writeRecord("ASSOCIATION", "007", association("O'SOINS", "AU FIL DES SOINS"));
    start();
    lookUpSigle("l\"");
    EXPECT_EQ(items(w<QComboBox>("Cbo_SigleAssoc")), QStringList{"L\"ABRI"});
    lookUpSigle("o'");
    EXPECT_EQ(items(w<QComboBox>("Cbo_SigleAssoc")), QStringList{"O'SOINS"});

    // A leading bracket would turn the look-up into an ends-with match: refused, nothing sent.
    answers.expect(QString::fromStdString(store::UnquotableMessage("[A")), QMessageBox::Warning);
    lookUpSigle("[a");
    EXPECT_TRUE(answers.done());
    EXPECT_EQ(items(w<QComboBox>("Cbo_SigleAssoc")), QStringList{"O'SOINS"});

    answers.expect(QString::fromStdString(store::UnquotableMessage("\"'\\")), QMessageBox::Warning);
    lookUpSigle("\"'\\");
    EXPECT_TRUE(answers.done());
    chooseSigle(0);
    EXPECT_EQ(w<QLineEdit>("Txt_CodeAssoc")->text(), "007");
}

TEST_F(CtrAssociationTest, AccentedLowerCaseLettersAreRefused) {
    start();
    answers.expect("La saisie de minuscule accentuée est interdite sur cette zone.",
                   QMessageBox::Warning);
    type(w<QComboBox>("Cbo_SigleAssoc"), QStringLiteral("aé"));
    EXPECT_TRUE(answers.done());
    EXPECT_EQ(w<QComboBox>("Cbo_SigleAssoc")->currentText(), "a");
    EXPECT_EQ(w<QLineEdit>("Txt_SigleAssoc")->text(), "a");
}
