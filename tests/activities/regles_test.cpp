// Entry rules of the activities window: the code and label pairs kept in step both ways, the
// VAT rate, the name and FINESS rules, and a section or a service added in place through the
// parameters window.
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
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
    // A code and its label added in the parameters window w.
    static void add(QWidget* w, const QString& code, const QString& label) {
        type(child<QLineEdit>(w, "Txt_Code"), code);
        type(child<QLineEdit>(w, "Txt_Libelle"), label);
        click(child<QPushButton>(w, "Cmd_Ajouter"));
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
    EXPECT_TRUE(inWindow(
        "Frm_ParamSect", [&] { press("Cmd_AjouterSection"); },
        [&](QWidget* w) {
            EXPECT_EQ(w->windowTitle(), "Sections analytiques");
            EXPECT_EQ(static_cast<Frm_ParamSect*>(w)->NomTable, "SECTANAL");
            EXPECT_FALSE(activities()->isEnabled());
            // The editor shows it whole.
            auto* editor = child<QWidget>(w, "Ctr_Parametres");
            EXPECT_TRUE(w->rect().contains(editor->geometry()));
            EXPECT_GE(editor->width(), editor->sizeHint().width());
            add(w, "600", "JARDINAGE");
            EXPECT_EQ(child<QTreeWidget>(w, "Lst_Parametres")->topLevelItemCount(), 8);
            // Neither the frame nor Escape closes it before the editor allows it.
            w->close();
            QTest::keyClick(w, Qt::Key_Escape);
            settle();
            EXPECT_TRUE(w->isVisible());
            click(child<QPushButton>(w, "Cmd_Fermer"));
        }));
    EXPECT_TRUE(activities()->isEnabled());
    EXPECT_TRUE(items(a<QComboBox>("Cbo_SectAnalActiv")).contains("JARDINAGE"));
    expectShowing({"Txt_SectAnalActiv=100", "Cbo_SectAnalActiv=AIDE A DOMICILE PRESTATAIRE"});
    EXPECT_EQ(mv::extract(store::Variables::Get().sectAnal->Text(), 2, 8), "600")
        << "the shared record too";
    retypeIn("Txt_SectAnalActiv", "600");
    expectShowing({"Cbo_SectAnalActiv=JARDINAGE"});
    EXPECT_EQ(mv::extract(stored("TABLES", "SECTANAL"), 3, 8), "JARDINAGE");

    // The services, the same way; the table's history is at hand from its right-click menu.
    QStringList rows;
    EXPECT_TRUE(inWindow(
        "Frm_ParamSect", [&] { press("Cmd_AjouterService"); },
        [&](QWidget* w) {
            EXPECT_EQ(w->windowTitle(), "Services");
            add(w, "JAR", "JARDINAGE");
            rows = history(rightClick(child<QWidget>(w, "Etq_Table")));
            click(child<QPushButton>(w, "Cmd_Fermer"));
        }));
    ASSERT_GE(rows.size(), 2);
    EXPECT_TRUE(rows[0].contains("|Code (valeur ") && rows[0].endsWith("|JAR"))
        << rows[0].toStdString();
    EXPECT_TRUE(rows[1].contains("|Libellé (valeur ") && rows[1].endsWith("|JARDINAGE"))
        << rows[1].toStdString();
    retypeIn("Txt_ServiceActiv", "JAR");
    expectShowing({"Cbo_ServiceActiv=JARDINAGE"});
}
