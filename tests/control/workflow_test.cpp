// Creating and saving an association through the screen: the checks, the files and counters of
// a new association, the creditor identifier, and what an update leaves alone.
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QMenu>
#include <QPushButton>
#include <QTabWidget>
#include <QTableWidget>
#include <QTest>
#include <QTimer>
#include <algorithm>

#include "platform/engine/dynarray.h"
#include "store/local_database.h"
#include "store/store_error.h"
#include "tests/control/association_fixture.h"

namespace {

std::vector<std::string> attributes(const std::string& text) {
    std::vector<std::string> list;
    for (int a = 1; a <= mv::attributeCount(text); ++a)
        list.push_back(mv::extract(text, a));
    return list;
}

}  // namespace

class WorkflowTest : public CtrAssociationTest {
  protected:
    // What a new association cannot be saved without, typed where the user finds it.
    void fillRequired(const QString& sigle) {
        showTab(kCoordonnees);
        retype("Txt_SigleAssoc", sigle);
        retype("Txt_RaisonAssoc", QStringLiteral("ENTITE ") + sigle);
        retype("Txt_SirenAssoc", QStringLiteral("123456789"));
        showTab(kPersonnel);
        retype("Txt_CentreAssedic", QStringLiteral("ASSEDIC OUEST"));
        retype("Txt_NumAffilAssedic", QStringLiteral("4900001"));
    }
    // Saves a creation the user has filled and answers its two messages.
    void saveCreation(const QString& codeAndSigle) {
        answers.expect("Ajout de l'entité juridique " + codeAndSigle + " effectué.",
                       QMessageBox::Information);
        clickAnswering("Cmd_Ok",
                       "Pensez à créer au moins un établissement et au moins une activité pour "
                       "cette nouvelle association.",
                       QMessageBox::Information);
    }
    bool hasFile(const std::string& name) {
        try {
            db->OpenFile(name);
            return true;
        } catch (const store::StoreError&) {
            return false;
        }
    }
    QString templateFile(const QString& name) {
        return QDir(QString::fromStdString(mv::extract(stored("CHEMINFICHIER", "1"), 3)))
            .filePath(name);
    }
    // The creation of 006 stopped, on a usable screen, the fields as typed.
    void expectCreationKept(const char* raison) {
        EXPECT_EQ(screen()->mode(), 1);
        expectShown({"Txt_CodeAssoc=006", raison});
        EXPECT_TRUE(screen()->isEnabled());
        EXPECT_EQ(QApplication::overrideCursor(), nullptr);
        EXPECT_TRUE(stored("ASSOCIATION", "006").empty());
    }
};

