// Entry rules of the activities window's fields: the activity code and name, the section,
// service and VAT code boxes kept in step with their label lists, and the cost fields' keys.
#include <QComboBox>
#include <QCoreApplication>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <QSignalBlocker>

#include "activities/frm_activite.h"
#include "activities/frm_param_sect.h"
#include "entry/alphanumeric.h"
#include "entry/code_padding.h"
#include "entry/date_key.h"
#include "entry/type_ahead.h"
#include "entry/upper_case.h"
#include "forms/feedback.h"
#include "platform/components/droits/composant_droits.h"
#include "platform/toolkit/events.h"
#include "platform/toolkit/qtext.h"
#include "store/layout/tables.h"
#include "store/variables.h"

using forms::Handler;
using forms::KeyHandler;
using toolkit::fromQ;
using toolkit::toQ;
namespace T = store::layout::tables;

namespace {

const store::Record* sectionsAnalytiques() {
    const auto& r = store::Variables::Get().sectAnal;
    return r ? &*r : nullptr;
}

const store::Record* tauxTva() {
    const auto& r = store::Variables::Get().tauxTva;
    return r ? &*r : nullptr;
}

const store::Record* services() {
    const auto& r = store::Variables::Get().services;
    return r ? &*r : nullptr;
}

// Value position of code among the table's codes, read until the first empty one; 0 when absent.
int position(const store::Record* table, const std::string& code) {
    for (int k = 1; table && !table->Value(T::kCodes, k).empty(); ++k) {
        if (table->Value(T::kCodes, k) == code)
            return k;
    }
    return 0;
}

// A rate in hundredths of a percent, in the locale's notation ("1960" shows as 19,6).
QString taux(const std::string& centiemes) {
    bool ok = false;
    const long long n = toQ(centiemes).toLongLong(&ok);
    if (!ok)
        return toQ(centiemes);
    const int decimales = n % 100 == 0 ? 0 : n % 10 == 0 ? 1 : 2;
    return QLocale().toString(static_cast<double>(n) / 100.0, 'f', decimales);
}

// The box's maximum length, for typing only: a longer stored text is shown whole, never cut.
void plafonner(QLineEdit* champ, int maximum, entry::KeyFilter ensuite = {}) {
    entry::AttachKeyFilter(champ, [champ, maximum, ensuite](int& keyAscii, const QString& text) {
        if (ensuite)
            ensuite(keyAscii, text);
        if (keyAscii <= entry::kEnter || keyAscii == entry::kBackspace)
            return;
        if (text.size() - champ->selectedText().size() >= maximum)
            keyAscii = 0;
    });
}

}  // namespace

Frm_Activite::PaireCode Frm_Activite::section() const {
    return {Txt_SectAnalActiv,
            Cbo_SectAnalActiv,
            &sectionsAnalytiques,
            3,
            "Cette section analytique n'existe pas.",
            nullptr};
}

Frm_Activite::PaireCode Frm_Activite::service() const {
    return {Txt_ServiceActiv, Cbo_ServiceActiv, &services, 3, "Ce service n'existe pas.", nullptr};
}

Frm_Activite::PaireCode Frm_Activite::tva() const {
    return {Txt_CodeTVA, Cbo_CodeTVA, &tauxTva, 1, "Ce code T.V.A. n'existe pas.", Txt_TauxTVA};
}

