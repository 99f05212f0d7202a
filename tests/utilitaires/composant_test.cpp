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
        (new QVBoxLayout(&window))->addWidget(cout = new QLineEdit(&window));
        showActive(&window);
    }
    Composant_Utilitaires& util = Composant_Utilitaires::Instance();
    QWidget window;
    QLineEdit* cout = nullptr;
};

TEST_F(UtilitairesTest, AmountKeyFilterGivesOneCommaAndDigitsOnly) {
    // As a cost field does: Backspace and Enter are its own, the rest goes to the filter.
    toolkit::OnKeyPress(cout, [this](int& key) {
        if (key != 8 && key != 13)
            util.FiltreToucheMontant(key, cout);
    });
    type(cout, "12.5a,3-");
    EXPECT_EQ(cout->text(), "12,53");
    pressKey(cout, Qt::Key_Backspace);
    EXPECT_EQ(cout->text(), "12,5");
    cout->setSelection(2, 2);  // ",5": a comma replacing a selected one is typed
    type(cout, ".7");
    EXPECT_EQ(cout->text(), "12,7");
}

TEST_F(UtilitairesTest, FormatZoneRewritesTheFieldOrKeepsWhatItCannotFormat) {
    int changes = 0;
    QObject::connect(cout, &QLineEdit::textChanged, [&] { ++changes; });
    for (auto [texte, formate, ok] : {std::tuple{"12,5", "12,50", true},
                                      {"12,50", "12,50", true},
                                      {"", "", true},
                                      {"12345,678", "12345,68", false},
                                      {"1,2,3", "1,2,3", false}}) {
        cout->setText(texte);
        changes = 0;
        EXPECT_EQ(util.FormatZone(cout, 3, 2), ok) << texte;
        EXPECT_EQ(cout->text(), formate) << texte;
        EXPECT_EQ(changes, cout->text() == texte ? 0 : 1) << "no Change event for nothing";
    }
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
