#include "tests/establishments/etablissement_fixture.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QComboBox>
#include <QMenu>
#include <QPushButton>
#include <QTabBar>
#include <QTabWidget>
#include <QTableWidget>
#include <QTimer>

#include "platform/components/droits/composant_droits.h"
#include "platform/engine/dynarray.h"
#include "store/variables.h"

void EtablissementTest::TearDown() {
    // A child of the host window: gone before it.
    win_.reset();
    CtrAssociationTest::TearDown();
}

void EtablissementTest::open(const char* code, const char* user) {
    start(user);
    CtrAssociationTest::enterCode(QString::fromLatin1(code));
    store::Variables::Get().codeAssociation = code;
    win_ = std::make_unique<Frm_Etablissement>(window());
    win_->DroitsUtilisateur(std::make_shared<Composant_Droits>(db, user));
    win_->Init();
    win_->Entite(QString::fromLatin1(code), CtrAssociationTest::text("Txt_SigleAssoc"));
    showActive(win_.get());
    settle();
}

void EtablissementTest::regainActivation() {
    if (!QApplication::activeWindow() && win_ && win_->isVisible())
        showActive(win_.get());
}

QString EtablissementTest::shown(const char* name) const {
    QWidget* widget = w(name);
    if (auto* edit = qobject_cast<QLineEdit*>(widget))
        return edit->text();
    if (auto* combo = qobject_cast<QComboBox*>(widget))
        return combo->currentText();
    auto* button = qobject_cast<QAbstractButton*>(widget);
    return button && button->isChecked() ? QStringLiteral("1") : QStringLiteral("0");
}

void EtablissementTest::expectShown(std::initializer_list<const char*> nameIsValue) {
    for (const char* item : nameIsValue) {
        const QString pair = QString::fromUtf8(item);
        const qsizetype equal = pair.indexOf(QLatin1Char('='));
        EXPECT_EQ(shown(pair.left(equal).toLatin1().constData()), pair.mid(equal + 1)) << item;
    }
}

void EtablissementTest::expectEnabled(std::initializer_list<const char*> names, bool enabled) {
    for (const char* name : names)
        EXPECT_EQ(w(name)->isEnabled(), enabled) << name;
}

QString EtablissementTest::focusName() const {
    QWidget* focus = win_->focusWidget();
    return focus ? focus->objectName() : QString();
}

int EtablissementTest::tab() const {
    return w<QTabWidget>("Ong_Etabl")->currentIndex();
}

void EtablissementTest::enterCode(const QString& code) {
    regainActivation();
    type(field("Txt_CodeEtabl"), code);
    pressEnter(field("Txt_CodeEtabl"));
    settle();
}

void EtablissementTest::lookUpSigle(const QString& text) {
    regainActivation();
    auto* combo = w<QComboBox>("Cbo_SigleEtabl");
    focusOn(combo);
    QTest::keyClick(combo, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(combo, Qt::Key_Backspace);
    type(combo, text);
    pressEnter(combo);
    settle();
}

void EtablissementTest::choose(const char* name, int row) {
    regainActivation();
    auto* combo = w<QComboBox>(name);
    QAbstractItemView* view = combo->view();
    focusOn(combo);
    pressKey(combo, Qt::Key_F4);
    ASSERT_TRUE(view->isVisible()) << "the list did not open";
    const QRect item = view->visualRect(view->model()->index(row, 0));
    QTest::mouseMove(view->viewport(), item.center());
    QTest::mouseClick(view->viewport(), Qt::LeftButton, Qt::NoModifier, item.center());
    settle();
}

void EtablissementTest::showTab(int index) {
    regainActivation();
    QTabBar* bar = w<QTabWidget>("Ong_Etabl")->tabBar();
    QTest::mouseClick(bar, Qt::LeftButton, Qt::NoModifier, bar->tabRect(index).center());
    settle();
}

void EtablissementTest::retype(const char* name, const QString& text) {
    regainActivation();
    focusOn(field(name));
    QTest::keyClick(field(name), Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(field(name), Qt::Key_Delete);
    type(field(name), text);
}

void EtablissementTest::clickButton(const char* name) {
    regainActivation();
    click(w(name));
    settle();
}

void EtablissementTest::clickAnswering(const char* name, const QString& message,
                                       QMessageBox::Icon icon, toolkit::Answer answer) {
    answers.expect(message, icon, answer);
    clickButton(name);
    EXPECT_TRUE(answers.done()) << name;
}

void EtablissementTest::add(toolkit::Answer sameAddress) {
    clickAnswering("Cmd_Ajouter",
                   "L'adresse de l'établissement qui va être créé est-elle identique à celle de "
                   "l'entité juridique ?",
                   QMessageBox::Question, sameAddress);
}

void EtablissementTest::expectBackToSearch() {
    EXPECT_EQ(win()->mode(), 0);
    expectShown({"Txt_CodeEtabl=", "Txt_SigleEtabl=", "Txt_RaisonEtabl=", "Txt_SiretEtabl="});
    expectEnabled({"Txt_CodeEtabl", "Cmd_Ajouter", "Cmd_Sortir"}, true);
    expectEnabled({"Txt_RaisonEtabl", "Ong_Etabl", "Cmd_Ok", "Cmd_Annuler"}, false);
    EXPECT_TRUE(w("Cbo_SigleEtabl")->isVisible());
    EXPECT_EQ(focusName(), "Txt_CodeEtabl");
}

QStringList EtablissementTest::history() {
    regainActivation();
    QTabBar* bar = w<QTabWidget>("Ong_Etabl")->tabBar();
    QTest::mouseClick(bar, Qt::RightButton, Qt::NoModifier, bar->tabRect(0).center());
    settle();
    auto* menu = win_->findChild<QMenu*>("Mnu_Aide");
    EXPECT_TRUE(menu && menu->isVisible());
    return menu && menu->isVisible() ? CtrAssociationTest::history(menu) : QStringList();
}

void EtablissementTest::expectStored(const std::string& id,
                                     std::initializer_list<const char*> attributeIsValue) {
    const std::string text = etab(id);
    for (const char* item : attributeIsValue) {
        const std::string pair(item);
        const size_t equal = pair.find('=');
        const size_t dot = pair.find('.');
        const int attribute = std::stoi(pair.substr(0, equal));
        const std::string actual =
            dot < equal ? mv::extract(text, attribute, std::stoi(pair.substr(dot + 1)))
                        : mv::extract(text, attribute);
        EXPECT_EQ(actual, pair.substr(equal + 1)) << id << " at " << pair.substr(0, equal);
    }
}

std::string EtablissementTest::with(const std::string& id, int attribute, int value,
                                    const std::string& text) {
    std::string record = etab(id);
    mv::replace(record, attribute, value, text);
    return record;
}
