#include "control/page_cotisation.h"

#include <QButtonGroup>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QVBoxLayout>

#include "control/ctr_association_parts.h"
#include "entry/amount_format.h"
#include "entry/decimal_amount.h"
#include "forms/field_binding.h"
#include "forms/form_layout.h"
#include "platform/components/utilitaires/composant_utilitaires.h"
#include "platform/toolkit/qtext.h"
#include "store/layout/activites.h"
#include "store/layout/association.h"
#include "store/request.h"
#include "store/variables.h"

using toolkit::fromQ;
using toolkit::toQ;
namespace A = store::layout::association;

PageCotisation::PageCotisation(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("Page_Cotisation"));
    auto* column = new QVBoxLayout(this);
    auto* row = new QHBoxLayout;
    row->addWidget(
        buildFrame("Cdr_Mandat", QStringLiteral("Mandataire"), QLatin1Char('M'), frames_[0]));
    row->addWidget(
        buildFrame("Cdr_Prest", QStringLiteral("Prestataire"), QLatin1Char('P'), frames_[1]));
    row->addWidget(
        buildFrame("Cdr_Inter", QStringLiteral("Intermédiaire"), QLatin1Char('I'), frames_[2]));
    row->addStretch();
    column->addLayout(row);
    column->addStretch(1);
}

QGroupBox* PageCotisation::buildFrame(const char* frameName, const QString& caption, QChar kind,
                                      FeeFrame& f) {
    using namespace forms::layout;
    const QString k(kind);
    f.frame = Frame(this, frameName, caption);
    auto* column = new QVBoxLayout(f.frame);
    auto* montant = new QHBoxLayout;
    f.montant = new QLineEdit(f.frame);
    f.montant->setObjectName(QStringLiteral("Txt_Montant") + k);
    f.montant->setFixedWidth(WidthFor(f.montant, 9));
    f.montant->setAlignment(Qt::AlignRight);
    auto* l = new QLabel(QStringLiteral("Montant"), f.frame);
    l->setObjectName(QStringLiteral("Etq_Montant") + k);
    l->setBuddy(f.montant);
    montant->addWidget(l);
    montant->addWidget(f.montant);
    montant->addWidget(new QLabel(QStringLiteral("€"), f.frame));
    montant->addStretch();
    column->addLayout(montant);

    auto* appel = new QGroupBox(QStringLiteral("Type d'appel"), f.frame);
    appel->setObjectName(QStringLiteral("Cdr_TypeAppel") + k);
    auto* options = new QVBoxLayout(appel);
    f.anneeCivile = new QRadioButton(QStringLiteral("Année civile"), appel);
    f.anneeCivile->setObjectName(QStringLiteral("Opt_AnneeCivile") + k);
    f.moisAnniversaire = new QRadioButton(QStringLiteral("Mois anniversaire"), appel);
    f.moisAnniversaire->setObjectName(QStringLiteral("Opt_MoisAnni") + k);
    options->addWidget(f.anneeCivile);
    options->addWidget(f.moisAnniversaire);
    f.typeAppel = new QButtonGroup(appel);
    f.typeAppel->addButton(f.anneeCivile);
    f.typeAppel->addButton(f.moisAnniversaire);
    column->addWidget(appel);

    entry::AttachDecimalAmount(f.montant);
    entry::AttachAmountFormat(f.montant, 4, 2, entry::EmptyAmount::Formatted);
    return f.frame;
}

void PageCotisation::RequeteActivite(const std::string& code) {
    const store::Variables& v = store::Variables::Get();
    activites_ = store::Record();
    const std::optional<std::string> value = store::QuoteValue(code, true);
    if (!v.database || !value)
        return;
    activites_ =
        v.database->Select("SSELECT ACTIVITES AVEC @ID = " + *value + " PAR " +
                               std::to_string(store::layout::activites::kType),
                           "ACTIVITES", "0 " + std::to_string(store::layout::activites::kType));
}

void PageCotisation::Degriser_Cotisation(const std::string& code) {
    for (FeeFrame& f : frames_)
        f.frame->setEnabled(false);
    RequeteActivite(code);
    for (int i = 1; i <= activites_.DCount(); ++i) {
        const std::string type = activites_.Value(i, 2);
        if (type == store::layout::activites::kIntermediaire)
            frames_[2].frame->setEnabled(true);
        else if (type == store::layout::activites::kPrestataire)
            frames_[1].frame->setEnabled(true);
        else
            frames_[0].frame->setEnabled(true);
    }
}

void PageCotisation::Show(const store::Record& r) {
    for (int k = 1; k <= 3; ++k) {
        FeeFrame& f = frames_[k - 1];
        const std::string amount = r.Value(A::kCotisationMontant, k);
        if (!amount.empty())
            f.montant->setText(assoc::formatNumber(assoc::hundredthsToNumber(amount), 2));
        const std::string call = r.Value(A::kCotisationAppel, k);
        if (!call.empty()) {
            if (call == "A")
                f.anneeCivile->setChecked(true);
            else
                f.moisAnniversaire->setChecked(true);
        }
        f.shown = forms::ScreenSnapshot::Of(f.frame);
    }
}

void PageCotisation::Clear() {
    for (FeeFrame& f : frames_) {
        f.montant->clear();
        // An exclusive group cannot be left with no button checked otherwise.
        f.typeAppel->setExclusive(false);
        f.anneeCivile->setChecked(false);
        f.moisAnniversaire->setChecked(false);
        f.typeAppel->setExclusive(true);
        f.shown = forms::ScreenSnapshot::Of(f.frame);
    }
}

void PageCotisation::EnrModifCotisation(const std::optional<store::Record>& association) const {
    store::Variables& v = store::Variables::Get();
    if (!v.requete)
        v.requete = store::Record();
    store::Record& requete = *v.requete;
    // The request record outlives the association shown: what a frame does not set must be this
    // association's own fee, never the one of an association saved before it.
    auto garderStockee = [&](int k) {
        requete.SetValue(1, k, association ? association->Value(A::kCotisationMontant, k) : "");
        requete.SetValue(2, k, association ? association->Value(A::kCotisationAppel, k) : "");
    };
    for (int k = 1; k <= 3; ++k) {
        const FeeFrame& f = frames_[k - 1];
        // Enabled as the activities decide, whether or not the whole screen is greyed just now;
        // untouched since its display, it has nothing of its own to say.
        if (!f.frame->isEnabledTo(this) || forms::ScreenSnapshot::Of(f.frame) == f.shown) {
            garderStockee(k);
            continue;
        }
        const QString montant = f.montant->text().trimmed();
        if (montant.isEmpty()) {
            requete.SetValue(1, k, "");
            requete.SetValue(2, k, "");
            continue;
        }
        bool ok = false;
        const QString centimes =
            Composant_Utilitaires::Instance().MontantVersCentimes(montant, &ok);
        if (!ok) {
            // A text that is no amount (a lone comma, pasted letters) replaces no stored fee.
            garderStockee(k);
            continue;
        }
        requete.SetValue(1, k, fromQ(centimes));
        requete.SetValue(2, k, f.anneeCivile->isChecked() ? "A" : "M");
    }
}

void PageCotisation::CopyInto(store::Record& r) {
    const std::optional<store::Record>& requete = store::Variables::Get().requete;
    if (!requete)
        return;
    for (int k = 1; k <= 3; ++k) {
        forms::Put(r, A::kCotisationMontant, k, requete->Value(1, k));
        forms::Put(r, A::kCotisationAppel, k, requete->Value(2, k));
    }
}
