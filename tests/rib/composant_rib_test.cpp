// The bank-details widget as a screen embeds it: typed into, read from and written to records,
// checked with its own messages.
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>
#include <algorithm>

#include "platform/components/rib/composant_rib.h"
#include "store/record.h"
#include "tests/support/gui_test.h"

namespace {

const char* const kIbanGroupe = "FR76 3000 6000 0112 3456 7890 189";

// A record's text written with "^" between attributes and "]" between values.
std::string marques(std::string texte) {
    std::replace(texte.begin(), texte.end(), '^', '\xFE');
    std::replace(texte.begin(), texte.end(), ']', '\xFD');
    return texte;
}

const std::string kBloc =
    "Crédit Agricole]Agence de Rennes^30006^00001^12345678901^89^FR7630006000011234567890189^"
    "AGRIFRPP^FR72ZZZ123456";
// An association: the bank block from 15, the ICS at 22, an attribute after it.
store::Record association() {
    return store::Record(marques("001^ADMR" + std::string(12, '^') + "x^" + kBloc + "^apres"));
}

class RibTest : public GuiTest {
  protected:
    void SetUp() override {
        auto* layout = new QVBoxLayout(&window);
        layout->addWidget(rib = new Composant_RIB(&window));
        layout->addWidget(ailleurs = new QLineEdit(&window));
        showActive(&window);
    }
    QLineEdit* field(const char* name) { return child<QLineEdit>(rib, name); }
    QString text(const char* name) { return field(name)->text(); }

