// The TABLES editor driven through its own widgets inside a window that, like the parameters
// window, may only close once the editor allows it; what the user does is checked in the database.
#include <unistd.h>

#include <QCloseEvent>
#include <QDialog>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <filesystem>

#include "platform/components/droits/composant_droits.h"
#include "platform/components/parametres/composant_parametres.h"
#include "store/file.h"
#include "store/local_database.h"
#include "tests/support/gui_test.h"

namespace {

constexpr char VM = '\xFD';

class Hote : public QDialog {
  public:
    Hote() {
        setObjectName("Frm_ParamSect");
        auto* layout = new QVBoxLayout(this);
        editeur = new Composant_Parametres(this);
        editeur->setObjectName("Ctr_Parametres");
        layout->addWidget(editeur);
    }
    void closeEvent(QCloseEvent* event) override {
        if (!editeur->Fermeture())
            event->ignore();
        else
            QDialog::closeEvent(event);
    }
    Composant_Parametres* editeur;
};

class ParametresTest : public GuiTest {
  protected:
    void SetUp() override {
        dir = std::filesystem::temp_directory_path() /
              ("parametres_test_" + std::to_string(::getpid()) + "_" +
               ::testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::remove_all(dir);
        std::filesystem::create_directories(dir);
        db = store::OpenLocalDatabase((dir / "tables.mvdb").string());
        db->Execute("CREATE.FILE TABLES 3,1");
        tables = db->OpenFile("TABLES");
        store::Record r = tables->NewItem("SECTANAL");
        r.SetValue(1, "Sections analytiques");
        r.SetValue(2, std::string("001") + VM + "002");
        r.SetValue(3, std::string("SIEGE") + VM + "ANTENNE NORD");
        r.DBWrite();
    }
    void TearDown() override {
        hote.reset();
        GuiTest::TearDown();
        tables.reset();
        db.reset();
        std::filesystem::remove_all(dir);
    }

    void open(const std::string& table, std::int16_t level) {
        hote = std::make_unique<Hote>();
        Composant_Parametres* e = hote->editeur;
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
        settle(5);
    }
    void fill(const QString& c, const QString& l) {
        code()->clear();
        libelle()->clear();
        type(code(), c);
        type(libelle(), l);
    }
    std::string stored(const std::string& id = "SECTANAL") { return tables->Read(id).Text(); }

    std::filesystem::path dir;
    std::shared_ptr<store::LocalDatabase> db;
    std::shared_ptr<store::File> tables;
    std::unique_ptr<Hote> hote;
};

TEST_F(ParametresTest, RefusesAMissingCodeADuplicateAndAMissingLabel) {
    open("SECTANAL", 2);
    const std::string before = stored();
    answers.expect(QString::fromUtf8("Le code doit être renseigné."), QMessageBox::Information);
    click(button("Cmd_Ajouter"));
    ASSERT_TRUE(answers.waitAnswered());

    fill("002", "AUTRE");
    answers.expect(QString::fromUtf8("Le code 002 existe déjà."), QMessageBox::Warning);
    click(button("Cmd_Ajouter"));
    ASSERT_TRUE(answers.waitAnswered());

    fill("2", "AUTRE");  // padded to the length of the table's codes, so the same code
    answers.expect(QString::fromUtf8("Le code 002 existe déjà."), QMessageBox::Warning);
    click(button("Cmd_Ajouter"));
    ASSERT_TRUE(answers.waitAnswered());

    fill("0003", "AUTRE");
    answers.expect(QString::fromUtf8(
        "Le code « 0003 » ne convient pas : cette table attend un nombre d'au plus 3 chiffres."));
    click(button("Cmd_Ajouter"));
    ASSERT_TRUE(answers.waitAnswered());

    fill("003", "   ");
    answers.expect(QString::fromUtf8("Le libellé doit être renseigné."), QMessageBox::Information);
    click(button("Cmd_Ajouter"));
    ASSERT_TRUE(answers.waitAnswered());
    EXPECT_EQ(libelle()->text(), "   ") << "the typed entry stays for correction";

    EXPECT_EQ(stored(), before);
    EXPECT_EQ(rows(), QStringList({"001 SIEGE", "002 ANTENNE NORD"}));
}

TEST_F(ParametresTest, AddsChangesAndDeletesEntries) {
    open("SECTANAL", 2);
    fill("3", "ANTENNE SUD");
    click(button("Cmd_Ajouter"));
    EXPECT_EQ(rows(), QStringList({"001 SIEGE", "002 ANTENNE NORD", "003 ANTENNE SUD"}));
    EXPECT_EQ(tables->Read("SECTANAL").Value(2, 3), "003");
    EXPECT_EQ(tables->Read("SECTANAL").Value(3, 3), "ANTENNE SUD");
    EXPECT_TRUE(code()->text().isEmpty());

    clickRow("001");
    EXPECT_EQ(libelle()->text(), "SIEGE");
    libelle()->clear();
    type(libelle(), "SIEGE SOCIAL");
    pressEnter(libelle());  // Enter on a listed code changes its label
    settle(20);
    EXPECT_EQ(tables->Read("SECTANAL").Value(3, 1), "SIEGE SOCIAL");

    clickRow("002");
    answers.expect("Voulez-vous supprimer le code 002", QMessageBox::Question, toolkit::Answer::No);
    click(button("Cmd_Supprimer"));
    ASSERT_TRUE(answers.waitAnswered());
    EXPECT_EQ(tables->Read("SECTANAL").DCount(2), 3);

    answers.expect("Voulez-vous supprimer le code 002", toolkit::Answer::Yes);
    click(button("Cmd_Supprimer"));
    ASSERT_TRUE(answers.waitAnswered());
    settle(20);
    const store::Record after = tables->Read("SECTANAL");
    EXPECT_EQ(after.Value(2), std::string("001") + VM + "003");
    EXPECT_EQ(after.Value(3), std::string("SIEGE SOCIAL") + VM + "ANTENNE SUD");
    EXPECT_EQ(after.Value(1), "Sections analytiques");
    EXPECT_EQ(rows(), QStringList({"001 SIEGE SOCIAL", "003 ANTENNE SUD"}));
}

TEST_F(ParametresTest, DeletingKeepsFurtherParallelValuesAligned) {
    store::Record tva = tables->NewItem("TAUXTVA");
    tva.SetValue(2, std::string("1") + VM + "2" + VM + "3");
    tva.SetValue(3, std::string("TAUX NORMAL") + VM + "TAUX REDUIT" + VM + "EXONERE");
    tva.SetValue(4, std::string("2000") + VM + "550" + VM + "0");
    tva.DBWrite();
    open("TAUXTVA", 2);
    fill("12", "TAUX INTERMEDIAIRE");
    answers.expect(
        QString::fromUtf8("Le code « 12 » ne convient pas : cette table attend un "
                          "nombre d'un seul chiffre."));
    click(button("Cmd_Ajouter"));
    ASSERT_TRUE(answers.waitAnswered());
    clickRow("2");
    answers.expect("Voulez-vous supprimer", toolkit::Answer::Yes);
    click(button("Cmd_Supprimer"));
    ASSERT_TRUE(answers.waitAnswered());
    settle(20);
    const store::Record after = tables->Read("TAUXTVA");
    EXPECT_EQ(after.Value(2), std::string("1") + VM + "3");
    EXPECT_EQ(after.Value(4), std::string("2000") + VM + "0");
}

TEST_F(ParametresTest, AnotherUsersAdditionIsKept) {
    open("SECTANAL", 2);
    store::Record r = tables->ReadForUpdate("SECTANAL");
    r.SetValue(2, 3, "003");
    r.SetValue(3, 3, "AJOUT D'UN COLLEGUE");
    r.DBWrite();

    fill("003", "DOUBLON");
    answers.expect(QString::fromUtf8("Le code 003 existe déjà."));
    click(button("Cmd_Ajouter"));
    ASSERT_TRUE(answers.waitAnswered());
    settle(20);
    EXPECT_TRUE(rows().contains("003 AJOUT D'UN COLLEGUE")) << "the list shows the table as stored";

    fill("004", "MON AJOUT");
    click(button("Cmd_Ajouter"));
    const store::Record after = tables->Read("SECTANAL");
    EXPECT_EQ(after.DCount(2), 4);
    EXPECT_EQ(after.Value(3, 3), "AJOUT D'UN COLLEGUE");
    EXPECT_EQ(after.Value(3, 4), "MON AJOUT");
}

TEST_F(ParametresTest, AnEmptyTableIsCreatedByItsFirstEntry) {
    open("SERVICES", 2);
    EXPECT_TRUE(rows().isEmpty());
    fill("010", "AIDE MENAGERE");
    click(button("Cmd_Ajouter"));
    EXPECT_EQ(tables->Read("SERVICES").Value(2), "010");
    EXPECT_EQ(tables->Read("SERVICES").Value(3), "AIDE MENAGERE");
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
    settle(20);
    EXPECT_EQ(libelle()->text(), "SIEGE");
    EXPECT_EQ(stored(), before);
}

TEST_F(ParametresTest, TheWindowClosesOnlyThroughFermerAndRestartsAfresh) {
    open("SECTANAL", 2);
    EXPECT_FALSE(hote->editeur->Fermeture());
    hote->close();  // the frame's close box
    settle(20);
    EXPECT_TRUE(hote->isVisible()) << "refused while the editor has not allowed it";

    click(button("Cmd_Fermer"));
    settle(20);
    EXPECT_TRUE(hote->editeur->Fermeture());
    EXPECT_FALSE(hote->isVisible());

    store::Record r = tables->ReadForUpdate("SECTANAL");
    r.SetValue(2, 3, "003");
    r.SetValue(3, 3, "NOUVELLE");
    r.DBWrite();
    hote->editeur->Demarrer();
    showActive(hote.get());
    EXPECT_FALSE(hote->editeur->Fermeture());
    EXPECT_TRUE(rows().contains("003 NOUVELLE"));
    hote->close();
    settle(20);
    EXPECT_TRUE(hote->isVisible());
}

}  // namespace
