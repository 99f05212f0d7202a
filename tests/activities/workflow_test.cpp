// Creating, saving and leaving activities: the type prompt, the records and counters written, the
// template of an intermédiaire activity, the checks in their order, the creditor identifier and
// the save question.
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLineEdit>

#include "platform/engine/dynarray.h"
#include "store/store_error.h"
#include "store/variables.h"
#include "tests/activities/activities_fixture.h"

namespace {

const QString kTypePrompt =
    QStringLiteral("Veuillez préciser le type d'activité que vous désirez ajouter :");

// The counters' file of this workstation, where another workstation writes a counter the
// moment this one has found it missing.
class CounterCreatedMeanwhile : public store::File {
  public:
    CounterCreatedMeanwhile(std::shared_ptr<store::File> file, std::function<void()> other)
        : file_(std::move(file)), other_(std::move(other)) {}
    const std::string& Name() const override { return file_->Name(); }
    store::Record Read(const std::string& id) override { return file_->Read(id); }
    store::Record ReadForUpdate(const std::string& id) override {
        try {
            return file_->ReadForUpdate(id);
        } catch (const store::StoreError&) {
            if (auto other = std::exchange(other_, {}))
                other();
            throw;
        }
    }
    store::Record NewItem(const std::string& id) override { return file_->NewItem(id); }
    void Release(const std::string& id) override { file_->Release(id); }
    void Write(const std::string& id, const std::string& text) override { file_->Write(id, text); }
    void Create(const std::string& id, const std::string& text) override {
        file_->Create(id, text);
    }
    void DeleteRecord(const std::string& id) override { file_->DeleteRecord(id); }

  private:
    std::shared_ptr<store::File> file_;
    std::function<void()> other_;
};

}  // namespace

class ActivityWorkflowTest : public ActivitiesTest {
  protected:
    std::string counter(const char* code) { return mv::extract(stored("COMPTEUR", code), 2, 1); }
    QString templateFile(const QString& name) {
        return QDir(QString::fromStdString(mv::extract(stored("CHEMINFICHIER", "1"), 3)))
            .filePath(name);
    }
    QByteArray contents(const QString& name) {
        QFile f(templateFile(name));
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("(absent)");
    }
    // The association's own letter, as the user last changed it by hand.
    void writeOwnLetter() {
        QFile f(templateFile("MiseADispo001.txt"));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(kOwnLetter);
    }
    static constexpr const char* kOwnLetter = "lettre propre à l'association";
    // The fields a creation of that type needs, its service and a first cost line for "P".
    void fillNew(const QString& name, char type) {
        const char* service = type == 'P'   ? "AMN"
                              : type == 'M' ? "MAN"
                              : type == 'I' ? "INT"
                                            : "SSI";
        fillRequired(name, "100", service, "2");
        if (type == 'P')
            addCostLine("01/01/2026", "25,5", "", 0);
    }
    // After a save or a cancel: code entry, the name list back.
    void expectCodeEntry() {
        EXPECT_EQ(activities()->mode(), 0);
        expectShowing({"Txt_CodActivite=", "Txt_LibActivite=", "Opt_Autre=0", "Opt_SSIAD=0"});
        expectUsable({"Txt_CodActivite", "Cmd_Ajouter"}, true);
        expectUsable({"Cmd_Ok", "Cmd_Annuler", "Cdr_CoutHoraire"}, false);
        EXPECT_TRUE(a("Cbo_LibActivite")->isVisible());
        EXPECT_EQ(focused(), "Txt_CodActivite");
    }
};

