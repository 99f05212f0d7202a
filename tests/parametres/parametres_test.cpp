// The TABLES editor driven through its own widgets inside a window, as the parameters window
// hosts it; what the user does is checked in the database.
#include <QDialog>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <algorithm>

#include "platform/components/droits/composant_droits.h"
#include "platform/components/parametres/composant_parametres.h"
#include "platform/toolkit/qtext.h"
#include "store/file.h"
#include "store/local_database.h"
#include "tests/support/gui_test.h"

namespace {

// A record's text written with "^" between attributes and "]" between values.
std::string marques(std::string texte) {
    std::replace(texte.begin(), texte.end(), '^', '\xFE');
    std::replace(texte.begin(), texte.end(), ']', '\xFD');
    return texte;
}

class ParametresTest : public GuiTest {
  protected:
    void SetUp() override {
        db = store::OpenLocalDatabase(toolkit::fromQ(dir.filePath("tables.mvdb")));
        db->Execute("CREATE.FILE TABLES 3,1");
        tables = db->OpenFile("TABLES");
        write("SECTANAL", "Sections analytiques^001]002^SIEGE]ANTENNE NORD");
    }
    void TearDown() override {
        hote.reset();
        GuiTest::TearDown();
    }

    void write(const std::string& id, const std::string& text) {
        store::Record r = tables->NewItem(id);
        r.SetText(marques(text));
        r.DBWrite();
    }
    void open(const std::string& table, std::int16_t level) {
        hote = std::make_unique<QDialog>();
        auto* e = editeur = new Composant_Parametres(hote.get());
        (new QVBoxLayout(hote.get()))->addWidget(e);
        e->SetTheDatabase(db);
        e->SetTheClient(std::make_shared<store::Client>("admin"));
        e->SetNomTable(table);
        e->SetNomEcran("ASSOCIATION");
        e->SetDroits(std::make_shared<DroitsEcran>(level));
        e->Demarrer();
        showActive(hote.get());
    }

    QLineEdit* code() { return child<QLineEdit>(hote.get(), "Txt_Code"); }
    QLineEdit* libelle() { return child<QLineEdit>(hote.get(), "Txt_Libelle"); }
    QPushButton* button(const char* name) { return child<QPushButton>(hote.get(), name); }
    QTreeWidget* liste() { return child<QTreeWidget>(hote.get(), "Lst_Parametres"); }

    QStringList rows() {
        QStringList shown;
        for (int i = 0; i < liste()->topLevelItemCount(); ++i)
            shown << liste()->topLevelItem(i)->text(0) + " " + liste()->topLevelItem(i)->text(1);
        return shown;
    }
    void clickRow(const QString& codeShown) {
        const auto items = liste()->findItems(codeShown, Qt::MatchExactly, 0);
        ASSERT_EQ(items.size(), 1) << codeShown.toStdString();
        const QRect rect = liste()->visualItemRect(items.first());
        QTest::mouseClick(liste()->viewport(), Qt::LeftButton, {}, rect.center());
        settle();
    }
    // Types an entry and clicks a button, answering the message it must give (none when empty).
    void submit(const QString& c, const QString& l, const char* button_ = "Cmd_Ajouter",
                const char* message = "") {
        code()->clear();
        libelle()->clear();
        type(code(), c);
        type(libelle(), l);
        if (*message)
            answers.expect(QString::fromUtf8(message));
        click(button(button_));
        EXPECT_TRUE(answers.waitAnswered()) << message;
        settle();
    }
    std::string stored(const std::string& id = "SECTANAL") { return tables->Read(id).Text(); }

