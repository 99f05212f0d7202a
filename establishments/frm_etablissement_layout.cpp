// The widgets of the establishments window, their arrangement, and the lists that tie them to
// the ETABLISSEMENT record: the field bindings and the mandatory checks.
#include <QCheckBox>
#include <QComboBox>
#include <QFontDatabase>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStackedLayout>
#include <QTabBar>
#include <QTabWidget>
#include <QVBoxLayout>

#include "establishments/frm_etablissement.h"
#include "forms/feedback.h"
#include "forms/form_layout.h"
#include "platform/components/adresse/composant_adresse.h"
#include "platform/components/rib/composant_rib.h"
#include "platform/toolkit/events.h"
#include "store/layout/etablissement.h"

namespace E = store::layout::etablissement;
using namespace forms::layout;

void Frm_Etablissement::buildUi() {
    setObjectName(QStringLiteral("Frm_Etablissement"));
    setWindowTitle(QStringLiteral("Etablissements"));
    auto* main = new QVBoxLayout(this);
    main->setContentsMargins(10, 10, 10, 10);
    main->setSpacing(10);
    main->addWidget(buildHeader());

    Ong_Etabl = new QTabWidget(this);
    Ong_Etabl->setObjectName(QStringLiteral("Ong_Etabl"));
    Ong_Etabl->addTab(buildTabCoordonnees(), QStringLiteral("Coordonnées"));
    Ong_Etabl->addTab(buildTabParametresPaie(), QStringLiteral("Paramètres de paie"));
    Ong_Etabl->addTab(buildTabAutres(), QStringLiteral("Autres"));
    Ong_Etabl->addTab(buildTabRib(), QStringLiteral("R.i.b."));
    main->addWidget(Ong_Etabl, 1);
    main->addWidget(buildButtons());
    resize(sizeHint().expandedTo(QSize(820, 560)));
}

void Frm_Etablissement::lierChamps() {
    using namespace forms;
    fields_ = FieldBindings();
    const bool garantie = periodeGarantie();
    // Only the pair of the current pay period is shown and stored; the other is left alone.
    QLineEdit* paie1 = garantie ? Txt_GarantieHorMin : Txt_Multiplicateur;
    QLineEdit* paie2 = garantie ? Txt_MinorationReducSs : Txt_SmicMensuel;
    // Upper case on saving: the type-ahead compares upper-case sigles.
    fields_.Add(TextField(Txt_SigleEtabl, E::kSigle, 1).ShownIn(Cbo_SigleEtabl).UpperCaseOnSave())
        .Add(TextField(Txt_RaisonEtabl, E::kRaisonSociale, 1))
        .Add(TextField(Txt_SiretEtabl, E::kSiret, 1))
        .Add(TextField(Txt_CodNafEtabl, E::kCodeNaf, 1))
        .Add(AmountField(Txt_HorHebdoEtabl, E::kHoraireHebdo, 1, 2, 2, true))
        .Add(TextField(Txt_NoAffUrssaf, E::kNumAffiliation, 1))
        .Add(TextField(Txt_CodUrssaf, E::kCodeUrssaf, 1))
        .Add(CheckField(Chk_CarteOrange, E::kCarteOrange, 1))
        .Add(TextField(Txt_CentreUrssaf, E::kCentreUrssaf, 1))
        .Add(ListIndexField(Cbo_Mois, E::kMoisFinModulation, 0, 2))
        .Add(TextField(Txt_Fraction, E::kFractionTds))
        .Add(AmountField(paie1, E::kParametrePaie1, 0, 5, 2))
        .Add(AmountField(paie2, E::kParametrePaie2, 0, 5, 2))
        .Add(AmountField(Txt_Abattement, E::kAbattement, 0, 5, 2))
        .Add(AmountField(Txt_AidePerenne, E::kAidePerenne, 0, 4, 2))
        .Add(AmountField(Txt_AideIncitative, E::kAideIncitative, 0, 4, 2))
        .Add(AmountField(Txt_TauxHoraire, E::kTauxHorairePlancher, 0, 3, 2))
        // The scheme before the territorial flag: choosing a scheme clears the flag.
        .Add(OptionsField({Opt_URSSAF, Opt_MSA}, E::kRegime, 0, {"U", "M"}, 0))
        .Add(CheckField(Cac_CollecTerri, E::kCollectiviteTerritoriale))
        .Add(TextField(Txt_IdCCN, E::kIdConventionCollective))
        .Add(TextField(Txt_CodeInsee, E::kCodeInsee));

    // The other pair cannot be typed into: it would be neither shown nor stored.
    for (QLineEdit* autre : {garantie ? Txt_Multiplicateur : Txt_GarantieHorMin,
                             garantie ? Txt_SmicMensuel : Txt_MinorationReducSs}) {
        autre->setEnabled(false);
        if (auto* etiquette =
                findChild<QLabel*>(QStringLiteral("Etq_") + autre->objectName().mid(4)))
            etiquette->setEnabled(false);
    }
    for (QLineEdit* actif : {paie1, paie2})
        actif->setEnabled(true);
}

