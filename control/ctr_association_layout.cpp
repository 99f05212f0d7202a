// The widgets of the association screen, their arrangement, and the lists that tie them to the
// ASSOCIATION record: the field bindings and the mandatory checks.
#include <QCheckBox>
#include <QComboBox>
#include <QFontDatabase>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStackedLayout>
#include <QTabWidget>
#include <QVBoxLayout>

#include "control/ctr_association.h"
#include "control/ctr_association_parts.h"
#include "control/page_cesu.h"
#include "control/page_cotisation.h"
#include "control/page_telegestion.h"
#include "forms/form_layout.h"
#include "platform/components/adresse/composant_adresse.h"
#include "platform/components/rib/composant_rib.h"
#include "store/layout/association.h"

namespace A = store::layout::association;
using namespace forms::layout;

void Ctr_Association::buildUi() {
    setObjectName(QStringLiteral("Ctr_Association"));
    auto* main = new QVBoxLayout(this);
    main->setContentsMargins(10, 10, 10, 10);
    main->setSpacing(10);
    main->addWidget(buildHeader());

    telegestion_ = new PageTelegestion;
    cesu_ = new PageCesu;
    cotisation_ = new PageCotisation;
    Ong_Assoc = new QTabWidget(this);
    Ong_Assoc->setObjectName(QStringLiteral("Ong_Assoc"));
    Ong_Assoc->addTab(buildTabCoordonnees(), QStringLiteral("Coordonnées"));
    Ong_Assoc->addTab(buildTabRib(), QStringLiteral("R.i.b."));
    Ong_Assoc->addTab(buildTabPersonnel(), QStringLiteral("Personnel"));
    Ong_Assoc->addTab(telegestion_, QStringLiteral("Télégestion"));
    Ong_Assoc->addTab(buildTabMisesEnForme(), QStringLiteral("Mises en forme"));
    Ong_Assoc->addTab(cesu_, QStringLiteral("Gestion CESU"));
    Ong_Assoc->addTab(cotisation_, QStringLiteral("Cotisation Annuelle"));
    main->addWidget(Ong_Assoc, 1);
    main->addWidget(buildButtons());

    // The positions the screen shows itself, in the order of the display. The address and
    // bank-details blocks, the workforce, remote management, sending and fees come from their
    // components and pages.
    using namespace forms;
    auto field = [this](const char* name) { return findChild<QWidget*>(QLatin1String(name)); };
    std::vector<std::string> jours;
    for (const auto& jour : assoc::kJoursSolidarite)
        jours.emplace_back(jour.code);
    fields_.Add(TextField(Txt_SigleAssoc, A::kSigle, 1).ShownIn(Cbo_SigleAssoc).UpperCaseOnSave())
        .Add(TextField(Txt_RaisonAssoc, A::kRaisonSociale, 1))
        .Add(TextField(Txt_SirenAssoc, A::kSiren, 1))
        .Add(TextField(field("Txt_NumTVA"), A::kNumTva, 1))
        .Add(TextField(field("Txt_AgrAuto1"), A::kAgrement1))
        .Add(TextField(field("Txt_AgrAuto2"), A::kAgrement2))
        .Add(CheckStateField(field("Chk_DecalagePaie"), A::kDecalagePaie, 1).OnCreation("0"))
        .Add(CheckField(field("Cac_CET"), A::kCompteEpargneTemps, 0, "1", "").OnCreation(""))
        .Add(TextField(field("Txt_RespPerso"), A::kRespPaie, 1))
        .Add(TextField(Txt_TelRespPaie, A::kTelRespPaie))
        .Add(TextField(Txt_MailRespPaie, A::kMailRespPaie))
        .Add(ListCodeField(field("Cbo_JourSol"), A::kJourSolidarite, 0, jours).OnCreation(""))
        .Add(TextField(field("Txt_CentreAssedic"), A::kCentreAssedic))
        .Add(TextField(field("Txt_NumAffilAssedic"), A::kAffiliationAssedic))
        .Add(ListIndexField(cbo_RespPaie, A::kQualiteRespPaie, 0, 0, true))
        .Add(TextField(field("Txt_Email"), A::kEmail))
        .Add(TextField(Txt_Finess, A::kFiness))
        .Add(CheckField(field("Cac_PreImpBulltPaie"), A::kPreImprimeBulletin).OnCreation("0"))
        .Add(CheckField(field("Cac_PreImpFact"), A::kPreImprimeFacture).OnCreation("0"))
        .Add(CheckField(field("Cac_LogoBullPaie"), A::kLogoBulletin).OnCreation("0"))
        .Add(CheckField(field("Cac_LogoFact"), A::kLogoFacture).OnCreation("0"))
        .Add(CheckField(field("Cac_PresentSimpl"), A::kPresentationSimplifiee))
        // Every display sets the date: emptying leaves it.
        .Add(DateField(Txt_DateGrilleAggir2008, A::kDateGrilleAggir2008).KeptWhenEmptied());
    buildChecks();
}

