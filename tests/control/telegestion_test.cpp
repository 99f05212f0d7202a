// Remote management and automatic sending: what the user types on the two tabs, what is stored
// when OK is clicked, and how it comes back.
#include <QComboBox>

#include "tests/control/association_fixture.h"

namespace {

const QString kPartRefused = QStringLiteral(
    "Une adresse IP ne peut contenir que des éléments compris entre 0 et 254 compris.");

}  // namespace

using TelegestionTest = CtrAssociationTest;

TEST_F(TelegestionTest, IpAddressIsTypedInPartsStoredAndShownAgain) {
    start();
    enterCode("1");
    showTab(kCesu);
    ASSERT_EQ(shown("Opt_AdrIP"), "1");

    // "." is never typed: it moves to the next part with that part's text selected.
    retype("Txt_AdrSvrCESU", "10.");
    expectShown({"Txt_AdrSvrCESU=10"});
    EXPECT_EQ(focusName(), "Txt_AdrSvrCESU1");
    EXPECT_EQ(field("Txt_AdrSvrCESU1")->selectedText(), "51");

    typeIp("10", "0", "0", "254");
    retype("Txt_Port", "");
    retype("Txt_CodeIntervenant", "12x34.");
    clickButton("Cmd_Ok");
    // An empty port is the default 21; the codes take digits only.
    expectStored("001", {"43=10.0.0.254:21", "47=1234"});

    enterCode("1");
    expectShown({"Cac_EnvoiAuto=1", "Opt_AdrIP=1", "Txt_AdrSvrCESU=10", "Txt_AdrSvrCESU1=0",
                 "Txt_AdrSvrCESU2=0", "Txt_AdrSvrCESU3=254", "Txt_Port=21"});
    showTab(kCesu);
    retype("Txt_Port", "21a21");
    clickButton("Cmd_Ok");
    expectStored("001", {"43=10.0.0.254:2121"});
    enterCode("1");
    expectShown({"Txt_Port=2121"});
    expectEnabled({"Txt_Domaine"}, false);
}

TEST_F(TelegestionTest, DomainNameIsStoredAsTypedAndShownAsADomain) {
    start();
    enterCode("1");
    showTab(kCesu);
    click(w("Opt_Domaine"));
    expectEnabled({"Txt_Domaine"}, true);
    expectEnabled({"Txt_AdrSvrCESU", "Txt_Port"}, false);
    retype("Txt_Domaine", "cesu.exemple.fr");
    clickButton("Cmd_Ok");
    expectStored("001", {"43=cesu.exemple.fr"});

    // Dots do not make an IP address: only four numeric parts do.
    for (const char* domaine :
         {"cesu.exemple.fr", "10.20.30", "10.20.30.40.50", "1.2.3.x:21", "10.20.30.40:2a"}) {
        storeAt("001", 43, domaine);
        enterCode("1");
        SCOPED_TRACE(domaine);
        expectShown({"Opt_Domaine=1"});
        EXPECT_EQ(text("Txt_Domaine"), domaine);
        expectEnabled({"Txt_Domaine"}, true);
        expectEnabled({"Txt_AdrSvrCESU"}, false);
        clickButton("Cmd_Annuler");
    }
    // Four parts without a port are an address, shown without the port of the association
    // seen before.
    storeAt("001", 43, "198.51.100.24:2121");
    storeAt("002", 43, "192.0.2.7");
    enterCode("1");
    ASSERT_EQ(text("Txt_Port"), "2121");
    clickButton("Cmd_Annuler");
    enterCode("2");
    expectShown({"Opt_AdrIP=1", "Txt_AdrSvrCESU3=7", "Txt_Port="});
}

