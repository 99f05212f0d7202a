// Leaving the association screen: the change test, the save prompt and its answers, and a
// consultation user who is never asked.

#include "tests/control/association_fixture.h"

namespace {
const char* kSave = "Voulez-vous enregistrer les modifications apportées à cet article ?";
}  // namespace

using LeaveTest = CtrAssociationTest;

TEST_F(LeaveTest, SavePromptAnswers) {
    struct Case {
        const char* raison;      // typed over 001's raison sociale
        const char* ics;         // typed over its creditor identifier, or null
        toolkit::Answer answer;  // to the save prompt
        const char* refusal;     // shown by the save, or null
        bool saved, leaves;
        bool wSortir;  // what the host is told
    };
    const char* kIcs = "L'ICS est une chaîne de 13 caractères qui commence par FR";
    // A cancelled leave takes the wish to leave back, and so does a save refused by the creditor
    // identifier: the host is never told the user left while the screen stays. A missing field
    // keeps the wish, as the screen always has. Yes comes last: it saves what the others type.
    const Case cases[] = {
        {"NOUVELLE RAISON", nullptr, toolkit::Answer::No, nullptr, false, true, true},
        {"NOUVELLE RAISON", nullptr, toolkit::Answer::Cancel, nullptr, false, false, false},
        {"", nullptr, toolkit::Answer::Yes, "La raison sociale de l'entité doit être renseignée.",
         false, false, true},
        {"NOUVELLE RAISON", "FR12ZZZ12345", toolkit::Answer::Yes, kIcs, false, false, false},
        {"NOUVELLE RAISON", nullptr, toolkit::Answer::Yes, nullptr, true, true, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "case " << &c - cases);
        const std::string before = stored("ASSOCIATION", "001");
        start();
        enterCode("1");
        retype("Txt_RaisonAssoc", c.raison);
        if (c.ics) {
            showTab(kRib);
            retype("Txt_Ics", QString::fromLatin1(c.ics));
        }
        answers.expect(kSave, QMessageBox::Question, c.answer);
        if (c.refusal)
            answers.expect(c.refusal, c.ics ? QMessageBox::Warning : QMessageBox::Information);
        clickButton("Cmd_Sortir");
        EXPECT_TRUE(answers.done());
        if (c.saved)
            EXPECT_EQ(association("001").Value(2), c.raison);
        else
            EXPECT_EQ(stored("ASSOCIATION", "001"), before);
        EXPECT_EQ(window()->isVisible(), !c.leaves);
        EXPECT_EQ(screen()->W_Sortir(), c.wSortir);
        if (!c.leaves) {
            EXPECT_EQ(text("Txt_RaisonAssoc"), c.raison) << "the screen stays as typed";
            clickButton("Cmd_Annuler");
            clickButton("Cmd_Sortir");
        }
    }
}

TEST_F(LeaveTest, UntouchedAssociationsLeaveWithoutAQuestion) {
    // Unusual but valid content besides the demo's: a server stored without its port, a login
    // stored without a server.
    storeAt("002", 43, "192.0.2.7");
    storeAt("003", 43, "");
    storeAt("003", 44, "login-seul");
    const store::Record all = db->Select("SSELECT ASSOCIATION", "ASSOCIATION", "0");
    ASSERT_GE(all.DCount(), 5);
    for (int row = 1; row <= all.DCount(); ++row) {
        const std::string id = all.Value(row);
        SCOPED_TRACE(id);
        const std::string before = stored("ASSOCIATION", id);
        for (bool walk : {false, true}) {
            start();
            // Reached by its sigle, or by its code and every field walked through.
            if (walk) {
                enterCode(QString::fromStdString(id));
                walkThroughEveryField();
            } else {
                lookUpSigle(QString::fromStdString(association(id).Value(1)).left(2).toLower());
                chooseSigle(0);
            }
            ASSERT_EQ(text("Txt_CodeAssoc"), QString::fromStdString(id));
            clickButton("Cmd_Sortir");
            EXPECT_TRUE(answers.done()) << (walk ? "after the walk" : "at once");
            EXPECT_FALSE(window()->isVisible());
            EXPECT_TRUE(screen()->W_Sortir());
            EXPECT_EQ(stored("ASSOCIATION", id), before);
        }
    }
}

TEST_F(LeaveTest, AddressBankSendingAndEmptyBoxChangesCount) {
    start();
    enterCode("1");
    // An address change alone is a change.
    retype("Txt_Ligne2", QStringLiteral("BATIMENT B"));
    clickAnswering("Cmd_Sortir", kSave, QMessageBox::Question, toolkit::Answer::Cancel);
    showTab(kRib);
    retype("Txt_Banque", QStringLiteral("AUTRE BANQUE"));
    clickAnswering("Cmd_Sortir", kSave, QMessageBox::Question, toolkit::Answer::Yes);
    expectStored("001", {"15.1=AUTRE BANQUE", "4=BATIMENT B"});

    // So is a login alone, though the record copy made before the question leaves it out.
    start();
    enterCode("1");
    showTab(kCesu);
    retype("Txt_LoginUtil", QStringLiteral("autrelogin"));
    clickAnswering("Cmd_Sortir", kSave, QMessageBox::Question, toolkit::Answer::Yes);
    expectStored("001", {"44=autrelogin"});

    // And so is a box stored empty, which shows as unchecked.
    const std::string text = storeAt("001", 50, "");
    start();
    enterCode("1");
    clickAnswering("Cmd_Sortir", kSave, QMessageBox::Question, toolkit::Answer::No);
    EXPECT_EQ(stored("ASSOCIATION", "001"), text);
}

TEST_F(LeaveTest, ConsultationUserNeitherAddsNorSavesNorIsAsked) {
    const std::string before = stored("ASSOCIATION", "001");
    start(seed::kDemoConsultUser);
    EXPECT_NE(screen()->accessLevel(), 2);
    EXPECT_FALSE(w("Cmd_Ajouter")->isVisible() || w("Cmd_Ok")->isVisible());
    enterCode("1");
    EXPECT_FALSE(w("Cmd_Ok")->isVisible());
    expectEnabled({"Cmd_Etablissement"}, true);
    retype("Txt_RaisonAssoc", QStringLiteral("NOUVELLE RAISON"));
    clickButton("Cmd_Sortir");
    EXPECT_FALSE(window()->isVisible());
    EXPECT_TRUE(screen()->W_Sortir());
    EXPECT_EQ(stored("ASSOCIATION", "001"), before) << "changes dropped";
}