void Ctr_Association::buildChecks() {
    checks_.Add(forms::BankDetailsCheck(components_.bank, 1))
        .Required(Txt_CodeAssoc, QStringLiteral("Le code entité doit être renseigné."));
    forms::MandatoryCheck sigle;
    sigle.fails = [this] { return Txt_SigleAssoc->text().trimmed().isEmpty(); };
    sigle.message = QStringLiteral("Le sigle doit être renseigné.");
    // Whichever of the two stands in the sigle's place just now.
    sigle.onFailure = [this] {
        if (Txt_SigleAssoc->isVisible())
            Txt_SigleAssoc->setFocus();
        else
            Cbo_SigleAssoc->setFocus();
    };
    forms::MandatoryCheck siren;
    siren.fails = [this] { return Txt_SirenAssoc->text().size() < 9; };
    siren.message = QStringLiteral("La longueur du numéro de SIREN doit être de 9 caractères.");
    siren.tab = 0;
    siren.focus = Txt_SirenAssoc;
    checks_.Add(std::move(sigle))
        .Required(Txt_RaisonAssoc,
                  QStringLiteral("La raison sociale de l'entité doit être renseignée."))
        .Required(Txt_SirenAssoc, QStringLiteral("Le numéro de SIREN doit être renseigné."), 0)
        .Add(std::move(siren))
        .Required(findChild<QLineEdit*>(QStringLiteral("Txt_CentreAssedic")),
                  QStringLiteral("Le centre ASSEDIC doit être renseigné."), 2)
        .Required(findChild<QLineEdit*>(QStringLiteral("Txt_NumAffilAssedic")),
                  QStringLiteral("Le numéro d'affiliation ASSEDIC doit être renseigné."), 2);
    telegestion_->AddChecks(checks_, 3);
    cesu_->AddChecks(checks_, 5);
}

