// Leaving the establishments window: the save question and its three answers, no question
// without a change, and a consultation user who can write nothing.
#include "platform/engine/dynarray.h"
#include "tests/establishments/etablissement_fixture.h"

namespace {
const QString kSave =
    QStringLiteral("Voulez-vous enregistrer les modifications apportées à cet article ?");
}

using LeaveTest = EtablissementTest;

TEST_F(LeaveTest, SaveQuestionAnsweredThreeWays) {
    const std::string before = etab("001002");
    open();
    enterCode("2");
    retype("Txt_RaisonEtabl", QStringLiteral("NOUVELLE RAISON"));
    clickAnswering("Cmd_Sortir", kSave, QMessageBox::Warning, toolkit::Answer::Cancel);
    EXPECT_TRUE(win()->isVisible());
    clickAnswering("Cmd_Sortir", kSave, QMessageBox::Warning, toolkit::Answer::No);
    EXPECT_FALSE(win()->isVisible());
    EXPECT_EQ(etab("001002"), before);

    // Yes saves first; a refused save keeps the window on the faulty field.
    open();
    enterCode("2");
    retype("Txt_RaisonEtabl", QStringLiteral("NOUVELLE RAISON"));
    showTab(Frm_Etablissement::kAutres);
    retype("Txt_CodNafEtabl", QString());
    answers.expect(kSave, QMessageBox::Warning, toolkit::Answer::Yes);
    clickAnswering("Cmd_Sortir", "Le code NAF doit être renseigné.", QMessageBox::Information);
    EXPECT_TRUE(win()->isVisible());
    EXPECT_EQ(focusName(), "Txt_CodNafEtabl");
    EXPECT_EQ(etab("001002"), before);
    retype("Txt_CodNafEtabl", QStringLiteral("8810B"));
    clickAnswering("Cmd_Sortir", kSave, QMessageBox::Warning, toolkit::Answer::Yes);
    EXPECT_FALSE(win()->isVisible());
    expectStored("001002", {"2=NOUVELLE RAISON", "15=8810B"});
}

TEST_F(LeaveTest, NoChangeNoQuestion) {
    // One stored with gaps the screen shows in its own forms: no scheme, no card flag, an empty
    // count; another with the association's address.
    std::string gaps = etab("001003");
    for (int attribute : {22, 33, 35})
        mv::replace(gaps, attribute, "");
    mv::replace(gaps, 17, 1, "");
    writeRecord("ETABLISSEMENT", "001003", gaps);
    for (const char* code : {"1", "2", "3"}) {
        SCOPED_TRACE(code);
        open();
        enterCode(code);
        for (int tab = 3; tab >= 0; --tab)
            showTab(tab);
        clickButton("Cmd_Sortir");
        EXPECT_FALSE(win()->isVisible());
    }
    EXPECT_EQ(etab("001003"), gaps);
}

TEST_F(LeaveTest, ConsultationUserWritesNothing) {
    const std::string before = etab("001002");
    const std::string counter = stored("COMPTEUR", "001");
    open("001", seed::kDemoConsultUser);
    EXPECT_FALSE(w("Cmd_Ajouter")->isVisible() || w("Cmd_Ok")->isVisible());
    enterCode("2");
    EXPECT_FALSE(w("Cmd_Ok")->isVisible());
    retype("Txt_RaisonEtabl", QStringLiteral("NOUVELLE RAISON"));
    clickButton("Cmd_Sortir");
    EXPECT_FALSE(win()->isVisible());
    EXPECT_EQ(etab("001002"), before);
    EXPECT_EQ(stored("COMPTEUR", "001"), counter);
}
