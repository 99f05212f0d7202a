// The accounting window: an activity's two income accounts chosen by code or by label, written
// by OK or "Retour", opened from the activities window, which goes on with the record as written.
#include <QAbstractItemView>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "accounting/frm_integration_comptable.h"
#include "platform/components/droits/composant_droits.h"
#include "platform/engine/dynarray.h"
#include "tests/activities/activities_fixture.h"

namespace {

const char* const kListeCotisation = "Cbo_PrdCotisAnnuelle";
const char* const kListeAide = "Cbo_PrdAideSansPriseChg";

}  // namespace

class AccountingTest : public ActivitiesTest {
  protected:
    void TearDown() override {
        window_.reset();
        ActivitiesTest::TearDown();
    }
    // The accounting window of an activity of 001, opened as the activities window opens it,
    // over the activities window showing that activity.
    void openAccounts(const char* activite, const char* user = seed::kDemoAdminUser) {
        open("001", user);
        typeCode(activite);
        showAccounts(activite, user);
    }
    // A new accounting window over the activities window as it stands.
    void showAccounts(const char* activite, const char* user = seed::kDemoAdminUser) {
        window_.reset();
        window_ = std::make_unique<Frm_IntegrationComptable>(activities());
        window_->DroitsUtilisateur(std::make_shared<Composant_Droits>(db, user));
        window_->Activite("001", QString::fromLatin1(activite));
        window_->Init();
        window_->LibelleActivite(showing("Txt_LibActivite"));
        showActive(window_.get());
    }
    template <typename T = QWidget>
    T* c(const char* name) const {
        return child<T>(window_.get(), name);
    }
    void activate() {
        if (QApplication::activeWindow() != window_.get())
            showActive(window_.get());
    }
    // Types into a field of the accounting window, as a user with the window active.
    void key(const char* name, const QString& keys) {
        activate();
        type(c(name), keys);
    }
    // Empties a code field as a user does: everything selected, then Backspace (the code
    // fields swallow Delete).
    void erase(const char* name) {
        activate();
        focusOn(c(name));
        QTest::keyClick(c(name), Qt::Key_A, Qt::ControlModifier);
        pressKey(c(name), Qt::Key_Backspace);
    }
    void enter(const char* name) { pressEnter(c(name)); }
    void pickIn(QComboBox* combo, int row) {
        combo->setFocus();
        pressKey(combo, Qt::Key_F4);
        QAbstractItemView* view = combo->view();
        ASSERT_TRUE(view->isVisible());
        const QRect item = view->visualRect(view->model()->index(row, 0));
        QTest::mouseClick(view->viewport(), Qt::LeftButton, Qt::NoModifier, item.center());
        settle();
    }
    // The labelled accounts of 001 whose label begins with prefix, in label order.
    QStringList labels(const std::string& prefix) {
        const store::Record rows = db->Select("SSELECT PLANCOMPTABLE AVEC 1 = \"" + prefix +
                                                  "]\" AND AVEC @ID = \"001]\" AND SANS 1 "
                                                  "= \"\" PAR 1",
                                              "PLANCOMPTABLE", "0 1");
        QStringList list;
        for (int k = 1; k <= rows.DCount(); ++k)
            list << QString::fromStdString(rows.Value(k, 2));
        return list;
    }
    bool accountsOpen() const { return window_ && window_->isVisible(); }

    std::unique_ptr<Frm_IntegrationComptable> window_;
};