QWidget* Ctr_Association::buildHeader() {
    auto* box = new QWidget(this);
    auto* grid = FormGrid(box);
    grid->setContentsMargins(0, 0, 0, 0);

    Txt_CodeAssoc = LineEdit(box, "Txt_CodeAssoc", 5);
    Txt_CodeAssoc->setToolTip(QStringLiteral("Code à trois chiffres ; Entrée complète par des 0"));
    AddRow(grid, 0, 0, Label(box, "Etq_CodeAssoc", QStringLiteral("&Code Entité"), Txt_CodeAssoc),
           Txt_CodeAssoc);

    // The sigle combo (look-up) and the sigle text box (entry) share one place: the combo while
    // searching, the text box once an association is shown.
    auto* sigleCell = new QWidget(box);
    auto* stack = new QStackedLayout(sigleCell);
    stack->setContentsMargins(0, 0, 0, 0);
    Cbo_SigleAssoc = new QComboBox(sigleCell);
    Cbo_SigleAssoc->setObjectName(QStringLiteral("Cbo_SigleAssoc"));
    Cbo_SigleAssoc->setEditable(true);
    Cbo_SigleAssoc->setInsertPolicy(QComboBox::NoInsert);
    Cbo_SigleAssoc->setCompleter(nullptr);  // the look-up happens on Enter, not while typing
    Cbo_SigleAssoc->setMaxVisibleItems(15);
    Cbo_SigleAssoc->setToolTip(
        QStringLiteral("Tapez le début du sigle puis Entrée pour lister les entités juridiques"));
    Txt_SigleAssoc = new QLineEdit(sigleCell);
    Txt_SigleAssoc->setObjectName(QStringLiteral("Txt_SigleAssoc"));
    stack->addWidget(Cbo_SigleAssoc);
    stack->addWidget(Txt_SigleAssoc);
    sigleCell->setFixedWidth(WidthFor(sigleCell, 24));
    AddRow(grid, 1, 0, Label(box, "Etq_SigleAssoc", QStringLiteral("&Sigle"), Cbo_SigleAssoc),
           sigleCell);

    Txt_RaisonAssoc = LineEdit(box, "Txt_RaisonAssoc", 50, false);
    grid->addWidget(
        Label(box, "Etq_RaisonAssoc", QStringLiteral("&Raison Sociale"), Txt_RaisonAssoc), 2, 0,
        Qt::AlignLeft | Qt::AlignVCenter);
    grid->addWidget(Txt_RaisonAssoc, 2, 1, 1, 2);

    Cmd_Etablissement = Button(box, "Cmd_Etablissement", QStringLiteral("E&tablissements"));
    Cmd_Activite = Button(box, "Cmd_Activite", QStringLiteral("Acti&vités"));
    auto* windows = new QVBoxLayout;
    windows->setSpacing(6);
    windows->addWidget(Cmd_Etablissement);
    windows->addWidget(Cmd_Activite);
    windows->addStretch();
    grid->addLayout(windows, 0, 4, 3, 1, Qt::AlignTop);
    grid->setColumnStretch(2, 1);
    grid->setColumnMinimumWidth(3, 20);
    return box;
}

