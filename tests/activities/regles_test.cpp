// Entry rules of the activities window: the code and label pairs kept in step both ways, the
// VAT rate, the name and FINESS rules, and a section or a service added in place through the
// parameters window.
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTableWidget>
#include <QTimer>
#include <QTreeWidget>

#include "activities/frm_param_sect.h"
#include "platform/engine/dynarray.h"
#include "store/variables.h"
#include "tests/activities/activities_fixture.h"

class RulesTest : public ActivitiesTest {
  protected:
    // Types code into a code box and expects the refusal, the box emptied.
    void refused(const char* box, const QString& code, const char* message) {
        answers.expect(QString::fromUtf8(message), QMessageBox::Warning);
        retypeIn(box, code);
        EXPECT_TRUE(answers.done()) << box;
        EXPECT_EQ(showing(box), "") << box;
    }
};

TEST_F(RulesTest, CodesAndLabelsStayInStep) {
    // A rate with a decimal, shown in the locale's notation.
    std::string tva = stored("TABLES", "TAUXTVA");
    mv::replace(tva, 2, 5, "4");
    mv::replace(tva, 3, 5, "ANCIEN TAUX NORMAL");
    mv::replace(tva, 4, 5, "1960");
    writeRecord("TABLES", "TAUXTVA", tva);
    open();
    typeCode("001");

    // Section: a code gives its label, two characters none, an unknown code a refusal.
    retypeIn("Txt_SectAnalActiv", "20");
    expectShowing({"Cbo_SectAnalActiv="});
    typeIn("Txt_SectAnalActiv", "0");
    expectShowing({"Cbo_SectAnalActiv=SOINS INFIRMIERS A DOMICILE"});
    refused("Txt_SectAnalActiv", "999", "Cette section analytique n'existe pas.");
    expectShowing({"Cbo_SectAnalActiv="});
    pick("Cbo_SectAnalActiv", 2);
    expectShowing({"Txt_SectAnalActiv=300", "Cbo_SectAnalActiv=GARDE D'ENFANTS"});
    retypeIn("Cbo_SectAnalActiv", "");
    expectShowing({"Txt_SectAnalActiv="});

    // Service: the same rules on the SERVICES table.
    retypeIn("Txt_ServiceActiv", "GAE");
    expectShowing({"Cbo_ServiceActiv=GARDE D'ENFANTS"});
    refused("Txt_ServiceActiv", "ZZZ", "Ce service n'existe pas.");
    pick("Cbo_ServiceActiv", 3);
    expectShowing({"Txt_ServiceActiv=POR", "Cbo_ServiceActiv=PORTAGE DE REPAS"});

    // VAT: one character, the rate beside it.
    retypeIn("Txt_CodeTVA", "3");
    expectShowing({"Cbo_CodeTVA=TAUX INTERMEDIAIRE 10 %", "Txt_TauxTVA=10"});
    retypeIn("Txt_CodeTVA", "4");
    expectShowing({"Cbo_CodeTVA=ANCIEN TAUX NORMAL", "Txt_TauxTVA=19,6"});
    pick("Cbo_CodeTVA", 1);
    expectShowing({"Txt_CodeTVA=1", "Txt_TauxTVA=5,5"});
    refused("Txt_CodeTVA", "9", "Ce code T.V.A. n'existe pas.");
    expectShowing({"Txt_TauxTVA=", "Cbo_CodeTVA="});
    pick("Cbo_CodeTVA", 2);
    retypeIn("Cbo_CodeTVA", "");
    expectShowing({"Txt_CodeTVA=", "Txt_TauxTVA="});
}

TEST_F(RulesTest, NameAndFinessRules) {
    open();
    typeCode("004");
    // The name is written in capitals and capped at 30 characters.
    retypeIn("Txt_LibActivite", "mise en relation et placements a domicile");
    moveTo("Txt_LibTarif");
    expectShowing({"Txt_LibActivite=MISE EN RELATION ET PLACEMENTS"});

    // FINESS: letters and digits, nine of them or none.
    retypeIn("Txt_Finess", "49-000.97");
    expectShowing({"Txt_Finess=4900097"});
    typeIn("Txt_Finess", "8");
    answers.expect("Le numéro de FINESS doit comporter 9 caractères.", QMessageBox::Warning);
    moveTo("Txt_LibTarif");
    EXPECT_TRUE(answers.waitAnswered());
    settle();
    EXPECT_EQ(focused(), "Txt_Finess");
    typeIn("Txt_Finess", "4X");
    expectShowing({"Txt_Finess=490009784"});
    moveTo("Txt_LibTarif");
    retypeIn("Txt_Finess", "");
    moveTo("Txt_LibTarif");
    EXPECT_EQ(focused(), "Txt_LibTarif");
}

