#pragma once
// The activities window over the association screen's host, on a fresh demo database: tests
// change the demo data first, then open the window as the association screen does (rights, Init,
// heading) and drive it as a user would. Expectations are written "name=value": a widget of the
// window and what it shows, or an attribute of an ACTIVITES record and what is stored there.

#include <QMenu>
#include <QMessageBox>
#include <QStringList>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "activities/frm_activite.h"
#include "tests/control/association_fixture.h"

class ActivitiesTest : public CtrAssociationTest {
  protected:
    void TearDown() override;

    // Starts the association screen for user and opens the activities window of code over it.
    void open(const char* code = "001", const char* user = seed::kDemoAdminUser);
    // Opens the window again over the running screen (after the last one closed).
    void reopen(const char* code = "001", const char* user = seed::kDemoAdminUser);
    bool isOpen() const { return window_ && window_->isVisible(); }
    Frm_Activite* activities() const { return window_.get(); }

    template <typename T = QWidget>
    T* a(const char* name) const {
        return child<T>(window_.get(), name);
    }
    // A field's text, a list's text, a label's text, or "1" / "0" for a box or an option.
    QString showing(const char* name) const;
    void expectShowing(const std::vector<const char*>& nameIsValue);
    void expectUsable(std::initializer_list<const char*> names, bool enabled);
    QString focused() const;

    // The window active again: a window system gives the activation back to the window a message
    // box covered when the box closes; the offscreen platform leaves no window active.
    void backToWindow();
    // Moves the focus into a field of the window as Tab would; types into it.
    void moveTo(const char* name);
    void typeIn(const char* name, const QString& text);
    // The user types a code in Txt_CodActivite and presses Enter.
    void typeCode(const QString& code);
    // Selects the whole text of a field, deletes it and types text.
    void retypeIn(const char* name, const QString& text);
    void press(const char* name);
    // Presses a button that must show message (with its icon), answered with answer.
    void pressAnswering(const char* name, const QString& message, QMessageBox::Icon icon,
                        toolkit::Answer answer = toolkit::Answer::Ok);
    // Opens a list and clicks its row.
    void pick(const char* combo, int row);
    // "Ajouter", the type typed at the prompt, Yes or No to the bank-details question.
    void startCreation(const QString& type, bool associationBank = true);
    // What a new activity cannot be saved without (type P also needs a cost line).
    void fillRequired(const QString& name, const QString& section, const QString& service,
                      const QString& vat);
    // The entries of a list box.
    QStringList rows(const char* list) const;
    // Clicks (twice: double click) row of a list box.
    void clickRow(const char* list, int row, bool twice = false);
    // "Ajouter" in the cost area, the line's fields, its type (0 Prestation, 1 Tarifé) and "OK".
    void addCostLine(const QString& date, const QString& cost, const QString& majorated, int kind);

    store::Record activity(const std::string& id) { return store::Record(stored("ACTIVITES", id)); }
    void expectActivity(const std::string& id, std::initializer_list<const char*> attributeIsValue);
    // The stored form of a date.
    static std::string day(const char* date);

    // Captures window of association 001 as the command line does: empty once a readable image
    // was written, else the reason.
    QString capture(const QString& window, const QString& activite, const QString& table = {});

  private:
    std::unique_ptr<Frm_Activite> window_;
};
