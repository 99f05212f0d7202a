#include "tests/activities/activities_fixture.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QComboBox>
#include <QDir>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTableWidget>
#include <QTimer>

#include "platform/components/droits/composant_droits.h"
#include "platform/components/utilitaires/composant_utilitaires.h"
#include "platform/toolkit/qtext.h"
#include "store/layout/association.h"
#include "store/variables.h"

void ActivitiesTest::TearDown() {
    window_.reset();
    CtrAssociationTest::TearDown();
}

void ActivitiesTest::open(const char* code, const char* user) {
    start(user);
    reopen(code, user);
}

void ActivitiesTest::reopen(const char* code, const char* user) {
    window_.reset();
    store::Variables::Get().codeAssociation = code;
    window_ = std::make_unique<Frm_Activite>(window());
    window_->DroitsUtilisateur(std::make_shared<Composant_Droits>(db, user));
    window_->Init();
    window_->Entite(QString::fromLatin1(code),
                    toolkit::toQ(association(code).Value(store::layout::association::kSigle)));
    showActive(window_.get());
    settle();
}

QString ActivitiesTest::showing(const char* name) const {
    QWidget* widget = a(name);
    if (auto* edit = qobject_cast<QLineEdit*>(widget))
        return edit->text();
    if (auto* combo = qobject_cast<QComboBox*>(widget))
        return combo->currentText();
    if (auto* label = qobject_cast<QLabel*>(widget))
        return label->text();
    auto* button = qobject_cast<QAbstractButton*>(widget);
    return button && button->isChecked() ? QStringLiteral("1") : QStringLiteral("0");
}

namespace {
// "name=value" as its two sides.
std::pair<std::string, std::string> sides(const char* item) {
    const std::string text(item);
    const size_t equal = text.find('=');
    return {text.substr(0, equal), text.substr(equal + 1)};
}
}  // namespace

void ActivitiesTest::expectShowing(const std::vector<const char*>& nameIsValue) {
    for (const char* item : nameIsValue) {
        const auto [name, value] = sides(item);
        EXPECT_EQ(showing(name.c_str()), QString::fromStdString(value)) << name;
    }
}

void ActivitiesTest::expectUsable(std::initializer_list<const char*> names, bool enabled) {
    for (const char* name : names)
        EXPECT_EQ(a(name)->isEnabled(), enabled) << name;
}

void ActivitiesTest::backToWindow() {
    if (!window_ || QApplication::activeWindow() == window_.get())
        return;
    window_->activateWindow();
    QApplication::setActiveWindow(window_.get());
    EXPECT_TRUE(QTest::qWaitForWindowActive(window_.get()));
}

void ActivitiesTest::moveTo(const char* name) {
    backToWindow();
    focusOn(a(name));
}

void ActivitiesTest::typeIn(const char* name, const QString& text) {
    moveTo(name);
    type(a(name), text);
}

QString ActivitiesTest::focused() const {
    QWidget* focus = window_->focusWidget();
    return focus ? focus->objectName() : QString();
}

void ActivitiesTest::typeCode(const QString& code) {
    typeIn("Txt_CodActivite", code);
    pressEnter(a("Txt_CodActivite"));
    settle();
}

void ActivitiesTest::retypeIn(const char* name, const QString& text) {
    QWidget* field = a(name);
    moveTo(name);
    QTest::keyClick(field, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(field, Qt::Key_Delete);
    type(field, text);
}

void ActivitiesTest::press(const char* name) {
    backToWindow();
    click(a(name));
    settle();
}

void ActivitiesTest::pressAnswering(const char* name, const QString& message,
                                    QMessageBox::Icon icon, toolkit::Answer answer) {
    answers.expect(message, icon, answer);
    press(name);
    EXPECT_TRUE(answers.done()) << name;
}

void ActivitiesTest::pick(const char* name, int row) {
    auto* combo = a<QComboBox>(name);
    QAbstractItemView* view = combo->view();
    moveTo(name);
    pressKey(combo, Qt::Key_F4);
    ASSERT_TRUE(view->isVisible()) << "the list did not open";
    const QRect item = view->visualRect(view->model()->index(row, 0));
    QTest::mouseMove(view->viewport(), item.center());
    QTest::mouseClick(view->viewport(), Qt::LeftButton, Qt::NoModifier, item.center());
    settle();
}

void ActivitiesTest::startCreation(const QString& type, bool associationBank) {
    answers.expectInput("Veuillez préciser le type d'activité que vous désirez ajouter :", type)
        .expect(
            "L'adresse bancaire de l'activité est-elle identique à celle de l'entité "
            "juridique ?",
            QMessageBox::Question, associationBank ? toolkit::Answer::Yes : toolkit::Answer::No);
    press("Cmd_Ajouter");
    EXPECT_TRUE(answers.done());
}

void ActivitiesTest::fillRequired(const QString& name, const QString& section,
                                  const QString& service, const QString& vat) {
    retypeIn("Txt_LibActivite", name);
    retypeIn("Txt_SectAnalActiv", section);
    if (a("Txt_ServiceActiv")->isEnabled())
        retypeIn("Txt_ServiceActiv", service);
    retypeIn("Txt_CodeTVA", vat);
}

QStringList ActivitiesTest::rows(const char* list) const {
    QStringList entries;
    auto* l = a<QListWidget>(list);
    for (int i = 0; i < l->count(); ++i)
        entries << l->item(i)->text();
    return entries;
}

void ActivitiesTest::clickRow(const char* list, int row, bool twice) {
    backToWindow();
    auto* l = a<QListWidget>(list);
    l->scrollToItem(l->item(row));
    const QPoint at = l->visualItemRect(l->item(row)).center();
    QTest::mouseClick(l->viewport(), Qt::LeftButton, Qt::NoModifier, at);
    if (twice)
        QTest::mouseDClick(l->viewport(), Qt::LeftButton, Qt::NoModifier, at);
    settle();
}

void ActivitiesTest::addCostLine(const QString& date, const QString& cost, const QString& majorated,
                                 int kind) {
    press("Cmd_AjoutCout");
    typeIn("Txt_Date", date);
    typeIn("Txt_Cout", cost);
    if (!majorated.isEmpty())
        typeIn("Txt_CoutMajore", majorated);
    pick("Cbo_Type", kind);
    press("Cmd_OkCout");
}

void ActivitiesTest::expectActivity(const std::string& id,
                                    std::initializer_list<const char*> attributeIsValue) {
    const store::Record r = activity(id);
    for (const char* item : attributeIsValue) {
        const auto [position, value] = sides(item);
        const size_t dot = position.find('.');
        const int attribute = std::stoi(position);
        const std::string actual = dot == std::string::npos
                                       ? r.Value(attribute)
                                       : r.Value(attribute, std::stoi(position.substr(dot + 1)));
        EXPECT_EQ(actual, value) << id << " at " << position;
    }
}

std::string ActivitiesTest::day(const char* date) {
    return toolkit::fromQ(
        Composant_Utilitaires::Instance().DateVersJour(QString::fromLatin1(date)));
}

QString ActivitiesTest::capture(const QString& name, const QString& activite,
                                const QString& table) {
    const QString png = QDir::temp().filePath("activites-capture-test.png");
    QString error;
    const bool written = window()->screenshot(png, "001", -1, error, name, {}, activite, table);
    const bool file = QFile::exists(png), image = !QImage(png).isNull();
    QFile::remove(png);
    if (written)
        return image ? QString() : QStringLiteral("no image");
    return file ? error + " (a file all the same)" : error;
}
