// The utility component as the screens use it: on real fields, through typed keys.
#include <QLineEdit>
#include <QVBoxLayout>

#include "platform/components/utilitaires/composant_utilitaires.h"
#include "platform/toolkit/events.h"
#include "tests/support/gui_test.h"

namespace {

class UtilitairesTest : public GuiTest {
  protected:
    void SetUp() override {
        auto* layout = new QVBoxLayout(&window);
        cout = new QLineEdit(&window);
        cout->setObjectName("Txt_Cout");
        autre = new QLineEdit(&window);
        layout->addWidget(cout);
        layout->addWidget(autre);
        showActive(&window);
        // As a cost field does: Backspace and Enter are its own, the rest goes to the filter.
        toolkit::OnKeyPress(cout, [this](int& key) {
            if (key != 8 && key != 13)
                util.FiltreToucheMontant(key, cout);
        });
    }
    Composant_Utilitaires& util = Composant_Utilitaires::Instance();
    QWidget window;
    QLineEdit* cout = nullptr;
    QLineEdit* autre = nullptr;
};

TEST_F(UtilitairesTest, OneProcessWideObject) {
    EXPECT_EQ(&Composant_Utilitaires::Instance(), &util);
}

TEST_F(UtilitairesTest, AmountKeyFilterGivesOneCommaAndDigitsOnly) {
    type(cout, "12.5a,3-");
    EXPECT_EQ(cout->text(), "12,53");
    pressKey(cout, Qt::Key_Backspace);
    EXPECT_EQ(cout->text(), "12,5");
}

TEST_F(UtilitairesTest, AmountKeyFilterLetsACommaReplaceASelectedOne) {
    type(cout, "12,5");
    cout->setSelection(2, 2);  // ",5"
    type(cout, ".7");
    EXPECT_EQ(cout->text(), "12,7");
}

TEST_F(UtilitairesTest, FormatZoneRewritesTheField) {
    cout->setText("12,5");
    EXPECT_TRUE(util.FormatZone(cout, 3, 2));
    EXPECT_EQ(cout->text(), "12,50");
    cout->setText("");
    EXPECT_TRUE(util.FormatZone(cout, 3, 2));
    EXPECT_EQ(cout->text(), "");
}

TEST_F(UtilitairesTest, FormatZoneKeepsWhatItCannotFormatAndSaysSo) {
    cout->setText("12345,678");
    EXPECT_FALSE(util.FormatZone(cout, 3, 2));
    EXPECT_EQ(cout->text(), "12345,68") << "every integer digit kept";
    cout->setText("1,2,3");
    EXPECT_FALSE(util.FormatZone(cout, 3, 2));
    EXPECT_EQ(cout->text(), "1,2,3");
}

TEST_F(UtilitairesTest, FormatZoneDoesNotFireChangeWhenNothingChanges) {
    cout->setText("12,50");
    int changes = 0;
    QObject::connect(cout, &QLineEdit::textChanged, [&] { ++changes; });
    util.FormatZone(cout, 3, 2);
    EXPECT_EQ(changes, 0);
}

TEST_F(UtilitairesTest, TextWithAccentsComesBackWhole) {
    bool echec = false;
    EXPECT_EQ(util.NormaliserDate(QStringLiteral("été"), echec), QStringLiteral("été"));
    EXPECT_TRUE(echec);
    EXPECT_EQ(util.FormatNombre(QStringLiteral("douze €"), 4, 2), QStringLiteral("douze €"));
    bool ok = true;
    EXPECT_EQ(util.MontantVersCentimes(QStringLiteral("vingt"), &ok), "");
    EXPECT_FALSE(ok);
}

}  // namespace