TEST_F(RulesTest, ASectionAddedInPlaceIsFoundAtOnce) {
    open();
    typeCode("002");
    bool inside = false;
    QTimer::singleShot(0, [&] {
        QWidget* w = nullptr;
        ASSERT_TRUE(waitFor([&] { return (w = topLevel("Frm_ParamSect")) != nullptr; }));
        ASSERT_TRUE(QTest::qWaitForWindowExposed(w));
        EXPECT_EQ(w->windowTitle(), "Sections analytiques");
        EXPECT_EQ(static_cast<Frm_ParamSect*>(w)->NomTable, "SECTANAL");
        EXPECT_FALSE(activities()->isEnabled());
        // The editor shows it whole.
        auto* editor = child<QWidget>(w, "Ctr_Parametres");
        EXPECT_TRUE(w->rect().contains(editor->geometry()));
        EXPECT_GE(editor->width(), editor->sizeHint().width());
        type(child<QLineEdit>(w, "Txt_Code"), "600");
        type(child<QLineEdit>(w, "Txt_Libelle"), "JARDINAGE");
        click(child<QPushButton>(w, "Cmd_Ajouter"));
        EXPECT_EQ(child<QTreeWidget>(w, "Lst_Parametres")->topLevelItemCount(), 8);
        // Neither the frame nor Escape closes it before the editor allows it.
        w->close();
        QTest::keyClick(w, Qt::Key_Escape);
        settle();
        EXPECT_TRUE(w->isVisible());
        click(child<QPushButton>(w, "Cmd_Fermer"));
        inside = true;
    });
    press("Cmd_AjouterSection");
    ASSERT_TRUE(inside);
    EXPECT_TRUE(activities()->isEnabled());
    EXPECT_TRUE(items(a<QComboBox>("Cbo_SectAnalActiv")).contains("JARDINAGE"));
    expectShowing({"Txt_SectAnalActiv=100", "Cbo_SectAnalActiv=AIDE A DOMICILE PRESTATAIRE"});
    EXPECT_EQ(mv::extract(store::Variables::Get().sectAnal->Text(), 2, 8), "600")
        << "the shared record too";
    retypeIn("Txt_SectAnalActiv", "600");
    expectShowing({"Cbo_SectAnalActiv=JARDINAGE"});
    EXPECT_EQ(mv::extract(stored("TABLES", "SECTANAL"), 3, 8), "JARDINAGE");

    // The services, the same way; the table's history is at hand from its right-click menu.
    QStringList history;
    QTimer::singleShot(0, [&] {
        QWidget* w = nullptr;
        ASSERT_TRUE(waitFor([&] { return (w = topLevel("Frm_ParamSect")) != nullptr; }));
        EXPECT_EQ(w->windowTitle(), "Services");
        type(child<QLineEdit>(w, "Txt_Code"), "JAR");
        type(child<QLineEdit>(w, "Txt_Libelle"), "JARDINAGE");
        click(child<QPushButton>(w, "Cmd_Ajouter"));
        QTest::mouseClick(child<QWidget>(w, "Etq_Table"), Qt::RightButton, Qt::NoModifier,
                          QPoint(2, 2));
        settle();
        auto* menu = w->findChild<QMenu*>("Mnu_Aide");
        QAction* historique = menu ? menu->findChild<QAction*>("Mnu_Historique") : nullptr;
        if (historique && historique->isEnabled() && menu->isVisible()) {
            QTimer::singleShot(0, [&] {
                ASSERT_TRUE(waitFor([] { return topLevel("Frm_Historique") != nullptr; }));
                QWidget* h = topLevel("Frm_Historique");
                auto* table = h->findChild<QTableWidget*>("Lst_Historique");
                for (int r = 0; r < 2 && r < table->rowCount(); ++r)
                    history << table->item(r, 2)->text() + "|" + table->item(r, 4)->text();
                click(h->findChild<QPushButton*>("Cmd_Fermer"));
            });
            QTest::mouseClick(menu, Qt::LeftButton, Qt::NoModifier,
                              menu->actionGeometry(historique).center());
        }
        if (menu)
            menu->hide();
        click(child<QPushButton>(w, "Cmd_Fermer"));
    });
    press("Cmd_AjouterService");
    ASSERT_EQ(history.size(), 2);
    EXPECT_TRUE(history[0].startsWith("Code (valeur ") && history[0].endsWith("|JAR"))
        << history[0].toStdString();
    EXPECT_TRUE(history[1].startsWith("Libellé (valeur ") && history[1].endsWith("|JARDINAGE"))
        << history[1].toStdString();
    retypeIn("Txt_ServiceActiv", "JAR");
    expectShowing({"Cbo_ServiceActiv=JARDINAGE"});
}