TEST_F(AccountingTest, OpenedFromTheActivitiesWindowSetsBothAccounts) {
    // An activity without accounts: both lists offer every labelled account of 002.
    const std::string before = stored("ACTIVITES", "002003");
    open("002");
    typeCode("003");
    auto opening = [&] { press("Cmd_IntegrationComptable"); };
    ASSERT_TRUE(inWindow("Frm_IntegrationComptable", opening, [&](QWidget* w) {
        ASSERT_TRUE(waitFor([&] { return w->isActiveWindow(); }));
        EXPECT_EQ(w->windowTitle(), "Paramètres d'intégration comptable");
        EXPECT_EQ(child<QLabel>(w, "Etq_CodeAsso")->text(), "002");
        EXPECT_EQ(child<QLineEdit>(w, "Txt_CodeActivite")->text(), "003");
        EXPECT_EQ(child<QLineEdit>(w, "Txt_LibelleActivite")->text(), "GARDE D'ENFANTS A DOMICILE");
        const store::Record all =
            db->Select("SSELECT PLANCOMPTABLE AVEC @ID = \"002]\" AND SANS 1 = \"\" PAR 1",
                       "PLANCOMPTABLE", "0 1");
        for (const char* list : {kListeCotisation, kListeAide}) {
            auto* combo = child<QComboBox>(w, list);
            EXPECT_EQ(combo->count(), all.DCount()) << list;
            EXPECT_EQ(combo->itemText(0).toStdString(), all.Value(1, 2)) << list;
            EXPECT_EQ(combo->currentText(), "") << list;
        }
        // One account by its code's beginning, the other by its label's.
        auto* code = child<QLineEdit>(w, "Txt_CodePrdAideSansPriseChg");
        type(code, "7066");
        pressEnter(code);
        EXPECT_EQ(code->text(), "7066000000");
        EXPECT_EQ(child<QComboBox>(w, kListeAide)->currentText(), "AIDES SANS PRISE EN CHARGE");
        auto* labels = child<QComboBox>(w, kListeCotisation);
        type(labels, "cotisations annuelles p");
        EXPECT_EQ(items(labels), QStringList({"COTISATIONS ANNUELLES PRESTATAIRE"}));
        pickIn(labels, 0);
        EXPECT_EQ(child<QLineEdit>(w, "Txt_CodePrdCotisAnnuelle")->text(), "7562000000");
        click(child<QPushButton>(w, "Cmd_Ok"));
    }));
    EXPECT_EQ(topLevel("Frm_IntegrationComptable"), nullptr);
    EXPECT_TRUE(activities()->isEnabled());
    std::string expected = before;
    mv::replace(expected, 23, "7066000000");
    mv::replace(expected, 24, "7562000000");
    EXPECT_EQ(stored("ACTIVITES", "002003"), expected) << "both accounts, nothing else";

    // The activities window holds the record as written: leaving asks nothing, saving is no
    // clash with another workstation.
    retypeIn("Txt_LibTarif", "Garde partagée");
    press("Cmd_Ok");
    expectActivity("002003", {"21=Garde partagée", "23=7066000000", "24=7562000000"});
}