void Frm_Etablissement::buildChecks() {
    auto onglet = [](const char* message, QLineEdit* field) {
        forms::MandatoryCheck check;
        check.message = QString::fromUtf8(message);
        check.tab = kAutres;
        check.focus = field;
        return check;
    };
    forms::MandatoryCheck siretCourt =
        onglet("La longueur du numéro de SIRET doit être de 14 caractères.", Txt_SiretEtabl);
    siretCourt.fails = [this] { return Txt_SiretEtabl->text().size() < 14; };
    // The affiliation number serves both schemes; the message names the one chosen.
    forms::MandatoryCheck affiliationUrssaf =
        onglet("Le numéro d'affiliation URSSAF doit être renseigné.", Txt_NoAffUrssaf);
    affiliationUrssaf.fails = [this] {
        return Txt_NoAffUrssaf->text().isEmpty() && Opt_URSSAF->isChecked();
    };
    forms::MandatoryCheck affiliationMsa =
        onglet("Le numéro d'affiliation MSA doit être renseigné.", Txt_NoAffUrssaf);
    affiliationMsa.fails = [this] {
        return Txt_NoAffUrssaf->text().isEmpty() && !Opt_URSSAF->isChecked();
    };

    checks_.Add(forms::BankDetailsCheck(Ctr_RibEtab, kRib))
        .Required(Txt_SigleEtabl, QStringLiteral("Le sigle doit être renseigné."), -1, true)
        .Required(Txt_RaisonEtabl,
                  QStringLiteral("La raison sociale de l'entité doit être renseignée."))
        .Required(Txt_SiretEtabl, QStringLiteral("Le numéro de SIRET doit être renseigné."),
                  kAutres)
        .Add(std::move(siretCourt))
        .Required(Txt_CodNafEtabl, QStringLiteral("Le code NAF doit être renseigné."), kAutres)
        .Required(Txt_HorHebdoEtabl, QStringLiteral("L'horaire hebdo doit être renseigné."),
                  kAutres)
        .Required(Cbo_Mois,
                  QStringLiteral("Le mois de fin de modulation des contrats de travail "
                                 "annualisés doit être renseigné."),
                  kAutres)
        .Add(std::move(affiliationUrssaf))
        .Add(std::move(affiliationMsa));
}