void Frm_Activite::wireFieldRules() {
    connect(Txt_CodActivite, &QLineEdit::textChanged, this,
            Handler(this, &Frm_Activite::Txt_CodActivite_Change));
    toolkit::OnKeyPress(Txt_CodActivite, KeyHandler(this, &Frm_Activite::Txt_CodActivite_KeyPress));
    toolkit::OnLostFocus(Txt_CodActivite, Handler(this, &Frm_Activite::Txt_CodActivite_LostFocus));

    connect(Cbo_LibActivite, &QComboBox::activated, this,
            Handler(this, &Frm_Activite::Cbo_LibActivite_Click));
    connect(Cbo_LibActivite, &QComboBox::editTextChanged, this,
            Handler(this, &Frm_Activite::Cbo_LibActivite_Change));
    toolkit::OnKeyPress(Cbo_LibActivite, KeyHandler(this, &Frm_Activite::Cbo_LibActivite_KeyPress));
    toolkit::OnLostFocus(Cbo_LibActivite, Handler(this, &Frm_Activite::Cbo_LibActivite_LostFocus));
    entry::AttachUpperCase(Txt_LibActivite);
    plafonner(Txt_LibActivite, 30);
    plafonner(Txt_LibTarif, 35);
    plafonner(Txt_Finess, 9, entry::AlphanumericKey);
    toolkit::OnLostFocus(Txt_Finess, Handler(this, &Frm_Activite::Txt_Finess_LostFocus));

    const std::pair<QLineEdit*, void (Frm_Activite::*)()> codes[] = {
        {Txt_SectAnalActiv, &Frm_Activite::Txt_SectAnalActiv_Change},
        {Txt_ServiceActiv, &Frm_Activite::Txt_ServiceActiv_Change},
        {Txt_CodeTVA, &Frm_Activite::Txt_CodeTVA_Change}};
    for (const auto& [code, fn] : codes)
        connect(code, &QLineEdit::textChanged, this, Handler(this, fn));
    entry::AttachCodePadding(Txt_SectAnalActiv);
    entry::AttachCodePadding(Txt_ServiceActiv);

    const std::pair<QComboBox*, void (Frm_Activite::*)(int)> choix[] = {
        {Cbo_SectAnalActiv, &Frm_Activite::Cbo_SectAnalActiv_Click},
        {Cbo_ServiceActiv, &Frm_Activite::Cbo_ServiceActiv_Click},
        {Cbo_CodeTVA, &Frm_Activite::Cbo_CodeTVA_Click}};
    for (const auto& [combo, fn] : choix) {
        connect(combo, &QComboBox::activated, this, [this, fn](int index) {
            forms::Guarded(this, [this, fn, index] { (this->*fn)(index); });
        });
    }
    const std::pair<QComboBox*, void (Frm_Activite::*)()> changes[] = {
        {Cbo_SectAnalActiv, &Frm_Activite::Cbo_SectAnalActiv_Change},
        {Cbo_ServiceActiv, &Frm_Activite::Cbo_ServiceActiv_Change},
        {Cbo_CodeTVA, &Frm_Activite::Cbo_CodeTVA_Change}};
    for (const auto& [combo, fn] : changes)
        connect(combo, &QComboBox::editTextChanged, this, Handler(this, fn));

    entry::AttachDate(Txt_Date);
    toolkit::OnLostFocus(Txt_Date, Handler(this, &Frm_Activite::Txt_Date_LostFocus));
    toolkit::OnKeyPress(Txt_Cout, KeyHandler(this, &Frm_Activite::Txt_Cout_KeyPress));
    toolkit::OnKeyPress(Txt_CoutMajore, KeyHandler(this, &Frm_Activite::Txt_CoutMajore_KeyPress));
    toolkit::OnLostFocus(Txt_Cout, Handler(this, &Frm_Activite::Txt_Cout_LostFocus));
    toolkit::OnLostFocus(Txt_CoutMajore, Handler(this, &Frm_Activite::Txt_CoutMajore_LostFocus));
}

void Frm_Activite::Txt_CodActivite_Change() {
    const QString code = Txt_CodActivite->text();
    Cmd_Ajouter->setEnabled(code.isEmpty());
    // Shown or being created, the activity keeps its code.
    if (!Txt_CodActivite->isEnabled())
        return;
    if (code.size() == 3)
        Affichage_Donnees_Activite_PARCode();
    else
        Vider_Donnees_Activite();
}

void Frm_Activite::Txt_CodActivite_KeyPress(int& keyAscii) {
    entry::CodePaddingKey(keyAscii, Txt_CodActivite);
}

void Frm_Activite::Txt_CodActivite_LostFocus() {
    entry::CodePaddingOnLeaving(Txt_CodActivite);
}

void Frm_Activite::Cbo_LibActivite_Click() {
    wActiviteChoisie_ = true;
    if (!Cbo_LibActivite->currentText().isEmpty())
        Affichage_Donnees_Activite_PARSigle();
    Txt_LibActivite->setText(Cbo_LibActivite->currentText());
}

void Frm_Activite::Cbo_LibActivite_Change() {
    Txt_LibActivite->setText(Cbo_LibActivite->currentText());
}

void Frm_Activite::Cbo_LibActivite_KeyPress(int& keyAscii) {
    entry::TypeAheadKey(keyAscii, this, [this] {
        if (store::Database* db = store::Variables::Get().database.get())
            lookup_.TypeAhead(*db, this, [this] { Txt_CodActivite->clear(); });
    });
}

void Frm_Activite::Cbo_LibActivite_LostFocus() {
    entry::UpperCaseOnLeaving(Cbo_LibActivite);
}

void Frm_Activite::Txt_SectAnalActiv_Change() {
    codeChange(section());
}

void Frm_Activite::Txt_ServiceActiv_Change() {
    codeChange(service());
}

