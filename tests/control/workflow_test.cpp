// Creating and saving an association through the screen: the checks, the files and counters of
// a new association, the creditor identifier, and what an update leaves alone.
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabBar>
#include <QTabWidget>

#include "platform/components/utilitaires/composant_utilitaires.h"
#include "platform/engine/dynarray.h"
#include "platform/toolkit/qtext.h"
#include "store/store_error.h"
#include "tests/control/association_fixture.h"

namespace {

std::vector<std::string> attributes(const std::string& text) {
    std::vector<std::string> list;
    for (int a = 1; a <= mv::attributeCount(text); ++a)
        list.push_back(mv::extract(text, a));
    return list;
}

QString focusName() {
    return QApplication::focusWidget() ? QApplication::focusWidget()->objectName() : QString();
}

}  // namespace

class WorkflowTest : public CtrAssociationTest {
  protected:
    void showTab(int index) {
        auto* tabs = w<QTabWidget>("Ong_Assoc");
        QTabBar* bar = tabs->tabBar();
        QTest::mouseClick(bar, Qt::LeftButton, Qt::NoModifier, bar->tabRect(index).center());
        settle(5);
    }
    void retype(const char* name, const QString& text) {
        auto* field = w<QLineEdit>(name);
        focusOn(field);
        QTest::keyClick(field, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(field, Qt::Key_Delete);
        type(field, text);
    }
    // What a new association cannot be saved without, typed where the user finds it.
    void fillRequired(const QString& sigle) {
        showTab(0);
        retype("Txt_SigleAssoc", sigle);
        retype("Txt_RaisonAssoc", QStringLiteral("ENTITE ") + sigle);
        retype("Txt_SirenAssoc", QStringLiteral("123456789"));
        showTab(2);
        retype("Txt_CentreAssedic", QStringLiteral("ASSEDIC OUEST"));
        retype("Txt_NumAffilAssedic", QStringLiteral("4900001"));
    }
    void clickOk() { click(w<QPushButton>("Cmd_Ok")); }
    bool hasFile(const std::string& name) {
        try {
            db->OpenFile(name);
            return true;
        } catch (const store::StoreError&) {
            return false;
        }
    }
    QString templateFolder() {
        return QString::fromStdString(mv::extract(stored("CHEMINFICHIER", "1"), 3));
    }
};

TEST_F(WorkflowTest, CreationMakesTheFilesCountersAndRecord) {
    start();
    click(w<QPushButton>("Cmd_Ajouter"));
    EXPECT_EQ(screen()->mode(), 1);
    EXPECT_EQ(w<QLineEdit>("Txt_CodeAssoc")->text(), "006") << "five associations on file";
    EXPECT_FALSE(w<QLineEdit>("Txt_CodeAssoc")->isEnabled());
    for (const char* name : {"Cmd_Ajouter", "Cmd_Etablissement", "Cmd_Activite"})
        EXPECT_FALSE(w<QPushButton>(name)->isEnabled()) << name;
    EXPECT_EQ(focusName(), "Txt_SigleAssoc");

    fillRequired(QStringLiteral("aide nouvelle"));
    retype("Txt_Ligne1", QStringLiteral("1 RUE NEUVE"));
    showTab(2);
    focusOn(w<QComboBox>("cbo_RespPaie"));
    QTest::keyClick(w<QComboBox>("cbo_RespPaie"), Qt::Key_Down);
    QTest::keyClick(w<QComboBox>("cbo_RespPaie"), Qt::Key_Down);
    // A new association starts without pay shift, time savings or solidarity day.
    click(w<QCheckBox>("Chk_DecalagePaie"));
    click(w<QCheckBox>("Cac_CET"));
    showTab(4);
    click(w<QCheckBox>("Cac_PresentSimpl"));
    click(w<QCheckBox>("Cac_LogoFact"));
    retype("Txt_AgrAuto1", QStringLiteral("AGREMENT 2025"));

    answers
        .expect("Ajout de l'entité juridique 006 AIDE NOUVELLE effectué.", QMessageBox::Information)
        .expect(
            "Pensez à créer au moins un établissement et au moins une activité pour cette "
            "nouvelle association.",
            QMessageBox::Information);
    clickOk();
    EXPECT_TRUE(answers.done());

    for (const char* key : {"A1", "B2", "C3"}) {
        EXPECT_TRUE(hasFile(std::string("CONTRAT006") + key)) << key;
        EXPECT_TRUE(hasFile(std::string("AVENANT006") + key)) << key;
        EXPECT_EQ(
            mv::extract(db->OpenFile(std::string("DICT CONTRAT006") + key)->Read("Secteur").Text(),
                        4),
            "Secteur");
        for (const QString& copy :
             {QStringLiteral("Contrat006%1.txt"), QStringLiteral("Avenant006%1.txt")}) {
            EXPECT_TRUE(QFile::exists(QDir(templateFolder()).filePath(copy.arg(key))))
                << copy.arg(key).toStdString();
        }
    }
    EXPECT_TRUE(hasFile("CONVOVM006"));
    EXPECT_TRUE(QFile::exists(QDir(templateFolder()).filePath("Convocm006.txt")));
    EXPECT_TRUE(QFile::exists(QDir(templateFolder()).filePath("Opposition006.txt")));
    EXPECT_EQ(attributes(stored("COMPTEUR", "006")), std::vector<std::string>(5, "000"));
    EXPECT_EQ(attributes(stored("NUMEROFACT", "006")), std::vector<std::string>(6, "0000000000"));

    const std::string r = stored("ASSOCIATION", "006");
    EXPECT_EQ(mv::extract(r, 1), "AIDE NOUVELLE");
    EXPECT_EQ(mv::extract(r, 2), "ENTITE aide nouvelle");
    EXPECT_EQ(mv::extract(r, 3), "1 RUE NEUVE");
    EXPECT_EQ(mv::extract(r, 14), "123456789");
    EXPECT_EQ(mv::extract(r, 24), "02");
    EXPECT_EQ(mv::extract(r, 25), "0");
    EXPECT_EQ(mv::extract(r, 60), "");
    EXPECT_EQ(mv::extract(r, 42), "");
    EXPECT_EQ(mv::extract(r, 33), "ASSEDIC OUEST");
    EXPECT_EQ(mv::extract(r, 34), "4900001");
    EXPECT_EQ(mv::extract(r, 41), "AGREMENT 2025");
    for (int a : {49, 50, 54, 55})
        EXPECT_EQ(mv::extract(r, a), "0") << a;
    EXPECT_EQ(mv::extract(r, 59), "1");
    EXPECT_EQ(mv::extract(r, 22), "");

    EXPECT_EQ(screen()->mode(), 0);
    EXPECT_TRUE(w<QLineEdit>("Txt_CodeAssoc")->text().isEmpty());
    EXPECT_TRUE(w<QLineEdit>("Txt_CodeAssoc")->isEnabled());
    // The field the keyboard goes to (the window itself may wait for the window system).
    ASSERT_NE(window()->focusWidget(), nullptr);
    EXPECT_EQ(window()->focusWidget()->objectName(), "Txt_CodeAssoc");
    EXPECT_TRUE(w<QLineEdit>("Txt_RaisonAssoc")->text().isEmpty());
    EXPECT_TRUE(w<QComboBox>("Cbo_SigleAssoc")->isVisible());
    EXPECT_TRUE(items(w<QComboBox>("Cbo_SigleAssoc")).contains("AIDE NOUVELLE"));
    EXPECT_FALSE(w<QPushButton>("Cmd_Annuler")->isEnabled());
    EXPECT_TRUE(w<QPushButton>("Cmd_Ajouter")->isEnabled());
    EXPECT_TRUE(screen()->isEnabled());
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

TEST_F(WorkflowTest, MissingFieldsStopTheSaveOnTheirTab) {
    const std::string base = stored("ASSOCIATION", "001");
    struct Case {
        int attribute;
        const char* value;
        const char* message;
        int tab;  // -1: the tab shown stays
        const char* focus;
    };
    const Case cases[] = {
        {1, "", "Le sigle doit être renseigné.", -1, "Txt_SigleAssoc"},
        {1, "   ", "Le sigle doit être renseigné.", -1, "Txt_SigleAssoc"},
        {2, "", "La raison sociale de l'entité doit être renseignée.", -1, "Txt_RaisonAssoc"},
        {14, "", "Le numéro de SIREN doit être renseigné.", 0, "Txt_SirenAssoc"},

        {33, "", "Le centre ASSEDIC doit être renseigné.", 2, "Txt_CentreAssedic"},
        {34, "", "Le numéro d'affiliation ASSEDIC doit être renseigné.", 2, "Txt_NumAffilAssedic"},
        {38, "INCONNU", "Le système de télégestion doit être renseigné.", 3, "Cbo_Systeme"},
        {46, "", "Le code télétransmettant doit être renseigné.", 5, "Txt_CodeTeletransmettant"},
        {47, "", "Le code intervenant doit être renseigné.", 5, "Txt_CodeIntervenant"},
        {44, "", "Le login doit être renseigné.", 5, "Txt_LoginUtil"},
        {45, "", "Le mot de passe doit être renseigné.", 5, "Txt_Mtp"},
    };
    start();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.message);
        std::string text = base;
        mv::replace(text, c.attribute, c.value);
        writeRecord("ASSOCIATION", "001", text);
        enterCode("1");
        showTab(6);
        answers.expect(c.message, QMessageBox::Information);
        clickOk();
        settle();
        EXPECT_TRUE(answers.done());
        EXPECT_EQ(w<QTabWidget>("Ong_Assoc")->currentIndex(), c.tab < 0 ? 6 : c.tab);
        EXPECT_EQ(focusName(), c.focus);
        EXPECT_EQ(w<QLineEdit>("Txt_CodeAssoc")->text(), "001") << "the screen stays as it was";
        EXPECT_EQ(stored("ASSOCIATION", "001"), text) << "nothing written";
        click(w<QPushButton>("Cmd_Annuler"));
    }

