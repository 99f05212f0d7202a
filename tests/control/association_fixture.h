#pragma once
// A fresh demo database in a temporary folder and the host window with the real association
// screen in it. Tests change the demo data first (records written or removed), then start the
// screen as a user would meet it.

#include <QTemporaryDir>
#include <memory>
#include <string>

#include "app/meridoval/main_window.h"
#include "control/ctr_association.h"
#include "platform/seed/seed.h"
#include "store/local_database.h"
#include "tests/support/gui_test.h"

class QComboBox;

class CtrAssociationTest : public GuiTest {
  protected:
    void SetUp() override;
    void TearDown() override;

    // Before start(): changes to the demo data.
    void writeRecord(const char* file, const std::string& id, const std::string& text);
    void deleteRecord(const char* file, const std::string& id);
    // Keeps only the associations whose ids are listed.
    void keepOnly(std::initializer_list<const char*> ids);

    // Hands the database to the screen for user, runs Init and shows the window active.
    void start(const char* user = seed::kDemoAdminUser);

    Ctr_Association* screen() const { return window_->control(); }
    MainWindow* window() const { return window_.get(); }
    template <typename T>
    T* w(const char* name) const {
        return child<T>(screen(), name);
    }

    // The user types a code in the code box and presses Enter.
    void enterCode(const QString& code);
    // The user types text in the sigle list and presses Enter.
    void lookUpSigle(const QString& text);
    // The user picks row of the open (or closed) sigle list with the mouse.
    void chooseSigle(int row);
    // Entries of a list, in order.
    static QStringList items(const QComboBox* combo);

    // A record as stored now.
    std::string stored(const char* file, const std::string& id);

    std::shared_ptr<store::LocalDatabase> db;

  private:
    QTemporaryDir dir_;
    std::unique_ptr<MainWindow> window_;
};