TEST_F(AccountingTest, AnAccountByItsCode) {
    openAccounts("001");
    EXPECT_EQ(showing("Txt_CodePrdAideSansPriseChg"), "7066000000");
    EXPECT_EQ(showing(kListeAide), "AIDES SANS PRISE EN CHARGE");
    EXPECT_EQ(showing(kListeCotisation), "COTISATIONS ANNUELLES PRESTATAIRE");

    // Digits only; a partial code with one account completes on leaving as on Enter.
    erase("Txt_CodePrdAideSansPriseChg");
    key("Txt_CodePrdAideSansPriseChg", "7a0b6,6.");
    EXPECT_EQ(showing("Txt_CodePrdAideSansPriseChg"), "7066");
    c("Txt_CodePrdCotisAnnuelle")->setFocus();
    settle();
    EXPECT_EQ(showing("Txt_CodePrdAideSansPriseChg"), "7066000000");
    EXPECT_EQ(showing(kListeAide), "AIDES SANS PRISE EN CHARGE");

    // Several accounts: the list holds them, the code waits for a choice.
    erase("Txt_CodePrdCotisAnnuelle");
    key("Txt_CodePrdCotisAnnuelle", "756");
    enter("Txt_CodePrdCotisAnnuelle");
    EXPECT_EQ(showing("Txt_CodePrdCotisAnnuelle"), "");
    EXPECT_EQ(
        items(c<QComboBox>(kListeCotisation)),
        QStringList({"COTISATIONS ANNUELLES INTERMEDIAIRE", "COTISATIONS ANNUELLES MANDATAIRE",
                     "COTISATIONS ANNUELLES PRESTATAIRE"}));
    pickIn(c<QComboBox>(kListeCotisation), 1);
    EXPECT_EQ(showing("Txt_CodePrdCotisAnnuelle"), "7561000000");

    // Refusals: an unknown account, a beginning no account has.
    answers.expect("Ce compte n'existe pas.", QMessageBox::Warning);
    erase("Txt_CodePrdCotisAnnuelle");
    key("Txt_CodePrdCotisAnnuelle", "7999999999");
    EXPECT_TRUE(answers.done());
    EXPECT_EQ(showing("Txt_CodePrdCotisAnnuelle"), "");
    answers.expect("Le compte comptable n'existe pas.", QMessageBox::Warning);
    key("Txt_CodePrdCotisAnnuelle", "8");
    enter("Txt_CodePrdCotisAnnuelle");
    EXPECT_TRUE(answers.done());
    EXPECT_EQ(showing("Txt_CodePrdCotisAnnuelle"), "");
}

TEST_F(AccountingTest, TheListNarrowsAsALabelIsTyped) {
    openAccounts("001");
    auto* list = c<QComboBox>(kListeAide);
    // Backspace starts again: both fields emptied, every account offered.
    c(kListeAide)->setFocus();
    pressKey(list, Qt::Key_Backspace);
    EXPECT_EQ(showing("Txt_CodePrdAideSansPriseChg"), "");
    EXPECT_EQ(items(list), labels(""));
    QString typed;
    for (QChar ch : QStringLiteral("presta")) {
        typed += ch;
        key(kListeAide, ch);
        EXPECT_EQ(items(list), labels(typed.toUpper().toStdString())) << typed.toStdString();
        EXPECT_EQ(showing(kListeAide), typed);
    }
    answers.expect("Aucune ventilation comptable commençant par PRESTAZ", QMessageBox::Warning);
    key(kListeAide, "z");
    EXPECT_TRUE(answers.done());
    EXPECT_EQ(showing(kListeAide), "") << "emptied: every account offered again";
    EXPECT_EQ(items(list), labels(""));

    // Typed text cannot widen the selection: it is refused, or matched as typed.
    answers.expect("Le texte recherché ne peut pas commencer par « [ ».", QMessageBox::Warning);
    key(kListeAide, "[");
    EXPECT_TRUE(answers.done());
    EXPECT_EQ(items(list), labels(""));
    key(kListeAide, "aides");
    EXPECT_EQ(items(list), QStringList({"AIDES SANS PRISE EN CHARGE"}));
    answers.expect("Aucune ventilation comptable commençant par AIDES\"", QMessageBox::Warning);
    key(kListeAide, "\"");
    EXPECT_TRUE(answers.done());
    EXPECT_EQ(items(list), labels(""));
}