TEST_F(TelegestionTest, AddressPartsAreNumbersFrom0To254) {
    start();
    enterCode("1");
    showTab(kCesu);
    typeIp("0", "254", "0", "254");
    leave("Txt_AdrSvrCESU3", "Txt_Port");
    expectShown({"Txt_AdrSvrCESU3=254"});

    // A part left with more than 254, or with what is no number, is emptied and kept.
    struct Case {
        const char* part;
        const char* next;
        const char* typed;
    };
    for (const Case& c : {Case{"Txt_AdrSvrCESU", "Txt_AdrSvrCESU1", "255"},
                          Case{"Txt_AdrSvrCESU1", "Txt_AdrSvrCESU2", "1/2"},
                          Case{"Txt_AdrSvrCESU2", "Txt_AdrSvrCESU3", "12:"},
                          Case{"Txt_AdrSvrCESU3", "Txt_Port", "999"}}) {
        type(field(c.part), c.typed);
        leave(c.part, c.next, kPartRefused);
        EXPECT_EQ(text(c.part), "") << c.typed;
    }
    // A "." typed after a wrong part is the same leaving.
    answers.expect(kPartRefused, QMessageBox::Warning);
    retype("Txt_AdrSvrCESU", "300.");
    EXPECT_TRUE(answers.waitAnswered());
    settle();
    EXPECT_EQ(focusName(), "Txt_AdrSvrCESU");
    EXPECT_EQ(text("Txt_AdrSvrCESU"), "");
}

TEST_F(TelegestionTest, ChosenSystemAndCardLinesAreStored) {
    start();
    enterCode("2");
    showTab(kTelegestion);
    expectEnabled({"Cbo_Systeme"}, false);
    tick("Cac_Telegestion");
    expectEnabled({"Cbo_Systeme", "Txt_Moi"}, true);
    choose("Cbo_Systeme", 2);
    expectShown({"Txt_Systeme=MOB"});
    retype("Txt_Ident", "ID-77");
    // Digits, "/", ":" and "." only, 14 at most; the card lines stop at 44 characters.
    retype("Txt_NumSysTelegest", "02-41 00.00/00:123");
    retype("Txt_Moi", QString(50, QLatin1Char('M')));
    retype("Txt_LigneCarteTelGest", "LIGNE DEUX");
    tick("Cac_TelMobile");
    clickButton("Cmd_Ok");
    expectStored("002", {"38=MOB", "39=ID-77", "51=024100.00/00:1", "53=LIGNE DEUX", "58=1"});
    EXPECT_EQ(association("002").Value(52), std::string(44, 'M'));
    enterCode("2");
    expectShown({"Cbo_Systeme=VISITES MOBILES", "Cac_TelMobile=1"});
    clickButton("Cmd_Annuler");

    // A code the table does not know shows in the code box only.
    storeAt("002", 38, "ANCIEN");
    enterCode("2");
    expectShown({"Cac_Telegestion=1", "Txt_Systeme=ANCIEN", "Cbo_Systeme="});
    EXPECT_EQ(w<QComboBox>("Cbo_Systeme")->count(), 3);
}

TEST_F(TelegestionTest, UncheckedBoxesEmptyWhatTheyStood) {
    start();
    enterCode("1");
    const store::Record before = association("001");
    ASSERT_FALSE(before.Value(38).empty() || before.Value(43).empty());

    showTab(kTelegestion);
    tick("Cac_Telegestion");
    expectEnabled({"Cbo_Systeme"}, false);
    expectShown({"Txt_Systeme="});
    showTab(kCesu);
    tick("Cac_EnvoiAuto");
    expectEnabled({"Txt_LoginUtil"}, false);
    expectEnabled({"Txt_CodeIntervenant"}, true);
    clickButton("Cmd_Ok");
    expectStored("001", {"38=", "39=", "51=", "52=", "53=", "58=", "43=", "44=", "45="});
    // The two codes are always kept.
    EXPECT_EQ(association("001").Value(46), before.Value(46));
    EXPECT_EQ(association("001").Value(47), before.Value(47));

    enterCode("1");
    expectShown({"Cac_Telegestion=0", "Cac_EnvoiAuto=0"});
    expectEnabled({"Txt_Moi", "Txt_AdrSvrCESU"}, false);
}
