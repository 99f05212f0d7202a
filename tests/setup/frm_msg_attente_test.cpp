// The wait window as the association creation uses it: code put into its Txt_CodeAssoc, shown
// modally, the work done once per display while the user waits, the window gone and the pointer
// back after, and a failure told to the user over a usable screen.
#include <QApplication>
#include <QCursor>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <filesystem>

#include "gui_test.h"
#include "setup/frm_msg_attente.h"
#include "setup_world.h"
#include "store/variables.h"

namespace {

class FrmMsgAttenteTest : public GuiTest, public QObject {
  protected:
    void SetUp() override {
        store::Variables& v = store::Variables::Get();
        v.database = world.real;
        v.chemin = store::Record("\xFE\xFE" + world.folder);
        window.SetFileSystem(world.files);
        qApp->installEventFilter(this);
    }
    void TearDown() override {
        qApp->removeEventFilter(this);
        GuiTest::TearDown();
        store::Variables::Get().database.reset();
        store::Variables::Get().chemin.reset();
    }

    // Notes what the user sees the moment the first message box appears.
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Show && qobject_cast<QMessageBox*>(watched) &&
            underMessage.empty())
            underMessage = State();
        return false;
    }

    std::string State() const {
        const QCursor* cursor = QApplication::overrideCursor();
        return std::string(window.isVisible() ? "shown" : "hidden") +
               (window.isEnabled() ? ", enabled" : ", disabled") +
               (!cursor                             ? ""
                : cursor->shape() == Qt::WaitCursor ? ", hourglass"
                                                    : ", other pointer");
    }

    // What the caller does: the code into the window's own box, then a modal display.
    int ShowFor(const QString& code) {
        if (auto* box = child<QLineEdit>(&window, "Txt_CodeAssoc"))
            box->setText(code);
        return window.exec();
    }

    SetupWorld world;
    Frm_MsgAttente window;
    std::string underMessage;
};

TEST_F(FrmMsgAttenteTest, AFailureIsToldAfterTheWindowClosedAndTheNextDisplayDoesTheWorkOnce) {
    world.AddConventions({"A1", "B2"});
    std::filesystem::remove(world.folder + "/Defaut.txt");
    std::vector<std::string> during;
    world.files.afterCopy = [&] {
        window.close();  // the frame's close button, pressed while the files are being made
        during.push_back(State());
    };
    answers.expect(QStringLiteral("La création des fichiers de l'entité juridique 007 a échoué : "
                                  "Le modèle %1/Defaut.txt est introuvable.")
                       .arg(QString::fromStdString(world.folder)),
                   QMessageBox::Warning);
    EXPECT_EQ(ShowFor(QStringLiteral("007")), QDialog::Rejected);
    EXPECT_TRUE(answers.done());
    EXPECT_EQ(underMessage, "hidden, enabled");
    EXPECT_TRUE(window.Echec());
    EXPECT_FALSE(world.HasFile("CONTRAT007B2"));

    // The user puts the template back and creates the association again.
    world.WriteTemplate("Defaut.txt", "Convocation\n");
    EXPECT_EQ(ShowFor(QStringLiteral("007")), QDialog::Accepted);
    EXPECT_FALSE(window.Echec());
    EXPECT_EQ(during, std::vector<std::string>(2 + 8, "shown, disabled, hourglass"))
        << "two copies before the failure, then the eight of one whole run";
    EXPECT_EQ(State(), "hidden, enabled");
    EXPECT_TRUE(world.HasFile("CONVOVM007"));
    auto* label = child<QLabel>(&window, "Label1");
    EXPECT_EQ(label ? label->text() : QString(),
              QStringLiteral("Merci de patienter, le système génère la base nécessaire à "
                             "l'exploitation de cette entité juridique"));
}

TEST_F(FrmMsgAttenteTest, AFileTheDatabaseRefusesAndAMissingPathsRecordAreNamed) {
    world.AddConventions({"A1"});
    answers.expect(QStringLiteral("La création des fichiers de l'entité juridique 0(2 a échoué : "
                                  "Caractère interdit dans le nom de fichier CONTRAT0(2A1."),
                   QMessageBox::Warning);
    EXPECT_EQ(ShowFor(QStringLiteral("0(2")), QDialog::Rejected);
    EXPECT_TRUE(answers.done());
    EXPECT_TRUE(window.Echec());

    store::Variables::Get().chemin.reset();
    answers.expect(QStringLiteral("le dossier des modèles n'est pas connu"), QMessageBox::Warning);
    EXPECT_EQ(ShowFor(QStringLiteral("043")), QDialog::Rejected);
    EXPECT_TRUE(answers.done());
    EXPECT_FALSE(world.HasFile("CONVOVM043"));
    EXPECT_EQ(State(), "hidden, enabled");
}

}  // namespace
