// Membership fees: which frames the activities open, and what OK stores for each of them.
#include <QGroupBox>
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

constexpr int kTabCotisation = 6;

class CotisationTest : public CtrAssociationTest {
  protected:
    void showFees() {
        QTabBar* bar = w<QTabWidget>("Ong_Assoc")->tabBar();
        QTest::mouseClick(bar, Qt::LeftButton, Qt::NoModifier,
                          bar->tabRect(kTabCotisation).center());
        settle();
    }
    // Types an amount and leaves the box, as the user does before clicking elsewhere.
    void typeAmount(const char* box, const QString& amount) {
        focusOn(w<QLineEdit>(box));
        QTest::keyClick(w<QLineEdit>(box), Qt::Key_A, Qt::ControlModifier);
        type(w<QLineEdit>(box), amount);
        focusOn(w<QPushButton>("Cmd_Ok"));
    }
    void emptyAmount(const char* box) {
        focusOn(w<QLineEdit>(box));
        QTest::keyClick(w<QLineEdit>(box), Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(w<QLineEdit>(box), Qt::Key_Delete);
        focusOn(w<QPushButton>("Cmd_Ok"));
    }
    void save() {
        click(w<QPushButton>("Cmd_Ok"));
        settle();
    }
    store::Record association(const std::string& id) {
        return store::Record(stored("ASSOCIATION", id));
    }
    // Values 1 to 3 of an attribute, joined by "|".
    std::string fees(const std::string& id, int attribute) {
        const store::Record r = association(id);
        return r.Value(attribute, 1) + "|" + r.Value(attribute, 2) + "|" + r.Value(attribute, 3);
    }
    void writeActivity(const std::string& id, const char* type) {
        store::Record r;
        r.SetValue(1, 1, "ACTIVITE " + id);
        r.SetValue(12, 1, type);
        writeRecord("ACTIVITES", id, r.Text());
    }
    void writeAssociation(const std::string& id) {
        store::Record r;
        r.SetValue(1, 1, "ASSO " + id);
        r.SetValue(2, 1, "ASSOCIATION " + id);
        writeRecord("ASSOCIATION", id, r.Text());
    }
    bool enabled(const char* frame) { return w<QGroupBox>(frame)->isEnabled(); }
};

}  // namespace

TEST_F(CotisationTest, FramesFollowTheKindsOfActivity) {
    struct Case {
        const char* code;
        std::vector<const char*> types;
        bool mandat, prest, inter;
    };
    const std::vector<Case> cases = {
        {"900", {"P", "M"}, true, true, false},
        {"901", {"S"}, true, false, false},
        {"902", {}, false, false, false},
        {"903", {"I"}, false, false, true},
    };
    for (const Case& c : cases) {
        writeAssociation(c.code);
        int n = 0;
        for (const char* type : c.types)
            writeActivity(std::string(c.code) + "00" + std::to_string(++n), type);
    }
    start();
    for (const Case& c : cases) {
        enterCode(c.code);
        EXPECT_EQ(enabled("Cdr_Mandat"), c.mandat) << c.code;
        EXPECT_EQ(enabled("Cdr_Prest"), c.prest) << c.code;
        EXPECT_EQ(enabled("Cdr_Inter"), c.inter) << c.code;
        click(w<QPushButton>("Cmd_Annuler"));
    }
}

TEST_F(CotisationTest, ProviderFeeIsStoredInHundredthsWithItsCallRule) {
    start();
    enterCode("1");
    showFees();
    ASSERT_TRUE(enabled("Cdr_Prest"));

    // "." is typed as the decimal comma, a second one is refused; leaving formats the amount.
    type(w<QLineEdit>("Txt_MontantP"), "25.5,");
    EXPECT_EQ(w<QLineEdit>("Txt_MontantP")->text(), "25,5");
    focusOn(w<QPushButton>("Cmd_Ok"));
    EXPECT_EQ(w<QLineEdit>("Txt_MontantP")->text(), "25,50");
    click(w<QRadioButton>("Opt_MoisAnniP"));
    save();

    EXPECT_EQ(fees("001", 31), "2000|2550|1000");
    EXPECT_EQ(fees("001", 32), "A|M|M");

    enterCode("1");
    EXPECT_EQ(w<QLineEdit>("Txt_MontantP")->text(), "25,50");
    EXPECT_TRUE(w<QRadioButton>("Opt_MoisAnniP")->isChecked());
}

TEST_F(CotisationTest, EmptiedFeeEmptiesItsAmountAndRule) {
    start();
    enterCode("1");
    showFees();
    emptyAmount("Txt_MontantM");
    EXPECT_EQ(w<QLineEdit>("Txt_MontantM")->text(), "") << "an empty amount stays empty";
    save();
    EXPECT_EQ(fees("001", 31), "|1500|1000");
    EXPECT_EQ(fees("001", 32), "|A|M");
}

TEST_F(CotisationTest, EachAssociationKeepsItsOwnFees) {
    // 002 runs no intermediary activity, yet holds an intermediary fee of its own.
    store::Record r = association("002");
    r.SetValue(31, 3, "777");
    r.SetValue(32, 3, "A");
    writeRecord("ASSOCIATION", "002", r.Text());
    start();

    enterCode("1");
    showFees();
    typeAmount("Txt_MontantP", "30");
    typeAmount("Txt_MontantI", "12,5");
    click(w<QRadioButton>("Opt_AnneeCivileI"));
    save();

    enterCode("2");
    showFees();
    EXPECT_FALSE(enabled("Cdr_Inter"));
    typeAmount("Txt_MontantP", "45");
    save();

    EXPECT_EQ(fees("001", 31), "2000|3000|1250");
    EXPECT_EQ(fees("001", 32), "A|A|A");
    EXPECT_EQ(fees("002", 31), "|4500|777") << "no fee of 001 reaches 002";
    EXPECT_EQ(fees("002", 32), "|M|A");

    // And back: 001 saved again after 002 still has its own.
    enterCode("1");
    save();
    EXPECT_EQ(fees("001", 31), "2000|3000|1250");
}