    QTemporaryDir dir;
    std::shared_ptr<store::LocalDatabase> db;
    std::shared_ptr<store::File> tables;
    std::unique_ptr<QDialog> hote;
    Composant_Parametres* editeur = nullptr;
};

TEST_F(ParametresTest, RefusesAMissingCodeADuplicateAndAMissingLabel) {
    open("SECTANAL", 2);
    const std::string before = stored();
    answers.expect(QString::fromUtf8("Le code doit être renseigné."), QMessageBox::Information);
    click(button("Cmd_Ajouter"));
    ASSERT_TRUE(answers.waitAnswered());
    submit("002", "AUTRE", "Cmd_Ajouter", "Le code 002 existe déjà.");
    // Padded to the length of the table's codes, so the same code.
    submit("2", "AUTRE", "Cmd_Ajouter", "Le code 002 existe déjà.");
    submit("0003", "AUTRE", "Cmd_Ajouter",
           "Le code « 0003 » ne convient pas : cette table attend un nombre d'au plus 3 chiffres.");
    submit("A1", "AUTRE", "Cmd_Ajouter", "Le code « A1 » ne convient pas");
    answers.expect(QString::fromUtf8("Le libellé doit être renseigné."), QMessageBox::Information);
    submit("003", "   ");
    EXPECT_EQ(libelle()->text(), "   ") << "the typed entry stays for correction";
    submit("009", "INCONNU", "Cmd_Modifier", "Le code 009 n'existe pas");
    EXPECT_EQ(stored(), before);
    EXPECT_EQ(rows(), QStringList({"001 SIEGE", "002 ANTENNE NORD"}));
}

TEST_F(ParametresTest, AddsChangesAndDeletesEntries) {
    open("SECTANAL", 2);
    submit("3", "ANTENNE SUD");
    EXPECT_EQ(rows(), QStringList({"001 SIEGE", "002 ANTENNE NORD", "003 ANTENNE SUD"}));
    EXPECT_TRUE(code()->text().isEmpty());

    clickRow("001");
    EXPECT_EQ(libelle()->text(), "SIEGE");
    libelle()->clear();
    type(libelle(), "SIEGE SOCIAL");
    pressEnter(libelle());  // Enter on a listed code changes its label
    settle();
    EXPECT_EQ(stored(),
              marques("Sections analytiques^001]002]003^SIEGE SOCIAL]ANTENNE NORD]ANTENNE SUD"));

    clickRow("002");
    answers.expect("Voulez-vous supprimer le code 002 (ANTENNE NORD) ?", QMessageBox::Question,
                   toolkit::Answer::No);
    click(button("Cmd_Supprimer"));
    ASSERT_TRUE(answers.waitAnswered());
    EXPECT_EQ(tables->Read("SECTANAL").DCount(2), 3);

    answers.expect("Voulez-vous supprimer le code 002", toolkit::Answer::Yes);
    click(button("Cmd_Supprimer"));
    ASSERT_TRUE(answers.waitAnswered());
    settle();
    EXPECT_EQ(stored(), marques("Sections analytiques^001]003^SIEGE SOCIAL]ANTENNE SUD"));
    EXPECT_EQ(rows(), QStringList({"001 SIEGE SOCIAL", "003 ANTENNE SUD"}));
}

TEST_F(ParametresTest, OneDigitCodesAndFurtherParallelValuesOnDeleting) {
    write("TAUXTVA", "^1]2]3^TAUX NORMAL]TAUX REDUIT]EXONERE^2000]550]0");
    open("TAUXTVA", 2);
    submit("12", "TAUX INTERMEDIAIRE", "Cmd_Ajouter",
           "Le code « 12 » ne convient pas : cette table attend un nombre d'un seul chiffre.");
    clickRow("2");
    answers.expect("Voulez-vous supprimer", toolkit::Answer::Yes);
    click(button("Cmd_Supprimer"));
    ASSERT_TRUE(answers.waitAnswered());
    settle();
    EXPECT_EQ(stored("TAUXTVA"), marques("^1]3^TAUX NORMAL]EXONERE^2000]0"));
}

TEST_F(ParametresTest, AnotherUsersAdditionIsKeptAndAnEmptyTableIsCreated) {
    open("SECTANAL", 2);
    store::Record r = tables->ReadForUpdate("SECTANAL");
    r.SetValue(2, 3, "003");
    r.SetValue(3, 3, "AJOUT D'UN COLLEGUE");
    r.DBWrite();
    submit("003", "DOUBLON", "Cmd_Ajouter", "Le code 003 existe déjà.");
    EXPECT_TRUE(rows().contains("003 AJOUT D'UN COLLEGUE")) << "the list shows the table as stored";
    submit("004", "MON AJOUT");
    EXPECT_EQ(stored(), marques("Sections analytiques^001]002]003]004^SIEGE]ANTENNE NORD]AJOUT "
                                "D'UN COLLEGUE]MON AJOUT"));

    open("SERVICES", 2);
    EXPECT_TRUE(rows().isEmpty());
    submit("010", "AIDE MENAGERE");
    EXPECT_EQ(stored("SERVICES"), marques("^010^AIDE MENAGERE"));
}

TEST_F(ParametresTest, ConsultationOnlyShowsTheTable) {
    open("SECTANAL", 1);
    const std::string before = stored();
    EXPECT_EQ(rows(), QStringList({"001 SIEGE", "002 ANTENNE NORD"}));
    for (const char* name : {"Cmd_Ajouter", "Cmd_Modifier", "Cmd_Supprimer"})
        EXPECT_FALSE(button(name)->isVisible()) << name;
    EXPECT_TRUE(button("Cmd_Fermer")->isVisible());
    clickRow("001");
    type(libelle(), "X");
    pressEnter(libelle());
    settle();
    EXPECT_EQ(libelle()->text(), "SIEGE");
    EXPECT_EQ(stored(), before);
}

TEST_F(ParametresTest, FermerAllowsClosingAndClosesStartingAgainReadsTheTableAfresh) {
    open("SECTANAL", 2);
    EXPECT_FALSE(editeur->Fermeture());
    click(button("Cmd_Fermer"));
    settle();
    EXPECT_TRUE(editeur->Fermeture());
    EXPECT_FALSE(hote->isVisible()) << "closed by the editor once it allows it";

    store::Record r = tables->ReadForUpdate("SECTANAL");
    r.SetValue(2, 3, "003");
    r.SetValue(3, 3, "NOUVELLE");
    r.DBWrite();
    editeur->Demarrer();
    EXPECT_FALSE(editeur->Fermeture());
    EXPECT_TRUE(rows().contains("003 NOUVELLE"));
}

}  // namespace
