// The bank-details widget as a screen embeds it: typed into, read from and written to records,
// checked with its own messages.
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

#include "platform/components/rib/composant_rib.h"
#include "store/record.h"
#include "tests/support/gui_test.h"

namespace {

// A record whose attributes are the given texts, in order from 1.
store::Record enregistrement(std::initializer_list<std::string> attributs) {
    std::string texte;
    bool premier = true;
    for (const auto& a : attributs) {
        if (!premier)
            texte += '\xFE';
        texte += a;
        premier = false;
    }
    return store::Record(texte);
}

// An association: bank block from attribute 15, with 23 attributes in all.
store::Record association() {
    return enregistrement({"001",
                           "ADMR",
                           "",
                           "",
                           "",
                           "",
                           "",
                           "",
                           "",
                           "",
                           "",
                           "",
                           "",
                           "x",
                           "Crédit Agricole\xFD"
                           "Agence de Rennes",
                           "30006",
                           "00001",
                           "12345678901",
                           "89",
                           "FR7630006000011234567890189",
                           "AGRIFRPP",
                           "FR72ZZZ123456",
                           "apres"});
}

class RibTest : public GuiTest {
  protected:
    void SetUp() override {
        auto* layout = new QVBoxLayout(&window);
        rib = new Composant_RIB(&window);
        rib->setObjectName("Ctr_RIB");
        ok = new QLineEdit(&window);
        layout->addWidget(rib);
        layout->addWidget(ok);
        showActive(&window);
    }
    QLineEdit* field(const char* name) { return child<QLineEdit>(rib, name); }
    QString text(const char* name) { return field(name)->text(); }

