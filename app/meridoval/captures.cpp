#include "app/meridoval/captures.h"

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <functional>

#include "control/ctr_association.h"

namespace captures {

namespace {

// Runs work on the modal window named name once open() has brought it up; false when it never
// came.
bool dansFenetre(const char* name, const std::function<void()>& open,
                 const std::function<void(QWidget*)>& work) {
    bool vue = false;
    QTimer attente;
    QObject::connect(&attente, &QTimer::timeout, [&] {
        QWidget* fenetre = QApplication::activeModalWidget();
        if (vue || !fenetre || fenetre->objectName() != QLatin1String(name))
            return;
        vue = true;
        work(fenetre);
    });
    attente.start(20);
    open();
    return vue;
}

void cliquer(QWidget* fenetre, const char* bouton) {
    if (auto* b = fenetre->findChild<QPushButton*>(QLatin1String(bouton)); b && b->isEnabled())
        b->click();
}

bool ecrire(QWidget* fenetre, const QString& file, QString& error) {
    for (int i = 0; i < 5; ++i)
        QApplication::processEvents();
    if (fenetre->grab().save(file, "PNG"))
        return true;
    error = QStringLiteral("Impossible d'écrire l'image %1.").arg(file);
    return false;
}

// Shows activity code in the activities window; false, with the reason, when there is none.
bool montrerActivite(QWidget* fenetre, const QString& code, QString& error) {
    auto* champ = fenetre->findChild<QLineEdit*>(QStringLiteral("Txt_CodActivite"));
    const QString complet = code.rightJustified(3, QLatin1Char('0'));
    if (champ->isEnabled())
        champ->setText(complet);
    // A code shown locks the field; a missing one was told on stderr and emptied.
    if (champ->isEnabled() || champ->text() != complet) {
        error = QStringLiteral("L'activité %1 n'existe pas.").arg(code);
        return false;
    }
    return true;
}

}  // namespace

bool Activites(Ctr_Association& control, const QString& file, const QString& code, QString& error) {
    auto* opener = control.findChild<QPushButton*>(QStringLiteral("Cmd_Activite"));
    if (!opener->isEnabled()) {
        error =
            QStringLiteral("Aucune entité juridique affichée : --code NNN ouvre ses activités.");
        return false;
    }
    bool ecrit = false;
    const bool ouverte = dansFenetre(
        "Frm_Activite", [&] { opener->click(); },
        [&](QWidget* w) {
            if (code.isEmpty() || montrerActivite(w, code, error))
                ecrit = ecrire(w, file, error);
            // Nothing was changed: Annuler, then Sortir, close it at once.
            cliquer(w, "Cmd_Annuler");
            cliquer(w, "Cmd_Sortir");
        });
    if (!ouverte && error.isEmpty())
        error = QStringLiteral("La fenêtre des activités ne s'est pas ouverte.");
    return ecrit;
}

}  // namespace captures