TEST_F(WorkflowTest, CreationMakesTheFilesCountersAndRecord) {
    start();
    clickButton("Cmd_Ajouter");
    EXPECT_EQ(screen()->mode(), 1);
    expectShown({"Txt_CodeAssoc=006"});  // five associations on file
    expectEnabled({"Txt_CodeAssoc", "Cmd_Ajouter", "Cmd_Etablissement", "Cmd_Activite"}, false);
    EXPECT_EQ(focusName(), "Txt_SigleAssoc");

    fillRequired(QStringLiteral("aide nouvelle"));
    retype("Txt_Ligne1", QStringLiteral("1 RUE NEUVE"));
    showTab(kPersonnel);
    choose("cbo_RespPaie", 1);
    // A new association starts without pay shift, time savings, solidarity day, pre-printed
    // forms, logos or mobile telephony, whatever is ticked.
    for (const char* box : {"Chk_DecalagePaie", "Cac_CET"})
        tick(box);
    choose("Cbo_JourSol", 1);
    showTab(kMisesEnForme);
    for (const char* box : {"Cac_PresentSimpl", "Cac_LogoFact"})
        tick(box);
    retype("Txt_AgrAuto1", QStringLiteral("AGREMENT 2025"));
    showTab(kTelegestion);
    tick("Cac_Telegestion");
    choose("Cbo_Systeme", 0);
    tick("Cac_TelMobile");
    showTab(kCesu);
    tick("Cac_EnvoiAuto");
    expectShown({"Opt_AdrIP=1"});
    typeIp("192", "0", "2", "10");
    retype("Txt_LoginUtil", "nouvelle");
    retype("Txt_Mtp", "Secret.1");
    saveCreation("006 AIDE NOUVELLE");

    // The wait window made the new code's files and copies (its own tests go through them all).
    EXPECT_TRUE(hasFile("CONTRAT006A1") && hasFile("AVENANT006C3") && hasFile("CONVOVM006"));
    EXPECT_EQ(db->OpenFile("DICT CONTRAT006B2")->Read("Secteur").Value(4), "Secteur");
    EXPECT_TRUE(QFile::exists(templateFile("Contrat006A1.txt")) &&
                QFile::exists(templateFile("Opposition006.txt")));
    EXPECT_EQ(attributes(stored("COMPTEUR", "006")), std::vector<std::string>(5, "000"));
    EXPECT_EQ(attributes(stored("NUMEROFACT", "006")), std::vector<std::string>(6, "0000000000"));
    // clang-format off
    expectStored("006", {"1=AIDE NOUVELLE", "2=ENTITE aide nouvelle", "3=1 RUE NEUVE",
        "14=123456789", "22=", "24=02", "25=0", "33=ASSEDIC OUEST", "34=4900001", "38=TPO",
        "41=AGREMENT 2025", "42=", "43=192.0.2.10:21", "44=nouvelle", "45=Secret.1", "49=0",
        "50=0", "54=0", "55=0", "58=0", "59=1", "60="});
    // clang-format on

    expectBackToSearch();
    EXPECT_TRUE(items(w<QComboBox>("Cbo_SigleAssoc")).contains("AIDE NOUVELLE"));
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
        {14, "", "Le numéro de SIREN doit être renseigné.", kCoordonnees, "Txt_SirenAssoc"},
        {14, "12345678", "La longueur du numéro de SIREN doit être de 9 caractères.", kCoordonnees,
         "Txt_SirenAssoc"},
        {33, "", "Le centre ASSEDIC doit être renseigné.", kPersonnel, "Txt_CentreAssedic"},
        {34, "", "Le numéro d'affiliation ASSEDIC doit être renseigné.", kPersonnel,
         "Txt_NumAffilAssedic"},
        {38, "INCONNU", "Le système de télégestion doit être renseigné.", kTelegestion,
         "Cbo_Systeme"},
        {46, "", "Le code télétransmettant doit être renseigné.", kCesu,
         "Txt_CodeTeletransmettant"},
        {47, "", "Le code intervenant doit être renseigné.", kCesu, "Txt_CodeIntervenant"},
        {44, "", "Le login doit être renseigné.", kCesu, "Txt_LoginUtil"},
        {45, "", "Le mot de passe doit être renseigné.", kCesu, "Txt_Mtp"},
    };
    start();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.message);
        writeRecord("ASSOCIATION", "001", base);
        const std::string text = storeAt("001", c.attribute, c.value);
        enterCode("1");
        showTab(kCotisation);
        clickAnswering("Cmd_Ok", c.message, QMessageBox::Information);
        EXPECT_EQ(w<QTabWidget>("Ong_Assoc")->currentIndex(), c.tab < 0 ? kCotisation : c.tab);
        EXPECT_EQ(focusName(), c.focus);
        expectShown({"Txt_CodeAssoc=001"});  // the screen stays as it was
        EXPECT_EQ(stored("ASSOCIATION", "001"), text) << "nothing written";
        // A SIREN too short is corrected before going anywhere else, as the field asks on leaving.
        if (c.attribute == 14)
            retype("Txt_SirenAssoc", QStringLiteral("123456789"));
        clickButton("Cmd_Annuler");
    }

    // The bank details are checked first and speak for themselves.
    writeRecord("ASSOCIATION", "001", base);
    storeAt("001", 19, "15");
    storeAt("001", 1, "");
    enterCode("1");
    clickAnswering("Cmd_Ok", "La clé RIB ne correspond pas", QMessageBox::Warning);
    EXPECT_EQ(w<QTabWidget>("Ong_Assoc")->currentIndex(), kRib);
    clickButton("Cmd_Annuler");

    // Sending needs the four parts of the address, or the domain.
    writeRecord("ASSOCIATION", "001", base);
    enterCode("1");
    showTab(kCesu);
    retype("Txt_AdrSvrCESU2", QString());
    clickAnswering("Cmd_Ok", "L'adresse du serveur doit être renseignée.",
                   QMessageBox::Information);
    EXPECT_EQ(focusName(), "Txt_AdrSvrCESU2");
    click(w("Opt_Domaine"));
    clickAnswering("Cmd_Ok", "Le nom de domaine doit être renseigné.", QMessageBox::Information);
    EXPECT_EQ(focusName(), "Txt_Domaine");
    clickButton("Cmd_Annuler");

    // Ten characters are long enough.
    storeAt("001", 14, "1234567890");
    enterCode("1");
    clickButton("Cmd_Ok");
    expectStored("001", {"14=1234567890"});
}