QWidget* Frm_Etablissement::buildHeader() {
    auto* box = new QWidget(this);
    auto* grid = FormGrid(box);
    grid->setContentsMargins(0, 0, 0, 0);

    auto* entite = new QLabel(QStringLiteral("Entité juridique"), box);
    entite->setObjectName(QStringLiteral("Etq_Entite"));
    Etq_CodeAssoc = new QLabel(box);
    Etq_CodeAssoc->setObjectName(QStringLiteral("Etq_CodeAssoc"));
    Etq_SigleAssoc = new QLabel(box);
    Etq_SigleAssoc->setObjectName(QStringLiteral("Etq_SigleAssoc"));
    for (QLabel* l : {Etq_CodeAssoc, Etq_SigleAssoc}) {
        QFont gras = l->font();
        gras.setBold(true);
        l->setFont(gras);
    }
    auto* ligneEntite = new QHBoxLayout;
    ligneEntite->setSpacing(12);
    ligneEntite->addWidget(Etq_CodeAssoc);
    ligneEntite->addWidget(Etq_SigleAssoc);
    ligneEntite->addStretch();
    grid->addWidget(entite, 0, 0, Qt::AlignLeft | Qt::AlignVCenter);
    grid->addLayout(ligneEntite, 0, 1, 1, 2);

    Txt_CodeEtabl = LineEdit(box, "Txt_CodeEtabl", 5);
    Txt_CodeEtabl->setMaxLength(3);
    Txt_CodeEtabl->setToolTip(QStringLiteral("Code à trois chiffres ; Entrée complète par des 0"));
    AddRow(grid, 1, 0, Label(box, "Etq_CodeEtabl", QStringLiteral("&Code"), Txt_CodeEtabl),
           Txt_CodeEtabl);

    // The sigle list (look-up) and the sigle text box (entry) share one place: the list while
    // searching, the text box once an establishment is shown or created.
    auto* sigleCell = new QWidget(box);
    auto* stack = new QStackedLayout(sigleCell);
    stack->setContentsMargins(0, 0, 0, 0);
    Cbo_SigleEtabl = new QComboBox(sigleCell);
    Cbo_SigleEtabl->setObjectName(QStringLiteral("Cbo_SigleEtabl"));
    Cbo_SigleEtabl->setEditable(true);
    Cbo_SigleEtabl->setInsertPolicy(QComboBox::NoInsert);
    Cbo_SigleEtabl->setCompleter(nullptr);  // the look-up happens on Enter, not while typing
    Cbo_SigleEtabl->setMaxVisibleItems(15);
    Cbo_SigleEtabl->setToolTip(
        QStringLiteral("Tapez le début du sigle puis Entrée pour lister les établissements"));
    Txt_SigleEtabl = new QLineEdit(sigleCell);
    Txt_SigleEtabl->setObjectName(QStringLiteral("Txt_SigleEtabl"));
    stack->addWidget(Cbo_SigleEtabl);
    stack->addWidget(Txt_SigleEtabl);
    sigleCell->setFixedWidth(WidthFor(sigleCell, 26));
    AddRow(grid, 2, 0, Label(box, "Etq_SigleEtabl", QStringLiteral("&Sigle"), Cbo_SigleEtabl),
           sigleCell);

    Txt_RaisonEtabl = LineEdit(box, "Txt_RaisonEtabl", 50, false);
    grid->addWidget(
        Label(box, "Etq_RaisonEtabl", QStringLiteral("&Raison Sociale"), Txt_RaisonEtabl), 3, 0,
        Qt::AlignLeft | Qt::AlignVCenter);
    grid->addWidget(Txt_RaisonEtabl, 3, 1, 1, 2);
    grid->setColumnStretch(2, 1);
    return box;
}

QWidget* Frm_Etablissement::buildButtons() {
    auto* box = new QWidget(this);
    auto* row = new QHBoxLayout(box);
    row->setContentsMargins(0, 0, 0, 0);
    Cmd_Ajouter = Button(box, "Cmd_Ajouter", QStringLiteral("&Ajouter"));
    Cmd_Ok = Button(box, "Cmd_Ok", QStringLiteral("OK"));
    Cmd_Annuler = Button(box, "Cmd_Annuler", QStringLiteral("Annuler"));
    Cmd_Sortir = Button(box, "Cmd_Sortir", QStringLiteral("Sortir"));
    row->addStretch();
    for (QPushButton* b : {Cmd_Ajouter, Cmd_Ok, Cmd_Annuler, Cmd_Sortir}) {
        b->setMinimumWidth(WidthFor(b, 10));
        row->addWidget(b);
    }
    return box;
}

