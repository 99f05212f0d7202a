// The address widget as the association and establishment screens use it: a block of eleven
// attributes read, typed over, compared and written back, with the commune offer of postal codes.
#include <QAbstractItemView>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

#include "platform/components/adresse/composant_adresse.h"
#include "store/record.h"
#include "tests/support/gui_test.h"

namespace {

const char* const kAdresse[] = {
    "12 RUE DES LILAS", "RESIDENCE LES PINS", "BP 42",          "49000", "CEDEX 01", "ANGERS", "",
    "02 41 11 22 33",   "06 11 22 33 44",     "02 41 11 22 34", "49007"};

class AdresseTest : public GuiTest {
  protected:
    void SetUp() override {
        auto* layout = new QVBoxLayout(&window);
        layout->addWidget(adresse = new Composant_Adresse(&window));
        layout->addWidget(other = new QLineEdit(&window));
        adresse->SetSettings(false, true, false);
        adresse->Initialise();
        showActive(&window);
    }

    QLineEdit* field(const char* name) { return child<QLineEdit>(adresse, name); }
    QComboBox* commune() { return child<QComboBox>(adresse, "Cbo_Commune"); }
    QString insee() { return child<QLabel>(adresse, "Etq_CodeInsee")->text(); }
    // Every field's text in the order of the screen, the commune's included.
    QString shown() {
        QStringList texts;
        for (QLineEdit* edit : adresse->findChildren<QLineEdit*>())
            texts << edit->text();
        return texts.join('|');
    }

    // A record holding the address from first, between neighbours that must survive.
    static store::Record recordWithAddress(int first) {
        store::Record r;
        r.SetValue(first - 1, "AVANT");
        for (int i = 0; i < 11; ++i)
            r.SetValue(first + i, kAdresse[i]);
        r.SetValue(first + 11, "APRES");
        return r;
    }
    // Leaves a field whose check must refuse it: the message, then the focus back.
    void leaveRefused(QLineEdit* field, const QString& message) {
        answers.expect(message, QMessageBox::Warning);
        focusOn(other);
        ASSERT_TRUE(answers.waitAnswered());
        settle();
        EXPECT_TRUE(field->hasFocus()) << "the focus comes back to " << message.toStdString();
    }