    // Too short: the user corrects it before going anywhere else, as the field asks on leaving.
    std::string shortSiren = base;
    mv::replace(shortSiren, 14, "12345678");
    writeRecord("ASSOCIATION", "001", shortSiren);
    enterCode("1");
    answers.expect("La longueur du numéro de SIREN doit être de 9 caractères.",
                   QMessageBox::Information);
    clickOk();
    settle();
    EXPECT_TRUE(answers.done());
    EXPECT_EQ(w<QTabWidget>("Ong_Assoc")->currentIndex(), 0);
    EXPECT_EQ(focusName(), "Txt_SirenAssoc");
    retype("Txt_SirenAssoc", QStringLiteral("123456789"));
    click(w<QPushButton>("Cmd_Annuler"));

    // The bank details are checked first and speak for themselves.
    std::string text = base;
    mv::replace(text, 19, "15");
    mv::replace(text, 1, "");
    writeRecord("ASSOCIATION", "001", text);
    enterCode("1");
    answers.expect("La clé RIB ne correspond pas", QMessageBox::Warning);
    clickOk();
    EXPECT_TRUE(answers.done());
    EXPECT_EQ(w<QTabWidget>("Ong_Assoc")->currentIndex(), 1);
    click(w<QPushButton>("Cmd_Annuler"));

