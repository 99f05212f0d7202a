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

TEST_F(EntryTest, DecimalAmountTypesOneCommaAndFormatsWhenLeft) {
    auto* abattement = edit("Txt_Abattement");
    entry::AttachDecimalAmount(abattement);
    entry::AttachAmountFormat(abattement, 5, 2, entry::EmptyAmount::LeftEmpty);
    show();
    type(abattement, "1.5");
    EXPECT_EQ(abattement->text(), "1,5");
    type(abattement, ",.a-");
    EXPECT_EQ(abattement->text(), "1,5") << "a second comma, a letter and a sign are ignored";
    pressKey(abattement, Qt::Key_Backspace);
    type(abattement, "25");
    EXPECT_EQ(abattement->text(), "1,25");
    leave();
    EXPECT_EQ(abattement->text(), "1,25");
    abattement->clear();
    type(abattement, "12");
    leave();
    EXPECT_EQ(abattement->text(), "12,00");
}

TEST_F(EntryTest, AmountFormatTreatsAnEmptyFieldInItsThreeWays) {
    auto* abattement = edit("Txt_Abattement");
    auto* horaire = edit("Txt_HorHebdoEtabl");
    auto* montant = edit("Txt_MontantP");
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
    type(montant, "25,5");
    leave();
    EXPECT_EQ(montant->text(), "25,50");
}

TEST_F(EntryTest, AmountFormatKeepsEveryDigitOfATooLongAmount) {
    auto* horaire = edit("Txt_HorHebdoEtabl");
    entry::AttachDecimalAmount(horaire);
    entry::AttachAmountFormat(horaire, 2, 2, entry::EmptyAmount::GivesZero);
    show();
    type(horaire, "1234,5");
    leave();
    EXPECT_EQ(horaire->text(), "1234,50");
}

TEST_F(EntryTest, DigitFiltersDifferOnBackspaceTabAndSeparators) {
    auto* idccn = edit("Txt_IdCCN", "12");
    auto* insee = edit("Txt_CodeInsee", "12");
    auto* port = edit("Txt_Port", "12");
    entry::AttachDigitsOnly(idccn);
    entry::AttachDigitsWithTab(insee);
    entry::AttachDigitsAndSeparators(port);
    show();
    for (QLineEdit* field : {idccn, insee, port}) {
        focusOn(field);
        field->end(false);
        type(field, "3a/:. 4");
        pressKey(field, Qt::Key_Backspace);
    }
    EXPECT_EQ(idccn->text(), "1234") << "Backspace does nothing in a digits-only field";
    EXPECT_EQ(insee->text(), "123");
    EXPECT_EQ(port->text(), "123/:4");

    // Tab is never swallowed: a keyboard user can always move on.
    for (QLineEdit* field : {idccn, insee, port}) {
        focusOn(field);
        const QString before = field->text();
        pressKey(field, Qt::Key_Tab);
        EXPECT_FALSE(field->hasFocus()) << qPrintable(field->objectName());
        EXPECT_EQ(field->text(), before);
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
        settle(5);
    }
    EXPECT_EQ(p1->text(), "168");
    EXPECT_EQ(p2->text(), "1");
    EXPECT_EQ(p3->text(), "20") << "the last part takes no dot and moves nowhere";
    EXPECT_TRUE(p3->hasFocus());
    pressKey(p1, Qt::Key_Backspace);
    EXPECT_EQ(p1->text(), "168") << "Backspace is not among the address keys";
}

TEST_F(EntryTest, AlphanumericTakesUnaccentedLettersAndDigits) {
    auto* finess = edit("Txt_Finess");
    entry::AttachAlphanumeric(finess);
    show();
    type(finess, QStringLiteral("12aB-é Z9"));
    EXPECT_EQ(finess->text(), "12aBZ9");
    pressKey(finess, Qt::Key_Backspace);
    EXPECT_EQ(finess->text(), "12aBZ");
}

TEST_F(EntryTest, DateTurnsOtherKeysIntoSlashes) {
    auto* date = edit("Txt_Date");
    entry::AttachDate(date);
    show();
    type(date, "1a2 24");
    EXPECT_EQ(date->text(), "1/2/24");
    pressKey(date, Qt::Key_Backspace);
    EXPECT_EQ(date->text(), "1/2/2");
}

