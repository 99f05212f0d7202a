// Every entry filter and normalisation on real fields, through the keys a user types.
#include <QComboBox>
#include <QLineEdit>
#include <QVBoxLayout>

#include "entry/address_part.h"
#include "entry/alphanumeric.h"
#include "entry/amount_format.h"
#include "entry/code_padding.h"
#include "entry/date_key.h"
#include "entry/decimal_amount.h"
#include "entry/digits.h"
#include "entry/length_cap.h"
#include "entry/no_typing.h"
#include "entry/telephone_key.h"
#include "entry/type_ahead.h"
#include "entry/upper_case.h"
#include "tests/support/gui_test.h"

namespace {

class EntryTest : public GuiTest {
  protected:
    void SetUp() override {
        layout = new QVBoxLayout(&window);
        ailleurs = edit("Txt_Ailleurs");
    }

    QLineEdit* edit(const char* name, const QString& text = {}) {
        auto* e = new QLineEdit(text, &window);
        e->setObjectName(name);
        layout->addWidget(e);
        return e;
    }
    QComboBox* combo(const char* name, bool editable) {
        auto* c = new QComboBox(&window);
        c->setObjectName(name);
        c->setEditable(editable);
        layout->addWidget(c);
        return c;
    }
    void show() { showActive(&window); }
    // Leaves the field the way a click elsewhere does.
    void leave() { focusOn(ailleurs); }