    QWidget window;
    Composant_Adresse* adresse = nullptr;
    QLineEdit* other = nullptr;
};

TEST_F(AdresseTest, RoundTripsTheBlockFromAnyFirstAttribute) {
    for (int first : {3, 36}) {
        store::Record source = recordWithAddress(first);
        source.SetValue(first, 2, "SECOND VALUE");  // not ours: must stay
        const std::string summary = adresse->ReadFromRecord(source, first);
        EXPECT_EQ(summary, "12 RUE DES LILAS, RESIDENCE LES PINS, BP 42, 49000 ANGERS CEDEX 01");
        EXPECT_EQ(shown(),
                  "12 RUE DES LILAS|RESIDENCE LES PINS|BP 42|49000|ANGERS|CEDEX 01||02 41 "
                  "11 22 33|06 11 22 33 44|02 41 11 22 34");
        EXPECT_TRUE(insee().contains("49007"));
        EXPECT_FALSE(adresse->Differs(source, first)) << "first attribute " << first;

        store::Record target;
        target.SetValue(first - 1, "AVANT");
        target.SetValue(first + 11, "APRES");
        adresse->WriteToRecord(target, first);
        EXPECT_EQ(target.Text(), recordWithAddress(first).Text()) << "first attribute " << first;
        adresse->WriteToRecord(source, first);
        EXPECT_EQ(source.Value(first, 2), "SECOND VALUE");
    }
    // A damaged value (bad UTF-8, a subvalue mark) left untouched is written back as it was.
    store::Record r = recordWithAddress(3);
    r.SetValue(4,
               "BAT \xC3 ESC\xFC"
               "2");
    const std::string before = r.Text();
    adresse->ReadFromRecord(r, 3);
    EXPECT_FALSE(adresse->Differs(r, 3));
    adresse->WriteToRecord(r, 3);
    EXPECT_EQ(r.Text(), before);
}

TEST_F(AdresseTest, DiffersFollowsWhatTheUserTypesAndClearEmptiesAll) {
    store::Record association = recordWithAddress(3);
    adresse->ReadFromRecord(association, 3);
    focusOn(field("Txt_Ligne2"));
    pressKey(field("Txt_Ligne2"), Qt::Key_End);
    QTest::keyClicks(field("Txt_Ligne2"), " BAT A");
    EXPECT_TRUE(adresse->Differs(association, 3));
    EXPECT_NE(adresse->WriteToRecord(association, 3).find("LES PINS BAT A"), std::string::npos);
    EXPECT_EQ(association.Value(4), "RESIDENCE LES PINS BAT A");
    EXPECT_FALSE(adresse->Differs(association, 3));
    // An establishment compares its screen with the association's block.
    store::Record establishment;
    EXPECT_TRUE(adresse->Differs(establishment, 3));

    adresse->Clear();
    EXPECT_EQ(shown(), "|||||||||");
    EXPECT_TRUE(insee().isEmpty());
    adresse->WriteToRecord(association, 3);
    EXPECT_EQ(association.Text(),
              "\xFE" + std::string("AVANT") + std::string(12, '\xFE') + "APRES");
}

TEST_F(AdresseTest, PostalCodeOffersItsCommunesAndTheChoiceGivesTheInseeCode) {
    type(field("Txt_Ligne1"), "3 PLACE DU RALLIEMENT");
    type(field("Txt_CodePostal"), "49000");
    settle();
    QComboBox* list = commune();
    ASSERT_TRUE(list->view()->isVisible()) << "the communes of 49000 are offered";
    const int angers = list->findText("ANGERS");
    ASSERT_GE(angers, 0);
    EXPECT_GE(list->findText("ECOUFLANT"), 0);
    const QRect rect = list->view()->visualRect(list->model()->index(angers, 0));
    QTest::mouseClick(list->view()->viewport(), Qt::LeftButton, {}, rect.center());
    settle();
    EXPECT_FALSE(list->view()->isVisible());
    EXPECT_EQ(list->currentText(), "ANGERS");
    EXPECT_TRUE(insee().contains("49007")) << insee().toStdString();

    store::Record r;
    adresse->WriteToRecord(r, 3);
    EXPECT_EQ(r.Value(6), "49000");
    EXPECT_EQ(r.Value(8), "ANGERS");
    EXPECT_EQ(r.Value(13), "49007");

    // Retyping the commune by hand drops a code that no longer belongs to it.
    list->lineEdit()->clear();
    type(list->lineEdit(), "TRELAZE");
    EXPECT_TRUE(insee().isEmpty());
    adresse->WriteToRecord(r, 3);
    EXPECT_EQ(r.Value(13), "");

    // A postal code of one commune fills it at once.
    field("Txt_CodePostal")->clear();
    type(field("Txt_CodePostal"), "75001");
    settle();
    EXPECT_FALSE(list->view()->isVisible());
    EXPECT_EQ(list->currentText(), "PARIS");
    EXPECT_EQ(adresse->codeInsee(), "75101");
}

TEST_F(AdresseTest, TelephonesAndPostalCodesAreCheckedWhenLeft) {
    QLineEdit* tel = field("Txt_Telephone");
    type(tel, "0241.12x34.56");
    EXPECT_EQ(tel->text(), "0241 1234 56") << "letters swallowed, dots typed as blanks";
    focusOn(other);
    EXPECT_EQ(tel->text(), "02 41 12 34 56");
    QLineEdit* mobile = field("Txt_Portable");
    type(mobile, "+33612345678");
    focusOn(other);
    EXPECT_EQ(mobile->text(), "06 12 34 56 78");

    QLineEdit* fax = field("Txt_Telecopie");
    type(fax, "0241");
    leaveRefused(fax, QString::fromUtf8("Le numéro « 0241 » n'est pas un numéro de téléphone "
                                        "français : saisissez ses 10 chiffres"));
    EXPECT_EQ(fax->text(), "0241") << "what was typed is kept for correction";
    fax->clear();

    QLineEdit* cp = field("Txt_CodePostal");
    type(cp, "49a1");
    EXPECT_EQ(cp->text(), "491");
    leaveRefused(cp, QString::fromUtf8("Le code postal « 491 » doit comporter 5 chiffres."));
}

TEST_F(AdresseTest, SettingsGiveConsultationAndForeignAddresses) {
    store::Record r = recordWithAddress(3);
    adresse->SetSettings(true, true, false);
    adresse->ReadFromRecord(r, 3);
    type(field("Txt_Ligne1"), "XX");
    EXPECT_EQ(field("Txt_Ligne1")->text(), "12 RUE DES LILAS");
    EXPECT_FALSE(field("Txt_Pays")->isEnabled());
    EXPECT_FALSE(adresse->Differs(r, 3));

    adresse->SetSettings(false, true, true);
    adresse->Clear();
    EXPECT_TRUE(field("Txt_Pays")->isEnabled());
    type(field("Txt_Pays"), "BELGIQUE");
    type(field("Txt_CodePostal"), "b-1000");
    EXPECT_EQ(field("Txt_CodePostal")->text(), "B-1000");
    settle();
    EXPECT_FALSE(commune()->view()->isVisible()) << "no French communes for a foreign address";
    type(field("Txt_Telephone"), "+3225551234");
    focusOn(other);
    EXPECT_EQ(field("Txt_Telephone")->text(), "+3225551234");
    adresse->Clear();
    EXPECT_EQ(shown(), "|||||||||") << "the country too";
}

}  // namespace
