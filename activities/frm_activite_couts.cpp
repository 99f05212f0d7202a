// The hourly cost history of an activity: four side-by-side lists, latest date first, and the
// entry of a line (add, change by double click, delete, abandon) with its checks.
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QScrollBar>
#include <algorithm>

#include "activities/frm_activite.h"
#include "entry/field.h"
#include "forms/date_field.h"
#include "forms/feedback.h"
#include "platform/components/utilitaires/composant_utilitaires.h"
#include "platform/toolkit/events.h"
#include "platform/toolkit/message_box.h"
#include "platform/toolkit/qtext.h"
#include "store/layout/activites.h"

using toolkit::fromQ;
using toolkit::toQ;
namespace X = store::layout::activites;

namespace {

const Composant_Utilitaires& util() {
    return Composant_Utilitaires::Instance();
}

const QString kPrestation = QStringLiteral("Prestation");
const QString kTarife = QStringLiteral("Tarifé");

// The numeric value of a stored day number; an empty or unreadable one counts 0.
long jour(const std::string& text) {
    return toQ(text).toLong();
}

QString montant(const std::string& centimes) {
    return util().CentimesVersMontant(toQ(centimes), 3, 2);
}

// The values of a text between marks; an empty text has none.
std::vector<std::string> decouper(std::string_view text, char mark) {
    std::vector<std::string> values;
    if (text.empty())
        return values;
    for (size_t from = 0;;) {
        const size_t end = text.find(mark, from);
        values.emplace_back(text.substr(from, end - from));
        if (end == std::string_view::npos)
            return values;
        from = end + 1;
    }
}

std::string joindre(const std::vector<std::string>& values, char mark) {
    std::string text;
    for (size_t k = 0; k < values.size(); ++k) {
        if (k)
            text += mark;
        text += values[k];
    }
    return text;
}

// The window disabled under the hourglass while the lines are sorted and shown again.
class Occupe {
  public:
    explicit Occupe(QWidget* w) : w_(w) { w_->setEnabled(false); }
    ~Occupe() { w_->setEnabled(true); }
    Occupe(const Occupe&) = delete;
    Occupe& operator=(const Occupe&) = delete;

  private:
    QWidget* w_;
    toolkit::Hourglass sablier_;
};

}  // namespace

std::vector<QListWidget*> Frm_Activite::listes() const {
    return {Lst_Date, Lst_Cout, Lst_CoutMajore, Lst_Type};
}

std::vector<Frm_Activite::LigneCout> Frm_Activite::lignesCout() const {
    // Each attribute is cut once: reading the lines value by value would read the record again
    // for every line.
    std::vector<std::string> couts, dates, majores, types;
    if (session_.Creating()) {
        couts = decouper(listeCouts_.Text(), '\xFE');
        dates = decouper(listeDates_.Text(), '\xFE');
        majores = decouper(listeCoutsMajores_.Text(), '\xFE');
        types = decouper(listeTypes_.Text(), '\xFE');
    } else {
        couts = decouper(itemCout_.Value(X::kCoutHoraire), '\xFD');
        dates = decouper(itemCout_.Value(X::kDateApplication), '\xFD');
        majores = decouper(itemCout_.Value(X::kCoutMajore), '\xFD');
        types = decouper(itemCout_.Value(X::kTypeLigneCout), '\xFD');
    }
    auto at = [](const std::vector<std::string>& values, size_t k) {
        return k < values.size() ? values[k] : std::string();
    };
    std::vector<LigneCout> lignes(std::max(couts.size(), dates.size()));
    for (size_t k = 0; k < lignes.size(); ++k)
        lignes[k] = {at(couts, k), at(dates, k), at(majores, k), at(types, k)};
    return lignes;
}

