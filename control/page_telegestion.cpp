#include "control/page_telegestion.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

#include "entry/address_part.h"
#include "entry/length_cap.h"
#include "forms/feedback.h"
#include "forms/form_layout.h"
#include "platform/toolkit/qtext.h"
#include "store/layout/association.h"
#include "store/layout/tables.h"
#include "store/variables.h"

using toolkit::fromQ;
using toolkit::toQ;
namespace A = store::layout::association;
namespace T = store::layout::tables;
using namespace forms::layout;

PageTelegestion::PageTelegestion(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("Page_Telegestion"));
    auto* column = new QVBoxLayout(this);
    Cac_Telegestion = CheckBox(this, "Cac_Telegestion",
                               QStringLiteral("Utilisation d'un logiciel de télégestion"));
    column->addWidget(Cac_Telegestion);

    auto* fields = new QWidget(this);
    auto* g = FormGrid(fields);
    g->setContentsMargins(24, 6, 0, 0);
    Cbo_Systeme = new QComboBox(fields);
    Cbo_Systeme->setObjectName(QStringLiteral("Cbo_Systeme"));
    Cbo_Systeme->setMinimumWidth(WidthFor(Cbo_Systeme, 28));
    Txt_Systeme = LineEdit(fields, "Txt_Systeme", 8);
    Txt_Systeme->setReadOnly(true);
    Txt_Systeme->setFocusPolicy(Qt::NoFocus);
    Txt_Systeme->setToolTip(QStringLiteral("Code du système choisi"));
    Etq_Systeme =
        Label(fields, "Etq_Systeme", QStringLiteral("Système de télégestion utilisé"), Cbo_Systeme);
    auto* systeme = new QHBoxLayout;
    systeme->addWidget(Cbo_Systeme);
    systeme->addWidget(Txt_Systeme);
    systeme->addStretch();
    g->addWidget(Etq_Systeme, 0, 0, Qt::AlignLeft | Qt::AlignVCenter);
    g->addLayout(systeme, 0, 1);
    Txt_Ident = TextRow(g, 1, 0, "Txt_Ident", 20, "Etq_Ident",
                        QStringLiteral("Identificateur de l'association"), &Etq_Ident);
    Txt_NumSysTelegest =
        TextRow(g, 2, 0, "Txt_NumSysTelegest", 16, "Etq_NumSysTelGestion",
                QStringLiteral("N° téléphone Système télégestion"), &Etq_NumSysTelGestion);
    Txt_Moi = TextRow(g, 3, 0, "Txt_Moi", 46, "Etq_MOI", QStringLiteral("Ligne 1 MOI"), &Etq_MOI);
    Txt_LigneCarteTelGest = TextRow(g, 4, 0, "Txt_LigneCarteTelGest", 46, "Etq_Ligne2CarteTelGest",
                                    QStringLiteral("Ligne 2"), &Etq_Ligne2CarteTelGest);
    Cac_TelMobile =
        CheckBox(fields, "Cac_TelMobile", QStringLiteral("Système via téléphonie mobile"));
    g->addWidget(Cac_TelMobile, 5, 1);
    g->setColumnStretch(2, 1);
    column->addWidget(fields);
    column->addStretch();

    connect(Cac_Telegestion, &QCheckBox::clicked, this,
            forms::Handler(this, &PageTelegestion::Cac_Telegestion_Click));
    connect(Cbo_Systeme, &QComboBox::activated, this,
            forms::Handler(this, &PageTelegestion::Cbo_Systeme_Click));
    entry::AttachLengthCap(Txt_NumSysTelegest, 14, entry::AddressCharsKey);
    entry::AttachLengthCap(Txt_Moi, 44);
    entry::AttachLengthCap(Txt_LigneCarteTelGest, 44);
}

void PageTelegestion::Remplir_Table_Telegestion() {
    const store::Variables& v = store::Variables::Get();
    if (v.telegestion) {
        for (int i = 1; i <= v.telegestion->DCount(T::kCodes); ++i)
            Cbo_Systeme->addItem(toQ(v.telegestion->Value(T::kLibelles, i)));
    }
    Cbo_Systeme->setCurrentIndex(-1);
}

void PageTelegestion::setGroupEnabled(bool enabled) {
    for (QWidget* w : std::initializer_list<QWidget*>{Etq_Systeme, Cbo_Systeme, Etq_Ident,
                                                      Txt_Ident, Txt_NumSysTelegest,
                                                      Etq_NumSysTelGestion, Etq_Ligne2CarteTelGest,
                                                      Txt_LigneCarteTelGest, Txt_Moi, Etq_MOI}) {
        w->setEnabled(enabled);
    }
}

