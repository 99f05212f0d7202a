#pragma once
// A fresh demo database in a temporary folder and the host window with the real association
// screen in it. Tests change the demo data first, then start the screen and drive it as a user
// would. Expectations are written "name=value": a widget and what it shows, or an attribute and
// what is stored there.

#include <QLineEdit>
#include <QTemporaryDir>
#include <functional>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "app/meridoval/main_window.h"
#include "control/ctr_association.h"
#include "platform/seed/seed.h"
#include "store/local_database.h"
#include "store/record.h"
#include "store/variables.h"
#include "tests/support/gui_test.h"

class QComboBox;
class QMenu;

inline void PrintTo(const QString& text, std::ostream* os) {
    *os << '"' << text.toStdString() << '"';
}

// Tabs of Ong_Assoc.
enum Tab { kCoordonnees, kRib, kPersonnel, kTelegestion, kMisesEnForme, kCesu, kCotisation };

// A record text from "attribute=value;value..." items.
std::string recordOf(std::initializer_list<std::string> attributes);

class CtrAssociationTest : public GuiTest {
  protected:
    void SetUp() override;
    void TearDown() override;

    // Before start(): changes to the demo data.
    void writeRecord(const char* file, const std::string& id, const std::string& text) {
        db->OpenFile(file)->Write(id, text);
    }
    void deleteRecord(const char* file, const std::string& id) {
        db->OpenFile(file)->DeleteRecord(id);
    }
    // Stores value as attribute of the ASSOCIATION record id; returns the record's new text.
    std::string storeAt(const std::string& id, int attribute, const std::string& value);
    void keepOnly(const std::string& id);
    // Hands the database to the screen for user, runs Init and shows the window active.
    void start(const char* user = seed::kDemoAdminUser);

    Ctr_Association* screen() const { return window_->control(); }
    MainWindow* window() const { return window_.get(); }
    template <typename T = QWidget>
    T* w(const char* name) const {
        return child<T>(screen(), name);
    }
    QLineEdit* field(const char* name) const { return w<QLineEdit>(name); }
    QString text(const char* name) const { return field(name)->text(); }
    QString focusName() const;
    static QStringList items(const QComboBox* combo);
    // Right-clicks where; the menu that popped up, or null.
    static QMenu* rightClick(QWidget* where);
    // Chooses "Mnu_Historique" in menu and reads the history window it opens before closing it:
    // one "user|field|before|after" per row, newest first.
    static QStringList history(QMenu* menu);

    // What a widget shows: its text, a list's current entry, or "1" / "0" for a box or an option
    // checked or not.
    QString shown(const char* name) const;
    // Each "Name=value" shows value; a label holds it somewhere in its text.
    void expectShown(const std::vector<const char*>& nameIsValue);
    void expectEnabled(std::initializer_list<const char*> names, bool enabled);
    // Each "attribute=text" or "attribute.value=text" is stored so in the ASSOCIATION record id.
    void expectStored(const std::string& id, std::initializer_list<const char*> attributeIsValue);

    // The user types a code in the code box and presses Enter.
    void enterCode(const QString& code);
    // The user types text in the sigle list and presses Enter.
    void lookUpSigle(const QString& text);
    void chooseSigle(int row) { choose("Cbo_SigleAssoc", row); }
    // Opens a drop-down list and clicks its row.
    void choose(const char* combo, int row);
    void showTab(Tab tab);
    // Selects the whole text of a field, deletes it (Delete passes every key filter) and types.
    void retype(const char* name, const QString& text);
    // A click on a check box's own box: the widget may stretch far beyond its caption.
    void tick(const char* name);
    // Types the four parts of a server address, moving on with "." as a user does.
    void typeIp(const QString& a, const QString& b, const QString& c, const QString& d);
    void clickButton(const char* name) {
        click(w(name));
        settle();
    }
    // Clicks a button that must show message (with its icon), and answers it.
    void clickAnswering(const char* name, const QString& message, QMessageBox::Icon icon,
                        toolkit::Answer answer = toolkit::Answer::Ok);
    // Moves the focus through every field the user can reach, tab by tab, without typing.
    void walkThroughEveryField();
    // After a save or a cancel: mode 0, code empty, enabled and focused, the sigle list shown.
    void expectBackToSearch();
    // Leaves field for other. With a refusal, that message is expected and the focus must come
    // back to field; held, the focus must come back without a message.
    void leave(const char* name, const char* other, const QString& refusal = {}, bool held = false);

    std::string stored(const char* file, const std::string& id);
    store::Record association(const std::string& id) {
        return store::Record(stored("ASSOCIATION", id));
    }

    std::shared_ptr<store::LocalDatabase> db;

    // A second workstation on the same base: its own database object and host window, started
    // for user on first use. While act runs, every helper above drives that window, and the
    // process-wide objects in place are the ones its screen opened.
    void asOtherWorkstation(const std::function<void()>& act, const char* user = "poste2");
    std::shared_ptr<store::LocalDatabase> otherDb;

  private:
    void swapWorkstations();
    QTemporaryDir dir_;
    std::unique_ptr<MainWindow> window_, otherWindow_;
    std::unique_ptr<store::Variables> otherVariables_;
};