QWidget* Frm_Etablissement::buildTabCoordonnees() {
    auto* page = new QWidget;
    auto* column = new QVBoxLayout(page);
    Ctr_Adresse = new Composant_Adresse(page);
    Ctr_Adresse->setObjectName(QStringLiteral("Ctr_Adresse"));
    column->addWidget(Ctr_Adresse);

    auto* ids = new QWidget(page);
    auto* grid = FormGrid(ids);
    grid->setContentsMargins(0, 6, 0, 0);
    // The address component has its own INSEE label: this one is the establishment's.
    Txt_CodeInsee =
        TextRow(grid, 0, 0, "Txt_CodeInsee", 7, "Etq_CodeInseeEtabl", QStringLiteral("Code INSEE"));
    Txt_CodeInsee->setMaxLength(5);
    grid->setColumnStretch(2, 1);
    column->addWidget(ids);
    column->addStretch();
    return page;
}

QWidget* Frm_Etablissement::buildTabParametresPaie() {
    auto* page = new QWidget;
    auto* grid = new QGridLayout(page);
    grid->setHorizontalSpacing(12);

    Cdr_FormCalcul = Frame(page, "Cdr_FormCalcul", QStringLiteral("Formule calcul"));
    {
        auto* g = FormGrid(Cdr_FormCalcul);
        Txt_Multiplicateur = TextRow(g, 0, 0, "Txt_Multiplicateur", 10, "Etq_Multiplicateur",
                                     QStringLiteral("Multiplicateur"));
        Txt_SmicMensuel = TextRow(g, 1, 0, "Txt_SmicMensuel", 10, "Etq_SmicMensuel",
                                  QStringLiteral("SMIC mensuel 35 heures"));
        Txt_Abattement =
            TextRow(g, 2, 0, "Txt_Abattement", 10, "Etq_Abattement", QStringLiteral("Abattement"));
        g->setRowStretch(3, 1);
        g->setColumnStretch(2, 1);
    }
    grid->addWidget(Cdr_FormCalcul, 0, 0);

    Cdr_FormCalcul2 = Frame(page, "Cdr_FormCalcul2", QStringLiteral("Formule calcul"));
    {
        auto* g = FormGrid(Cdr_FormCalcul2);
        Txt_GarantieHorMin =
            TextRow(g, 0, 0, "Txt_GarantieHorMin", 10, "Etq_GarantieHorMin",
                    QStringLiteral("Taux horaire de la Garantie Mensuelle de Rémunération"));
        Txt_MinorationReducSs =
            TextRow(g, 1, 0, "Txt_MinorationReducSs", 10, "Etq_MinorationReducSs",
                    QStringLiteral("Minoration réduction globale S.S."));
        g->setRowStretch(2, 1);
        g->setColumnStretch(2, 1);
    }
    grid->addWidget(Cdr_FormCalcul2, 0, 1);

    auto* autres = new QWidget(page);
    {
        auto* g = FormGrid(autres);
        g->setContentsMargins(0, 6, 0, 0);
        Txt_AidePerenne =
            TextRow(g, 0, 0, "Txt_AidePerenne", 9, "Etq_AidePerenne",
                    QStringLiteral("Allègement patronal horaire sur les heures supplémentaires"),
                    &Etq_AidePerenne);
        Txt_AideIncitative = TextRow(g, 1, 0, "Txt_AideIncitative", 9, "Etq_AideIncitative",
                                     QStringLiteral("Aide incitative"));
        Txt_TauxHoraire = TextRow(g, 2, 0, "Txt_TauxHoraire", 8, "Etq_TauxHoraire",
                                  QStringLiteral("Taux horaire plancher"));
        Txt_IdCCN = TextRow(g, 3, 0, "Txt_IdCCN", 6, "Etq_IdCCN",
                            QStringLiteral("Identifiant convention collective"));
        Txt_IdCCN->setMaxLength(4);
        g->setColumnStretch(2, 1);
    }
    grid->addWidget(autres, 1, 0, 1, 2);
    grid->setRowStretch(2, 1);
    grid->setColumnStretch(2, 1);
    return page;
}

