#pragma once
// The host window of the association screen: hands it the database, the client and the user's
// rights, starts it, and closes when it asks to. Closing the frame goes through the screen's own
// leave, so that nothing typed is dropped without the screen having its say.

#include <QMainWindow>
#include <QString>
#include <memory>

#include "store/database.h"

class Ctr_Association;

class MainWindow : public QMainWindow {
    Q_OBJECT
  public:
    explicit MainWindow(QWidget* parent = nullptr);

    // Hands the objects to the screen and runs its Init, for the user userName.
    void start(std::shared_ptr<store::Database> database, const QString& userName);

    Ctr_Association* control() const { return control_; }

    // Shows the association code on tab (counted from 0; -1 keeps the first), renders the window
    // and writes it to file as PNG. With window "etablissements" the establishments window is
    // opened from the screen's button, shows establishment etab on tab, and is captured instead;
    // with "activites" the activities window, on activity activite; with "comptabilite" the
    // accounting window of activity activite; with "parametres" the parameters window on table
    // (captures.h).
    // Message boxes met meanwhile are printed on stderr and closed. Returns false, with the
    // reason in error, when it cannot.
    bool screenshot(const QString& file, const QString& code, int tab, QString& error,
                    const QString& window = {}, const QString& etab = {},
                    const QString& activite = {}, const QString& table = {});

  protected:
    void closeEvent(QCloseEvent* event) override;

  private:
    Ctr_Association* control_;
    bool controlAsked_ = false;  // the screen itself is closing the window
    bool closed_ = false;
};