TEST_F(WorkflowTest, FailedSetUpOrRefusedCreditorIdentifierKeepsTheCreation) {
    const QString refused =
        QStringLiteral("L'ICS est une chaîne de 13 caractères qui commence par FR");
    start();
    const QString defaut = templateFile("Defaut.txt");
    ASSERT_TRUE(QFile::rename(defaut, defaut + ".bak"));
    clickButton("Cmd_Ajouter");
    // Nothing is made while a field is missing.
    clickAnswering("Cmd_Ok", "Le sigle doit être renseigné.", QMessageBox::Information);
    EXPECT_FALSE(hasFile("CONTRAT006A1"));
    fillRequired(QStringLiteral("ICS"));
    clickAnswering("Cmd_Ok", "La création des fichiers de l'entité juridique 006 a échoué",
                   QMessageBox::Warning);
    expectCreationKept("Txt_RaisonAssoc=ENTITE ICS");
    EXPECT_FALSE(stored("COMPTEUR", "006").empty()) << "the code stays held for the retry";
    ASSERT_TRUE(QFile::rename(defaut + ".bak", defaut));

    // Refused: the creation stops after the files and counters, on the bank-details tab.
    for (const char* ics : {"FR12ZZZ12345", "ZZ72ZZZ123456"}) {
        SCOPED_TRACE(ics);
        showTab(kRib);
        retype("Txt_Ics", QString::fromLatin1(ics));
        clickAnswering("Cmd_Ok", refused, QMessageBox::Warning);
        expectCreationKept("Txt_RaisonAssoc=ENTITE ICS");
        EXPECT_TRUE(hasFile("CONVOVM006") && !stored("COMPTEUR", "006").empty());
        expectEnabled({"Cmd_Annuler"}, true);
        EXPECT_EQ(w<QTabWidget>("Ong_Assoc")->currentIndex(), kRib);
        EXPECT_EQ(focusName(), "Txt_Ics");
    }
    // "Ajouter" is offered again, but not while a code is on screen.
    clickAnswering("Cmd_Ajouter", "Pour pouvoir ajouter, vous devez d'abord valider votre feuille.",
                   QMessageBox::Information);
    EXPECT_EQ(screen()->mode(), 1);

    // Six characters, or thirteen beginning with FR, complete the creation.
    showTab(kRib);
    retype("Txt_Ics", QStringLiteral("ABC123"));
    saveCreation("006 ICS");
    expectStored("006", {"22=ABC123"});
    EXPECT_EQ(attributes(stored("COMPTEUR", "006")), std::vector<std::string>(5, "000"));
    clickButton("Cmd_Ajouter");
    fillRequired(QStringLiteral("ICS FR"));
    showTab(kRib);
    retype("Txt_Ics", QStringLiteral("FR72ZZZ123456"));
    saveCreation("007 ICS FR");
    expectStored("007", {"22=FR72ZZZ123456"});

    // Stopped by it, an update writes nothing and keeps the screen as typed.
    const std::string before = stored("ASSOCIATION", "001");
    enterCode("1");
    retype("Txt_RaisonAssoc", QStringLiteral("CHANGEE"));
    showTab(kRib);
    retype("Txt_Ics", QStringLiteral("FR95ZZZ41258"));
    clickAnswering("Cmd_Ok", refused, QMessageBox::Warning);
    EXPECT_EQ(stored("ASSOCIATION", "001"), before);
    EXPECT_EQ(focusName(), "Txt_Ics");
    expectShown({"Txt_RaisonAssoc=CHANGEE", "Txt_CodeAssoc=001"});
}