TEST_F(ActivityWorkflowTest, CreatesAnActivityOfEachType) {
    struct Case {
        char type;
        const char* id;
        const char* option;
    };
    open();
    // Refused answers are asked again; a lower-case letter is its type.
    answers.expectInput(kTypePrompt, "x")
        .expect("Vous ne pouvez saisir qu'un des 4 types d'activités proposés.",
                QMessageBox::Warning)
        .expectInput(kTypePrompt, " p")
        .expect("Vous ne pouvez saisir qu'un des 4 types d'activités proposés.")
        .expectInput(kTypePrompt, "");
    press("Cmd_Ajouter");
    EXPECT_TRUE(answers.done());
    EXPECT_EQ(activities()->mode(), 0) << "cancelled: nothing under way";

    for (const Case& c : {Case{'P', "001006", "Opt_Autre"}, Case{'M', "001007", "Opt_Mandataire"},
                          Case{'I', "001008", "Opt_Intermed"}, Case{'S', "001009", "Opt_SSIAD"}}) {
        SCOPED_TRACE(c.type);
        startCreation(QString(QChar(c.type)).toLower());
        EXPECT_EQ(activities()->mode(), 2);
        EXPECT_EQ(showing(c.option), "1");
        expectUsable({"Txt_CodActivite", "Cdr_Type", "Cmd_Ajouter", "Cmd_Sortir"}, false);
        expectShowing({"Cac_Exo=1", "Txt_Ics=FR95ZZZ412587"});
        EXPECT_EQ(focused(), "Txt_LibActivite");
        fillNew(QStringLiteral("nouvelle %1").arg(c.type), c.type);
        press("Cmd_Ok");
        expectCodeEntry();
        expectActivity(c.id, {"2=100", "3.1=BANQUE DES MAUGES", "10=FR95ZZZ412587", "11=2",
                              "19=", "21=", "22="});
        EXPECT_EQ(activity(c.id).Value(1), "NOUVELLE " + std::string(1, c.type));
        EXPECT_EQ(activity(c.id).Value(12), std::string(1, c.type));
        EXPECT_EQ(counter("001"), std::string(c.id).substr(3)) << "the counter moved once";
    }
    expectActivity("001006", {"13=AMN", "14=2550", "16=", "20=1"});
    EXPECT_EQ(activity("001006").Value(15), day("01/01/2026"));
    expectActivity("001007", {"13=MAN", "14=", "15="});
    EXPECT_TRUE(a<QComboBox>("Cbo_LibActivite")->findText("NOUVELLE S") >= 0);
    // The intermédiaire's placement convention, copied from its template.
    EXPECT_EQ(contents("MiseADispo001.txt"), contents("MiseADispo.txt"));
}

TEST_F(ActivityWorkflowTest, ACreationRefusedConsumesNoCode) {
    open();
    // A missing template is told and nothing is written.
    const QString model = templateFile("MiseADispo.txt");
    ASSERT_TRUE(QFile::rename(model, model + ".bak"));
    startCreation("I");
    fillNew("PLACEMENT", 'I');
    pressAnswering("Cmd_Ok", "MiseADispo.txt est introuvable.", QMessageBox::Warning);
    EXPECT_EQ(activities()->mode(), 2) << "the creation is still under way, as typed";
    expectShowing({"Txt_LibActivite=PLACEMENT"});
    EXPECT_EQ(stored("ACTIVITES", "001006"), "");
    EXPECT_EQ(counter("001"), "005");
    ASSERT_TRUE(QFile::rename(model + ".bak", model));

    // Leaving a creation asks first.
    pressAnswering("Cmd_Annuler", "Etes-vous sûr de vouloir quitter cette création ?",
                   QMessageBox::Warning, toolkit::Answer::No);
    EXPECT_EQ(activities()->mode(), 2);
    pressAnswering("Cmd_Annuler", "Etes-vous sûr de vouloir quitter cette création ?",
                   QMessageBox::Warning, toolkit::Answer::Yes);
    expectCodeEntry();

    // The counter hands out no code above 999, and a refused creation copies no template over
    // the association's own letter.
    writeOwnLetter();
    std::string full = stored("COMPTEUR", "001");
    mv::replace(full, 2, 1, "999");
    writeRecord("COMPTEUR", "001", full);
    startCreation("I");
    fillNew("PLACEMENT", 'I');
    pressAnswering("Cmd_Ok", "dernier code d'activité possible (999)", QMessageBox::Warning);
    EXPECT_EQ(counter("001"), "999");
    EXPECT_EQ(stored("ACTIVITES", "001999") + stored("ACTIVITES", "0011000"), "");
    EXPECT_EQ(contents("MiseADispo001.txt"), kOwnLetter);
}

