#include "tests/control/association_fixture.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QLineEdit>

#include "platform/toolkit/qtext.h"
#include "store/variables.h"

void CtrAssociationTest::SetUp() {
    ASSERT_TRUE(dir_.isValid());
    db = store::OpenLocalDatabase(toolkit::fromQ(dir_.filePath(QStringLiteral("demo.mvdb"))));
    seed::LoadDemo(*db, toolkit::fromQ(dir_.filePath(QStringLiteral("modeles"))));
    window_ = std::make_unique<MainWindow>();
}

void CtrAssociationTest::TearDown() {
    GuiTest::TearDown();
    // A test that left the window open still releases the shared objects.
    if (window_ && window_->isVisible())
        screen()->Fermeture();
    window_.reset();
    store::Variables::Get().database.reset();
    store::Variables::Get().client.reset();
}

void CtrAssociationTest::writeRecord(const char* file, const std::string& id,
                                     const std::string& text) {
    db->OpenFile(file)->Write(id, text);
}

void CtrAssociationTest::deleteRecord(const char* file, const std::string& id) {
    db->OpenFile(file)->DeleteRecord(id);
}

void CtrAssociationTest::keepOnly(std::initializer_list<const char*> ids) {
    const store::Record all = db->Select("SSELECT ASSOCIATION", "ASSOCIATION", "0");
    std::vector<std::string> doomed;
    for (int row = 1; row <= all.DCount(); ++row) {
        const std::string id = all.Value(row);
        if (std::find(ids.begin(), ids.end(), id) == ids.end())
            doomed.push_back(id);
    }
    for (const std::string& id : doomed)
        deleteRecord("ASSOCIATION", id);
}

void CtrAssociationTest::start(const char* user) {
    window_->start(db, QString::fromLatin1(user));
    showActive(window_.get());
    settle();
}

void CtrAssociationTest::enterCode(const QString& code) {
    auto* box = w<QLineEdit>("Txt_CodeAssoc");
    type(box, code);
    pressEnter(box);
    settle();
}

void CtrAssociationTest::lookUpSigle(const QString& text) {
    auto* combo = w<QComboBox>("Cbo_SigleAssoc");
    if (combo->view()->isVisible()) {
        QTest::keyClick(combo->view(), Qt::Key_Escape);
        settle();
    }
    // What an earlier look-up left in the field is replaced.
    focusOn(combo);
    QTest::keyClick(combo, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(combo, Qt::Key_Backspace);
    type(combo, text);
    pressEnter(combo);
    settle();
}

void CtrAssociationTest::chooseSigle(int row) {
    auto* combo = w<QComboBox>("Cbo_SigleAssoc");
    QAbstractItemView* view = combo->view();
    if (!view->isVisible()) {
        QTest::keyClick(combo, Qt::Key_F4);
        settle();
    }
    ASSERT_TRUE(view->isVisible()) << "the sigle list did not open";
    const QRect item = view->visualRect(view->model()->index(row, 0));
    QTest::mouseMove(view->viewport(), item.center());
    QTest::mouseClick(view->viewport(), Qt::LeftButton, Qt::NoModifier, item.center());
    settle();
}

QStringList CtrAssociationTest::items(const QComboBox* combo) {
    QStringList list;
    for (int i = 0; i < combo->count(); ++i)
        list << combo->itemText(i);
    return list;
}

std::string CtrAssociationTest::stored(const char* file, const std::string& id) {
    return store::ReadSkippingErrors(db->OpenFile(file).get(), id).Text();
}