TEST_F(WorkflowTest, UpdateChangesOnlyWhatWasEdited) {
    std::vector<std::string> expected = attributes(stored("ASSOCIATION", "001"));
    expected[2 - 1] = "AIDE ET SOINS DU GRAND BOCAGE";
    expected[49 - 1] = "0";
    start();
    enterCode("1");
    retype("Txt_RaisonAssoc", QStringLiteral("AIDE ET SOINS DU GRAND BOCAGE"));
    showTab(kMisesEnForme);
    tick("Cac_PreImpBulltPaie");
    clickButton("Cmd_Ok");
    expectBackToSearch();
    EXPECT_EQ(attributes(stored("ASSOCIATION", "001")), expected);

    // A record ending before the last positions the screen writes keeps its exact text.
    std::string shorter;
    for (int a = 1; a <= 60; ++a)
        mv::replace(shorter, a, expected[a - 1]);
    writeRecord("ASSOCIATION", "001", shorter);
    enterCode("1");
    clickButton("Cmd_Ok");
    EXPECT_EQ(stored("ASSOCIATION", "001"), shorter);
}

TEST_F(WorkflowTest, CancellingOrLeavingACreationAsksFirst) {
    const QString quit = QStringLiteral("Etes-vous sûr de vouloir quitter cette création ?");
    start();
    clickButton("Cmd_Ajouter");
    retype("Txt_RaisonAssoc", QStringLiteral("A ABANDONNER"));
    clickAnswering("Cmd_Annuler", quit, QMessageBox::Warning, toolkit::Answer::No);
    clickAnswering("Cmd_Sortir", quit, QMessageBox::Question, toolkit::Answer::No);
    EXPECT_EQ(screen()->mode(), 1);
    expectShown({"Txt_RaisonAssoc=A ABANDONNER"});
    EXPECT_TRUE(window()->isVisible());
    EXPECT_TRUE(screen()->W_Sortir()) << "the answer No keeps the leave asked for";

    clickAnswering("Cmd_Annuler", quit, QMessageBox::Warning, toolkit::Answer::Yes);
    expectBackToSearch();
    clickButton("Cmd_Ajouter");
    clickAnswering("Cmd_Sortir", quit, QMessageBox::Question, toolkit::Answer::Yes);
    EXPECT_FALSE(window()->isVisible());
    EXPECT_FALSE(hasFile("CONVOVM006"));
    EXPECT_TRUE(stored("COMPTEUR", "006").empty());
}

TEST_F(WorkflowTest, ProposedCodeStopsBeforeTheReservedOneAndMayBeTaken) {
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
    clickButton("Cmd_Ajouter");
    expectShown({"Txt_CodeAssoc=998"});
    clickAnswering("Cmd_Annuler", "Etes-vous sûr de vouloir quitter cette création ?",
                   QMessageBox::Warning, toolkit::Answer::Yes);
    add(998, 998);
    clickAnswering("Cmd_Ajouter",
                   "Impossible d'ajouter une entité juridique : le fichier en compte déjà 998",
                   QMessageBox::Warning);
    EXPECT_EQ(screen()->mode(), 0);
    expectShown({"Txt_CodeAssoc="});

    // With 500 gone, the count proposes 998, which is taken: the user types a free code.
    deleteRecord("ASSOCIATION", "500");
    clickAnswering(
        "Cmd_Ajouter",
        "Entité juridique déjà existante, veuillez saisir un autre numéro d'entité juridique.",
        QMessageBox::Warning);
    EXPECT_EQ(screen()->mode(), 1);
    expectShown({"Txt_CodeAssoc="});
    expectEnabled({"Txt_CodeAssoc"}, true);
    enterCode("500");
    expectShown({"Txt_CodeAssoc=500", "Txt_RaisonAssoc="});
    expectEnabled({"Txt_CodeAssoc"}, false);
    expectEnabled({"Txt_RaisonAssoc"}, true);
}

