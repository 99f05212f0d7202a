#include "composant_rib.h"

#include <QApplication>
#include <QFontDatabase>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QTimer>
#include <iterator>

#include "platform/toolkit/events.h"
#include "platform/toolkit/message_box.h"
#include "platform/toolkit/qtext.h"

using toolkit::fromQ;
using toolkit::toQ;

namespace {

// Typed-key rules of a bank field: how many characters (blanks aside) and which ones. Letters are
// typed in upper case. Text set by the program is never cut.
toolkit::KeyHandler regleDeSaisie(QLineEdit* champ, int longueurMax, bool lettres) {
    return [champ, longueurMax, lettres](int& key) {
        if (key == 8 || key == 9 || key == 13)
            return;
        if (lettres && key >= 'a' && key <= 'z')
            key = key - 'a' + 'A';
        const bool chiffre = key >= '0' && key <= '9';
        const bool lettre = key >= 'A' && key <= 'Z';
        if (!chiffre && !(lettres && lettre)) {
            key = 0;
            return;
        }
        QString reste = champ->text();
        if (champ->hasSelectedText())
            reste.remove(champ->selectionStart(), champ->selectedText().size());
        reste.remove(QLatin1Char(' '));
        if (reste.size() >= longueurMax)
            key = 0;
    };
}

void filtrer(QLineEdit* champ, int longueurMax, bool lettres) {
    toolkit::OnKeyPress(champ, regleDeSaisie(champ, longueurMax, lettres));
}

// Wide enough for n characters of the field's fixed-pitch font, and no wider.
void dimensionner(QLineEdit* champ, int n) {
    const QFontMetrics fm(champ->font());
    const QMargins marges = champ->textMargins();
    // The frame and the inner margins of a line edit take about two characters more.
    champ->setFixedWidth(fm.horizontalAdvance(QString(n + 2, QLatin1Char('0'))) + marges.left() +
                         marges.right() + 4);
}

void ecrire(store::Record& record, int attribut, const std::string& texte) {
    // An empty field past the end of the record adds nothing, so that unchanged details give
    // back the very text that was read.
    if (texte.empty() && record.DCount() < attribut)
        return;
    record.SetValue(attribut, texte);
}

using rib::CoordonneesBancaires;

// The details in the order of the fields and of rib::Champ; from the third on, each has its own
// attribute, the block's second attribute onwards (the bank and its domiciliation share the first).
constexpr std::string CoordonneesBancaires::*kParties[] = {
    &CoordonneesBancaires::banque,       &CoordonneesBancaires::domiciliation,
    &CoordonneesBancaires::codeBanque,   &CoordonneesBancaires::codeGuichet,
    &CoordonneesBancaires::numeroCompte, &CoordonneesBancaires::cleRib,
    &CoordonneesBancaires::iban,         &CoordonneesBancaires::bic,
    &CoordonneesBancaires::ics};
constexpr int kPremiereAttribuee = 2;

CoordonneesBancaires lire(const store::Record& record, int f) {
    CoordonneesBancaires c;
    c.banque = record.Value(f, 1);
    c.domiciliation = record.Value(f, 2);
    for (int i = kPremiereAttribuee; i < std::ssize(kParties); ++i)
        c.*kParties[i] = record.Value(f + i - 1);
    return c;
}

std::string resume(const CoordonneesBancaires& c) {
    if (!c.iban.empty())
        return rib::IbanGroupe(c.iban);
    std::string texte;
    for (const std::string* partie : {&c.codeBanque, &c.codeGuichet, &c.numeroCompte, &c.cleRib}) {
        if (partie->empty())
            continue;
        if (!texte.empty())
            texte += ' ';
        texte += *partie;
    }
    return texte;
}

}  // namespace

Composant_RIB::Composant_RIB(QWidget* parent) : QWidget(parent) {
    construire();
    brancherSaisie();
    connect(qApp, &QApplication::focusChanged, this, [this](QWidget* avant, QWidget* apres) {
        if (apres && isAncestorOf(apres) && !(avant && isAncestorOf(avant)))
            emit focusEntered();
    });
}

Composant_RIB::~Composant_RIB() = default;