void Frm_Activite::Txt_CodeTVA_Change() {
    codeChange(tva());
}

void Frm_Activite::Cbo_SectAnalActiv_Click(int index) {
    libelleClick(section(), index);
}

void Frm_Activite::Cbo_ServiceActiv_Click(int index) {
    libelleClick(service(), index);
}

void Frm_Activite::Cbo_CodeTVA_Click(int index) {
    libelleClick(tva(), index);
}

void Frm_Activite::Cbo_SectAnalActiv_Change() {
    libelleChange(section());
}

void Frm_Activite::Cbo_ServiceActiv_Change() {
    libelleChange(service());
}

void Frm_Activite::Cbo_CodeTVA_Change() {
    libelleChange(tva());
}

void Frm_Activite::codeChange(const PaireCode& paire) {
    const QString code = paire.code->text();
    if (code.size() == paire.longueur && position(paire.table(), fromQ(code)) == 0) {
        forms::Avertir(this, QString::fromUtf8(paire.inconnu));
        paire.code->clear();
        if (paire.taux)
            paire.taux->clear();
        return;
    }
    montrerLibelle(paire);
}

void Frm_Activite::montrerLibelle(const PaireCode& paire) {
    const store::Record* table = paire.table();
    const QString code = paire.code->text();
    const int k = code.size() == paire.longueur ? position(table, fromQ(code)) : 0;
    // The label follows the code: the list's own change would empty the code being typed.
    const QSignalBlocker bloque(paire.libelles);
    if (k == 0) {
        paire.libelles->setCurrentIndex(-1);
        paire.libelles->setEditText(QString());
    } else {
        const QString libelle = toQ(table->Value(T::kLibelles, k));
        if (k - 1 < paire.libelles->count() && paire.libelles->itemText(k - 1) == libelle)
            paire.libelles->setCurrentIndex(k - 1);
        paire.libelles->setEditText(libelle);
    }
    if (paire.taux)
        paire.taux->setText(k == 0 ? QString() : taux(table->Value(T::kValeurs, k)));
}

void Frm_Activite::libelleClick(const PaireCode& paire, int index) {
    const store::Record* table = paire.table();
    if (!table || paire.libelles->currentText().trimmed().isEmpty())
        return;
    paire.code->setText(toQ(table->Value(T::kCodes, index + 1)));
    if (paire.taux)
        paire.taux->setText(taux(table->Value(T::kValeurs, index + 1)));
}

void Frm_Activite::libelleChange(const PaireCode& paire) {
    if (!paire.libelles->currentText().isEmpty())
        return;
    paire.code->clear();
    if (paire.taux)
        paire.taux->clear();
}

void Frm_Activite::remplirLibelles(const PaireCode& paire) {
    const store::Record* table = paire.table();
    {
        const QSignalBlocker bloque(paire.libelles);
        paire.libelles->clear();
        // The VAT list counts its labels, the others their codes.
        const int n = table ? table->DCount(paire.taux ? T::kLibelles : T::kCodes) : 0;
        QStringList libelles;
        for (int k = 1; k <= n; ++k)
            libelles << toQ(table->Value(T::kLibelles, k));
        paire.libelles->addItems(libelles);
        paire.libelles->setCurrentIndex(-1);
    }
    montrerLibelle(paire);
}

void Frm_Activite::Txt_Finess_LostFocus() {
    const QString finess = Txt_Finess->text();
    if (finess.isEmpty() || finess.size() == 9)
        return;
    forms::Avertir(this, QStringLiteral("Le numéro de FINESS doit comporter 9 caractères."));
    toolkit::GiveFocusBack(Txt_Finess);
}

void Frm_Activite::Cmd_AjouterSection_Click() {
    ajouterEnPlace(section(), T::kSectionsAnalytiques);
}

void Frm_Activite::Cmd_AjouterService_Click() {
    ajouterEnPlace(service(), T::kServices);
}

void Frm_Activite::ajouterEnPlace(const PaireCode& paire, const char* table) {
    OuvrirParamSect(this, table, std::make_shared<DroitsEcran>(Access().Level()));
    const QString garde = paire.libelles->currentText();
    store::Variables& v = store::Variables::Get();
    // The shared record too: every window sees the new entries at once.
    if (paire.table == section().table)
        v.sectAnal = store::ReadSkippingErrors(v.fTables.get(), table);
    else
        v.services = store::ReadSkippingErrors(v.fTables.get(), table);
    remplirLibelles(paire);
    QCoreApplication::processEvents();
    paire.libelles->setEditText(garde);
}