// Two workstations on one base: the other one is a second database object on the same file,
// either writing as its own screen would or driving a second screen.
class TwoWorkstationsTest : public WorkflowTest {
  protected:
    void SetUp() override {
        WorkflowTest::SetUp();
        writeRecord("DROITS", "poste2", stored("DROITS", seed::kDemoAdminUser));
        other = store::OpenLocalDatabase(db->Path());
        other->SetUserName("poste2");
    }
    void otherCreates(const std::string& code, const std::string& sigle) {
        store::Record counter(other->OpenFile("COMPTEUR"), code, "000");
        counter.DBCreate();
        store::Record association(other->OpenFile("ASSOCIATION"), code, sigle);
        association.DBCreate();
    }
    std::shared_ptr<store::LocalDatabase> other;
};

TEST_F(TwoWorkstationsTest, ACodeTakenMeanwhileIsOfferedTheNextAndNothingIsLost) {
    start();
    clickButton("Cmd_Ajouter");
    ASSERT_EQ(text("Txt_CodeAssoc"), "006");
    fillRequired(QStringLiteral("PREMIER"));
    otherCreates("006", "SECOND POSTE");

    // Declined: the screen stays as typed under the code offered.
    clickAnswering("Cmd_Ok", "Le code 006 vient d'être pris", QMessageBox::Question,
                   toolkit::Answer::No);
    EXPECT_EQ(screen()->mode(), 1);
    expectShown({"Txt_CodeAssoc=007", "Txt_RaisonAssoc=ENTITE PREMIER"});
    EXPECT_FALSE(hasFile("CONVOVM006")) << "no set-up under the other's code";

    otherCreates("007", "TROISIEME POSTE");
    answers.expect("Le code 007 vient d'être pris", QMessageBox::Question, toolkit::Answer::Yes);
    saveCreation("008 PREMIER");
    EXPECT_EQ(stored("ASSOCIATION", "006"), "SECOND POSTE");
    EXPECT_EQ(stored("ASSOCIATION", "007"), "TROISIEME POSTE");
    expectStored("008", {"1=PREMIER", "2=ENTITE PREMIER"});
    EXPECT_TRUE(hasFile("CONVOVM008"));
    EXPECT_FALSE(hasFile("CONVOVM006") || hasFile("CONVOVM007"));
}

TEST_F(TwoWorkstationsTest, AChangeMadeMeanwhileIsNeverOverwrittenSilently) {
    const char* conflict = "Un autre poste a modifié cet enregistrement";
    struct Case {
        toolkit::Answer answer;
        const char* raison;               // stored at the end
        std::vector<const char*> screen;  // shown after; empty: back to the search
    };
    for (const Case& c :
         {Case{toolkit::Answer::Cancel,
               "RAISON DE L'AUTRE POSTE",
               {"Txt_RaisonAssoc=RAISON DE CE POSTE"}},
          Case{toolkit::Answer::No,
               "RAISON DE L'AUTRE POSTE",
               {"Txt_RaisonAssoc=RAISON DE L'AUTRE POSTE", "Txt_Email=autre@poste.fr"}},
          Case{toolkit::Answer::Yes, "RAISON DE CE POSTE", {}}}) {
        storeAt("001", 2, "AIDE ET SOINS DU BOCAGE");
        storeAt("001", 35, "accueil@asd-bocage.fr");
        start();
        enterCode("1");
        retype("Txt_RaisonAssoc", QStringLiteral("RAISON DE CE POSTE"));
        // Meanwhile, on the other workstation's screen: the same field and another one.
        asOtherWorkstation([&] {
            enterCode("1");
            retype("Txt_RaisonAssoc", QStringLiteral("RAISON DE L'AUTRE POSTE"));
            retype("Txt_Email", QStringLiteral("autre@poste.fr"));
            clickButton("Cmd_Ok");
            ASSERT_TRUE(answers.seen().empty()) << "its own save asks nothing";
            expectBackToSearch();
        });
        answers.expect(conflict, QMessageBox::Warning, c.answer);
        clickButton("Cmd_Ok");
        ASSERT_EQ(answers.seen().size(), 1u);
        // The other workstation's changes, by their captions.
        EXPECT_TRUE(answers.seen().front().text.contains("- Raison Sociale\n- E-Mail"))
            << answers.seen().front().text.toStdString();
        ASSERT_TRUE(answers.done());
        expectStored("001", {"35=autre@poste.fr"});  // kept whatever the answer
        EXPECT_EQ(association("001").Value(2), c.raison);
        if (c.screen.empty()) {
            expectBackToSearch();
        } else {
            expectShown(c.screen);
            clickButton("Cmd_Annuler");
        }
        clickButton("Cmd_Sortir");
    }
    // Every write is in the history, with who made it.
    const std::vector<store::HistoryEntry> history = db->History("ASSOCIATION", "001");
    ASSERT_FALSE(history.empty());
    EXPECT_EQ(history.front().user, seed::kDemoAdminUser);
    EXPECT_TRUE(std::any_of(history.begin(), history.end(),
                            [](const store::HistoryEntry& e) { return e.user == "poste2"; }));
}

