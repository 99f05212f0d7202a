#pragma once
// The demo window of the companion components: each one working on its own against a database,
// one tab each (address, bank details when built, table editor, help, rights).

#include <QMainWindow>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "store/client.h"
#include "store/database.h"

class Composant_Adresse;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QSpinBox;
class QTabWidget;

namespace store {
class AddressComponent;
class BankComponent;
}  // namespace store

class FenetreComposants : public QMainWindow {
    Q_OBJECT
  public:
    FenetreComposants(std::shared_ptr<store::Database> database, const std::string& user);

    QTabWidget* onglets() const { return onglets_; }
    // Reads the record of that code of the block's file into the address and bank tabs.
    void lire(const QString& code);

  protected:
    // Takes the database away from the address component and closes it, as a screen does.
    void closeEvent(QCloseEvent* event) override;

  private:
    // A block component (address or bank details) over a record picked by file and id.
    struct Bloc {
        QComboBox* fichier = nullptr;
        QLineEdit* id = nullptr;
        QSpinBox* premier = nullptr;
        QLabel* retour = nullptr;
        QPushButton* lire = nullptr;
    };
    QWidget* ongletBloc(QWidget* composant, Bloc& bloc, int premierParDefaut,
                        const std::function<std::string(store::Record&, int)>& lire,
                        const std::function<std::string(store::Record&, int)>& ecrire,
                        const std::function<bool(store::Record&, int)>& differe,
                        const std::function<void()>& vider, const std::function<bool()>& controler);
    QWidget* ongletParametres();
    QWidget* ongletAide();
    QWidget* ongletDroits();
    // The record named by the block's file and id, read for update when forUpdate.
    std::optional<store::Record> lireEnregistrement(const Bloc& bloc, bool forUpdate);

    std::shared_ptr<store::Database> database_;
    std::shared_ptr<store::Client> client_;
    QTabWidget* onglets_;
    Composant_Adresse* composantAdresse_;
    Bloc adresse_;
    Bloc rib_;
};