QWidget* Frm_Etablissement::buildTabAutres() {
    auto* page = new QWidget;
    auto* grid = new QGridLayout(page);
    grid->setHorizontalSpacing(16);

    auto* identite = new QWidget(page);
    {
        auto* g = FormGrid(identite);
        g->setContentsMargins(0, 0, 0, 0);
        Txt_SiretEtabl = TextRow(g, 0, 0, "Txt_SiretEtabl", 16, "Etq_SiretEtabl",
                                 QStringLiteral("Numéro SIRET"));
        Txt_SiretEtabl->setMaxLength(14);
        Txt_CodNafEtabl = TextRow(g, 1, 0, "Txt_CodNafEtabl", 7, "Etq_CodNafEtabl",
                                  QStringLiteral("Code NAF (APE)"));
        Txt_HorHebdoEtabl = TextRow(g, 2, 0, "Txt_HorHebdoEtabl", 7, "Etq_HorHebdoEtabl",
                                    QStringLiteral("Horaire Hebdomadaire"));
        Chk_CarteOrange = CheckBox(identite, "Chk_CarteOrange", QStringLiteral("Carte Orange"));
        g->addWidget(Chk_CarteOrange, 3, 0, 1, 2);
        g->setColumnStretch(2, 1);
    }
    grid->addWidget(identite, 0, 0, Qt::AlignTop);

    Cdr_Urssaf = Frame(page, "Cdr_Urssaf", QString());
    {
        auto* g = FormGrid(Cdr_Urssaf);
        Opt_URSSAF = Option(Cdr_Urssaf, "Opt_URSSAF", QStringLiteral("URSSAF"));
        Opt_MSA = Option(Cdr_Urssaf, "Opt_MSA", QStringLiteral("MSA"));
        Cac_CollecTerri =
            CheckBox(Cdr_Urssaf, "Cac_CollecTerri", QStringLiteral("Collectivité territoriale"));
        auto* regimes = new QHBoxLayout;
        regimes->addWidget(Opt_URSSAF);
        regimes->addWidget(Opt_MSA);
        regimes->addSpacing(12);
        regimes->addWidget(Cac_CollecTerri);
        regimes->addStretch();
        g->addLayout(regimes, 0, 0, 1, 3);
        Txt_CodUrssaf =
            TextRow(g, 1, 0, "Txt_CodUrssaf", 6, "Etq_CodUrssaf", QStringLiteral("Code"));
        Txt_NoAffUrssaf = TextRow(g, 2, 0, "Txt_NoAffUrssaf", 16, "Etq_NoAffUrssaf",
                                  QStringLiteral("N° Affiliation"));
        Txt_CentreUrssaf =
            TextRow(g, 3, 0, "Txt_CentreUrssaf", 30, "Etq_CentreUrssaf", QStringLiteral("Centre"));
        Txt_Fraction = TextRow(g, 4, 0, "Txt_Fraction", 6, "Etq_Fraction",
                               QStringLiteral("Fraction Etablissement TDS"));
        g->setColumnStretch(2, 1);
    }
    grid->addWidget(Cdr_Urssaf, 0, 1, Qt::AlignTop);

    auto* suivi = new QWidget(page);
    {
        auto* g = FormGrid(suivi);
        g->setContentsMargins(0, 6, 0, 0);
        Cbo_Mois = new QComboBox(suivi);
        Cbo_Mois->setObjectName(QStringLiteral("Cbo_Mois"));
        Cbo_Mois->setMinimumWidth(WidthFor(Cbo_Mois, 14));
        AddRow(g, 0, 0,
               Label(suivi, "Etq_Mois",
                     QStringLiteral("Mois de fin de modulation des contrats de travail "
                                    "annualisés"),
                     Cbo_Mois),
               Cbo_Mois);

        // Fixed pitch: the list's lines are in columns of blanks.
        const QFont fixe = QFontDatabase::systemFont(QFontDatabase::FixedFont);
        auto* entete = new QLabel(kEnteteEffectif, suivi);
        entete->setObjectName(QStringLiteral("Label21"));
        entete->setFont(fixe);
        // The list's text starts after its frame; indent the heading by the same amount.
        entete->setIndent(4);
        Cbo_Effectif = new QComboBox(suivi);
        Cbo_Effectif->setObjectName(QStringLiteral("Cbo_Effectif"));
        Cbo_Effectif->setFont(fixe);
        Cbo_Effectif->setMinimumWidth(QFontMetrics(fixe).horizontalAdvance(kEnteteEffectif) + 40);
        g->addWidget(entete, 1, 1);
        AddRow(g, 2, 0, Label(suivi, "Etq_Effectif", QStringLiteral("Effectif"), Cbo_Effectif),
               Cbo_Effectif);
        g->setColumnStretch(2, 1);
    }
    grid->addWidget(suivi, 1, 0, 1, 2);
    grid->setRowStretch(2, 1);
    grid->setColumnStretch(2, 1);
    return page;
}

