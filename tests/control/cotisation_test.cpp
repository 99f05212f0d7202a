// Membership fees: which frames the activities open, and what OK stores for each of them.
#include <QGroupBox>

#include "tests/control/association_fixture.h"

class CotisationTest : public CtrAssociationTest {
  protected:
    // Types an amount and leaves the box, as the user does before clicking elsewhere.
    void typeAmount(const char* box, const QString& amount) {
        retype(box, amount);
        focusOn(w("Cmd_Ok"));
    }
    // Values 1 to 3 of an attribute, joined by "|".
    std::string fees(const std::string& id, int attribute) {
        const store::Record r = association(id);
        return r.Value(attribute, 1) + "|" + r.Value(attribute, 2) + "|" + r.Value(attribute, 3);
    }
    bool enabled(const char* frame) { return w<QGroupBox>(frame)->isEnabled(); }
};

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
        writeRecord("ASSOCIATION", c.code, recordOf({"1=SIGLE", "2=RAISON"}));
        int n = 0;
        for (const char* type : c.types) {
            writeRecord("ACTIVITES", std::string(c.code) + "00" + std::to_string(++n),
                        recordOf({"1=ACTIVITE", std::string("12=") + type}));
        }
    }
    start();
    for (const Case& c : cases) {
        enterCode(c.code);
        EXPECT_EQ(enabled("Cdr_Mandat"), c.mandat) << c.code;
        EXPECT_EQ(enabled("Cdr_Prest"), c.prest) << c.code;
        EXPECT_EQ(enabled("Cdr_Inter"), c.inter) << c.code;
        clickButton("Cmd_Annuler");
    }
}

TEST_F(CotisationTest, FeesAreStoredInHundredthsWithTheirCallRule) {
    start();
    enterCode("1");
    showTab(kCotisation);
    ASSERT_TRUE(enabled("Cdr_Prest"));

    // "." is typed as the decimal comma, a second one is refused; leaving formats the amount.
    retype("Txt_MontantP", "25.5,");
    expectShown({"Txt_MontantP=25,5"});
    focusOn(w("Cmd_Ok"));
    expectShown({"Txt_MontantP=25,50"});
    click(w("Opt_MoisAnniP"));
    // An emptied amount stays empty and empties its call rule.
    typeAmount("Txt_MontantM", "");
    expectShown({"Txt_MontantM="});
    clickButton("Cmd_Ok");

    EXPECT_EQ(fees("001", 31), "|2550|1000");
    EXPECT_EQ(fees("001", 32), "|M|M");
    enterCode("1");
    expectShown({"Txt_MontantP=25,50", "Opt_MoisAnniP=1"});
}

TEST_F(CotisationTest, EachAssociationKeepsItsOwnFees) {
    // 002, its intermediary activity removed, still holds an intermediary fee of its own.
    deleteRecord("ACTIVITES", "002005");
    store::Record r = association("002");
    r.SetValue(31, 3, "777");
    r.SetValue(32, 3, "A");
    writeRecord("ASSOCIATION", "002", r.Text());
    start();

    enterCode("1");
    showTab(kCotisation);
    typeAmount("Txt_MontantP", "30");
    typeAmount("Txt_MontantI", "12,5");
    click(w("Opt_AnneeCivileI"));
    clickButton("Cmd_Ok");

    enterCode("2");
    showTab(kCotisation);
    EXPECT_FALSE(enabled("Cdr_Inter"));
    typeAmount("Txt_MontantP", "45");
    clickButton("Cmd_Ok");

    EXPECT_EQ(fees("001", 31), "2000|3000|1250");
    EXPECT_EQ(fees("001", 32), "A|A|A");
    EXPECT_EQ(fees("002", 31), "|4500|777") << "no fee of 001 reaches 002";
    EXPECT_EQ(fees("002", 32), "|M|A");

    // And back: 001 saved again after 002 still has its own.
    enterCode("1");
    clickButton("Cmd_Ok");
    EXPECT_EQ(fees("001", 31), "2000|3000|1250");
}