QWidget* Ctr_Association::buildButtons() {
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

QWidget* Ctr_Association::buildTabCoordonnees() {
    auto* page = new QWidget;
    auto* column = new QVBoxLayout(page);

    auto* adresse = new Composant_Adresse(page);
    adresse->setObjectName(QStringLiteral("Ctr_AdresseAssoc"));
    Ctr_AdresseAssoc = adresse;
    components_.address = adresse;
    components_.addressFirst = A::kAdresse;
    column->addWidget(adresse);

    auto* ids = new QWidget(page);
    auto* grid = FormGrid(ids);
    grid->setContentsMargins(0, 6, 0, 0);
    Txt_SirenAssoc = TextRow(grid, 0, 0, "Txt_SirenAssoc", 11, "Etq_SirenAssoc",
                             QStringLiteral("Numéro SIRE&N"));
    TextRow(grid, 1, 0, "Txt_NumTVA", 16, "Etq_NumTVA",
            QStringLiteral("N° T.V.A. intracommunautaire"));
    Txt_Finess =
        TextRow(grid, 0, 2, "Txt_Finess", 11, "Etq_Finess", QStringLiteral("Numéro FINESS"));
    TextRow(grid, 1, 2, "Txt_Email", 32, "Etq_Email", QStringLiteral("E-Mail"));
    grid->setColumnMinimumWidth(1, WidthFor(ids, 18));
    grid->setColumnStretch(4, 1);
    column->addWidget(ids);
    column->addStretch();
    return page;
}

QWidget* Ctr_Association::buildTabRib() {
    auto* page = new QWidget;
    auto* column = new QVBoxLayout(page);
    auto* rib = new Composant_RIB(page);
    rib->setObjectName(QStringLiteral("Ctr_RIB"));
    Ctr_RIB = rib;
    components_.bank = rib;
    components_.bankFirst = A::kRib;
    column->addWidget(rib);
    column->addStretch();
    return page;
}

QWidget* Ctr_Association::buildTabPersonnel() {
    auto* page = new QWidget;
    auto* grid = new QGridLayout(page);
    grid->setHorizontalSpacing(12);

    Cdr_Assedic = Frame(page, "Cdr_Assedic", QStringLiteral("Assedic"));
    {
        auto* g = FormGrid(Cdr_Assedic);
        TextRow(g, 0, 0, "Txt_CentreAssedic", 30, nullptr, QStringLiteral("Centre"));
        TextRow(g, 1, 0, "Txt_NumAffilAssedic", 16, nullptr, QStringLiteral("N° affil."));
        g->setRowStretch(2, 1);
        g->setColumnStretch(2, 1);
    }
    grid->addWidget(Cdr_Assedic, 0, 0);

    auto* respPaie = Frame(page, "fra_RespPaie", QStringLiteral("Responsable de la paie"));
    {
        auto* g = FormGrid(respPaie);
        cbo_RespPaie = new QComboBox(respPaie);
        cbo_RespPaie->setObjectName(QStringLiteral("cbo_RespPaie"));
        cbo_RespPaie->setMinimumWidth(WidthFor(cbo_RespPaie, 30));
        AddRow(g, 0, 0, Label(respPaie, nullptr, QStringLiteral("Qualité"), cbo_RespPaie),
               cbo_RespPaie);
        TextRow(g, 1, 0, "Txt_RespPerso", 30, nullptr, QStringLiteral("Nom"));
        Txt_TelRespPaie = TextRow(g, 2, 0, "Txt_TelRespPaie", 15, nullptr, QStringLiteral("Tél."));
        Txt_MailRespPaie =
            TextRow(g, 3, 0, "Txt_MailRespPaie", 30, nullptr, QStringLiteral("E-Mail"));
    }
    grid->addWidget(respPaie, 0, 1);

    auto* paie = new QWidget(page);
    {
        auto* g = FormGrid(paie);
        g->setContentsMargins(0, 6, 0, 0);
        auto* jourSol = new QComboBox(paie);
        jourSol->setObjectName(QStringLiteral("Cbo_JourSol"));
        jourSol->setMinimumWidth(WidthFor(jourSol, 18));
        for (const auto& jour : assoc::kJoursSolidarite)
            jourSol->addItem(QString::fromUtf8(jour.text));
        jourSol->setCurrentIndex(-1);
        AddRow(g, 0, 0, Label(paie, nullptr, QStringLiteral("Journée de solidarité"), jourSol),
               jourSol);
        g->addWidget(CheckBox(paie, "Chk_DecalagePaie", QStringLiteral("Décalage de Paie")), 1, 0,
                     1, 2);
        g->addWidget(CheckBox(paie, "Cac_CET", QStringLiteral("Gestion du Compte Epargne Temps")),
                     2, 0, 1, 2);
        g->setColumnStretch(2, 1);
    }
    grid->addWidget(paie, 1, 0);

    auto* effectif = new QWidget(page);
    {
        // Fixed pitch, so that the heading's words stand over their columns.
        const QFont fixed = QFontDatabase::systemFont(QFontDatabase::FixedFont);
        auto* g = FormGrid(effectif);
        g->setContentsMargins(0, 6, 0, 0);
        Cbo_Effectif = new QComboBox(effectif);
        Cbo_Effectif->setObjectName(QStringLiteral("Cbo_Effectif"));
        Cbo_Effectif->setFont(fixed);
        auto* entete = new QLabel(assoc::effectifHeading(), effectif);
        entete->setObjectName(QStringLiteral("Etq_EnteteEffectif"));
        entete->setFont(fixed);
        // The combo's text starts after its frame; indent the heading by the same amount.
        entete->setIndent(4);
        g->addWidget(entete, 0, 1);
        AddRow(g, 1, 0, Label(effectif, "Etq_Effectif", QStringLiteral("Effectif"), Cbo_Effectif),
               Cbo_Effectif);
        Cbo_Effectif->setMinimumWidth(
            QFontMetrics(fixed).horizontalAdvance(assoc::effectifHeading()) + 40);
        g->setColumnStretch(2, 1);
    }
    grid->addWidget(effectif, 1, 1, Qt::AlignTop);
    grid->setRowStretch(2, 1);
    grid->setColumnStretch(2, 1);
    return page;
}

QWidget* Ctr_Association::buildTabMisesEnForme() {
    auto* page = new QWidget;
    auto* g = FormGrid(page);

    auto* agrement1 = LineEdit(page, "Txt_AgrAuto1", 60, false);
    auto* agrement2 = LineEdit(page, "Txt_AgrAuto2", 60, false);
    g->addWidget(Label(page, "Etq_AgrAuto", QStringLiteral("Agrément ou autorisation"), agrement1),
                 0, 0, Qt::AlignLeft | Qt::AlignVCenter);
    g->addWidget(agrement1, 0, 1, 1, 2);
    g->addWidget(agrement2, 1, 1, 1, 2);

    auto* editions = Frame(page, "Cdr_Editions", QStringLiteral("Editions"));
    {
        auto* row = new QHBoxLayout(editions);
        auto* bulletins = Frame(editions, "Cdr_EditBulletins", QStringLiteral("Bulletins de paie"));
        auto* b = new QVBoxLayout(bulletins);
        b->addWidget(
            CheckBox(bulletins, "Cac_PresentSimpl", QStringLiteral("Présentation simplifiée")));
        b->addWidget(CheckBox(bulletins, "Cac_PreImpBulltPaie", QStringLiteral("Pré-imprimés A4")));
        b->addWidget(CheckBox(bulletins, "Cac_LogoBullPaie", QStringLiteral("Image Logo")));
        auto* factures = Frame(editions, "Cdr_EditFactures", QStringLiteral("Factures"));
        auto* f = new QVBoxLayout(factures);
        f->addWidget(CheckBox(factures, "Cac_PreImpFact", QStringLiteral("Pré-imprimés A4")));
        f->addWidget(CheckBox(factures, "Cac_LogoFact", QStringLiteral("Image logo")));
        f->addStretch();
        row->addWidget(bulletins);
        row->addWidget(factures);
        row->addStretch();
    }
    g->addWidget(editions, 2, 0, 1, 3);

    Txt_DateGrilleAggir2008 =
        TextRow(g, 3, 0, "Txt_DateGrilleAggir2008", 11, "Etq_DateGrilleAggir2008",
                QStringLiteral("Date effet grille Aggir 2008"));
    Txt_DateGrilleAggir2008->setPlaceholderText(QStringLiteral("jj/mm/aaaa"));
    g->setRowStretch(4, 1);
    g->setColumnStretch(2, 1);
    return page;
}

void Ctr_Association::setTabOrder() {
    // The header reads code, sigle, raison sociale, then the windows it opens.
    QWidget::setTabOrder(Txt_CodeAssoc, Cbo_SigleAssoc);
    QWidget::setTabOrder(Cbo_SigleAssoc, Txt_SigleAssoc);
    QWidget::setTabOrder(Txt_SigleAssoc, Txt_RaisonAssoc);
    QWidget::setTabOrder(Txt_RaisonAssoc, Cmd_Etablissement);
    QWidget::setTabOrder(Cmd_Etablissement, Cmd_Activite);
    QWidget::setTabOrder(Cmd_Activite, Ong_Assoc);
    // Within the tabs, widgets were made in reading order, which is Qt's default chain; the
    // identifiers of the first tab stand on two columns and are read row by row.
    auto* tva = findChild<QWidget*>(QStringLiteral("Txt_NumTVA"));
    QWidget::setTabOrder(Txt_SirenAssoc, Txt_Finess);
    QWidget::setTabOrder(Txt_Finess, tva);
    QWidget::setTabOrder(tva, findChild<QWidget*>(QStringLiteral("Txt_Email")));
}
