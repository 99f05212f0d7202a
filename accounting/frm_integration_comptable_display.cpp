// Showing an activity's two accounts: the activity read afresh, each account by its code and
// label, or the list of every labelled account of the association when none is set.
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QSignalBlocker>

#include "accounting/frm_integration_comptable.h"
#include "forms/feedback.h"
#include "platform/toolkit/qtext.h"
#include "store/layout/plancomptable.h"
#include "store/skipping_errors.h"
#include "store/store_error.h"
#include "store/variables.h"

using toolkit::fromQ;
using toolkit::toQ;
namespace PC = store::layout::plancomptable;

std::string Frm_IntegrationComptable::codeAssociation() const {
    return fromQ(Etq_CodeAsso->text());
}

std::string Frm_IntegrationComptable::id() const {
    return codeAssociation() + fromQ(Txt_CodeActivite->text());
}

void Frm_IntegrationComptable::Activite(const QString& association, const QString& activite) {
    Etq_CodeAsso->setText(association);
    Txt_CodeActivite->setText(activite);
}

void Frm_IntegrationComptable::LibelleActivite(const QString& libelle) {
    Txt_LibelleActivite->setText(libelle);
}

std::pair<std::string, std::string> Frm_IntegrationComptable::ShownRecord() const {
    const auto& activite = store::Variables::Get().activite;
    if (!activite || activite->Id() != id())
        return {};
    return {"ACTIVITES", activite->Id()};
}

void Frm_IntegrationComptable::Affichage_Comptes() {
    store::Variables& v = store::Variables::Get();
    std::shared_ptr<store::File> activites = v.fActivites;
    if (!activites && v.database)
        store::SkippingErrors([&] { activites = v.database->OpenFile("ACTIVITES"); });
    session_.Read(activites.get(), id());
    for (Compte* compte : {&aideSansPriseChg_, &cotisAnnuelle_}) {
        const std::string stocke = session_.Current().Value(compte->attribut);
        // Shown afresh (a reload): a code already there must show its label again.
        compte->code->clear();
        if (stocke.empty()) {
            texteListe(*compte, QString());
            Recherche_Libelle(*compte);
        } else {
            compte->code->setText(toQ(stocke));
        }
    }
}

void Frm_IntegrationComptable::Libelle_Compte(Compte& compte) {
    const QString code = compte.code->text();
    if (code.size() != PC::kLongueurCode) {
        texteListe(compte, QString());
        if (!selectionFaite_)
            remplirListe(compte, store::Record());
        return;
    }
    store::Variables& v = store::Variables::Get();
    if (!v.fPlanComptable && v.database)
        store::SkippingErrors([&] { v.fPlanComptable = v.database->OpenFile("PLANCOMPTABLE"); });
    store::Record trouve;
    bool absent = false;
    try {
        if (v.fPlanComptable)
            trouve = v.fPlanComptable->Read(codeAssociation() + fromQ(code));
    } catch (const store::StoreError& e) {
        absent = e.code() == store::ErrorCode::RecordNotFound;
    }
    if (absent) {
        forms::Avertir(this, QStringLiteral("Ce compte n'existe pas."));
        compte.code->clear();
        compte.code->setFocus();
        return;
    }
    texteListe(compte, toQ(trouve.Value(PC::kLibelle)));
}

void Frm_IntegrationComptable::texteListe(Compte& compte, const QString& texte) {
    remplissage_ = true;
    compte.liste->setEditText(texte);
    remplissage_ = false;
}

void Frm_IntegrationComptable::remplirListe(Compte& compte, store::Record rows) {
    compte.lignes = std::move(rows);
    QStringList libelles;
    libelles.reserve(compte.lignes.DCount());
    for (int k = 1; k <= compte.lignes.DCount(); ++k)
        libelles << toQ(compte.lignes.Value(k, 2));
    // The text being typed stays as it is, with its cursor.
    const QSignalBlocker bloque(compte.liste);
    const QString texte = compte.liste->currentText();
    QLineEdit* edition = compte.liste->lineEdit();
    const int curseur = edition->cursorPosition();
    compte.liste->clear();
    compte.liste->addItems(libelles);
    compte.liste->setCurrentIndex(-1);
    edition->setText(texte);
    edition->setCursorPosition(curseur);
}
