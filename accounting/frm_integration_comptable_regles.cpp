// Choosing an account by its code or by its label: the keys of the code fields and of the label
// lists, the selections by the beginning of a label or of a code, and a label chosen.
#include <QComboBox>
#include <QLineEdit>

#include "accounting/frm_integration_comptable.h"
#include "entry/field.h"
#include "forms/feedback.h"
#include "platform/toolkit/message_box.h"
#include "platform/toolkit/qtext.h"
#include "store/layout/plancomptable.h"
#include "store/request.h"
#include "store/variables.h"

using toolkit::fromQ;
using toolkit::toQ;
namespace PC = store::layout::plancomptable;

void Frm_IntegrationComptable::Recherche_Libelle(Compte& compte) {
    store::Database* db = store::Variables::Get().database.get();
    if (!db)
        return;
    toolkit::Hourglass sablier;
    const QString prefixe = compte.liste->currentText().toUpper();
    const std::optional<std::string> libelle = store::QuoteValue(fromQ(prefixe), true);
    store::Record lignes;
    if (libelle) {
        lignes = db->Select("SSELECT PLANCOMPTABLE AVEC " + std::to_string(PC::kLibelle) + " = " +
                                *libelle +
                                " AND AVEC @ID = " + *store::QuoteValue(codeAssociation(), true) +
                                " AND SANS " + std::to_string(PC::kLibelle) + " = " +
                                *store::QuoteValue("") + " PAR " + std::to_string(PC::kLibelle),
                            "PLANCOMPTABLE", "0 1");
    }
    remplirListe(compte, lignes);
    selectionFaite_ = true;
    if (lignes.DCount() > 0)
        return;
    sablier.release();
    toolkit::Beep();
    forms::Avertir(
        this, libelle ? QStringLiteral("Aucune ventilation comptable commençant par ") + prefixe
                      : toQ(store::UnquotableMessage(fromQ(prefixe))));
    // An empty text offers every account again.
    if (prefixe.isEmpty())
        return;
    texteListe(compte, QString());
    Recherche_Libelle(compte);
}

void Frm_IntegrationComptable::Choix_Liste(Compte& compte) {
    if (compte.liste->currentText().isEmpty()) {
        compte.code->clear();
        return;
    }
    const std::string choisi = compte.lignes.Value(compte.liste->currentIndex() + 1, 1);
    compte.code->setText(toQ(choisi.size() > 3 ? choisi.substr(3) : std::string()));
}

void Frm_IntegrationComptable::Saisie_Liste(Compte& compte, int& keyAscii) {
    if (keyAscii == entry::kEnter) {
        keyAscii = 0;
        if (compte.liste->currentText().isEmpty())
            compte.code->clear();
        else
            Recherche_Libelle(compte);
    } else if (keyAscii == entry::kBackspace) {
        keyAscii = 0;
        texteListe(compte, QString());
        Recherche_Libelle(compte);
        compte.code->clear();
    }
}

void Frm_IntegrationComptable::Saisie_Code(Compte& compte, int& keyAscii) {
    if (keyAscii == entry::kEnter) {
        keyAscii = 0;
        codeFin(compte);
        return;
    }
    if (!entry::IsDigit(keyAscii) && keyAscii != entry::kBackspace)
        keyAscii = 0;
}

void Frm_IntegrationComptable::codeFin(Compte& compte) {
    const QString code = compte.code->text();
    if (code.isEmpty() || code.size() >= PC::kLongueurCode)
        return;
    rechercheCodeFaite_ = false;
    Recherche_Code(compte);
}

void Frm_IntegrationComptable::Recherche_Code(Compte& compte) {
    store::Database* db = store::Variables::Get().database.get();
    if (!db)
        return;
    store::Record lignes;
    {
        toolkit::Hourglass sablier;
        const std::optional<std::string> debut =
            store::QuoteValue(codeAssociation() + fromQ(compte.code->text()), true);
        if (debut) {
            lignes = db->Select("SSELECT PLANCOMPTABLE AVEC @ID = " + *debut + " PAR " +
                                    std::to_string(PC::kLibelle),
                                "PLANCOMPTABLE", "0 1");
        }
    }
    if (rechercheCodeFaite_)
        return;
    rechercheCodeFaite_ = true;
    if (lignes.Value(1, 1).empty()) {
        forms::Avertir(this, QStringLiteral("Le compte comptable n'existe pas."));
        compte.code->clear();
        compte.code->setFocus();
        return;
    }
    compte.code->clear();
    remplirListe(compte, lignes);
    if (lignes.DCount() == 1) {
        remplissage_ = true;
        compte.liste->setCurrentIndex(0);
        remplissage_ = false;
        Choix_Liste(compte);
    }
}

void Frm_IntegrationComptable::listeChange(Compte& compte) {
    if (!remplissage_)
        Recherche_Libelle(compte);
}

void Frm_IntegrationComptable::Cbo_PrdAideSansPriseChg_Change() {
    listeChange(aideSansPriseChg_);
}

void Frm_IntegrationComptable::Cbo_PrdAideSansPriseChg_Click() {
    Choix_Liste(aideSansPriseChg_);
}

void Frm_IntegrationComptable::Cbo_PrdAideSansPriseChg_KeyPress(int& keyAscii) {
    Saisie_Liste(aideSansPriseChg_, keyAscii);
}

void Frm_IntegrationComptable::Cbo_PrdCotisAnnuelle_Change() {
    listeChange(cotisAnnuelle_);
}

void Frm_IntegrationComptable::Cbo_PrdCotisAnnuelle_Click() {
    Choix_Liste(cotisAnnuelle_);
}

void Frm_IntegrationComptable::Cbo_PrdCotisAnnuelle_KeyPress(int& keyAscii) {
    Saisie_Liste(cotisAnnuelle_, keyAscii);
}

void Frm_IntegrationComptable::Txt_CodePrdAideSansPriseChg_Change() {
    Libelle_Compte(aideSansPriseChg_);
}

void Frm_IntegrationComptable::Txt_CodePrdAideSansPriseChg_KeyPress(int& keyAscii) {
    Saisie_Code(aideSansPriseChg_, keyAscii);
}

void Frm_IntegrationComptable::Txt_CodePrdAideSansPriseChg_LostFocus() {
    codeFin(aideSansPriseChg_);
}

void Frm_IntegrationComptable::Txt_CodePrdCotisAnnuelle_Change() {
    Libelle_Compte(cotisAnnuelle_);
}

void Frm_IntegrationComptable::Txt_CodePrdCotisAnnuelle_KeyPress(int& keyAscii) {
    Saisie_Code(cotisAnnuelle_, keyAscii);
}

void Frm_IntegrationComptable::Txt_CodePrdCotisAnnuelle_LostFocus() {
    codeFin(cotisAnnuelle_);
}
