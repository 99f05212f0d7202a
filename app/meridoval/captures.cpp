#include "app/meridoval/captures.h"

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTimer>
#include <functional>

#include "activities/frm_param_sect.h"
#include "control/ctr_association.h"
#include "platform/components/droits/composant_droits.h"
#include "platform/toolkit/qtext.h"
#include "store/layout/tables.h"

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

// Shows the record of code in a window whose code field is named field; false, with absent
// followed by the code, when there is none.
bool montrer(QWidget* fenetre, const char* field, const QString& code, const QString& absent,
             QString& error) {
    auto* champ = fenetre->findChild<QLineEdit*>(QLatin1String(field));
    const QString complet = code.rightJustified(3, QLatin1Char('0'));
    // An only record is shown at once: back to the search first.
    if (!champ->isEnabled() && champ->text() != complet)
        cliquer(fenetre, "Cmd_Annuler");
    if (champ->isEnabled())
        champ->setText(complet);
    // A code shown locks the field; a missing one was told on stderr and emptied.
    if (champ->isEnabled() || champ->text() != complet) {
        error = absent.arg(code);
        return false;
    }
    return true;
}

}  // namespace

bool Etablissements(Ctr_Association& control, const QString& file, const QString& code, int tab,
                    QString& error) {
    auto* opener = control.findChild<QPushButton*>(QStringLiteral("Cmd_Etablissement"));
    if (!opener->isEnabled()) {
        error = QStringLiteral(
            "Aucune entité juridique affichée : --code NNN ouvre ses établissements.");
        return false;
    }
    bool ecrit = false;
    const bool ouverte = dansFenetre(
        "Frm_Etablissement", [&] { opener->click(); },
        [&](QWidget* w) {
            auto* onglets = w->findChild<QTabWidget*>(QStringLiteral("Ong_Etabl"));
            if (tab >= onglets->count()) {
                error = QStringLiteral("L'onglet %1 n'existe pas (0 à %2).")
                            .arg(tab)
                            .arg(onglets->count() - 1);
            } else if (code.isEmpty() ||
                       montrer(w, "Txt_CodeEtabl", code,
                               QStringLiteral("L'établissement %1 n'existe pas."), error)) {
                if (tab >= 0)
                    onglets->setCurrentIndex(tab);
                ecrit = ecrire(w, file, error);
            }
            // Nothing was changed: Annuler, then Sortir, close it at once.
            cliquer(w, "Cmd_Annuler");
            cliquer(w, "Cmd_Sortir");
        });
    if (!ouverte && error.isEmpty())
        error = QStringLiteral("La fenêtre des établissements ne s'est pas ouverte.");
    return ecrit;
}

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
            if (code.isEmpty() || montrer(w, "Txt_CodActivite", code,
                                          QStringLiteral("L'activité %1 n'existe pas."), error))
                ecrit = ecrire(w, file, error);
            // Nothing was changed: Annuler, then Sortir, close it at once.
            cliquer(w, "Cmd_Annuler");
            cliquer(w, "Cmd_Sortir");
        });
    if (!ouverte && error.isEmpty())
        error = QStringLiteral("La fenêtre des activités ne s'est pas ouverte.");
    return ecrit;
}

bool Comptabilite(Ctr_Association& control, const QString& file, const QString& code,
                  QString& error) {
    auto* opener = control.findChild<QPushButton*>(QStringLiteral("Cmd_Activite"));
    if (!opener->isEnabled() || code.isEmpty()) {
        error = QStringLiteral(
            "--code NNN et --activite NNN désignent l'activité dont les comptes sont capturés.");
        return false;
    }
    bool ecrit = false;
    const bool ouverte = dansFenetre(
        "Frm_Activite", [&] { opener->click(); },
        [&](QWidget* activites) {
            if (montrer(activites, "Txt_CodActivite", code,
                        QStringLiteral("L'activité %1 n'existe pas."), error)) {
                auto* comptes =
                    activites->findChild<QPushButton*>(QStringLiteral("Cmd_IntegrationComptable"));
                if (!comptes->isEnabled()) {
                    error = QStringLiteral(
                                "L'activité %1 n'a pas de paramètres d'intégration "
                                "comptable (activités de type P, intégration comptable "
                                "active).")
                                .arg(code);
                } else {
                    dansFenetre(
                        "Frm_IntegrationComptable", [&] { comptes->click(); },
                        [&](QWidget* w) {
                            ecrit = ecrire(w, file, error);
                            // Nothing was changed: the frame closes it without a question.
                            w->close();
                        });
                }
            }
            cliquer(activites, "Cmd_Annuler");
            cliquer(activites, "Cmd_Sortir");
        });
    if (!ouverte && error.isEmpty())
        error = QStringLiteral("La fenêtre des activités ne s'est pas ouverte.");
    return ecrit;
}

bool Parametres(Ctr_Association& control, QWidget& host, const QString& file, const QString& table,
                QString& error) {
    namespace T = store::layout::tables;
    if (table != QLatin1String(T::kSectionsAnalytiques) && table != QLatin1String(T::kServices)) {
        error =
            QStringLiteral("Table inconnue : %1 (tables possibles : %2, %3).")
                .arg(table, QLatin1String(T::kSectionsAnalytiques), QLatin1String(T::kServices));
        return false;
    }
    bool ecrit = false;
    dansFenetre(
        "Frm_ParamSect",
        [&] {
            OuvrirParamSect(&host, toolkit::fromQ(table),
                            std::make_shared<DroitsEcran>(control.accessLevel()));
        },
        [&](QWidget* w) {
            ecrit = ecrire(w, file, error);
            cliquer(w, "Cmd_Fermer");
        });
    return ecrit;
}

}  // namespace captures