void Composant_RIB::construire() {
    auto nouveauChamp = [this](const char* nom) {
        auto* champ = new QLineEdit(this);
        champ->setObjectName(QString::fromLatin1(nom));
        return champ;
    };
    banque_ = nouveauChamp("Txt_Banque");
    domiciliation_ = nouveauChamp("Txt_Domiciliation");
    codeBanque_ = nouveauChamp("Txt_CodeBanque");
    codeGuichet_ = nouveauChamp("Txt_CodeGuichet");
    numeroCompte_ = nouveauChamp("Txt_NumCompte");
    cleRib_ = nouveauChamp("Txt_CleRib");
    iban_ = nouveauChamp("Txt_Iban");
    bic_ = nouveauChamp("Txt_Bic");
    ics_ = nouveauChamp("Txt_Ics");

    // Account numbers are read digit by digit: a fixed-pitch font keeps the columns aligned.
    const QFont fixe = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    for (QLineEdit* champ : {codeBanque_, codeGuichet_, numeroCompte_, cleRib_, iban_, bic_, ics_})
        champ->setFont(fixe);
    dimensionner(codeBanque_, 5);
    dimensionner(codeGuichet_, 5);
    dimensionner(numeroCompte_, 11);
    dimensionner(cleRib_, 2);
    dimensionner(iban_, 34 + 8);
    dimensionner(bic_, 11);
    dimensionner(ics_, 13);
    iban_->setPlaceholderText(QStringLiteral("FR76 ...."));

    auto etiquette = [this](const char* nom, const QString& texte, QLineEdit* champ) {
        auto* label = new QLabel(texte, this);
        label->setObjectName(QString::fromLatin1(nom));
        label->setBuddy(champ);
        return label;
    };

    auto* grille = new QGridLayout(this);
    grille->setContentsMargins(0, 0, 0, 0);
    grille->addWidget(etiquette("Etq_Banque", QStringLiteral("Banque"), banque_), 0, 0);
    grille->addWidget(banque_, 0, 1, 1, 4);
    grille->addWidget(
        etiquette("Etq_Domiciliation", QStringLiteral("Domiciliation"), domiciliation_), 1, 0);
    grille->addWidget(domiciliation_, 1, 1, 1, 4);

    // The four parts of a RIB read left to right, each under its caption, as on a bank form.
    grille->addWidget(etiquette("Etq_CodeBanque", QStringLiteral("Code banque"), codeBanque_), 2,
                      1);
    grille->addWidget(etiquette("Etq_CodeGuichet", QStringLiteral("Code guichet"), codeGuichet_), 2,
                      2);
    grille->addWidget(etiquette("Etq_NumCompte", QStringLiteral("N° de compte"), numeroCompte_), 2,
                      3);
    grille->addWidget(etiquette("Etq_CleRib", QStringLiteral("Clé RIB"), cleRib_), 2, 4);
    grille->addWidget(new QLabel(QStringLiteral("RIB"), this), 3, 0);
    grille->addWidget(codeBanque_, 3, 1);
    grille->addWidget(codeGuichet_, 3, 2);
    grille->addWidget(numeroCompte_, 3, 3);
    grille->addWidget(cleRib_, 3, 4);

    grille->addWidget(etiquette("Etq_Iban", QStringLiteral("IBAN"), iban_), 4, 0);
    grille->addWidget(iban_, 4, 1, 1, 4);
    grille->addWidget(etiquette("Etq_Bic", QStringLiteral("BIC"), bic_), 5, 0);
    grille->addWidget(bic_, 5, 1, 1, 2);
    grille->addWidget(etiquette("Etq_Ics", QStringLiteral("ICS"), ics_), 6, 0);
    grille->addWidget(ics_, 6, 1, 1, 2);
    grille->setColumnStretch(5, 1);
    grille->setRowStretch(7, 1);

    setTabOrder(banque_, domiciliation_);
    setTabOrder(domiciliation_, codeBanque_);
    setTabOrder(codeBanque_, codeGuichet_);
    setTabOrder(codeGuichet_, numeroCompte_);
    setTabOrder(numeroCompte_, cleRib_);
    setTabOrder(cleRib_, iban_);
    setTabOrder(iban_, bic_);
    setTabOrder(bic_, ics_);
}

void Composant_RIB::brancherSaisie() {
    filtrer(codeBanque_, 5, false);
    filtrer(codeGuichet_, 5, false);
    filtrer(numeroCompte_, 11, true);
    filtrer(cleRib_, 2, false);
    filtrer(bic_, 11, true);
    filtrer(ics_, 35, true);
    connect(iban_, &QLineEdit::textEdited, this, &Composant_RIB::regrouperIban);
    // Backspace just after a group's blank would remove the blank only for it to come back:
    // it takes the character before it. The filter below still applies to other keys.
    toolkit::OnKeyPress(iban_, [this, filtre = regleDeSaisie(iban_, 34, true)](int& key) {
        const int curseur = iban_->cursorPosition();
        if (key == 8 && !iban_->hasSelectedText() && curseur > 0 &&
            iban_->text().at(curseur - 1) == QLatin1Char(' ')) {
            iban_->setCursorPosition(curseur - 1);
        }
        filtre(key);
    });
    toolkit::OnLostFocus(iban_, [this] { completerDepuisIban(); });
    for (QLineEdit* partie : {codeBanque_, codeGuichet_, numeroCompte_, cleRib_})
        toolkit::OnLostFocus(partie, [this] { completerIban(); });
}

