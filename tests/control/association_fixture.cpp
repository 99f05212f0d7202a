#include "tests/control/association_fixture.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTabBar>
#include <QTabWidget>
#include <QTableWidget>

#include "platform/engine/dynarray.h"
#include "platform/toolkit/qtext.h"
#include "store/variables.h"

namespace {

std::pair<std::string, std::string> split(std::string_view item) {
    const size_t equal = item.find('=');
    return {std::string(item.substr(0, equal)), std::string(item.substr(equal + 1))};
}

}  // namespace

std::string recordOf(std::initializer_list<std::string> attributes) {
    std::string text;
    for (const std::string& item : attributes) {
        const auto [attribute, values] = split(item);
        int value = 1;
        for (size_t from = 0, end = 0; end != std::string::npos; from = end + 1, ++value) {
            end = values.find(';', from);
            mv::replace(text, std::stoi(attribute), value, values.substr(from, end - from));
        }
    }
    return text;
}

void CtrAssociationTest::SetUp() {
    ASSERT_TRUE(dir_.isValid());
    db = store::OpenLocalDatabase(toolkit::fromQ(dir_.filePath(QStringLiteral("demo.mvdb"))));
    seed::LoadDemo(*db, toolkit::fromQ(dir_.filePath(QStringLiteral("modeles"))));
    window_ = std::make_unique<MainWindow>();
}

void CtrAssociationTest::TearDown() {
    GuiTest::TearDown();
    if (otherWindow_) {
        swapWorkstations();
        if (window_->isVisible())
            screen()->Fermeture();
        window_.reset();
        swapWorkstations();
    }
    // A test that left the window open still releases the shared objects.
    if (window_ && window_->isVisible())
        screen()->Fermeture();
    window_.reset();
    store::Variables::Get().database.reset();
    store::Variables::Get().client.reset();
}

void CtrAssociationTest::swapWorkstations() {
    std::swap(window_, otherWindow_);
    std::swap(store::Variables::Get(), *otherVariables_);
}

void CtrAssociationTest::asOtherWorkstation(const std::function<void()>& act, const char* user) {
    const bool first = !otherWindow_;
    if (first) {
        otherDb = store::OpenLocalDatabase(db->Path());
        otherWindow_ = std::make_unique<MainWindow>();
        otherVariables_ = std::make_unique<store::Variables>();
    }
    swapWorkstations();
    if (first)
        window_->start(otherDb, QString::fromLatin1(user));
    showActive(window_.get());
    settle();
    act();
    swapWorkstations();
    if (window_->isVisible())
        showActive(window_.get());
    settle();
}

std::string CtrAssociationTest::storeAt(const std::string& id, int attribute,
                                        const std::string& value) {
    std::string text = stored("ASSOCIATION", id);
    mv::replace(text, attribute, value);
    writeRecord("ASSOCIATION", id, text);
    return text;
}

void CtrAssociationTest::keepOnly(const std::string& id) {
    const store::Record all = db->Select("SSELECT ASSOCIATION", "ASSOCIATION", "0");
    for (int row = 1; row <= all.DCount(); ++row) {
        if (all.Value(row) != id)
            deleteRecord("ASSOCIATION", all.Value(row));
    }
}

void CtrAssociationTest::start(const char* user) {
    window_->start(db, QString::fromLatin1(user));
    showActive(window_.get());
    settle();
}

QString CtrAssociationTest::focusName() const {
    // The window's own focus: the window itself may wait for the window system after a message.
    QWidget* focus = window_->focusWidget();
    return focus ? focus->objectName() : QString();
}

QStringList CtrAssociationTest::items(const QComboBox* combo) {
    QStringList list;
    for (int i = 0; i < combo->count(); ++i)
        list << combo->itemText(i);
    return list;
}

QString CtrAssociationTest::shown(const char* name) const {
    QWidget* widget = w(name);
    if (auto* edit = qobject_cast<QLineEdit*>(widget))
        return edit->text();
    if (auto* combo = qobject_cast<QComboBox*>(widget))
        return combo->currentText();
    if (auto* label = qobject_cast<QLabel*>(widget))
        return label->text();
    auto* button = qobject_cast<QAbstractButton*>(widget);
    return button && button->isChecked() ? QStringLiteral("1") : QStringLiteral("0");
}

void CtrAssociationTest::expectShown(const std::vector<const char*>& nameIsValue) {
    for (const char* item : nameIsValue) {
        const auto [name, value] = split(item);
        const QString expected = QString::fromStdString(value);
        if (qobject_cast<QLabel*>(w(name.c_str())))
            EXPECT_TRUE(shown(name.c_str()).contains(expected)) << item;
        else
            EXPECT_EQ(shown(name.c_str()), expected) << name;
    }
}

void CtrAssociationTest::expectEnabled(std::initializer_list<const char*> names, bool enabled) {
    for (const char* name : names)
        EXPECT_EQ(w(name)->isEnabled(), enabled) << name;
}

void CtrAssociationTest::expectStored(const std::string& id,
                                      std::initializer_list<const char*> attributeIsValue) {
    const store::Record r = association(id);
    for (const char* item : attributeIsValue) {
        const auto [position, value] = split(item);
        const size_t dot = position.find('.');
        const int attribute = std::stoi(position);
        const std::string actual = dot == std::string::npos
                                       ? r.Value(attribute)
                                       : r.Value(attribute, std::stoi(position.substr(dot + 1)));
        EXPECT_EQ(actual, value) << id << " at " << position;
    }
}