QWidget* Frm_Etablissement::buildTabRib() {
    auto* page = new QWidget;
    auto* column = new QVBoxLayout(page);
    Ctr_RibEtab = new Composant_RIB(page);
    Ctr_RibEtab->setObjectName(QStringLiteral("Ctr_RibEtab"));
    column->addWidget(Ctr_RibEtab);
    column->addStretch();
    return page;
}

void Frm_Etablissement::wireHandlers() {
    using forms::Handler;
    using forms::KeyHandler;
    // Every handler runs guarded: a record-store failure becomes a message, never an exception
    // unwinding through Qt's event loop.
    connect(Txt_CodeEtabl, &QLineEdit::textChanged, this,
            Handler(this, &Frm_Etablissement::Txt_CodeEtabl_Change));
    toolkit::OnKeyPress(Txt_CodeEtabl,
                        KeyHandler(this, &Frm_Etablissement::Txt_CodeEtabl_KeyPress));
    toolkit::OnLostFocus(Txt_CodeEtabl, Handler(this, &Frm_Etablissement::Txt_CodeEtabl_LostFocus));

    connect(Cbo_SigleEtabl, &QComboBox::editTextChanged, this,
            Handler(this, &Frm_Etablissement::Cbo_SigleEtabl_Change));
    connect(Cbo_SigleEtabl, &QComboBox::activated, this,
            Handler(this, &Frm_Etablissement::Cbo_SigleEtabl_Click));
    toolkit::OnKeyPress(Cbo_SigleEtabl,
                        KeyHandler(this, &Frm_Etablissement::Cbo_SigleEtabl_KeyPress));
    toolkit::OnLostFocus(Cbo_SigleEtabl,
                         Handler(this, &Frm_Etablissement::Cbo_SigleEtabl_LostFocus));

    const std::pair<QPushButton*, void (Frm_Etablissement::*)()> clicks[] = {
        {Cmd_Ajouter, &Frm_Etablissement::Cmd_Ajouter_Click},
        {Cmd_Ok, &Frm_Etablissement::Cmd_Ok_Click},
        {Cmd_Annuler, &Frm_Etablissement::Cmd_Annuler_Click},
        {Cmd_Sortir, &Frm_Etablissement::Cmd_Sortir_Click},
    };
    for (const auto& [button, fn] : clicks)
        connect(button, &QPushButton::clicked, this, Handler(this, fn));

    // The tab left is the one shown before the change.
    connect(Ong_Etabl, &QTabWidget::currentChanged, this, [this, shown = 0](int index) mutable {
        Ong_Etabl_Click(shown);
        shown = index;
    });
    // A right press on the window (RecordWindow), the tabs or the social-security frame.
    for (QWidget* area :
         {static_cast<QWidget*>(Ong_Etabl), static_cast<QWidget*>(Ong_Etabl->tabBar()),
          static_cast<QWidget*>(Cdr_Urssaf)}) {
        HelpOnRightClick(area);
    }
}

void Frm_Etablissement::setTabOrder() {
    QWidget::setTabOrder(Txt_CodeEtabl, Cbo_SigleEtabl);
    QWidget::setTabOrder(Cbo_SigleEtabl, Txt_SigleEtabl);
    QWidget::setTabOrder(Txt_SigleEtabl, Txt_RaisonEtabl);
    QWidget::setTabOrder(Txt_RaisonEtabl, Ong_Etabl);
}