    // Ten characters are long enough.
    text = base;
    mv::replace(text, 14, "1234567890");
    writeRecord("ASSOCIATION", "001", text);
    enterCode("1");
    clickOk();
    EXPECT_TRUE(w<QLineEdit>("Txt_CodeAssoc")->text().isEmpty()) << "saved and emptied";
    EXPECT_EQ(mv::extract(stored("ASSOCIATION", "001"), 14), "1234567890");
}

TEST_F(WorkflowTest, ServerAddressOrDomainIsRequiredForSending) {
    start();
    enterCode("1");
    showTab(5);
    retype("Txt_AdrSvrCESU2", QString());
    answers.expect("L'adresse du serveur doit être renseignée.", QMessageBox::Information);
    clickOk();
    EXPECT_TRUE(answers.done());
    EXPECT_EQ(focusName(), "Txt_AdrSvrCESU2");

    click(w<QWidget>("Opt_Domaine"));
    answers.expect("Le nom de domaine doit être renseigné.", QMessageBox::Information);
    clickOk();
    EXPECT_TRUE(answers.done());
    EXPECT_EQ(focusName(), "Txt_Domaine");
}

TEST_F(WorkflowTest, CreditorIdentifierIsCheckedAfterTheBankDetails) {
    start();
    click(w<QPushButton>("Cmd_Ajouter"));
    fillRequired(QStringLiteral("ICS"));
    // Refused: the creation stops after the files and counters, in creation mode.
    for (const char* refused : {"FR12ZZZ12345", "ZZ72ZZZ123456"}) {
        SCOPED_TRACE(refused);
        showTab(1);
        retype("Txt_Ics", QString::fromLatin1(refused));
        answers.expect("L'ICS est une chaîne de 13 caractères qui commence par FR",
                       QMessageBox::Warning);
        clickOk();
        EXPECT_TRUE(answers.done());
        EXPECT_EQ(screen()->mode(), 1);
        EXPECT_EQ(w<QLineEdit>("Txt_CodeAssoc")->text(), "006");
        EXPECT_EQ(w<QLineEdit>("Txt_RaisonAssoc")->text(), "ENTITE ICS");
        EXPECT_TRUE(hasFile("CONVOVM006"));
        EXPECT_FALSE(stored("COMPTEUR", "006").empty());
        EXPECT_TRUE(stored("ASSOCIATION", "006").empty());
        EXPECT_TRUE(screen()->isEnabled());
        EXPECT_TRUE(w<QPushButton>("Cmd_Annuler")->isEnabled());
        EXPECT_EQ(QApplication::overrideCursor(), nullptr);
        EXPECT_EQ(w<QTabWidget>("Ong_Assoc")->currentIndex(), 1);
        ASSERT_NE(window()->focusWidget(), nullptr);
        EXPECT_EQ(window()->focusWidget()->objectName(), "Txt_Ics");
    }
    // "Ajouter" is offered again, but not while a code is on screen.
    answers.expect("Pour pouvoir ajouter, vous devez d'abord valider votre feuille.",
                   QMessageBox::Information);
    click(w<QPushButton>("Cmd_Ajouter"));
    EXPECT_TRUE(answers.done());
    EXPECT_EQ(screen()->mode(), 1);

    // A national identifier of six characters completes the same creation.
    showTab(1);
    retype("Txt_Ics", QStringLiteral("ABC123"));
    answers.expect("Ajout de l'entité juridique 006 ICS effectué.").expect("Pensez à créer");
    clickOk();
    EXPECT_TRUE(answers.done());
    EXPECT_EQ(mv::extract(stored("ASSOCIATION", "006"), 22), "ABC123");
    EXPECT_EQ(attributes(stored("COMPTEUR", "006")), std::vector<std::string>(5, "000"));

    // Thirteen characters beginning with FR.
    click(w<QPushButton>("Cmd_Ajouter"));
    fillRequired(QStringLiteral("ICS FR"));
    showTab(1);
    retype("Txt_Ics", QStringLiteral("FR72ZZZ123456"));
    answers.expect("Ajout de l'entité juridique 007 ICS FR effectué.").expect("Pensez à créer");
    clickOk();
    EXPECT_TRUE(answers.done());
    EXPECT_EQ(mv::extract(stored("ASSOCIATION", "007"), 22), "FR72ZZZ123456");
}