TEST_F(ActivityWorkflowTest, ACodeTakenMeanwhileOffersTheNextOne) {
    // Another workstation wrote 001006 and 001007 without the counter.
    writeRecord("ACTIVITES", "001006", recordOf({"1=AUTRE POSTE", "12=M"}));
    writeRecord("ACTIVITES", "001007", recordOf({"1=TROISIEME POSTE", "12=M"}));
    writeOwnLetter();
    open();
    startCreation("I");
    fillNew("PLACEMENT BIS", 'I');
    // Declined: nothing written, the template included; the creation stays as typed.
    answers.expect(
        "Le code d'activité 006 vient d'être attribué à une autre activité par un "
        "autre poste.",
        QMessageBox::Question, toolkit::Answer::No);
    press("Cmd_Ok");
    EXPECT_TRUE(answers.done());
    EXPECT_EQ(activities()->mode(), 2);
    EXPECT_EQ(contents("MiseADispo001.txt"), kOwnLetter);
    answers.expect("Le code d'activité 007 vient d'être attribué", QMessageBox::Question,
                   toolkit::Answer::Yes);
    press("Cmd_Ok");
    EXPECT_TRUE(answers.done());
    expectCodeEntry();
    EXPECT_EQ(activity("001006").Value(1), "AUTRE POSTE") << "never replaced";
    EXPECT_EQ(activity("001007").Value(1), "TROISIEME POSTE");
    EXPECT_EQ(activity("001008").Value(1), "PLACEMENT BIS");
    EXPECT_EQ(counter("001"), "008");
    EXPECT_EQ(contents("MiseADispo001.txt"), contents("MiseADispo.txt"));
}

TEST_F(ActivityWorkflowTest, WithoutACounterTheFirstCodeIs001) {
    for (const char* id : {"005001", "005002", "005003", "005004"})
        deleteRecord("ACTIVITES", id);
    deleteRecord("COMPTEUR", "005");
    open("005");
    startCreation("S");
    fillNew("SSIAD", 'S');
    press("Cmd_Ok");
    EXPECT_EQ(activity("005001").Value(1), "SSIAD");
    EXPECT_EQ(counter("005"), "001");

    // Another workstation creates the counter just after this one found it missing: its
    // numbers are taken up, never replaced.
    deleteRecord("COMPTEUR", "005");
    std::shared_ptr<store::File>& compteurs = store::Variables::Get().fCompteur;
    compteurs = std::make_shared<CounterCreatedMeanwhile>(compteurs, [this] {
        writeRecord("COMPTEUR", "005", recordOf({"2=004", "4=002"}));
    });
    startCreation("S");
    fillNew("SSIAD BIS", 'S');
    press("Cmd_Ok");
    EXPECT_EQ(activity("005005").Value(1), "SSIAD BIS");
    EXPECT_EQ(counter("005"), "005");
    EXPECT_EQ(mv::extract(stored("COMPTEUR", "005"), 4, 1), "002");
}

