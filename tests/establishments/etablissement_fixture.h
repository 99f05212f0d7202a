#pragma once
// The association screen on a fresh demo database, and the establishments window made over it
// the way the screen's "Etablissements" makes it, shown without blocking so that a test types in
// it. The helpers below act on that window; the screen's own are reached as
// CtrAssociationTest::name.

#include <QLineEdit>
#include <memory>

#include "establishments/frm_etablissement.h"
#include "tests/control/association_fixture.h"

class EtablissementTest : public CtrAssociationTest {
  protected:
    void TearDown() override;

    // Starts the screen for user on association code and opens its establishments.
    void open(const char* code = "001", const char* user = seed::kDemoAdminUser);
    Frm_Etablissement* win() const { return win_.get(); }

    template <typename T = QWidget>
    T* w(const char* name) const {
        return child<T>(win_.get(), name);
    }
    QLineEdit* field(const char* name) const { return w<QLineEdit>(name); }
    // A field's text, a list's current entry, "1" / "0" for a box or an option.
    QString shown(const char* name) const;
    // Each "Name=value" shows value.
    void expectShown(std::initializer_list<const char*> nameIsValue);
    void expectEnabled(std::initializer_list<const char*> names, bool enabled);
    QString focusName() const;
    int tab() const;

    void enterCode(const QString& code);
    void lookUpSigle(const QString& text);
    // Opens a drop-down list of the window and clicks its row.
    void choose(const char* combo, int row);
    void showTab(int tab);
    // Selects the whole text of a field, deletes it and types text.
    void retype(const char* name, const QString& text);
    void clickButton(const char* name);
    // Clicks a button that must show message with its icon, and answers it.
    void clickAnswering(const char* name, const QString& message, QMessageBox::Icon icon,
                        toolkit::Answer answer = toolkit::Answer::Ok);
    // Ajouter, answering the address question.
    void add(toolkit::Answer sameAddress);
    // After a save or a cancel: mode 0, nothing shown, the code free and focused.
    void expectBackToSearch();
    // The history of the establishment shown, opened from the right-click menu of the tabs and
    // closed: one "user|field|before|after" per row, newest first.
    QStringList history();

    std::string etab(const std::string& id) { return stored("ETABLISSEMENT", id); }
    // Each "attribute=text" or "attribute.value=text" is stored so in ETABLISSEMENT id.
    void expectStored(const std::string& id, std::initializer_list<const char*> attributeIsValue);
    // The text of record id with one position replaced.
    std::string with(const std::string& id, int attribute, int value, const std::string& text);

  private:
    // The offscreen platform has no window manager: when a message box closes over a modal
    // window, no window is active any more and focus changes are not delivered. Each action
    // below first makes the window active again, as a desktop does on its own.
    void regainActivation();

    std::unique_ptr<Frm_Etablissement> win_;
};