void Frm_Activite::ecrireLignesCout(const std::vector<LigneCout>& lignes) {
    const std::pair<std::string LigneCout::*, std::pair<store::Record*, int>> colonnes[] = {
        {&LigneCout::cout, {&listeCouts_, X::kCoutHoraire}},
        {&LigneCout::date, {&listeDates_, X::kDateApplication}},
        {&LigneCout::majore, {&listeCoutsMajores_, X::kCoutMajore}},
        {&LigneCout::type, {&listeTypes_, X::kTypeLigneCout}}};
    for (const auto& [membre, destination] : colonnes) {
        std::vector<std::string> values;
        for (const LigneCout& l : lignes)
            values.push_back(l.*membre);
        // Every value is written, empty ones included, so that the four stay parallel.
        if (session_.Creating())
            destination.first->SetText(joindre(values, '\xFE'));
        else
            itemCout_.SetValue(destination.second, joindre(values, '\xFD'));
    }
}

void Frm_Activite::Remplir_Cout() {
    QStringList couts, dates, majores, types;
    const bool creation = session_.Creating();
    for (const LigneCout& l : lignesCout()) {
        if (creation) {
            types << (l.type == "1" ? kPrestation : kTarife);
            couts << montant(l.cout);
        } else {
            types << (l.type.empty() ? QStringLiteral(" ") : l.type == "1" ? kPrestation : kTarife);
            couts << (l.cout.empty() ? util().FormatNombre(QStringLiteral("0.00"), 3, 2, 0)
                                     : montant(l.cout));
        }
        dates << (l.date.empty() ? QString() : util().JourVersDate(toQ(l.date)));
        majores << (l.majore.empty() ? QStringLiteral(" ") : montant(l.majore));
    }
    const std::pair<QListWidget*, QStringList*> contenus[] = {
        {Lst_Cout, &couts}, {Lst_Date, &dates}, {Lst_CoutMajore, &majores}, {Lst_Type, &types}};
    synchroListes_ = true;
    for (const auto& [liste, textes] : contenus) {
        liste->clear();
        liste->addItems(*textes);
    }
    for (QListWidget* liste : {Lst_Cout, Lst_CoutMajore}) {
        for (int i = 0; i < liste->count(); ++i)
            liste->item(i)->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
    }
    synchroListes_ = false;
    Bdv_Taux->setMaximum(std::max(0, Lst_Cout->count() - 1));
}

void Frm_Activite::Trier_Par_Date_Cout() {
    std::vector<LigneCout> lignes = lignesCout();
    // Latest first; lines of one date keep their order, lines without a date count as day 0.
    std::stable_sort(lignes.begin(), lignes.end(), [](const LigneCout& a, const LigneCout& b) {
        return jour(a.date) > jour(b.date);
    });
    ecrireLignesCout(lignes);
}

void Frm_Activite::montrerBarre() {
    Bdv_Taux->setMaximum(std::max(0, Lst_Cout->count() - 1));
    Bdv_Taux->setVisible(Lst_Cout->count() > 3);
}

void Frm_Activite::coutsAuRepos() {
    synchroListes_ = true;
    for (QListWidget* l : listes()) {
        l->clear();
        l->setEnabled(false);
    }
    synchroListes_ = false;
    viderSaisieCout();
    for (QWidget* w : std::initializer_list<QWidget*>{Etq_Type, Etq_Date, Etq_Cout, Etq_CoutMajore,
                                                      Txt_Cout, Txt_Date, Txt_CoutMajore, Cbo_Type,
                                                      Cmd_AjoutCout, Cmd_SuppCout, Cmd_OkCout,
                                                      Cmd_AnnulCout, Bdv_Taux, Cdr_CoutHoraire})
        w->setEnabled(false);
    Bdv_Taux->setVisible(false);
    wAjoutCout_ = 0;
}

void Frm_Activite::viderSaisieCout() {
    for (QLineEdit* e : {Txt_Cout, Txt_Date, Txt_CoutMajore})
        e->clear();
    Cbo_Type->setCurrentIndex(-1);
}

void Frm_Activite::deselectionnerLignes() {
    synchroListes_ = true;
    for (QListWidget* l : listes()) {
        l->setCurrentRow(-1);
        l->clearSelection();
    }
    synchroListes_ = false;
}

void Frm_Activite::activerListes(bool on) {
    for (QListWidget* l : listes())
        l->setEnabled(on);
}

void Frm_Activite::Masquer() {
    Cmd_AjoutCout->setEnabled(true);
    for (QWidget* w : std::initializer_list<QWidget*>{Txt_Cout, Txt_Date, Txt_CoutMajore, Cbo_Type,
                                                      Cmd_SuppCout, Cmd_AnnulCout, Cmd_OkCout})
        w->setEnabled(false);
    DeGrisage(true);
}