    QWidget window;
    QVBoxLayout* layout = nullptr;
    QLineEdit* ailleurs = nullptr;
};

// Each key filter on its own field: what typing leaves, what Backspace then does, and Tab, which
// always moves on without typing anything.
TEST_F(EntryTest, EachFilterKeepsItsKeysAndLetsTabMoveOn) {
    struct Cas {
        const char* champ;
        void (*attacher)(QWidget*);
        std::string initial, tape, apresFrappe, apresRetour;
    };
    const std::string x42(42, 'x');
    const auto date = [](QWidget* w) { entry::AttachDate(w); };
    const auto cap44 = [](QWidget* w) { entry::AttachLengthCap(w, 44); };
    const auto cap14 = [](QWidget* w) { entry::AttachLengthCap(w, 14, entry::AddressCharsKey); };
    // clang-format off
    const Cas cas[] = {
        {"Txt_Abattement",  entry::AttachDecimalAmount, "",   "1.5,.a-",   "1,5",    "1,"},
        {"Txt_IdCCN",       entry::AttachDigitsOnly,    "12", "3a/:. 4",   "1234",   "1234"},
        {"Txt_CodeInsee",   entry::AttachDigitsWithTab, "12", "3a/:. 4",   "1234",   "123"},
        {"Txt_Port",        entry::AttachDigitsAndSeparators, "12", "3a/:. 4", "123/:4", "123/:4"},
        {"Txt_Finess",      entry::AttachAlphanumeric,  "",   "12aB-é Z9", "12aBZ9", "12aBZ"},
        {"Txt_Date",        date,                       "",   "1a2 24",    "1/2/24", "1/2/2"},
        {"Txt_TelRespPaie", entry::AttachTelephone, "", "01.23 4a5-", "01 23 45", "01 23 4"},
        {"Txt_LigneCarteTelGest", cap44, x42, "yyy", x42 + "yy", x42 + "yy"},
        {"Txt_NumSysTelegest", cap14, "", "12a.3/4:5 6789012", "12.3/4:5678901", "12.3/4:5678901"},
    };
    // clang-format on
    std::vector<QLineEdit*> champs;
    for (const Cas& c : cas) {
        champs.push_back(edit(c.champ, QString::fromStdString(c.initial)));
        c.attacher(champs.back());
    }
    show();
    for (size_t i = 0; i < champs.size(); ++i) {
        QLineEdit* champ = champs[i];
        SCOPED_TRACE(cas[i].champ);
        focusOn(champ);
        champ->end(false);
        type(champ, QString::fromStdString(cas[i].tape));
        EXPECT_EQ(champ->text(), QString::fromStdString(cas[i].apresFrappe));
        pressKey(champ, Qt::Key_Backspace);
        EXPECT_EQ(champ->text(), QString::fromStdString(cas[i].apresRetour));
        pressKey(champ, Qt::Key_Tab);
        EXPECT_FALSE(champ->hasFocus());
        EXPECT_EQ(champ->text(), QString::fromStdString(cas[i].apresRetour));
    }
    // The cap is on typing only: text set by the program is never cut.
    champs[7]->setText(QString(60, QLatin1Char('y')));
    EXPECT_EQ(champs[7]->text().size(), 60);
}

TEST_F(EntryTest, AmountsAreFormattedWhenLeftAndAnEmptyOneInItsThreeWays) {
    auto* abattement = edit("Txt_Abattement");
    auto* horaire = edit("Txt_HorHebdoEtabl");
    auto* montant = edit("Txt_MontantP");
    entry::AttachDecimalAmount(horaire);
    entry::AttachAmountFormat(abattement, 5, 2, entry::EmptyAmount::LeftEmpty);
    entry::AttachAmountFormat(horaire, 2, 2, entry::EmptyAmount::GivesZero);
    entry::AttachAmountFormat(montant, 4, 2, entry::EmptyAmount::Formatted);
    show();
    for (QLineEdit* field : {abattement, horaire, montant}) {
        focusOn(field);
        leave();
    }
    EXPECT_EQ(abattement->text(), "");
    EXPECT_EQ(horaire->text(), "0,00");
    EXPECT_EQ(montant->text(), "") << "an empty fee stays empty, to be stored empty";
    for (auto [field, typed, shown] : {std::tuple{abattement, "1,25", "1,25"},
                                       {abattement, "12", "12,00"},
                                       {montant, "25,5", "25,50"},
                                       {horaire, "1234,5", "1234,50"}}) {
        field->clear();
        type(field, typed);
        leave();
        EXPECT_EQ(field->text(), shown) << "every digit of a too long amount is kept";
    }
}

TEST_F(EntryTest, AddressPartsMoveOnDotWithTheNextPartSelected) {
    auto* p0 = edit("Txt_AdrSvrCESU");
    auto* p1 = edit("Txt_AdrSvrCESU1", "999");
    auto* p2 = edit("Txt_AdrSvrCESU2");
    auto* p3 = edit("Txt_AdrSvrCESU3");
    entry::AttachAddressPart(p0, p1);
    entry::AttachAddressPart(p1, p2);
    entry::AttachAddressPart(p2, p3);
    entry::AttachDigitsAndSeparators(p3);
    show();
    type(p0, "192.");
    EXPECT_EQ(p0->text(), "192") << "no dot typed";
    ASSERT_TRUE(p1->hasFocus());
    EXPECT_EQ(p1->selectedText(), "999");
    // Typing goes on where the focus went: the selected text is replaced.
    for (const char* key : {"1", "6", "8", ".", "1", "x", ".", "2", "0", "."}) {
        QWidget* focused = QApplication::focusWidget();
        ASSERT_NE(focused, nullptr);
        QTest::keyClicks(focused, key);
        settle();
    }
    EXPECT_EQ(p1->text(), "168");
    EXPECT_EQ(p2->text(), "1");
    EXPECT_EQ(p3->text(), "20") << "the last part takes no dot and moves nowhere";
    EXPECT_TRUE(p3->hasFocus());
    pressKey(p1, Qt::Key_Backspace);
    EXPECT_EQ(p1->text(), "168") << "Backspace is not among the address keys";
}

TEST_F(EntryTest, ListsTakeNoTypingOrLookUpWhatIsTypedButNoAccentedLowerCase) {
    auto* jour = combo("Cbo_JourSol", false);
    jour->addItems({"Lundi", "Mardi", "Mercredi"});
    jour->setCurrentIndex(0);
    entry::AttachNoTyping(jour);
    auto* sigle = combo("Cbo_SigleAssoc", true);
    QStringList looked;
    entry::AttachTypeAhead(sigle, [&] { looked << sigle->currentText(); });
    show();
    type(jour, "m");
    EXPECT_EQ(jour->currentText(), "Lundi");
    pressKey(jour, Qt::Key_Down);
    EXPECT_EQ(jour->currentText(), "Mardi") << "the arrows still choose";

    type(sigle, "ab");
    answers.expect(entry::kAccentedLowerCaseMessage, QMessageBox::Warning);
    type(sigle, QStringLiteral("é"));
    EXPECT_TRUE(answers.waitAnswered());
    EXPECT_EQ(sigle->currentText(), "ab");
    type(sigle, "C");
    pressEnter(sigle);
    EXPECT_EQ(looked, QStringList{"abC"});
    EXPECT_EQ(sigle->count(), 0) << "Enter belongs to the lookup, not to the list";
}

TEST_F(EntryTest, CodesArePaddedOnEnterAndOnLeaving) {
    auto* code = edit("Txt_CodeAssoc");
    entry::AttachCodePadding(code);
    show();
    for (auto [typed, enter, shown] : {std::tuple{"7", true, "007"},
                                       {"42", false, "042"},
                                       {"", false, ""},
                                       {"1234", false, "1234"},
                                       {"", true, "000"}}) {
        code->clear();
        type(code, typed);
        if (enter)
            pressEnter(code);
        else
            leave();
        EXPECT_EQ(code->text(), shown)
            << "typed " << typed << (enter ? " then Enter" : " then left");
    }
}

TEST_F(EntryTest, UpperCaseOnLeavingFieldsAndLists) {
    auto* sigle = edit("Txt_SigleAssoc");
    auto* liste = combo("Cbo_SigleEtabl", true);
    entry::AttachUpperCase(sigle);
    entry::AttachUpperCase(liste);
    show();
    type(sigle, QStringLiteral("aide à domicile"));
    EXPECT_EQ(sigle->text(), QStringLiteral("aide à domicile")) << "only when left";
    leave();
    EXPECT_EQ(sigle->text(), QStringLiteral("AIDE À DOMICILE"));
    type(liste, "adm");
    leave();
    EXPECT_EQ(liste->currentText(), "ADM");
}

}  // namespace