TEST_F(TwoWorkstationsTest, TheHistoryShowsWhoChangedWhatNewestFirst) {
    store::Record changed = other->OpenFile("ASSOCIATION")->ReadForUpdate("001");
    changed.SetValue(35, "autre@poste.fr");
    changed.DBWrite();
    start();
    enterCode("1");
    retype("Txt_RaisonAssoc", QStringLiteral("NOUVELLE RAISON"));
    clickButton("Cmd_Ok");

    // From the right-click menu, as a user reaches it; the window is modal, so it is read from
    // inside its own loop, where the user also tries to type over a cell.
    const auto history = [&] {
        enterCode("1");
        auto* menu = screen()->findChild<QMenu*>("Mnu_Aide");
        QWidget* page = w<QTabWidget>("Ong_Assoc")->currentWidget();
        QTest::mouseClick(page, Qt::RightButton, Qt::NoModifier, QPoint(5, page->height() - 5));
        settle();
        QAction* historique = menu->findChild<QAction*>("Mnu_Historique");
        EXPECT_TRUE(historique && historique->isEnabled() && menu->isVisible());
        QStringList rows;
        if (!historique)
            return rows;
        QTimer::singleShot(0, [&] {
            ASSERT_TRUE(waitFor([] { return topLevel("Frm_Historique") != nullptr; }));
            QWidget* window = topLevel("Frm_Historique");
            auto* table = window->findChild<QTableWidget*>("Lst_Historique");
            QWidget* cell = table->viewport();
            const QPoint first = table->visualItemRect(table->item(0, 4)).center();
            QTest::mouseDClick(cell, Qt::LeftButton, Qt::NoModifier, first);
            // Whatever has the window's focus then: an editor if one opened, else the table.
            QWidget* typed = window->focusWidget() ? window->focusWidget() : table;
            QTest::keyClicks(typed, QStringLiteral("X"));
            for (int r = 0; r < table->rowCount(); ++r) {
                rows << QStringList{table->item(r, 1)->text(), table->item(r, 2)->text(),
                                    table->item(r, 3)->text(), table->item(r, 4)->text()}
                            .join(QLatin1Char('|'));
            }
            click(window->findChild<QPushButton*>("Cmd_Fermer"));
        });
        QTest::mouseClick(menu, Qt::LeftButton, Qt::NoModifier,
                          menu->actionGeometry(historique).center());
        return rows;
    };
    const QStringList rows = history();
    ASSERT_GE(rows.size(), 2);
    EXPECT_EQ(rows[0], "admin|Raison Sociale|AIDE ET SOINS DU BOCAGE|NOUVELLE RAISON");
    EXPECT_EQ(rows[1], "poste2|E-Mail|accueil@asd-bocage.fr|autre@poste.fr");
    clickButton("Cmd_Sortir");

    // A consultation user reads the same history and can change none of it.
    const std::string before = stored("ASSOCIATION", "001");
    start(seed::kDemoConsultUser);
    EXPECT_EQ(history(), rows);
    EXPECT_EQ(stored("ASSOCIATION", "001"), before);
}