TEST_F(WorkflowTest, UpdateChangesOnlyWhatWasEdited) {
    const std::vector<std::string> before = attributes(stored("ASSOCIATION", "001"));
    start();
    enterCode("1");
    retype("Txt_RaisonAssoc", QStringLiteral("AIDE ET SOINS DU GRAND BOCAGE"));
    showTab(4);
    click(w<QCheckBox>("Cac_PreImpBulltPaie"));
    clickOk();
    EXPECT_TRUE(w<QLineEdit>("Txt_CodeAssoc")->text().isEmpty());
    EXPECT_TRUE(w<QLineEdit>("Txt_CodeAssoc")->isEnabled());
    EXPECT_TRUE(w<QComboBox>("Cbo_SigleAssoc")->isVisible());

    const std::vector<std::string> after = attributes(stored("ASSOCIATION", "001"));
    ASSERT_EQ(after.size(), before.size());
    for (size_t i = 0; i < before.size(); ++i) {
        const int a = static_cast<int>(i) + 1;
        if (a == 2)
            EXPECT_EQ(after[i], "AIDE ET SOINS DU GRAND BOCAGE");
        else if (a == 49)
            EXPECT_EQ(after[i], "0");
        else
            EXPECT_EQ(after[i], before[i]) << "attribute " << a;
    }
}