TEST_F(ActivityWorkflowTest, MandatoryChecksRunInOrder) {
    struct Step {
        const char* message;
        QMessageBox::Icon icon;
        const char* focus;
        std::function<void()> fix;
    };
    auto append = [this](const char* combo, const QString& text) {
        moveTo(combo);
        QTest::keyClick(a(combo), Qt::Key_End);
        typeIn(combo, text);
    };
    open();
    startCreation("P");
    retypeIn("Txt_CodeGuichet", "");
    const std::vector<Step> steps = {
        // The bank-details component says itself what is wrong.
        {"Le RIB est incomplet : le code guichet doit être renseigné.", QMessageBox::Warning,
         "Txt_CodeGuichet", [&] { retypeIn("Txt_CodeGuichet", "00032"); }},
        {"La dénomination doit être renseignée.", QMessageBox::Information, "Txt_LibActivite",
         [&] { retypeIn("Txt_LibActivite", "AIDE NOUVELLE"); }},
        {"La section analytique doit être renseignée.", QMessageBox::Information,
         "Txt_SectAnalActiv", [&] { retypeIn("Txt_SectAnalActiv", "100"); }},
        {"Le service est obligatoire.", QMessageBox::Warning, "Txt_ServiceActiv",
         [&] { retypeIn("Txt_ServiceActiv", "MAN"); }},
        {"Le taux de T.V.A. doit être renseigné.", QMessageBox::Information, "Txt_CodeTVA",
         [&] {
             retypeIn("Txt_CodeTVA", "1");
             append("Cbo_SectAnalActiv", "Z");
         }},
        {"La section analytique saisie n'existe pas.", QMessageBox::Warning, "Txt_SectAnalActiv",
         [&] {
             expectShowing({"Txt_SectAnalActiv=", "Cbo_SectAnalActiv="});
             retypeIn("Txt_SectAnalActiv", "100");
             append("Cbo_ServiceActiv", "Z");
         }},
        {"Le service saisi n'existe pas.", QMessageBox::Warning, "Txt_ServiceActiv",
         [&] {
             expectShowing({"Txt_ServiceActiv=", "Cbo_ServiceActiv="});
             retypeIn("Txt_ServiceActiv", "MAN");
         }},
        {"La zone de coût horaire de la prestation à temps plein doit être renseignée.",
         QMessageBox::Warning, "Cmd_AjoutCout", [&] { addCostLine("01/01/2026", "24", "", 0); }},
        // MAN belongs to the mandataire activities.
        {"le service ne doit pas avoir des activités de type différent.", QMessageBox::Warning,
         "Txt_ServiceActiv", [&] { retypeIn("Txt_ServiceActiv", "AMN"); }},
    };
    for (const Step& s : steps) {
        SCOPED_TRACE(s.message);
        pressAnswering("Cmd_Ok", QString::fromUtf8(s.message), s.icon);
        EXPECT_EQ(focused(), s.focus);
        EXPECT_EQ(activities()->mode(), 2);
        EXPECT_EQ(counter("001"), "005") << "nothing taken, nothing written";
        s.fix();
    }
    press("Cmd_Ok");
    expectActivity("001006", {"1=AIDE NOUVELLE", "13=AMN", "14=2400"});

    // An existing activity changing its type meets its own stored type.
    typeCode("003");
    a("Opt_Autre")->setFocus();
    click(a("Opt_Autre"));
    retypeIn("Txt_ServiceActiv", "MAN");
    addCostLine("01/01/2026", "24", "", 0);
    pressAnswering("Cmd_Ok", "le service ne doit pas avoir des activités de type différent.",
                   QMessageBox::Warning);
}

TEST_F(ActivityWorkflowTest, CreditorIdentifierRules) {
    struct Case {
        const char* association;
        const char* activity;
        const char* ics;
        const char* refusal;  // empty: accepted
    };
    // clang-format off
    const Case cases[] = {
        {"001", "005", "1234567", "L'ICS est une chaîne de 13 caractères qui commence par FR"},
        {"001", "005", "BE95SSI412587", "L'ICS est une chaîne de 13 caractères qui commence par FR"},
        {"001", "005", "", "L'ICS de l'activité n'est pas sur 13 caractères."},
        {"001", "005", "527815", "L'ICS de l'activité n'est pas sur 13 caractères."},
        {"001", "005", "FR54ZZZ523614", "L'ICS de l'activité doit commencer par FR95 et se terminer par 412587"},
        {"001", "005", "FR95ABC412587", ""},
        {"005", "001", "FR95MAN412587", "L'ICS de l'association n'est pas sur 13 caractères."},
        {"005", "001", "527815", ""},
    };
    // clang-format on
    std::string shown;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.ics);
        if (shown != c.association) {
            open(c.association);
            shown = c.association;
        }
        const std::string id = std::string(c.association) + c.activity;
        const std::string before = stored("ACTIVITES", id);
        typeCode(c.activity);
        retypeIn("Txt_Ics", c.ics);
        if (*c.refusal) {
            pressAnswering("Cmd_Ok", QString::fromUtf8(c.refusal), QMessageBox::Warning);
            EXPECT_EQ(stored("ACTIVITES", id), before);
            EXPECT_EQ(focused(), "Txt_Ics");
            press("Cmd_Annuler");
        } else {
            press("Cmd_Ok");
            EXPECT_EQ(activity(id).Value(10), c.ics);
        }
    }
    // The checks come before the counter: a refused creation takes no code.
    reopen("001");
    startCreation("S", false);
    fillNew("SOINS", 'S');
    pressAnswering("Cmd_Ok", "L'ICS de l'activité n'est pas sur 13 caractères.",
                   QMessageBox::Warning);
    EXPECT_EQ(counter("001"), "005");
    retypeIn("Txt_Ics", "FR95SOI412587");
    press("Cmd_Ok");
    expectActivity("001006", {"3.1=", "10=FR95SOI412587"});
}