void Composant_RIB::regrouperIban() {
    const QString texte = iban_->text();
    // Where the cursor is, counted in characters of the IBAN itself.
    int avant = 0;
    for (int i = 0; i < iban_->cursorPosition() && i < texte.size(); ++i) {
        if (texte.at(i) != QLatin1Char(' '))
            ++avant;
    }
    const QString groupe = toQ(rib::IbanGroupe(fromQ(texte)));
    if (groupe == texte)
        return;
    iban_->setText(groupe);
    int position = 0;
    for (int vus = 0; position < groupe.size() && vus < avant; ++position) {
        if (groupe.at(position) != QLatin1Char(' '))
            ++vus;
    }
    iban_->setCursorPosition(position);
}

void Composant_RIB::completerDepuisIban() {
    const std::string iban = rib::IbanCompact(fromQ(iban_->text()));
    if (iban.rfind("FR", 0) != 0 || !rib::IbanValide(iban))
        return;
    for (QLineEdit* partie : {codeBanque_, codeGuichet_, numeroCompte_, cleRib_}) {
        if (!partie->text().trimmed().isEmpty())
            return;
    }
    codeBanque_->setText(toQ(iban.substr(4, 5)));
    codeGuichet_->setText(toQ(iban.substr(9, 5)));
    numeroCompte_->setText(toQ(iban.substr(14, 11)));
    cleRib_->setText(toQ(iban.substr(25, 2)));
}

void Composant_RIB::completerIban() {
    if (!iban_->text().trimmed().isEmpty())
        return;
    const CoordonneesBancaires c = Coordonnees();
    const std::string iban =
        rib::IbanDepuisRib(c.codeBanque, c.codeGuichet, c.numeroCompte, c.cleRib);
    if (!iban.empty())
        iban_->setText(toQ(rib::IbanGroupe(iban)));
}

void Composant_RIB::SetConnection(std::shared_ptr<store::Database> database,
                                  std::shared_ptr<store::Client> client) {
    database_ = std::move(database);
    client_ = std::move(client);
}

std::array<QLineEdit*, 9> Composant_RIB::champs() const {
    return {banque_, domiciliation_, codeBanque_, codeGuichet_, numeroCompte_,
            cleRib_, iban_,          bic_,        ics_};
}

void Composant_RIB::afficher(const CoordonneesBancaires& c) {
    const auto tous = champs();
    for (size_t i = 0; i < tous.size(); ++i)
        tous[i]->setText(toQ(c.*kParties[i]));
    // Only a blank-free IBAN is shown in groups: anything else is shown as stored, to be seen.
    if (c.iban.find(' ') == std::string::npos)
        iban_->setText(toQ(rib::IbanGroupe(c.iban)));
}

CoordonneesBancaires Composant_RIB::Coordonnees() const {
    CoordonneesBancaires c;
    const auto tous = champs();
    for (size_t i = 0; i < tous.size(); ++i)
        c.*kParties[i] = fromQ(tous[i]->text());
    return rib::Normaliser(std::move(c));
}

std::string Composant_RIB::ReadFromRecord(store::Record& record, int firstAttribute) {
    const CoordonneesBancaires c = lire(record, firstAttribute);
    afficher(c);
    return resume(rib::Normaliser(c));
}

std::string Composant_RIB::WriteToRecord(store::Record& record, int firstAttribute) {
    const CoordonneesBancaires c = Coordonnees();
    const int f = firstAttribute;
    if (f <= 0)
        return resume(c);
    if (!c.banque.empty() || record.DCount() >= f)
        record.SetValue(f, 1, c.banque);
    // No empty second value unless the record had one: the text must not change for nothing.
    if (!c.domiciliation.empty() || record.DCount(f) >= 2)
        record.SetValue(f, 2, c.domiciliation);
    for (int i = kPremiereAttribuee; i < std::ssize(kParties); ++i)
        ecrire(record, f + i - 1, c.*kParties[i]);
    return resume(c);
}

bool Composant_RIB::Differs(store::Record& record, int firstAttribute) {
    return !(Coordonnees() == lire(record, firstAttribute));
}

void Composant_RIB::Clear() {
    for (QLineEdit* champ : findChildren<QLineEdit*>())
        champ->clear();
    errorFlag_ = false;
}

QLineEdit* Composant_RIB::champ(rib::Champ champ) const {
    return champ == rib::Champ::Aucun ? nullptr : champs()[static_cast<size_t>(champ) - 1];
}

void Composant_RIB::Check() {
    const rib::Anomalie anomalie = rib::Controler(Coordonnees());
    errorFlag_ = static_cast<bool>(anomalie);
    if (!anomalie)
        return;
    toolkit::MsgBox(toQ(anomalie.message), toolkit::Icon::Exclamation, toolkit::Buttons::Ok, this);
    QLineEdit* fautif = champ(anomalie.champ);
    if (!fautif)
        return;
    auto focaliser = [fautif] {
        fautif->setFocus(Qt::OtherFocusReason);
        fautif->selectAll();
    };
    focaliser();
    // The caller brings this component's tab to the front next: focus again once it is shown.
    QTimer::singleShot(0, fautif, focaliser);
}