void Frm_Activite::Masquer_Sur_Clic_Liste_Cout() {
    Masquer_Sur_Clic_Ajouter_Cout();
    Cmd_SuppCout->setEnabled(true);
    Lst_Type->setEnabled(false);
}

void Frm_Activite::Masquer_Sur_Clic_Ajouter_Cout() {
    for (QWidget* w : std::initializer_list<QWidget*>{Cmd_AnnulCout, Cmd_OkCout, Cbo_Type, Txt_Cout,
                                                      Cdr_CoutHoraire, Txt_Date, Txt_CoutMajore,
                                                      Etq_Cout, Etq_Date, Etq_CoutMajore, Etq_Type})
        w->setEnabled(true);
    for (QWidget* w : std::initializer_list<QWidget*>{Lst_Date, Lst_Cout, Lst_CoutMajore})
        w->setEnabled(false);
    DeGrisage(false);
}

void Frm_Activite::Cmd_AjoutCout_Click() {
    Txt_Cout->clear();
    Txt_Date->clear();
    wAjoutCout_ = 1;
    Masquer_Sur_Clic_Ajouter_Cout();
    Txt_Date->setFocus();
    Cmd_AjoutCout->setEnabled(false);
}

void Frm_Activite::Lst_Click(int ligne) {
    if (synchroListes_ || ligne < 0)
        return;
    synchroListes_ = true;
    for (QListWidget* l : listes()) {
        if (ligne < l->count())
            l->setCurrentRow(ligne);
    }
    synchroListes_ = false;
}

void Frm_Activite::Bdv_Taux_Change(int valeur) {
    if (valeur < Lst_Cout->count())
        Lst_Click(valeur);
}

void Frm_Activite::Lst_DblClick() {
    const int ligne = Lst_Cout->currentRow();
    if (ligne < 0)
        return;
    Cmd_AjoutCout->setEnabled(false);
    const QString type = Lst_Type->item(ligne)->text();
    Cbo_Type->setCurrentIndex(type == QLatin1String(" ") || type == kPrestation ? 0 : 1);
    Txt_Cout->setText(Lst_Cout->item(ligne)->text());
    Txt_Date->setText(Lst_Date->item(ligne)->text());
    Txt_CoutMajore->setText(Lst_CoutMajore->item(ligne)->text().trimmed());
    Masquer_Sur_Clic_Liste_Cout();
    Bdv_Taux->setValue(ligne);
}

