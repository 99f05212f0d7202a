// Finding an association by its code or by the first letters of its sigle.
#include <QAbstractItemView>
#include <QComboBox>

#include "store/request.h"
#include "tests/control/association_fixture.h"

TEST_F(CtrAssociationTest, CodeIsPaddedOnEnterAndOnLeaving) {
    start();
    enterCode("2");
    expectShown({"Txt_CodeAssoc=002", "Txt_RaisonAssoc=SERVICE D'AIDE A DOMICILE DU VAL DE LOIRE"});
    expectEnabled({"Txt_RaisonAssoc", "Cmd_Annuler", "Cmd_Etablissement", "Cmd_Activite", "Cmd_Ok"},
                  true);
    expectEnabled({"Txt_CodeAssoc", "Cmd_Ajouter"}, false);
    EXPECT_TRUE(!w("Cbo_SigleAssoc")->isVisible() && w("Txt_SigleAssoc")->isVisible());

    // Back to the search, then a code typed and left.
    clickButton("Cmd_Annuler");
    expectShown({"Txt_RaisonAssoc="});
    expectEnabled({"Txt_CodeAssoc"}, true);
    expectEnabled({"Cmd_Annuler"}, false);
    EXPECT_TRUE(w("Cbo_SigleAssoc")->isVisible());
    type(field("Txt_CodeAssoc"), "4");
    expectEnabled({"Cmd_Etablissement"}, false);  // a partial code shows nothing to open
    focusOn(w("Cbo_SigleAssoc"));
    settle();
    expectShown({"Txt_CodeAssoc=004", "Txt_SigleAssoc=ERDS"});
}

TEST_F(CtrAssociationTest, UnknownCodeOrSigleIsToldAndChangesNothing) {
    start();
    answers.expect(
        "Cette entité juridique n'existe pas, vous devez d'abord cliquer sur Ajouter "
        "pour créer une nouvelle entité juridique.",
        QMessageBox::Warning);
    enterCode("99");
    EXPECT_TRUE(answers.done());
    expectShown({"Txt_CodeAssoc="});
    expectEnabled({"Txt_CodeAssoc"}, true);
    expectEnabled({"Txt_RaisonAssoc", "Cmd_Ok"}, false);

    answers.expect("Aucune association commençant par ZZ", QMessageBox::Warning);
    lookUpSigle("zz");
    EXPECT_TRUE(answers.done());
    ASSERT_EQ(w<QComboBox>("Cbo_SigleAssoc")->count(), 5);
    chooseSigle(3);
    expectShown({"Txt_SigleAssoc=PSP", "Txt_CodeAssoc=005"});
}

TEST_F(CtrAssociationTest, ChoiceReadsTheRowsOfTheLatestResult) {
    writeRecord("ASSOCIATION", "006", recordOf({"1=SAD BIS", "2=SECOND SERVICE D'AIDE"}));
    start();
    // The start-up list is sorted by sigle: its third row is ERDS.
    chooseSigle(2);
    EXPECT_EQ(text("Txt_CodeAssoc"), "004");
    clickButton("Cmd_Annuler");

    // Lower-case letters look up the upper-case sigles.
    lookUpSigle("s");
    EXPECT_EQ(items(w<QComboBox>("Cbo_SigleAssoc")), (QStringList{"SAD BIS", "SAD VAL DE LOIRE"}));
    EXPECT_FALSE(w<QComboBox>("Cbo_SigleAssoc")->view()->isVisible())
        << "the user opens the list and chooses";
    lookUpSigle("sad v");
    EXPECT_EQ(items(w<QComboBox>("Cbo_SigleAssoc")), QStringList{"SAD VAL DE LOIRE"});
    chooseSigle(0);
    // Row 1 of the latest result, not of the first one (006).
    expectShown({"Txt_CodeAssoc=002", "Txt_RaisonAssoc=SERVICE D'AIDE A DOMICILE DU VAL DE LOIRE",
                 "Txt_SigleAssoc=SAD VAL DE LOIRE"});
}

TEST_F(CtrAssociationTest, TypedAccentsAreRefusedQuotesAndBracketsStayInsideTheValue) {
    writeRecord("ASSOCIATION", "006", recordOf({"1=L\"ABRI", "2=L'ABRI FAMILIAL"}));
    writeRecord("ASSOCIATION", "007", recordOf({"1=O'SOINS", "2=AU FIL DES SOINS"}));
    start();
    answers.expect("La saisie de minuscule accentuée est interdite sur cette zone.",
                   QMessageBox::Warning);
    type(w<QComboBox>("Cbo_SigleAssoc"), QStringLiteral("aé"));
    EXPECT_TRUE(answers.done());
    expectShown({"Cbo_SigleAssoc=a", "Txt_SigleAssoc=a"});

    lookUpSigle("l\"");
    EXPECT_EQ(items(w<QComboBox>("Cbo_SigleAssoc")), QStringList{"L\"ABRI"});
    lookUpSigle("o'");
    EXPECT_EQ(items(w<QComboBox>("Cbo_SigleAssoc")), QStringList{"O'SOINS"});

    // A leading bracket would turn the look-up into an ends-with match; no delimiter holds the
    // last one. Both are refused and the list stays.
    for (const char* typed : {"[A", "\"'\\"}) {
        answers.expect(QString::fromStdString(store::UnquotableMessage(typed)),
                       QMessageBox::Warning);
        lookUpSigle(QString::fromLatin1(typed).toLower());
        EXPECT_TRUE(answers.done()) << typed;
        EXPECT_EQ(items(w<QComboBox>("Cbo_SigleAssoc")), QStringList{"O'SOINS"});
    }
    chooseSigle(0);
    EXPECT_EQ(text("Txt_CodeAssoc"), "007");
}