TEST_F(AccountingTest, RetourOkAndTheFrame) {
    const std::string before = stored("ACTIVITES", "001002");
    openAccounts("002");
    press("Cmd_Retour");
    EXPECT_FALSE(accountsOpen()) << "no change, no question";

    const QString question =
        "Voulez-vous enregistrer les modifications apportées à l'activité : AUXILIAIRE DE VIE ?";
    auto changeAndLeave = [&](bool byFrame, toolkit::Answer answer) {
        showAccounts("002");
        erase("Txt_CodePrdCotisAnnuelle");
        key("Txt_CodePrdCotisAnnuelle", "7561000000");
        answers.expect(question, QMessageBox::Information, answer);
        if (byFrame)
            window_->close();
        else
            click(c("Cmd_Retour"));
        EXPECT_TRUE(answers.done());
        EXPECT_FALSE(accountsOpen());
    };
    changeAndLeave(false, toolkit::Answer::No);
    EXPECT_EQ(stored("ACTIVITES", "001002"), before);
    changeAndLeave(true, toolkit::Answer::Yes);
    expectActivity("001002", {"23=7066000000", "24=7561000000"});

    // OK writes both, an empty code as an empty attribute.
    showAccounts("002");
    erase("Txt_CodePrdAideSansPriseChg");
    click(c("Cmd_Ok"));
    EXPECT_FALSE(accountsOpen());
    expectActivity("001002", {"23=", "24=7561000000"});
}

TEST_F(AccountingTest, AnotherWorkstationsChangeIsKeptAndTheHistoryShowsBoth) {
    openAccounts("002");
    // Once the window shows the activity, another workstation changes the other account.
    std::shared_ptr<store::LocalDatabase> other = store::OpenLocalDatabase(db->Path());
    other->SetUserName("poste2");
    store::Record meanwhile = other->OpenFile("ACTIVITES")->ReadForUpdate("001002");
    meanwhile.SetValue(23, "7061000000");
    meanwhile.DBWrite();

    erase("Txt_CodePrdCotisAnnuelle");
    key("Txt_CodePrdCotisAnnuelle", "7561000000");
    answers.expect("Un autre poste a modifié cet enregistrement", QMessageBox::Warning,
                   toolkit::Answer::Yes);
    click(c("Cmd_Ok"));
    ASSERT_EQ(answers.seen().size(), 1u);
    EXPECT_TRUE(answers.seen().front().text.contains(
        "- Compte de produit des aidés sans prise en charge\n"));
    EXPECT_TRUE(answers.done());
    EXPECT_FALSE(accountsOpen());
    expectActivity("001002", {"23=7061000000", "24=7561000000"});

    // Each write in the history, newest first, by the field's caption.
    showAccounts("002");
    activate();
    const QStringList rows = history(rightClick(window_.get()));
    ASSERT_GE(rows.size(), 2);
    EXPECT_EQ(rows[0], "admin|Compte de produit de la cotisation annuelle|7562000000|7561000000");
    EXPECT_EQ(rows[1],
              "poste2|Compte de produit des aidés sans prise en charge|7066000000|7061000000");
}

TEST_F(AccountingTest, CapturesOfTheAccountsAndOfTheParameters) {
    start();
    EXPECT_EQ(capture("comptabilite", "001"), "");
    EXPECT_EQ(capture("parametres", {}, "SECTANAL"), "");
    EXPECT_EQ(capture("comptabilite", "999"), "L'activité 999 n'existe pas.");
    // The activities window tells it too: the capture closes that message itself, unless the
    // test's answerer gets there first.
    const QStringList met = answers.texts();
    EXPECT_LE(met.size(), 1);
    if (!met.isEmpty()) {
        EXPECT_TRUE(met.front().startsWith("Cette activité n'existe pas"));
        static_cast<void>(answers.done());
    }
    EXPECT_TRUE(screen()->isEnabled());
}

TEST_F(AccountingTest, AConsultationUserWritesNothing) {
    const std::string before = stored("ACTIVITES", "001001");
    openAccounts("001", seed::kDemoConsultUser);
    EXPECT_FALSE(c("Cmd_Ok")->isVisible());
    EXPECT_FALSE(c("Cmd_Retour")->isVisible());
    erase("Txt_CodePrdCotisAnnuelle");
    key("Txt_CodePrdCotisAnnuelle", "7561000000");
    QTest::keyClick(window_.get(), Qt::Key_Escape);
    settle();
    EXPECT_FALSE(accountsOpen()) << "Escape closes it, without a question";
    EXPECT_EQ(stored("ACTIVITES", "001001"), before);
}
