// The wait window as the association creation uses it: code put into its Txt_CodeAssoc, shown
// modally, the work done once while the user waits, the window gone and the pointer back after,
// and a failure told to the user.
#include <QApplication>
#include <QCursor>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>

#include "gui_test.h"
#include "setup/frm_msg_attente.h"
#include "setup_world.h"
#include "store/variables.h"

namespace {

// Notes, the moment a message box appears, what the user sees behind it.
class ShowWatcher : public QObject {
  public:
    explicit ShowWatcher(QWidget* window) : window_(window) { qApp->installEventFilter(this); }
    ~ShowWatcher() override { qApp->removeEventFilter(this); }
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Show && qobject_cast<QMessageBox*>(watched) && !seen) {
            seen = true;
            windowVisible = window_->isVisible();
            hourglass = QApplication::overrideCursor() != nullptr;
        }
        return false;
    }
    bool seen = false, windowVisible = false, hourglass = false;

  private:
    QWidget* window_;
};

class FrmMsgAttenteTest : public GuiTest {
  protected:
    void SetUp() override {
        store::Variables& v = store::Variables::Get();
        v.database = world.db;
        store::Record paths;
        paths.SetValue(3, world.folder);
        v.chemin = paths;
        window.SetFileSystem(world.files);
    }
    void TearDown() override {
        GuiTest::TearDown();
        store::Variables::Get().database.reset();
        store::Variables::Get().chemin.reset();
    }

    // What the user's caller does: the code into the window's own box, then a modal display.
    int ShowFor(const QString& code) {
        auto* box = child<QLineEdit>(&window, "Txt_CodeAssoc");
        if (box)
            box->setText(code);
        return window.exec();
    }

    int Count(const std::string& prefix) const {
        int n = 0;
        for (const auto& l : world.log)
            n += l.rfind(prefix, 0) == 0 ? 1 : 0;
        return n;
    }

    SetupWorld world;
    Frm_MsgAttente window;
};

TEST_F(FrmMsgAttenteTest, WorksOnceWhileTheUserWaitsThenGoesAway) {
    world.AddConventions({"A1", "B2"});
    struct Seen {
        bool visible = false, enabled = true, hourglass = false, stayedOpen = false;
        QString caption;
    };
    std::vector<Seen> during;
    world.files.OnCopy([&](const auto&) {
        Seen s;
        s.visible = window.isVisible();
        s.enabled = window.isEnabled();
        s.hourglass = QApplication::overrideCursor() &&
                      QApplication::overrideCursor()->shape() == Qt::WaitCursor;
        auto* label = window.findChild<QLabel*>(QStringLiteral("Label1"));
        s.caption = label ? label->text() : QString();
        // The frame's close button, pressed while the files are being made.
        window.close();
        s.stayedOpen = window.isVisible();
        during.push_back(s);
    });

    EXPECT_EQ(ShowFor(QStringLiteral("007")), QDialog::Accepted);

    ASSERT_EQ(during.size(), 8u);
    for (const Seen& s : during) {
        EXPECT_TRUE(s.visible);
        EXPECT_FALSE(s.enabled);
        EXPECT_TRUE(s.hourglass);
        EXPECT_TRUE(s.stayedOpen);
        EXPECT_EQ(s.caption, QStringLiteral("Merci de patienter, le système génère la base "
                                            "nécessaire à l'exploitation de cette entité "
                                            "juridique"));
    }
    EXPECT_FALSE(window.isVisible());
    EXPECT_TRUE(window.isEnabled());
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    EXPECT_FALSE(window.Echec());
    EXPECT_EQ(Count("SELECT "), 1);
    EXPECT_TRUE(world.HasFile("CONTRAT007B2"));
    EXPECT_TRUE(world.HasFile("CONVOVM007"));
    EXPECT_EQ(world.Template("Opposition007.txt"), "Convocation\n");
}

TEST_F(FrmMsgAttenteTest, AFailureIsToldAfterTheWindowClosedAndTheNextDisplayRetries) {
    world.AddConventions({"A1", "B2"});
    world.RemoveTemplate("Defaut.txt");
    ShowWatcher underMessage(&window);
    answers.expect(QStringLiteral("La création des fichiers de l'entité juridique 007 a échoué : "
                                  "Le modèle %1/Defaut.txt est introuvable.")
                       .arg(QString::fromStdString(world.folder)),
                   QMessageBox::Warning);

    EXPECT_EQ(ShowFor(QStringLiteral("007")), QDialog::Rejected);
    EXPECT_TRUE(answers.done());
    ASSERT_TRUE(underMessage.seen);
    EXPECT_FALSE(underMessage.windowVisible);
    EXPECT_FALSE(underMessage.hourglass);
    EXPECT_TRUE(window.Echec());
    EXPECT_FALSE(window.isVisible());
    EXPECT_TRUE(window.isEnabled());
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    EXPECT_FALSE(world.HasFile("CONTRAT007B2"));

    // The user puts the template back and creates the association again.
    world.WriteTemplate("Defaut.txt", "Convocation\n");
    world.log.clear();
    EXPECT_EQ(ShowFor(QStringLiteral("007")), QDialog::Accepted);
    EXPECT_FALSE(window.Echec());
    EXPECT_EQ(Count("SELECT "), 1);
    EXPECT_EQ(Count("EXECUTE CREATE.FILE CONTRAT007A1 "), 1);
    EXPECT_EQ(Count("COPY "), 8);
    EXPECT_TRUE(world.HasFile("CONVOVM007"));
    EXPECT_EQ(world.Template("Convocm007.txt"), "Convocation\n");
}

TEST_F(FrmMsgAttenteTest, StoreRefusalsAndAMissingPathsRecordAreNamed) {
    world.AddConventions({"A1"});
    world.db->RefuseCommand("CREATE.FILE CONVOVM042", "Commande CREATE.FILE refusée : CONVOVM042.");
    answers.expect(QStringLiteral("La création des fichiers de l'entité juridique 042 a échoué : "
                                  "Commande CREATE.FILE refusée : CONVOVM042."),
                   QMessageBox::Warning);
    EXPECT_EQ(ShowFor(QStringLiteral("042")), QDialog::Rejected);
    EXPECT_TRUE(answers.done());
    EXPECT_TRUE(window.Echec());

    store::Variables::Get().chemin.reset();
    world.log.clear();
    answers.expect(QStringLiteral("le dossier des modèles n'est pas connu"), QMessageBox::Warning);
    EXPECT_EQ(ShowFor(QStringLiteral("043")), QDialog::Rejected);
    EXPECT_TRUE(answers.done());
    EXPECT_TRUE(world.log.empty());
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

}  // namespace