TEST_F(WorkflowTest, UpdateStoppedByTheCreditorIdentifierWritesNothing) {
    const std::string before = stored("ASSOCIATION", "001");
    start();
    enterCode("1");
    retype("Txt_RaisonAssoc", QStringLiteral("CHANGEE"));
    showTab(1);
    retype("Txt_Ics", QStringLiteral("FR95ZZZ41258"));
    answers.expect("L'ICS est une chaîne de 13 caractères qui commence par FR");
    clickOk();
    EXPECT_TRUE(answers.done());
    EXPECT_EQ(stored("ASSOCIATION", "001"), before);
    EXPECT_EQ(focusName(), "Txt_Ics");
    EXPECT_EQ(w<QLineEdit>("Txt_RaisonAssoc")->text(), "CHANGEE");
    EXPECT_EQ(w<QLineEdit>("Txt_CodeAssoc")->text(), "001");
}

TEST_F(WorkflowTest, CancellingACreationAsksFirst) {
    start();
    click(w<QPushButton>("Cmd_Ajouter"));
    retype("Txt_RaisonAssoc", QStringLiteral("A ABANDONNER"));
    answers.expect("Etes-vous sûr de vouloir quitter cette création ?", QMessageBox::Warning,
                   toolkit::Answer::No);
    click(w<QPushButton>("Cmd_Annuler"));
    EXPECT_TRUE(answers.done());
    EXPECT_EQ(screen()->mode(), 1);
    EXPECT_EQ(w<QLineEdit>("Txt_RaisonAssoc")->text(), "A ABANDONNER");

    answers.expect("Etes-vous sûr de vouloir quitter cette création ?", toolkit::Answer::Yes);
    click(w<QPushButton>("Cmd_Annuler"));
    EXPECT_TRUE(answers.done());
    EXPECT_EQ(screen()->mode(), 0);
    EXPECT_TRUE(w<QLineEdit>("Txt_CodeAssoc")->text().isEmpty());
    EXPECT_TRUE(w<QLineEdit>("Txt_RaisonAssoc")->text().isEmpty());
    EXPECT_TRUE(w<QComboBox>("Cbo_SigleAssoc")->isVisible());
    EXPECT_TRUE(w<QPushButton>("Cmd_Ajouter")->isEnabled());
    EXPECT_FALSE(hasFile("CONVOVM006"));
    EXPECT_TRUE(stored("COMPTEUR", "006").empty());
}