void PageTelegestion::Show(const store::Record& r) {
    const store::Variables& v = store::Variables::Get();
    if (r.Value(A::kSystemeTelegestion).empty()) {
        // Left checked over a greyed system list, the association could never be saved; the card
        // fields go grey with it, since an unchecked box stores none.
        Cac_Telegestion->setChecked(false);
        setGroupEnabled(false);
    } else {
        Cac_Telegestion->setChecked(true);
        setGroupEnabled(true);
        Txt_Systeme->setText(toQ(r.Value(A::kSystemeTelegestion)));
        // A code the table no longer knows stays in the code box, with no label chosen.
        Cbo_Systeme->setCurrentIndex(-1);
        if (v.telegestion) {
            const std::string code = fromQ(Txt_Systeme->text());
            for (int i = 1;; ++i) {
                const std::string known = v.telegestion->Value(T::kCodes, i);
                if (known.empty())
                    break;
                if (known == code) {
                    Cbo_Systeme->setCurrentIndex(i - 1);
                    break;
                }
            }
        }
        Txt_Ident->setText(toQ(r.Value(A::kIdentTelegestion)));
        Txt_NumSysTelegest->setText(toQ(r.Value(A::kTelSystemeTelegestion)));
        Txt_Moi->setText(toQ(r.Value(A::kCarteLigne1)));
        Txt_LigneCarteTelGest->setText(toQ(r.Value(A::kCarteLigne2)));
        Cac_TelMobile->setChecked(r.Value(A::kTelephonieMobile) == "1");
    }
    shown_ = forms::ScreenSnapshot::Of(this);
}

void PageTelegestion::Clear() {
    Cac_Telegestion->setChecked(false);
    Cbo_Systeme->setCurrentIndex(-1);
    // Nothing of the association shown before may linger where the next display leaves a field
    // as it finds it: its mobile flag would be written into the next one.
    for (QLineEdit* e :
         {Txt_Ident, Txt_Systeme, Txt_NumSysTelegest, Txt_Moi, Txt_LigneCarteTelGest})
        e->clear();
    Cac_TelMobile->setChecked(false);
    setGroupEnabled(false);
    shown_ = forms::ScreenSnapshot::Of(this);
}

void PageTelegestion::Cac_Telegestion_Click() {
    if (Cac_Telegestion->isChecked()) {
        setGroupEnabled(true);
        return;
    }
    Cbo_Systeme->setCurrentIndex(-1);
    Txt_Systeme->clear();
    Txt_Ident->clear();
    setGroupEnabled(false);
}

void PageTelegestion::Cbo_Systeme_Click() {
    const store::Variables& v = store::Variables::Get();
    if (!v.telegestion)
        return;
    const std::string label = fromQ(Cbo_Systeme->currentText());
    for (int i = 1;; ++i) {
        const std::string known = v.telegestion->Value(T::kLibelles, i);
        if (known.empty())
            return;
        if (known == label) {
            Txt_Systeme->setText(toQ(v.telegestion->Value(T::kCodes, i)));
            return;
        }
    }
}

void PageTelegestion::Verify(store::Record& r) const {
    forms::Put(r, A::kSystemeTelegestion, 0, fromQ(Txt_Systeme->text()));
    forms::Put(r, A::kIdentTelegestion, 0, fromQ(Txt_Ident->text()));
    forms::Put(r, A::kTelephonieMobile, 0, Cac_TelMobile->isChecked() ? "1" : "0");
}

void PageTelegestion::Store(store::Record& r, forms::Purpose purpose) const {
    if (purpose == forms::Purpose::Update && !Changed())
        return;
    const bool checked = Cac_Telegestion->isChecked();
    const std::pair<int, QLineEdit*> texts[] = {{A::kSystemeTelegestion, Txt_Systeme},
                                                {A::kIdentTelegestion, Txt_Ident},
                                                {A::kTelSystemeTelegestion, Txt_NumSysTelegest},
                                                {A::kCarteLigne1, Txt_Moi},
                                                {A::kCarteLigne2, Txt_LigneCarteTelGest}};
    for (const auto& [attribute, field] : texts)
        forms::Put(r, attribute, 0, checked ? fromQ(field->text()) : std::string());
    const bool mobile = purpose != forms::Purpose::Creation && Cac_TelMobile->isChecked();
    forms::Put(r, A::kTelephonieMobile, 0, !checked ? "" : mobile ? "1" : "0");
}

void PageTelegestion::AddChecks(forms::MandatoryChecks& checks, int tab) {
    forms::MandatoryCheck check;
    check.fails = [this] {
        return Cac_Telegestion->isChecked() && Cbo_Systeme->currentText().isEmpty();
    };
    check.message = QStringLiteral("Le système de télégestion doit être renseigné.");
    check.tab = tab;
    check.focus = Cbo_Systeme;
    checks.Add(std::move(check));
}