TEST_F(ActivityWorkflowTest, LeavingAsksToSaveOnlyAChange) {
    const std::string before = stored("ACTIVITES", "001002");
    open();
    typeCode("002");
    retypeIn("Txt_LibTarif", "Tarif APA 2026");
    const QString save = "Voulez-vous enregistrer les modifications apportées à cet article ?";
    pressAnswering("Cmd_Sortir", save, QMessageBox::Warning, toolkit::Answer::Cancel);
    EXPECT_TRUE(isOpen());
    pressAnswering("Cmd_Sortir", save, QMessageBox::Warning, toolkit::Answer::No);
    EXPECT_FALSE(isOpen());
    EXPECT_EQ(stored("ACTIVITES", "001002"), before);

    reopen();
    typeCode("002");
    retypeIn("Txt_LibTarif", "Tarif APA 2026");
    // A change of a cost line's type alone is a change too.
    clickRow("Lst_Date", 0, true);
    pick("Cbo_Type", 1);
    press("Cmd_OkCout");
    pressAnswering("Cmd_Sortir", save, QMessageBox::Warning, toolkit::Answer::Yes);
    EXPECT_FALSE(isOpen());
    expectActivity("001002", {"21=Tarif APA 2026", "20.1=2", "23=7066000000", "24=7562000000"});

    // A consultation user is never asked and writes nothing.
    const std::string saved = stored("ACTIVITES", "001002");
    open("001", seed::kDemoConsultUser);
    for (const char* hidden : {"Cmd_Ajouter", "Cmd_Ok", "Cmd_OkCout", "Cmd_SuppCout",
                               "Cmd_AjoutCout", "Cmd_AjouterSection", "Cmd_AjouterService"})
        EXPECT_FALSE(a(hidden)->isVisible()) << hidden;
    typeCode("002");
    retypeIn("Txt_LibTarif", "CONSULTATION");
    press("Cmd_Sortir");
    EXPECT_FALSE(isOpen());
    EXPECT_EQ(stored("ACTIVITES", "001002"), saved);
}

TEST_F(ActivityWorkflowTest, AnUpdateWritesOnlyWhatTheWindowShows) {
    // Positions the window does not show, and a change another workstation made meanwhile.
    std::string text = stored("ACTIVITES", "001004");
    mv::replace(text, 17, "DIX-SEPT");
    mv::replace(text, 30, "TRENTE");
    writeRecord("ACTIVITES", "001004", text);
    open();
    typeCode("004");
    retypeIn("Txt_Finess", "490009784");
    QTest::mouseClick(a("Cac_Exo"), Qt::LeftButton, Qt::NoModifier,
                      QPoint(6, a("Cac_Exo")->height() / 2));
    const std::string fresh = stored("ACTIVITES", "001004");
    std::string theirs = fresh;
    mv::replace(theirs, 17, "AUTRE POSTE");
    writeRecord("ACTIVITES", "001004", theirs);
    // The placement template is set back to the default letter on every update of an
    // intermédiaire activity, once it is written: going back to the screen leaves it alone.
    writeOwnLetter();
    pressAnswering("Cmd_Ok", "Un autre poste a modifié cet enregistrement", QMessageBox::Warning,
                   toolkit::Answer::Cancel);
    EXPECT_EQ(contents("MiseADispo001.txt"), kOwnLetter);
    EXPECT_EQ(stored("ACTIVITES", "001004"), theirs);
    pressAnswering("Cmd_Ok", "Un autre poste a modifié cet enregistrement", QMessageBox::Warning,
                   toolkit::Answer::Yes);
    expectActivity("001004",
                   {"17=AUTRE POSTE", "19=490009784", "22=", "30=TRENTE", "12=I", "13=INT"});
    EXPECT_EQ(contents("MiseADispo001.txt"), contents("Defaut.txt"));

    // A copy that fails once the activity is written is told; the activity stays written.
    ASSERT_TRUE(QFile::remove(templateFile("MiseADispo001.txt")));
    ASSERT_TRUE(QDir().mkpath(templateFile("MiseADispo001.txt")));
    typeCode("004");
    retypeIn("Txt_Finess", "490009785");
    pressAnswering("Cmd_Ok",
                   "L'activité 004 est enregistrée, mais son modèle de mise à disposition n'a "
                   "pas pu être copié",
                   QMessageBox::Warning);
    expectCodeEntry();
    expectActivity("001004", {"19=490009785"});
}
