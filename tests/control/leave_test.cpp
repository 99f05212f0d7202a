// Leaving the association screen: the save prompt and its three answers, the creation prompt,
// and a consultation user who is never asked.
#include <QLineEdit>
#include <QPushButton>
#include <QTabBar>
#include <QTabWidget>

#include "platform/engine/dynarray.h"
#include "tests/control/association_fixture.h"

class LeaveTest : public CtrAssociationTest {
  protected:
    void retype(const char* name, const QString& text) {
        auto* field = w<QLineEdit>(name);
        focusOn(field);
        QTest::keyClick(field, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(field, Qt::Key_Delete);
        type(field, text);
    }
    void sortir() {
        click(w<QPushButton>("Cmd_Sortir"));
        settle();
    }
    // Shows 001 with a new raison sociale typed over the stored one.
    void changeRaison(const QString& raison = QStringLiteral("NOUVELLE RAISON")) {
        enterCode("1");
        retype("Txt_RaisonAssoc", raison);
    }
    std::string raisonStored() { return mv::extract(stored("ASSOCIATION", "001"), 2); }

    static inline const char* kSave =
        "Voulez-vous enregistrer les modifications apportées à cet article ?";
    static inline const char* kQuitCreation = "Etes-vous sûr de vouloir quitter cette création ?";
};

TEST_F(LeaveTest, NothingChangedLeavesWithoutAQuestion) {
    start();
    lookUpSigle("asd");
    chooseSigle(0);
    ASSERT_EQ(w<QLineEdit>("Txt_CodeAssoc")->text(), "001");
    sortir();
    EXPECT_FALSE(window()->isVisible());
    EXPECT_TRUE(screen()->W_Sortir());
}

TEST_F(LeaveTest, YesSavesThenLeaves) {
    start();
    changeRaison();
    answers.expect(kSave, QMessageBox::Question, toolkit::Answer::Yes);
    sortir();
    EXPECT_TRUE(answers.done());
    EXPECT_EQ(raisonStored(), "NOUVELLE RAISON");
    EXPECT_FALSE(window()->isVisible());
}

TEST_F(LeaveTest, NoLeavesWithoutSaving) {
    const std::string before = stored("ASSOCIATION", "001");
    start();
    changeRaison();
    answers.expect(kSave, toolkit::Answer::No);
    sortir();
    EXPECT_TRUE(answers.done());
    EXPECT_EQ(stored("ASSOCIATION", "001"), before);
    EXPECT_FALSE(window()->isVisible());
    EXPECT_TRUE(screen()->W_Sortir());
}

TEST_F(LeaveTest, CancelStaysWithTheScreenAsTyped) {
    const std::string before = stored("ASSOCIATION", "001");
    start();
    changeRaison();
    answers.expect(kSave, toolkit::Answer::Cancel);
    sortir();
    EXPECT_TRUE(answers.done());
    EXPECT_TRUE(window()->isVisible());
    EXPECT_FALSE(screen()->W_Sortir());
    EXPECT_EQ(w<QLineEdit>("Txt_RaisonAssoc")->text(), "NOUVELLE RAISON");
    EXPECT_EQ(stored("ASSOCIATION", "001"), before);

    // A refused save keeps the window too.
    retype("Txt_RaisonAssoc", QString());
    answers.expect(kSave, toolkit::Answer::Yes)
        .expect("La raison sociale de l'entité doit être renseignée.", QMessageBox::Information);
    sortir();
    EXPECT_TRUE(answers.done());
    EXPECT_TRUE(window()->isVisible());
    EXPECT_EQ(stored("ASSOCIATION", "001"), before);
}

TEST_F(LeaveTest, AddressAndBankChangesCount) {
    start();
    enterCode("1");
    retype("Txt_Ligne2", QStringLiteral("BATIMENT B"));
    answers.expect(kSave, toolkit::Answer::Cancel);
    sortir();
    EXPECT_TRUE(answers.done()) << "an address change alone is a change";
    w<QTabWidget>("Ong_Assoc")->setCurrentIndex(1);
    retype("Txt_Banque", QStringLiteral("AUTRE BANQUE"));
    answers.expect(kSave, toolkit::Answer::Yes);
    sortir();
    EXPECT_TRUE(answers.done());
    EXPECT_EQ(mv::extract(stored("ASSOCIATION", "001"), 15, 1), "AUTRE BANQUE");
    EXPECT_EQ(mv::extract(stored("ASSOCIATION", "001"), 4), "BATIMENT B");
}

TEST_F(LeaveTest, CheckBoxStoredEmptyCountsAsChanged) {
    std::string text = stored("ASSOCIATION", "001");
    mv::replace(text, 50, "");
    writeRecord("ASSOCIATION", "001", text);
    start();
    enterCode("1");
    answers.expect(kSave, toolkit::Answer::No);
    sortir();
    EXPECT_TRUE(answers.done());
    EXPECT_EQ(stored("ASSOCIATION", "001"), text);
}

TEST_F(LeaveTest, LeavingACreationAsksFirst) {
    start();
    click(w<QPushButton>("Cmd_Ajouter"));
    answers.expect(kQuitCreation, QMessageBox::Question, toolkit::Answer::No);
    sortir();
    EXPECT_TRUE(answers.done());
    EXPECT_TRUE(window()->isVisible());
    EXPECT_TRUE(screen()->W_Sortir()) << "the answer No keeps the leave asked for";
    EXPECT_EQ(screen()->mode(), 1);

    answers.expect(kQuitCreation, toolkit::Answer::Yes);
    sortir();
    EXPECT_TRUE(answers.done());
    EXPECT_FALSE(window()->isVisible());
    EXPECT_TRUE(stored("COMPTEUR", "006").empty());
}

TEST_F(LeaveTest, ConsultationUserLeavesWithoutAQuestion) {
    const std::string before = stored("ASSOCIATION", "001");
    start(seed::kDemoConsultUser);
    changeRaison();
    sortir();
    EXPECT_FALSE(window()->isVisible());
    EXPECT_TRUE(screen()->W_Sortir());
    EXPECT_EQ(stored("ASSOCIATION", "001"), before) << "changes dropped";
}