TEST_F(EntryTest, DateWithTabRunsTheLeavingCheckBeforeMoving) {
    auto* date = edit("Txt_DateGrilleAggir2008");
    QString seen;
    entry::AttachDate(date, [&] { seen = date->text(); });
    show();
    type(date, "1.2.24");
    pressKey(date, Qt::Key_Tab);
    EXPECT_EQ(seen, "1/2/24");
    EXPECT_FALSE(date->hasFocus());
    EXPECT_EQ(date->text(), "1/2/24") << "no slash for the Tab";
}

TEST_F(EntryTest, TelephoneTypesDotsAsBlanks) {
    auto* tel = edit("Txt_TelRespPaie");
    entry::AttachTelephone(tel);
    show();
    type(tel, "01.23 4a5-");
    EXPECT_EQ(tel->text(), "01 23 45");
    pressKey(tel, Qt::Key_Tab);
    EXPECT_FALSE(tel->hasFocus());
}

TEST_F(EntryTest, LengthCapStopsEveryKeyButNeverCutsProgramText) {
    auto* ligne = edit("Txt_LigneCarteTelGest");
    auto* numero = edit("Txt_NumSysTelegest");
    entry::AttachLengthCap(ligne, 44);
    entry::AttachLengthCap(numero, 14, entry::AddressCharsKey);
    show();
    type(ligne, QString(50, QLatin1Char('x')));
    EXPECT_EQ(ligne->text().size(), 44);
    pressKey(ligne, Qt::Key_Backspace);
    EXPECT_EQ(ligne->text().size(), 44) << "Backspace included";
    ligne->setText(QString(60, QLatin1Char('y')));
    EXPECT_EQ(ligne->text().size(), 60);

    type(numero, "12a.3/4:5 678901234");
    EXPECT_EQ(numero->text(), "12.3/4:5678901");
}

TEST_F(EntryTest, NoTypingLeavesTheListChoiceAlone) {
    auto* jour = combo("Cbo_JourSol", false);
    jour->addItems({"Lundi", "Mardi", "Mercredi"});
    jour->setCurrentIndex(0);
    entry::AttachNoTyping(jour);
    show();
    type(jour, "m");
    EXPECT_EQ(jour->currentText(), "Lundi");
    pressKey(jour, Qt::Key_Down);
    EXPECT_EQ(jour->currentText(), "Mardi") << "the arrows still choose";
}

TEST_F(EntryTest, TypeAheadRefusesAccentedLowerCaseAndLooksUpOnEnter) {
    auto* sigle = combo("Cbo_SigleAssoc", true);
    int lookups = 0;
    QString looked;
    entry::AttachTypeAhead(sigle, [&] {
        ++lookups;
        looked = sigle->currentText();
    });
    show();
    type(sigle, "ab");
    answers.expect(entry::kAccentedLowerCaseMessage, QMessageBox::Warning);
    type(sigle, QStringLiteral("é"));
    EXPECT_TRUE(answers.waitAnswered());
    EXPECT_EQ(sigle->currentText(), "ab");
    type(sigle, "C");
    pressEnter(sigle);
    EXPECT_EQ(lookups, 1);
    EXPECT_EQ(looked, "abC");
    EXPECT_EQ(sigle->count(), 0) << "Enter belongs to the lookup, not to the list";
}

TEST_F(EntryTest, CodesArePaddedOnEnterAndOnLeaving) {
    auto* code = edit("Txt_CodeAssoc");
    entry::AttachCodePadding(code);
    show();
    type(code, "7");
    pressEnter(code);
    EXPECT_EQ(code->text(), "007");
    code->clear();
    type(code, "42");
    leave();
    EXPECT_EQ(code->text(), "042");
    code->clear();
    focusOn(code);
    leave();
    EXPECT_EQ(code->text(), "") << "an empty code stays empty on leaving";
    type(code, "1234");
    leave();
    EXPECT_EQ(code->text(), "1234");
    code->clear();
    focusOn(code);
    pressEnter(code);
    EXPECT_EQ(code->text(), "000");
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

TEST(EntryFilters, PureFormsForScreensOwnHandlers) {
    int key = '.';
    EXPECT_TRUE(entry::AddressPartKey(key)) << "asks for the next part";
    EXPECT_EQ(key, 0);
    key = '.';
    entry::DecimalAmountKey(key, "1,2");
    EXPECT_EQ(key, 0);
}

}  // namespace