TEST_F(WorkflowTest, FailedSetUpKeepsTheCreationForAnotherTry) {
    start();
    const QString defaut = QDir(templateFolder()).filePath("Defaut.txt");
    const QString saved = defaut + ".bak";
    ASSERT_TRUE(QFile::rename(defaut, saved));
    click(w<QPushButton>("Cmd_Ajouter"));
    // Nothing is made while a field is missing.
    answers.expect("Le sigle doit être renseigné.");
    clickOk();
    EXPECT_TRUE(answers.done());
    EXPECT_FALSE(hasFile("CONTRAT006A1"));

    fillRequired(QStringLiteral("REESSAI"));
    answers.expect("La création des fichiers de l'entité juridique 006 a échoué");
    clickOk();
    EXPECT_TRUE(answers.done());
    EXPECT_EQ(screen()->mode(), 1);
    EXPECT_EQ(w<QLineEdit>("Txt_RaisonAssoc")->text(), "ENTITE REESSAI");
    EXPECT_TRUE(stored("COMPTEUR", "006").empty());
    EXPECT_TRUE(stored("ASSOCIATION", "006").empty());
    EXPECT_TRUE(screen()->isEnabled());
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);

    ASSERT_TRUE(QFile::rename(saved, defaut));
    answers.expect("Ajout de l'entité juridique 006 REESSAI effectué.").expect("Pensez à créer");
    clickOk();
    EXPECT_TRUE(answers.done());
    EXPECT_TRUE(hasFile("CONVOVM006"));
    EXPECT_FALSE(stored("ASSOCIATION", "006").empty());
}

TEST_F(WorkflowTest, ProposedCodeAlreadyInUseIsEmptiedForAnother) {
    deleteRecord("ASSOCIATION", "002");
    start();
    answers.expect(
        "Entité juridique déjà existante, veuillez saisir un autre numéro d'entité juridique.",
        QMessageBox::Warning);
    click(w<QPushButton>("Cmd_Ajouter"));
    EXPECT_TRUE(answers.done());
    EXPECT_EQ(screen()->mode(), 1);
    EXPECT_TRUE(w<QLineEdit>("Txt_CodeAssoc")->text().isEmpty());
    EXPECT_TRUE(w<QLineEdit>("Txt_CodeAssoc")->isEnabled());

    enterCode("2");
    EXPECT_EQ(w<QLineEdit>("Txt_CodeAssoc")->text(), "002");
    EXPECT_FALSE(w<QLineEdit>("Txt_CodeAssoc")->isEnabled());
    EXPECT_TRUE(w<QLineEdit>("Txt_RaisonAssoc")->isEnabled());
    EXPECT_TRUE(w<QLineEdit>("Txt_RaisonAssoc")->text().isEmpty());
}

TEST_F(WorkflowTest, CodesStopBeforeTheReservedOne) {
    auto add = [this](int from, int to) {
        store::LocalDatabase::Transaction t(*db);
        for (int code = from; code <= to; ++code) {
            const std::string id =
                QStringLiteral("%1").arg(code, 3, 10, QLatin1Char('0')).toStdString();
            writeRecord("ASSOCIATION", id, "X" + id);
        }
        t.Commit();
    };
    add(6, 997);
    start();
    click(w<QPushButton>("Cmd_Ajouter"));
    EXPECT_EQ(w<QLineEdit>("Txt_CodeAssoc")->text(), "998");
    answers.expect("Etes-vous sûr de vouloir quitter cette création ?", toolkit::Answer::Yes);
    click(w<QPushButton>("Cmd_Annuler"));
    EXPECT_TRUE(answers.done());

    add(998, 998);
    answers.expect("Impossible d'ajouter une entité juridique : le fichier en compte déjà 998",
                   QMessageBox::Warning);
    click(w<QPushButton>("Cmd_Ajouter"));
    EXPECT_TRUE(answers.done());
    EXPECT_EQ(screen()->mode(), 0);
    EXPECT_TRUE(w<QLineEdit>("Txt_CodeAssoc")->text().isEmpty());
}