void Frm_Activite::Cmd_OkCout_Click() {
    const Composant_Utilitaires& u = util();
    if (Txt_Cout->text().isEmpty()) {
        forms::Informer(this, QStringLiteral("Vous devez saisir une valeur pour le coût horaire."));
        Txt_Cout->setFocus();
        return;
    }
    if (Txt_Date->text().isEmpty()) {
        forms::Informer(this, QStringLiteral("Vous devez saisir une date d'application pour le "
                                             "nouveau coût horaire."));
        Txt_Date->setFocus();
        return;
    }
    const QString jourSaisi = u.DateVersJour(Txt_Date->text());
    bool coutLu = false;
    bool majoreLu = true;
    const QString cout = u.MontantVersCentimes(Txt_Cout->text(), &coutLu);
    const QString majore = Txt_CoutMajore->text().trimmed().isEmpty()
                               ? QString()
                               : u.MontantVersCentimes(Txt_CoutMajore->text(), &majoreLu);
    // Nothing that is no date or no amount is stored.
    if (jourSaisi.isEmpty()) {
        forms::Avertir(this,
                       QStringLiteral("Erreur de saisie dans la date, veuillez la ressaisir."));
        Txt_Date->setFocus();
        return;
    }
    if (!coutLu || !majoreLu) {
        QLineEdit* faux = coutLu ? Txt_CoutMajore : Txt_Cout;
        forms::Avertir(this,
                       QStringLiteral("Le montant « %1 » n'est pas un nombre.").arg(faux->text()));
        faux->setFocus();
        return;
    }
    const int modifiee = wAjoutCout_ == 1 ? -1 : Lst_Cout->currentRow();
    for (int j = 0; j < Lst_Date->count(); ++j) {
        if (j == modifiee)
            continue;
        if (u.DateVersJour(Lst_Date->item(j)->text()) == jourSaisi &&
            Lst_Type->item(j)->text() == Cbo_Type->currentText()) {
            forms::Informer(this, QStringLiteral("La date d'application saisie existe déjà pour "
                                                 "le nouveau coût horaire."));
            Txt_Date->setFocus();
            return;
        }
    }

    const LigneCout ligne{fromQ(cout), fromQ(jourSaisi), fromQ(majore),
                          Cbo_Type->currentText() == kPrestation ? "1" : "2"};
    std::vector<LigneCout> lignes = lignesCout();
    if (wAjoutCout_ == 1) {
        lignes.push_back(ligne);
    } else if (modifiee >= 0 && modifiee < static_cast<int>(lignes.size())) {
        lignes[static_cast<size_t>(modifiee)] = ligne;
    }
    ecrireLignesCout(lignes);
    viderSaisieCout();
    wAjoutCout_ = 0;

    activerListes(true);
    {
        Occupe occupe(this);
        Trier_Par_Date_Cout();
        Remplir_Cout();
    }
    montrerBarre();
    for (QPushButton* b : {Cmd_AjoutCout, Cmd_Ok, Cmd_Annuler})
        b->setEnabled(true);
    DeGrisage(true);
    deselectionnerLignes();
    Masquer();
}

void Frm_Activite::Cmd_SuppCout_Click() {
    toolkit::Beep();
    if (toolkit::MsgBox(QStringLiteral("Etes-vous sûr de vouloir supprimer cette ligne ?"),
                        toolkit::Icon::Exclamation, toolkit::Buttons::YesNo,
                        this) == toolkit::Answer::Yes) {
        const int ligne = Lst_Cout->currentRow();
        std::vector<LigneCout> lignes = lignesCout();
        if (ligne >= 0 && ligne < static_cast<int>(lignes.size()))
            lignes.erase(lignes.begin() + ligne);
        ecrireLignesCout(lignes);
        Remplir_Cout();
        Cmd_AjoutCout->setEnabled(true);
    }
    deselectionnerLignes();
    montrerBarre();
    viderSaisieCout();
    DeGrisage(true);
    Cmd_Ok->setEnabled(true);
    Cmd_Annuler->setEnabled(true);
    Masquer();
}

void Frm_Activite::Cmd_AnnulCout_Click() {
    if (wAjoutCout_ == 1 &&
        !forms::RecordSession::ConfirmQuitCreation(this, toolkit::Icon::Exclamation)) {
        return;
    }
    viderSaisieCout();
    deselectionnerLignes();
    activerListes(true);
    Masquer();
    wAjoutCout_ = 0;
}

void Frm_Activite::Txt_Date_LostFocus() {
    forms::VerifierDate(this, Txt_Date);
}

void Frm_Activite::montantKeyPress(QLineEdit* zone, int& keyAscii) {
    if (keyAscii == entry::kBackspace)
        return;
    if (keyAscii == entry::kEnter) {
        keyAscii = 0;
        if (!zone->text().isEmpty()) {
            util().FormatZone(zone, 3, 2);
            Cmd_OkCout->setFocus();
        }
        return;
    }
    util().FiltreToucheMontant(keyAscii, zone);
}

void Frm_Activite::Txt_Cout_KeyPress(int& keyAscii) {
    montantKeyPress(Txt_Cout, keyAscii);
}

void Frm_Activite::Txt_CoutMajore_KeyPress(int& keyAscii) {
    montantKeyPress(Txt_CoutMajore, keyAscii);
}

void Frm_Activite::Txt_Cout_LostFocus() {
    if (!Txt_Cout->text().isEmpty())
        util().FormatZone(Txt_Cout, 3, 2);
}

void Frm_Activite::Txt_CoutMajore_LostFocus() {
    if (!Txt_CoutMajore->text().isEmpty())
        util().FormatZone(Txt_CoutMajore, 3, 2);
}