    QWidget window;
    Composant_RIB* rib = nullptr;
    QLineEdit* ok = nullptr;
};

TEST_F(RibTest, FrenchCaptionsBesideTheirFields) {
    QStringList captions;
    for (auto* label : rib->findChildren<QLabel*>()) {
        if (label->buddy())
            captions << label->text();
    }
    for (const char* caption : {"Banque", "Domiciliation", "Code banque", "Code guichet",
                                "N° de compte", "Clé RIB", "IBAN", "BIC", "ICS"}) {
        EXPECT_TRUE(captions.contains(QString::fromUtf8(caption))) << caption;
    }
    EXPECT_LT(field("Txt_CodeBanque")->width(), field("Txt_NumCompte")->width());
    EXPECT_LT(field("Txt_NumCompte")->width(), field("Txt_Iban")->width());
}

TEST_F(RibTest, ReadsTheBlockAndWritesTheSameTextBack) {
    store::Record record = association();
    const std::string lu = record.Text();
    EXPECT_EQ(rib->ReadFromRecord(record, 15), "FR76 3000 6000 0112 3456 7890 189");
    EXPECT_EQ(text("Txt_Banque"), QStringLiteral("Crédit Agricole"));
    EXPECT_EQ(text("Txt_Domiciliation"), "Agence de Rennes");
    EXPECT_EQ(text("Txt_NumCompte"), "12345678901");
    EXPECT_EQ(text("Txt_Iban"), "FR76 3000 6000 0112 3456 7890 189");
    EXPECT_EQ(text("Txt_Ics"), "FR72ZZZ123456");
    EXPECT_FALSE(rib->Differs(record, 15));
    EXPECT_EQ(rib->WriteToRecord(record, 15), "FR76 3000 6000 0112 3456 7890 189");
    EXPECT_EQ(record.Text(), lu) << "nothing changed, nothing written differently";
}

TEST_F(RibTest, WritesAllEightAttributesFromAnyFirstAttribute) {
    store::Record record = association();
    rib->ReadFromRecord(record, 15);
    store::Record activite = enregistrement({"001001", "AIDE"});
    ASSERT_TRUE(rib->Differs(activite, 3));
    rib->WriteToRecord(activite, 3);
    EXPECT_EQ(activite.Value(3, 1), "Crédit Agricole");
    EXPECT_EQ(activite.Value(3, 2), "Agence de Rennes");
    EXPECT_EQ(activite.Value(4), "30006");
    EXPECT_EQ(activite.Value(8), "FR7630006000011234567890189") << "IBAN without blanks";
    EXPECT_EQ(activite.Value(9), "AGRIFRPP");
    EXPECT_EQ(activite.Value(10), "FR72ZZZ123456") << "the ICS last";
    EXPECT_EQ(activite.Value(1), "001001");
    EXPECT_FALSE(rib->Differs(activite, 3));
}

TEST_F(RibTest, EmptyDetailsAddNothingToAShortRecord) {
    store::Record record = enregistrement({"001", "ADMR"});
    EXPECT_FALSE(rib->Differs(record, 15));
    EXPECT_EQ(rib->WriteToRecord(record, 15), "");
    EXPECT_EQ(record.Text(),
              "001\xFE"
              "ADMR");
    // A bank name alone keeps its single value: no empty domiciliation is added.
    type(field("Txt_Banque"), "La Poste");
    rib->WriteToRecord(record, 3);
    EXPECT_EQ(record.Value(3), "La Poste");
    EXPECT_EQ(record.DCount(), 3);
}

TEST_F(RibTest, TypingChangesWhatDiffersAndWhatIsWritten) {
    store::Record record = association();
    rib->ReadFromRecord(record, 15);
    auto* ics = field("Txt_Ics");
    focusOn(ics);
    ics->selectAll();
    type(ics, "fr72abc123456");
    EXPECT_EQ(ics->text(), "FR72ABC123456") << "letters typed in upper case";
    EXPECT_TRUE(rib->Differs(record, 15));
    rib->WriteToRecord(record, 15);
    EXPECT_EQ(record.Value(22), "FR72ABC123456");
    EXPECT_EQ(record.Value(23), "apres");
}

TEST_F(RibTest, CodeFieldsTakeTheirDigitsOnly) {
    auto* banque = field("Txt_CodeBanque");
    type(banque, "3a00.061");
    EXPECT_EQ(banque->text(), "30006");
    pressKey(banque, Qt::Key_Backspace);
    EXPECT_EQ(banque->text(), "3000");
    auto* compte = field("Txt_NumCompte");
    type(compte, "0000157845z99");
    EXPECT_EQ(compte->text(), "0000157845Z");
    // A faulty stored value is shown whole, to be seen and corrected, not cut.
    store::Record record = enregistrement({"Banque", "30006123"});
    rib->ReadFromRecord(record, 1);
    EXPECT_EQ(banque->text(), "30006123");
}

TEST_F(RibTest, IbanShowsInBlocksOfFourWhileTyped) {
    auto* iban = field("Txt_Iban");
    type(iban, "fr7630006000011234567890189");
    EXPECT_EQ(iban->text(), "FR76 3000 6000 0112 3456 7890 189");
    // Backspace after a group's blank takes the character before it; the cursor stays where
    // the user is typing.
    iban->setCursorPosition(5);  // after "FR76 "
    pressKey(iban, Qt::Key_Backspace);
    EXPECT_EQ(iban->text(), "FR73 0006 0000 1123 4567 8901 89");
    type(iban, "9");
    EXPECT_EQ(iban->text(), "FR79 3000 6000 0112 3456 7890 189");
    type(iban, "1");
    EXPECT_EQ(iban->text(), "FR79 1300 0600 0011 2345 6789 0189");
}

TEST_F(RibTest, AFrenchIbanFillsAnEmptyRibAndARibFillsAnEmptyIban) {
    type(field("Txt_Iban"), "FR1420041010050500013M02606");
    focusOn(ok);
    EXPECT_EQ(text("Txt_CodeBanque"), "20041");
    EXPECT_EQ(text("Txt_CodeGuichet"), "01005");
    EXPECT_EQ(text("Txt_NumCompte"), "0500013M026");
    EXPECT_EQ(text("Txt_CleRib"), "06");

    rib->Clear();
    type(field("Txt_CodeBanque"), "30002");
    type(field("Txt_CodeGuichet"), "00550");
    type(field("Txt_NumCompte"), "0000157845Z");
    type(field("Txt_CleRib"), "02");
    focusOn(ok);
    EXPECT_EQ(text("Txt_Iban"), "FR70 3000 2005 5000 0015 7845 Z02");

    rib->Clear();
    type(field("Txt_CodeBanque"), "30002");
    type(field("Txt_CodeGuichet"), "00550");
    type(field("Txt_NumCompte"), "0000157845Z");
    type(field("Txt_CleRib"), "03");
    focusOn(ok);
    EXPECT_EQ(text("Txt_Iban"), "") << "no IBAN made from a wrong key";
}

TEST_F(RibTest, CheckTellsTheFirstFaultAndFocusesItsField) {
    store::Record record = association();
    rib->ReadFromRecord(record, 15);
    auto* cle = field("Txt_CleRib");
    cle->setText("88");
    focusOn(ok);
    answers.expect("La clé RIB ne correspond pas", QMessageBox::Warning);
    rib->Check();
    settle();
    EXPECT_TRUE(rib->ErrorFlag());
    EXPECT_TRUE(cle->hasFocus());
    EXPECT_EQ(cle->selectedText(), "88");

    cle->setText("89");
    field("Txt_Bic")->setText("AGRI");
    answers.expect("Le BIC doit comporter 8 ou 11");
    rib->Check();
    settle();
    EXPECT_TRUE(rib->ErrorFlag());
    EXPECT_TRUE(field("Txt_Bic")->hasFocus());

    field("Txt_Bic")->setText("AGRIFRPP");
    rib->Check();
    EXPECT_FALSE(rib->ErrorFlag()) << "no message for valid details";
}

TEST_F(RibTest, CheckRefusesABadIcsAndAcceptsEmptyOrNationalOnes) {
    rib->Check();
    EXPECT_FALSE(rib->ErrorFlag()) << "an empty block";
    auto* ics = field("Txt_Ics");
    ics->setText("123456");
    rib->Check();
    EXPECT_FALSE(rib->ErrorFlag());
    ics->setText("FR73ZZZ123456");
    answers.expect("L'ICS est incorrect");
    rib->Check();
    EXPECT_TRUE(rib->ErrorFlag());
    rib->Clear();
    EXPECT_FALSE(rib->ErrorFlag());
    EXPECT_EQ(ics->text(), "");
}

TEST_F(RibTest, FocusEnteringFromOutsideIsSignalledOnce) {
    int entrees = 0;
    focusOn(ok);
    QObject::connect(rib, &Composant_RIB::focusEntered, [&] { ++entrees; });
    focusOn(field("Txt_Banque"));
    focusOn(field("Txt_Iban"));
    EXPECT_EQ(entrees, 1);
    focusOn(ok);
    focusOn(field("Txt_Bic"));
    EXPECT_EQ(entrees, 2);
}

}  // namespace