void CtrAssociationTest::enterCode(const QString& code) {
    type(field("Txt_CodeAssoc"), code);
    pressEnter(field("Txt_CodeAssoc"));
    settle();
}

void CtrAssociationTest::lookUpSigle(const QString& text) {
    auto* combo = w<QComboBox>("Cbo_SigleAssoc");
    // What an earlier look-up left in the field is replaced.
    focusOn(combo);
    QTest::keyClick(combo, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(combo, Qt::Key_Backspace);
    type(combo, text);
    pressEnter(combo);
    settle();
}

void CtrAssociationTest::choose(const char* name, int row) {
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

void CtrAssociationTest::showTab(Tab tab) {
    QTabBar* bar = w<QTabWidget>("Ong_Assoc")->tabBar();
    QTest::mouseClick(bar, Qt::LeftButton, Qt::NoModifier, bar->tabRect(tab).center());
    settle();
}

void CtrAssociationTest::retype(const char* name, const QString& text) {
    focusOn(field(name));
    QTest::keyClick(field(name), Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(field(name), Qt::Key_Delete);
    type(field(name), text);
}

void CtrAssociationTest::tick(const char* name) {
    QWidget* box = w(name);
    QTest::mouseClick(box, Qt::LeftButton, Qt::NoModifier, QPoint(6, box->height() / 2));
    settle();
}

void CtrAssociationTest::typeIp(const QString& a, const QString& b, const QString& c,
                                const QString& d) {
    focusOn(field("Txt_AdrSvrCESU"));
    for (QChar ch : a + QLatin1Char('.') + b + QLatin1Char('.') + c + QLatin1Char('.') + d) {
        QTest::keyClick(QApplication::focusWidget(), ch.toLatin1());
        settle();
    }
}

void CtrAssociationTest::walkThroughEveryField() {
    auto* tabs = w<QTabWidget>("Ong_Assoc");
    auto reachable = [](QWidget* f) {
        return (f->focusPolicy() & Qt::TabFocus) && f->isVisible() && f->isEnabled() &&
               !qobject_cast<QAbstractButton*>(f) && !qobject_cast<QTabBar*>(f);
    };
    for (QWidget* f : {w("Txt_SigleAssoc"), w("Txt_RaisonAssoc")}) {
        if (reachable(f))
            focusOn(f);
    }
    for (int tab = 0; tab < tabs->count(); ++tab) {
        showTab(static_cast<Tab>(tab));
        for (QWidget* f : tabs->widget(tab)->findChildren<QWidget*>()) {
            if (reachable(f))
                focusOn(f);
        }
    }
    focusOn(w("Cmd_Sortir"));
}

void CtrAssociationTest::clickAnswering(const char* name, const QString& message,
                                        QMessageBox::Icon icon, toolkit::Answer answer) {
    answers.expect(message, icon, answer);
    clickButton(name);
    EXPECT_TRUE(answers.done()) << name;
}

void CtrAssociationTest::expectBackToSearch() {
    EXPECT_EQ(screen()->mode(), 0);
    expectShown({"Txt_CodeAssoc=", "Txt_RaisonAssoc="});
    expectEnabled({"Txt_CodeAssoc", "Cmd_Ajouter"}, true);
    expectEnabled({"Cmd_Annuler"}, false);
    EXPECT_TRUE(w("Cbo_SigleAssoc")->isVisible());
    EXPECT_EQ(focusName(), "Txt_CodeAssoc");
}

void CtrAssociationTest::leave(const char* name, const char* other, const QString& refusal,
                               bool held) {
    if (!refusal.isEmpty())
        answers.expect(refusal, QMessageBox::Warning);
    focusOn(w(other));
    if (!refusal.isEmpty()) {
        EXPECT_TRUE(answers.waitAnswered());
    }
    settle();
    EXPECT_TRUE(answers.done()) << name;
    EXPECT_EQ(focusName(), refusal.isEmpty() && !held ? other : name) << text(name).toStdString();
}

std::string CtrAssociationTest::stored(const char* file, const std::string& id) {
    return store::ReadSkippingErrors(db->OpenFile(file).get(), id).Text();
}

QMenu* CtrAssociationTest::rightClick(QWidget* where) {
    QTest::mouseClick(where, Qt::RightButton, Qt::NoModifier, QPoint(3, 3));
    settle();
    return qobject_cast<QMenu*>(QApplication::activePopupWidget());
}

QStringList CtrAssociationTest::history(QMenu* menu) {
    QAction* entry = menu ? menu->findChild<QAction*>("Mnu_Historique") : nullptr;
    EXPECT_TRUE(entry && entry->isEnabled());
    if (!entry || !entry->isEnabled())
        return {};
    QStringList rows;
    const bool shown = inWindow(
        "Frm_Historique",
        [&] {
            QTest::mouseClick(menu, Qt::LeftButton, Qt::NoModifier,
                              menu->actionGeometry(entry).center());
        },
        [&](QWidget* window) {
            auto* table = child<QTableWidget>(window, "Lst_Historique");
            for (int r = 0; r < table->rowCount(); ++r) {
                QStringList cells;
                for (int col = 1; col <= 4; ++col)
                    cells << (table->item(r, col) ? table->item(r, col)->text() : QString());
                rows << cells.join(QLatin1Char('|'));
            }
            click(child<QPushButton>(window, "Cmd_Fermer"));
        });
    EXPECT_TRUE(shown);
    return rows;
}
