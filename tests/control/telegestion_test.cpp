// Remote management and automatic sending: what the user types on the two tabs, what is stored
// when OK is clicked, and how it comes back.
#include <QAbstractItemView>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabBar>
#include <QTabWidget>

#include "store/record.h"
#include "tests/control/association_fixture.h"

// Readable QString values in failure messages.
static void PrintTo(const QString& text, std::ostream* os) {
    *os << '"' << text.toStdString() << '"';
}

namespace {

constexpr int kTabTelegestion = 3;
constexpr int kTabCesu = 5;

const QString kPartRefused = QStringLiteral(
    "Une adresse IP ne peut contenir que des éléments compris entre 0 et 254 compris.");

class TelegestionTest : public CtrAssociationTest {
  protected:
    void showTab(int index) {
        QTabBar* bar = w<QTabWidget>("Ong_Assoc")->tabBar();
        QTest::mouseClick(bar, Qt::LeftButton, Qt::NoModifier, bar->tabRect(index).center());
        settle();
    }
    QLineEdit* field(const char* name) { return w<QLineEdit>(name); }
    // Replaces the text of a field by typing, as a user who selects it all first.
    void retype(const char* name, const QString& text) {
        focusOn(field(name));
        QTest::keyClick(field(name), Qt::Key_A, Qt::ControlModifier);
        type(field(name), text);
    }
    // A click on the box itself: the widget may stretch far beyond its caption.
    void tick(const char* name) {
        auto* box = w<QCheckBox>(name);
        QTest::mouseClick(box, Qt::LeftButton, Qt::NoModifier, QPoint(6, box->height() / 2));
        settle(5);
    }
    // Selects the whole text and deletes it (Delete passes every key filter).
    void empty(const char* name) {
        focusOn(field(name));
        QTest::keyClick(field(name), Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(field(name), Qt::Key_Delete);
        settle(5);
    }
    void save() {
        click(w<QPushButton>("Cmd_Ok"));
        settle();
    }
    store::Record association(const std::string& id) {
        return store::Record(stored("ASSOCIATION", id));
    }
    void choose(QComboBox* combo, int row) {
        focusOn(combo);
        pressKey(combo, Qt::Key_F4);
        QAbstractItemView* view = combo->view();
        ASSERT_TRUE(view->isVisible());
        const QRect item = view->visualRect(view->model()->index(row, 0));
        QTest::mouseClick(view->viewport(), Qt::LeftButton, Qt::NoModifier, item.center());
        settle();
    }
    // Types the four parts as a user does, moving on with "." (the parts already hold text,
    // which the move selects and the typing replaces).
    void typeIp(const QString& a, const QString& b, const QString& c, const QString& d) {
        focusOn(field("Txt_AdrSvrCESU"));
        for (QChar ch : a + QLatin1Char('.') + b + QLatin1Char('.') + c + QLatin1Char('.') + d) {
            QTest::keyClick(QApplication::focusWidget(), ch.toLatin1());
            settle(5);
        }
    }
};

}  // namespace

TEST_F(TelegestionTest, IpAddressIsTypedInPartsStoredAndShownAgain) {
    start();
    enterCode("1");
    showTab(kTabCesu);
    ASSERT_TRUE(w<QRadioButton>("Opt_AdrIP")->isChecked());

    // "." is never typed: it moves to the next part with that part's text selected.
    retype("Txt_AdrSvrCESU", "10.");
    EXPECT_EQ(field("Txt_AdrSvrCESU")->text(), "10");
    EXPECT_EQ(QApplication::focusWidget(), field("Txt_AdrSvrCESU1"));
    EXPECT_EQ(field("Txt_AdrSvrCESU1")->selectedText(), "51");

    typeIp("10", "0", "0", "254");
    empty("Txt_Port");
    retype("Txt_CodeIntervenant", "12x34.");
    save();
    EXPECT_EQ(association("001").Value(43), "10.0.0.254:21") << "an empty port is the default 21";
    EXPECT_EQ(association("001").Value(47), "1234") << "digits only";

    enterCode("1");
    EXPECT_TRUE(w<QCheckBox>("Cac_EnvoiAuto")->isChecked());
    EXPECT_TRUE(w<QRadioButton>("Opt_AdrIP")->isChecked());
    EXPECT_EQ(field("Txt_AdrSvrCESU")->text(), "10");
    EXPECT_EQ(field("Txt_AdrSvrCESU1")->text(), "0");
    EXPECT_EQ(field("Txt_AdrSvrCESU2")->text(), "0");
    EXPECT_EQ(field("Txt_AdrSvrCESU3")->text(), "254");
    EXPECT_EQ(field("Txt_Port")->text(), "21");

    showTab(kTabCesu);
    retype("Txt_Port", "21a21");
    save();
    EXPECT_EQ(association("001").Value(43), "10.0.0.254:2121");
    enterCode("1");
    EXPECT_EQ(field("Txt_Port")->text(), "2121");
    EXPECT_FALSE(field("Txt_Domaine")->isEnabled());
}

TEST_F(TelegestionTest, DomainNameIsStoredAsTypedAndShownAsADomain) {
    start();
    enterCode("1");
    showTab(kTabCesu);
    click(w<QRadioButton>("Opt_Domaine"));
    EXPECT_TRUE(field("Txt_Domaine")->isEnabled());
    EXPECT_FALSE(field("Txt_AdrSvrCESU")->isEnabled());
    EXPECT_FALSE(field("Txt_Port")->isEnabled());
    retype("Txt_Domaine", "cesu.exemple.fr");
    save();
    EXPECT_EQ(association("001").Value(43), "cesu.exemple.fr");

    // Dots do not make an IP address: only four numeric parts do.
    enterCode("1");
    EXPECT_TRUE(w<QRadioButton>("Opt_Domaine")->isChecked());
    EXPECT_EQ(field("Txt_Domaine")->text(), "cesu.exemple.fr");
    EXPECT_TRUE(field("Txt_Domaine")->isEnabled());
    EXPECT_FALSE(field("Txt_AdrSvrCESU")->isEnabled());
    click(w<QPushButton>("Cmd_Annuler"));

    for (const char* domaine : {"10.20.30", "10.20.30.40.50", "1.2.3.x:21", "10.20.30.40:2a"}) {
        store::Record r = association("002");
        r.SetValue(43, domaine);
        writeRecord("ASSOCIATION", "002", r.Text());
        enterCode("2");
        EXPECT_TRUE(w<QRadioButton>("Opt_Domaine")->isChecked()) << domaine;
        EXPECT_EQ(field("Txt_Domaine")->text(), domaine);
        click(w<QPushButton>("Cmd_Annuler"));
    }
    // Four parts without a port are an address, shown without the port of the association
    // seen before.
    store::Record r = association("001");
    r.SetValue(43, "198.51.100.24:2121");
    writeRecord("ASSOCIATION", "001", r.Text());
    r = association("002");
    r.SetValue(43, "192.0.2.7");
    writeRecord("ASSOCIATION", "002", r.Text());
    enterCode("1");
    ASSERT_EQ(field("Txt_Port")->text(), "2121");
    click(w<QPushButton>("Cmd_Annuler"));
    enterCode("2");
    EXPECT_TRUE(w<QRadioButton>("Opt_AdrIP")->isChecked());
    EXPECT_EQ(field("Txt_AdrSvrCESU3")->text(), "7");
    EXPECT_EQ(field("Txt_Port")->text(), "");
}

TEST_F(TelegestionTest, AddressPartsAreNumbersFrom0To254) {
    start();
    enterCode("1");
    showTab(kTabCesu);

    typeIp("0", "254", "0", "254");
    focusOn(field("Txt_Port"));
    EXPECT_EQ(field("Txt_AdrSvrCESU3")->text(), "254");

    struct Case {
        const char* part;
        const char* next;
        const char* typed;
    };
    for (const Case& c : {Case{"Txt_AdrSvrCESU", "Txt_AdrSvrCESU1", "255"},
                          Case{"Txt_AdrSvrCESU1", "Txt_AdrSvrCESU2", "1/2"},
                          Case{"Txt_AdrSvrCESU2", "Txt_AdrSvrCESU3", "12:"},
                          Case{"Txt_AdrSvrCESU3", "Txt_Port", "999"}}) {
        answers.expect(kPartRefused, QMessageBox::Warning);
        type(field(c.part), c.typed);
        focusOn(field(c.next));
        EXPECT_TRUE(answers.waitAnswered());
        settle();
        EXPECT_TRUE(answers.done()) << c.typed;
        EXPECT_EQ(field(c.part)->text(), "") << c.typed;
        EXPECT_EQ(QApplication::focusWidget(), field(c.part)) << c.typed;
    }

    // A "." typed after a wrong part is the same leaving.
    answers.expect(kPartRefused, QMessageBox::Warning);
    retype("Txt_AdrSvrCESU", "300.");
    EXPECT_TRUE(answers.waitAnswered());
    settle();
    EXPECT_EQ(QApplication::focusWidget(), field("Txt_AdrSvrCESU"));
    EXPECT_EQ(field("Txt_AdrSvrCESU")->text(), "");
}

TEST_F(TelegestionTest, ChosenSystemAndCardLinesAreStored) {
    start();
    enterCode("2");
    showTab(kTabTelegestion);
    EXPECT_FALSE(w<QComboBox>("Cbo_Systeme")->isEnabled());
    tick("Cac_Telegestion");
    ASSERT_TRUE(w<QComboBox>("Cbo_Systeme")->isEnabled());
    EXPECT_TRUE(field("Txt_Moi")->isEnabled());
    choose(w<QComboBox>("Cbo_Systeme"), 2);
    EXPECT_EQ(field("Txt_Systeme")->text(), "MOB");
    retype("Txt_Ident", "ID-77");
    // Digits, "/", ":" and "." only, 14 at most; the card lines stop at 44 characters.
    retype("Txt_NumSysTelegest", "02-41 00.00/00:123");
    retype("Txt_Moi", QString(50, QLatin1Char('M')));
    retype("Txt_LigneCarteTelGest", "LIGNE DEUX");
    tick("Cac_TelMobile");
    save();

    const store::Record r = association("002");
    EXPECT_EQ(r.Value(38), "MOB");
    EXPECT_EQ(r.Value(39), "ID-77");
    EXPECT_EQ(r.Value(51), "024100.00/00:1");
    EXPECT_EQ(r.Value(52), std::string(44, 'M'));
    EXPECT_EQ(r.Value(53), "LIGNE DEUX");
    EXPECT_EQ(r.Value(58), "1");

    enterCode("2");
    EXPECT_EQ(w<QComboBox>("Cbo_Systeme")->currentText(), "VISITES MOBILES");
    EXPECT_TRUE(w<QCheckBox>("Cac_TelMobile")->isChecked());
}

TEST_F(TelegestionTest, UncheckedBoxesEmptyWhatTheyStood) {
    start();
    enterCode("1");
    const store::Record before = association("001");
    ASSERT_FALSE(before.Value(38).empty());
    ASSERT_FALSE(before.Value(43).empty());

    showTab(kTabTelegestion);
    tick("Cac_Telegestion");
    EXPECT_FALSE(w<QComboBox>("Cbo_Systeme")->isEnabled());
    EXPECT_EQ(field("Txt_Systeme")->text(), "");
    showTab(kTabCesu);
    tick("Cac_EnvoiAuto");
    EXPECT_FALSE(field("Txt_LoginUtil")->isEnabled());
    EXPECT_TRUE(field("Txt_CodeIntervenant")->isEnabled());
    save();

    const store::Record r = association("001");
    for (int attribute : {38, 39, 51, 52, 53, 58, 43, 44, 45})
        EXPECT_EQ(r.Value(attribute), "") << attribute;
    EXPECT_EQ(r.Value(46), before.Value(46)) << "the two codes are always kept";
    EXPECT_EQ(r.Value(47), before.Value(47));

    enterCode("1");
    EXPECT_FALSE(w<QCheckBox>("Cac_Telegestion")->isChecked());
    EXPECT_FALSE(w<QCheckBox>("Cac_EnvoiAuto")->isChecked());
    EXPECT_FALSE(field("Txt_Moi")->isEnabled());
    EXPECT_FALSE(field("Txt_AdrSvrCESU")->isEnabled());
}

TEST_F(TelegestionTest, SystemCodeUnknownToTheTableShowsOnlyItsCode) {
    store::Record r(stored("ASSOCIATION", "002"));
    r.SetValue(38, "ANCIEN");
    writeRecord("ASSOCIATION", "002", r.Text());
    start();
    enterCode("2");
    EXPECT_TRUE(w<QCheckBox>("Cac_Telegestion")->isChecked());
    EXPECT_EQ(field("Txt_Systeme")->text(), "ANCIEN");
    EXPECT_EQ(w<QComboBox>("Cbo_Systeme")->currentIndex(), -1);
    EXPECT_EQ(w<QComboBox>("Cbo_Systeme")->count(), 3);
}

TEST_F(TelegestionTest, CreationStoresMobileTelephonyAsNotYetChosen) {
    start();
    click(w<QPushButton>("Cmd_Ajouter"));
    ASSERT_EQ(field("Txt_CodeAssoc")->text(), "006");
    retype("Txt_SigleAssoc", "NOUVELLE");
    retype("Txt_RaisonAssoc", "ENTITE NOUVELLE");
    retype("Txt_SirenAssoc", "123456789");
    showTab(2);
    retype("Txt_CentreAssedic", "ASSEDIC OUEST");
    retype("Txt_NumAffilAssedic", "4900001");
    showTab(kTabTelegestion);
    tick("Cac_Telegestion");
    choose(w<QComboBox>("Cbo_Systeme"), 0);
    tick("Cac_TelMobile");
    showTab(kTabCesu);
    tick("Cac_EnvoiAuto");
    EXPECT_TRUE(w<QRadioButton>("Opt_AdrIP")->isChecked());
    typeIp("192", "0", "2", "10");
    retype("Txt_LoginUtil", "nouvelle");
    retype("Txt_Mtp", "Secret.1");

    answers.expect("Ajout de l'entité juridique 006 NOUVELLE effectué.")
        .expect("Pensez à créer au moins un établissement");
    save();
    EXPECT_TRUE(answers.waitAnswered());

    const store::Record r = association("006");
    EXPECT_EQ(r.Value(38), "TPO");
    EXPECT_EQ(r.Value(58), "0") << "a creation never stores mobile telephony";
    EXPECT_EQ(r.Value(43), "192.0.2.10:21");
    EXPECT_EQ(r.Value(44), "nouvelle");
    EXPECT_EQ(r.Value(45), "Secret.1");
}