    QWidget window;
    Composant_RIB* rib = nullptr;
    QLineEdit* ailleurs = nullptr;
};

TEST_F(RibTest, ReadWriteAndDiffersFromAnyFirstAttribute) {
    // Empty details add nothing to a short record; a bank name alone keeps its single value.
    store::Record courte(marques("001^ADMR"));
    EXPECT_FALSE(rib->Differs(courte, 15));
    EXPECT_EQ(rib->WriteToRecord(courte, 15), "");
    EXPECT_EQ(courte.Text(), marques("001^ADMR"));
    type(field("Txt_Banque"), "La Poste");
    rib->WriteToRecord(courte, 3);
    EXPECT_EQ(courte.Text(), marques("001^ADMR^La Poste"));

    store::Record record = association();
    const std::string lu = record.Text();
    EXPECT_EQ(rib->ReadFromRecord(record, 15), kIbanGroupe);
    // Each value in its own field, under its French caption.
    QStringList captions, shown;
    for (auto* label : rib->findChildren<QLabel*>()) {
        if (auto* field = qobject_cast<QLineEdit*>(label->buddy())) {
            captions << label->text();
            shown << field->text();
        }
    }
    EXPECT_EQ(captions.join(" | "),
              QStringLiteral("Banque | Domiciliation | Code banque | Code "
                             "guichet | N° de compte | Clé RIB | IBAN | BIC | ICS"));
    EXPECT_EQ(shown.join(" | "),
              QStringLiteral("Crédit Agricole | Agence de Rennes | 30006 | 00001 | "
                             "12345678901 | 89 | %1 | AGRIFRPP | FR72ZZZ123456")
                  .arg(kIbanGroupe));
    EXPECT_FALSE(rib->Differs(record, 15));
    EXPECT_EQ(rib->WriteToRecord(record, 15), kIbanGroupe);
    EXPECT_EQ(record.Text(), lu) << "nothing changed, nothing written differently";

    // An activity's block starts at 3; the IBAN is written without blanks, the ICS last.
    store::Record activite(marques("001001^AIDE"));
    ASSERT_TRUE(rib->Differs(activite, 3));
    rib->WriteToRecord(activite, 3);
    EXPECT_EQ(activite.Text(), marques("001001^AIDE^" + kBloc));
    EXPECT_FALSE(rib->Differs(activite, 3));

    // Letters are typed in upper case; what is typed differs and is written.
    auto* ics = field("Txt_Ics");
    focusOn(ics);
    ics->selectAll();
    type(ics, "fr72abc123456");
    EXPECT_EQ(ics->text(), "FR72ABC123456");
    EXPECT_TRUE(rib->Differs(record, 15));
    rib->WriteToRecord(record, 15);
    EXPECT_EQ(record.Value(22), "FR72ABC123456");
    EXPECT_EQ(record.Value(23), "apres");
}

TEST_F(RibTest, FieldsTakeTheirOwnCharactersAndTheIbanShowsInBlocks) {
    auto* banque = field("Txt_CodeBanque");
    type(banque, "3a00.061");
    EXPECT_EQ(banque->text(), "30006");
    pressKey(banque, Qt::Key_Backspace);
    EXPECT_EQ(banque->text(), "3000");
    type(field("Txt_NumCompte"), "0000157845z99");
    EXPECT_EQ(text("Txt_NumCompte"), "0000157845Z");

    auto* iban = field("Txt_Iban");
    type(iban, "fr7630006000011234567890189");
    EXPECT_EQ(iban->text(), kIbanGroupe);
    // Backspace after a group's blank takes the character before it; the cursor stays where
    // the user is typing.
    iban->setCursorPosition(5);  // after "FR76 "
    pressKey(iban, Qt::Key_Backspace);
    EXPECT_EQ(iban->text(), "FR73 0006 0000 1123 4567 8901 89");
    type(iban, "9");
    EXPECT_EQ(iban->text(), "FR79 3000 6000 0112 3456 7890 189");
    type(iban, "1");
    EXPECT_EQ(iban->text(), "FR79 1300 0600 0011 2345 6789 0189");

    // A faulty stored value is shown whole, to be seen and corrected, not cut.
    store::Record record(marques("Banque^30006123"));
    rib->ReadFromRecord(record, 1);
    EXPECT_EQ(banque->text(), "30006123");
}

TEST_F(RibTest, AFrenchIbanFillsAnEmptyRibAndARibWithItsOwnKeyAnEmptyIban) {
    type(field("Txt_Iban"), "FR1420041010050500013M02606");
    focusOn(ailleurs);
    EXPECT_EQ(QStringList({text("Txt_CodeBanque"), text("Txt_CodeGuichet"), text("Txt_NumCompte"),
                           text("Txt_CleRib")}),
              QStringList({"20041", "01005", "0500013M026", "06"}));
    for (auto [cle, iban] : {std::pair{"02", "FR70 3000 2005 5000 0015 7845 Z02"}, {"03", ""}}) {
        rib->Clear();
        type(field("Txt_CodeBanque"), "30002");
        type(field("Txt_CodeGuichet"), "00550");
        type(field("Txt_NumCompte"), "0000157845Z");
        type(field("Txt_CleRib"), cle);
        focusOn(ailleurs);
        EXPECT_EQ(text("Txt_Iban"), iban) << "key " << cle;
    }
}

TEST_F(RibTest, CheckTellsTheFirstFaultItselfAndFocusesItsField) {
    rib->Check();
    EXPECT_FALSE(rib->ErrorFlag()) << "an empty block";
    store::Record record = association();
    rib->ReadFromRecord(record, 15);
    for (auto [nom, valeur, message] : {std::tuple{"Txt_CleRib", "88", "La clé RIB ne correspond"},
                                        {"Txt_Bic", "AGRI", "Le BIC doit comporter 8 ou 11"},
                                        {"Txt_Ics", "FR73ZZZ123456", "L'ICS est incorrect"},
                                        {"Txt_Ics", "123456", ""}}) {  // a national identifier
        QLineEdit* champ = field(nom);
        const QString juste = champ->text();
        champ->setText(valeur);
        focusOn(ailleurs);
        if (*message)
            answers.expect(QString::fromUtf8(message), QMessageBox::Warning);
        rib->Check();
        settle();
        EXPECT_EQ(rib->ErrorFlag(), *message != 0) << nom;
        EXPECT_EQ(champ->hasFocus() && champ->selectedText() == valeur, *message != 0) << nom;
        champ->setText(juste);
    }
    field("Txt_Bic")->setText("AGRI");
    answers.expect("Le BIC");
    rib->Check();
    rib->Clear();
    EXPECT_FALSE(rib->ErrorFlag());
    EXPECT_EQ(text("Txt_Bic"), "");
}

TEST_F(RibTest, FocusEnteringFromOutsideIsSignalledOnce) {
    int entrees = 0;
    focusOn(ailleurs);
    QObject::connect(rib, &Composant_RIB::focusEntered, [&] { ++entrees; });
    focusOn(field("Txt_Banque"));
    focusOn(field("Txt_Iban"));
    EXPECT_EQ(entrees, 1);
    focusOn(ailleurs);
    focusOn(field("Txt_Bic"));
    EXPECT_EQ(entrees, 2);
}

}  // namespace
