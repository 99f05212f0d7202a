// The widgets of the association screen and their arrangement.
#include <QButtonGroup>
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

#include "control/ctr_association.h"
#include "control/ctr_association_parts.h"
#include "platform/components/adresse/composant_adresse.h"
#include "platform/components/rib/composant_rib.h"

namespace {

// Width of a field that shows about chars characters of the current font.
int widthFor(const QWidget* w, int chars) {
    const QFontMetrics fm(w->font());
    return fm.horizontalAdvance(QLatin1Char('M')) * chars / 2 + fm.averageCharWidth() * chars / 2 +
           14;
}

QLineEdit* lineEdit(QWidget* parent, const char* name, int chars, bool fixed = true) {
    auto* e = new QLineEdit(parent);
    e->setObjectName(QLatin1String(name));
    if (fixed)
        e->setFixedWidth(widthFor(e, chars));
    else
        e->setMinimumWidth(widthFor(e, chars));
    return e;
}

QLabel* label(QWidget* parent, const char* name, const QString& caption, QWidget* buddy) {
    auto* l = new QLabel(caption, parent);
    if (name)
        l->setObjectName(QLatin1String(name));
    l->setBuddy(buddy);
    return l;
}

QCheckBox* checkBox(QWidget* parent, const char* name, const QString& caption) {
    auto* c = new QCheckBox(caption, parent);
    c->setObjectName(QLatin1String(name));
    return c;
}

QGroupBox* frame(QWidget* parent, const char* name, const QString& caption) {
    auto* g = new QGroupBox(caption, parent);
    g->setObjectName(QLatin1String(name));
    return g;
}

QPushButton* button(QWidget* parent, const char* name, const QString& caption) {
    auto* b = new QPushButton(caption, parent);
    b->setObjectName(QLatin1String(name));
    b->setAutoDefault(false);
    return b;
}

// Labels of a form stand left-aligned in their own column, as in the address and bank-details
// components placed on the same screen.
QGridLayout* formGrid(QWidget* parent) {
    auto* grid = new QGridLayout(parent);
    grid->setHorizontalSpacing(10);
    grid->setVerticalSpacing(6);
    return grid;
}

void addRow(QGridLayout* grid, int row, int column, QLabel* l, QWidget* field) {
    grid->addWidget(l, row, column, Qt::AlignLeft | Qt::AlignVCenter);
    grid->addWidget(field, row, column + 1, Qt::AlignLeft | Qt::AlignVCenter);
}

// A text box of about chars characters with its label, on a row of a form grid.
QLineEdit* textRow(QGridLayout* grid, int row, int column, const char* name, int chars,
                   const char* labelName, const QString& caption, QLabel** labelOut = nullptr) {
    QWidget* parent = grid->parentWidget();
    QLineEdit* field = lineEdit(parent, name, chars);
    QLabel* l = label(parent, labelName, caption, field);
    addRow(grid, row, column, l, field);
    if (labelOut)
        *labelOut = l;
    return field;
}

}  // namespace

void Ctr_Association::buildUi() {
    setObjectName(QStringLiteral("Ctr_Association"));
    auto* main = new QVBoxLayout(this);
    main->setContentsMargins(10, 10, 10, 10);
    main->setSpacing(10);
    main->addWidget(buildHeader());

    Ong_Assoc = new QTabWidget(this);
    Ong_Assoc->setObjectName(QStringLiteral("Ong_Assoc"));
    Ong_Assoc->addTab(buildTabCoordonnees(), QStringLiteral("Coordonnées"));
    Ong_Assoc->addTab(buildTabRib(), QStringLiteral("R.i.b."));
    Ong_Assoc->addTab(buildTabPersonnel(), QStringLiteral("Personnel"));
    Ong_Assoc->addTab(buildTabTelegestion(), QStringLiteral("Télégestion"));
    Ong_Assoc->addTab(buildTabMisesEnForme(), QStringLiteral("Mises en forme"));
    Ong_Assoc->addTab(buildTabCesu(), QStringLiteral("Gestion CESU"));
    Ong_Assoc->addTab(buildTabCotisation(), QStringLiteral("Cotisation Annuelle"));
    main->addWidget(Ong_Assoc, 1);
    main->addWidget(buildButtons());
}

QWidget* Ctr_Association::buildHeader() {
    auto* box = new QWidget(this);
    auto* grid = formGrid(box);
    grid->setContentsMargins(0, 0, 0, 0);

    Txt_CodeAssoc = lineEdit(box, "Txt_CodeAssoc", 5);
    Txt_CodeAssoc->setToolTip(QStringLiteral("Code à trois chiffres ; Entrée complète par des 0"));
    Etq_CodeAssoc = label(box, "Etq_CodeAssoc", QStringLiteral("&Code Entité"), Txt_CodeAssoc);
    addRow(grid, 0, 0, Etq_CodeAssoc, Txt_CodeAssoc);

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
    sigleCell->setFixedWidth(widthFor(sigleCell, 24));
    Etq_SigleAssoc = label(box, "Etq_SigleAssoc", QStringLiteral("&Sigle"), Cbo_SigleAssoc);
    addRow(grid, 1, 0, Etq_SigleAssoc, sigleCell);

    Txt_RaisonAssoc = lineEdit(box, "Txt_RaisonAssoc", 50, false);
    Etq_RaisonAssoc =
        label(box, "Etq_RaisonAssoc", QStringLiteral("&Raison Sociale"), Txt_RaisonAssoc);
    grid->addWidget(Etq_RaisonAssoc, 2, 0, Qt::AlignLeft | Qt::AlignVCenter);
    grid->addWidget(Txt_RaisonAssoc, 2, 1, 1, 2);

    Cmd_Etablissement = button(box, "Cmd_Etablissement", QStringLiteral("E&tablissements"));
    Cmd_Activite = button(box, "Cmd_Activite", QStringLiteral("Acti&vités"));
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
    Cmd_Ajouter = button(box, "Cmd_Ajouter", QStringLiteral("&Ajouter"));
    Cmd_Ok = button(box, "Cmd_Ok", QStringLiteral("OK"));
    Cmd_Annuler = button(box, "Cmd_Annuler", QStringLiteral("Annuler"));
    Cmd_Sortir = button(box, "Cmd_Sortir", QStringLiteral("Sortir"));
    row->addStretch();
    for (QPushButton* b : {Cmd_Ajouter, Cmd_Ok, Cmd_Annuler, Cmd_Sortir}) {
        b->setMinimumWidth(widthFor(b, 10));
        row->addWidget(b);
    }
    return box;
}

QWidget* Ctr_Association::buildTabCoordonnees() {
    auto* page = new QWidget;
    auto* column = new QVBoxLayout(page);

    auto* adresse = new Composant_Adresse(page);
    Ctr_AdresseAssoc = adresse;
    adresse_ = adresse;
    Ctr_AdresseAssoc->setObjectName(QStringLiteral("Ctr_AdresseAssoc"));
    column->addWidget(Ctr_AdresseAssoc);

    auto* ids = new QWidget(page);
    auto* grid = formGrid(ids);
    grid->setContentsMargins(0, 6, 0, 0);
    Txt_SirenAssoc = textRow(grid, 0, 0, "Txt_SirenAssoc", 11, "Etq_SirenAssoc",
                             QStringLiteral("Numéro SIRE&N"));
    Txt_NumTVA = textRow(grid, 1, 0, "Txt_NumTVA", 16, "Etq_NumTVA",
                         QStringLiteral("N° T.V.A. intracommunautaire"));
    Txt_Finess =
        textRow(grid, 0, 2, "Txt_Finess", 11, "Etq_Finess", QStringLiteral("Numéro FINESS"));
    Txt_Email = textRow(grid, 1, 2, "Txt_Email", 32, "Etq_Email", QStringLiteral("E-Mail"));
    grid->setColumnMinimumWidth(1, widthFor(ids, 18));
    grid->setColumnStretch(4, 1);
    column->addWidget(ids);
    column->addStretch();
    return page;
}

QWidget* Ctr_Association::buildTabRib() {
    auto* page = new QWidget;
    auto* column = new QVBoxLayout(page);
    auto* rib = new Composant_RIB(page);
    Ctr_RIB = rib;
    rib_ = rib;
    Ctr_RIB->setObjectName(QStringLiteral("Ctr_RIB"));
    column->addWidget(Ctr_RIB);
    column->addStretch();
    return page;
}

QWidget* Ctr_Association::buildTabPersonnel() {
    auto* page = new QWidget;
    auto* grid = new QGridLayout(page);
    grid->setHorizontalSpacing(12);

    Cdr_Assedic = frame(page, "Cdr_Assedic", QStringLiteral("Assedic"));
    {
        auto* g = formGrid(Cdr_Assedic);
        Txt_CentreAssedic =
            textRow(g, 0, 0, "Txt_CentreAssedic", 30, nullptr, QStringLiteral("Centre"));
        Txt_NumAffilAssedic =
            textRow(g, 1, 0, "Txt_NumAffilAssedic", 16, nullptr, QStringLiteral("N° affil."));
        g->setRowStretch(2, 1);
        g->setColumnStretch(2, 1);
    }
    grid->addWidget(Cdr_Assedic, 0, 0);

    fra_RespPaie = frame(page, "fra_RespPaie", QStringLiteral("Responsable de la paie"));
    {
        auto* g = formGrid(fra_RespPaie);
        cbo_RespPaie = new QComboBox(fra_RespPaie);
        cbo_RespPaie->setObjectName(QStringLiteral("cbo_RespPaie"));
        cbo_RespPaie->setMinimumWidth(widthFor(cbo_RespPaie, 30));
        addRow(g, 0, 0, label(fra_RespPaie, nullptr, QStringLiteral("Qualité"), cbo_RespPaie),
               cbo_RespPaie);
        Txt_RespPerso = textRow(g, 1, 0, "Txt_RespPerso", 30, nullptr, QStringLiteral("Nom"));
        Txt_TelRespPaie = textRow(g, 2, 0, "Txt_TelRespPaie", 15, nullptr, QStringLiteral("Tél."));
        Txt_MailRespPaie =
            textRow(g, 3, 0, "Txt_MailRespPaie", 30, nullptr, QStringLiteral("E-Mail"));
    }
    grid->addWidget(fra_RespPaie, 0, 1);

    auto* paie = new QWidget(page);
    {
        auto* g = formGrid(paie);
        g->setContentsMargins(0, 6, 0, 0);
        Cbo_JourSol = new QComboBox(paie);
        Cbo_JourSol->setObjectName(QStringLiteral("Cbo_JourSol"));
        Cbo_JourSol->setMinimumWidth(widthFor(Cbo_JourSol, 18));
        addRow(g, 0, 0, label(paie, nullptr, QStringLiteral("Journée de solidarité"), Cbo_JourSol),
               Cbo_JourSol);
        Chk_DecalagePaie = checkBox(paie, "Chk_DecalagePaie", QStringLiteral("Décalage de Paie"));
        g->addWidget(Chk_DecalagePaie, 1, 0, 1, 2);
        Cac_CET = checkBox(paie, "Cac_CET", QStringLiteral("Gestion du Compte Epargne Temps"));
        g->addWidget(Cac_CET, 2, 0, 1, 2);
        g->setColumnStretch(2, 1);
    }
    grid->addWidget(paie, 1, 0);

    auto* effectif = new QWidget(page);
    {
        // Fixed pitch, so that the heading's words stand over their columns.
        const QFont fixed = QFontDatabase::systemFont(QFontDatabase::FixedFont);
        auto* g = formGrid(effectif);
        g->setContentsMargins(0, 6, 0, 0);
        Cbo_Effectif = new QComboBox(effectif);
        Cbo_Effectif->setObjectName(QStringLiteral("Cbo_Effectif"));
        Cbo_Effectif->setFont(fixed);
        Etq_EnteteEffectif = new QLabel(assoc::effectifHeading(), effectif);
        Etq_EnteteEffectif->setObjectName(QStringLiteral("Etq_EnteteEffectif"));
        Etq_EnteteEffectif->setFont(fixed);
        // The combo's text starts after its frame; indent the heading by the same amount.
        Etq_EnteteEffectif->setIndent(4);
        g->addWidget(Etq_EnteteEffectif, 0, 1);
        addRow(g, 1, 0, label(effectif, "Etq_Effectif", QStringLiteral("Effectif"), Cbo_Effectif),
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

QWidget* Ctr_Association::buildTabTelegestion() {
    auto* page = new QWidget;
    auto* column = new QVBoxLayout(page);
    Cac_Telegestion = checkBox(page, "Cac_Telegestion",
                               QStringLiteral("Utilisation d'un logiciel de télégestion"));
    column->addWidget(Cac_Telegestion);

    auto* fields = new QWidget(page);
    auto* g = formGrid(fields);
    g->setContentsMargins(24, 6, 0, 0);
    Cbo_Systeme = new QComboBox(fields);
    Cbo_Systeme->setObjectName(QStringLiteral("Cbo_Systeme"));
    Cbo_Systeme->setMinimumWidth(widthFor(Cbo_Systeme, 28));
    Txt_Systeme = lineEdit(fields, "Txt_Systeme", 8);
    Txt_Systeme->setReadOnly(true);
    Txt_Systeme->setFocusPolicy(Qt::NoFocus);
    Txt_Systeme->setToolTip(QStringLiteral("Code du système choisi"));
    Etq_Systeme =
        label(fields, "Etq_Systeme", QStringLiteral("Système de télégestion utilisé"), Cbo_Systeme);
    auto* systeme = new QHBoxLayout;
    systeme->addWidget(Cbo_Systeme);
    systeme->addWidget(Txt_Systeme);
    systeme->addStretch();
    g->addWidget(Etq_Systeme, 0, 0, Qt::AlignLeft | Qt::AlignVCenter);
    g->addLayout(systeme, 0, 1);
    Txt_Ident = textRow(g, 1, 0, "Txt_Ident", 20, "Etq_Ident",
                        QStringLiteral("Identificateur de l'association"), &Etq_Ident);
    Txt_NumSysTelegest =
        textRow(g, 2, 0, "Txt_NumSysTelegest", 16, "Etq_NumSysTelGestion",
                QStringLiteral("N° téléphone Système télégestion"), &Etq_NumSysTelGestion);
    Txt_Moi = textRow(g, 3, 0, "Txt_Moi", 46, "Etq_MOI", QStringLiteral("Ligne 1 MOI"), &Etq_MOI);
    Txt_LigneCarteTelGest = textRow(g, 4, 0, "Txt_LigneCarteTelGest", 46, "Etq_Ligne2CarteTelGest",
                                    QStringLiteral("Ligne 2"), &Etq_Ligne2CarteTelGest);
    Cac_TelMobile =
        checkBox(fields, "Cac_TelMobile", QStringLiteral("Système via téléphonie mobile"));
    g->addWidget(Cac_TelMobile, 5, 1);
    g->setColumnStretch(2, 1);
    column->addWidget(fields);
    column->addStretch();
    return page;
}

QWidget* Ctr_Association::buildTabMisesEnForme() {
    auto* page = new QWidget;
    auto* g = formGrid(page);

    Txt_AgrAuto1 = lineEdit(page, "Txt_AgrAuto1", 60, false);
    Txt_AgrAuto2 = lineEdit(page, "Txt_AgrAuto2", 60, false);
    g->addWidget(
        label(page, "Etq_AgrAuto", QStringLiteral("Agrément ou autorisation"), Txt_AgrAuto1), 0, 0,
        Qt::AlignLeft | Qt::AlignVCenter);
    g->addWidget(Txt_AgrAuto1, 0, 1, 1, 2);
    g->addWidget(Txt_AgrAuto2, 1, 1, 1, 2);

    Cdr_Editions = frame(page, "Cdr_Editions", QStringLiteral("Editions"));
    {
        auto* row = new QHBoxLayout(Cdr_Editions);
        auto* bulletins =
            frame(Cdr_Editions, "Cdr_EditBulletins", QStringLiteral("Bulletins de paie"));
        auto* b = new QVBoxLayout(bulletins);
        Cac_PresentSimpl =
            checkBox(bulletins, "Cac_PresentSimpl", QStringLiteral("Présentation simplifiée"));
        Cac_PreImpBulltPaie =
            checkBox(bulletins, "Cac_PreImpBulltPaie", QStringLiteral("Pré-imprimés A4"));
        Cac_LogoBullPaie = checkBox(bulletins, "Cac_LogoBullPaie", QStringLiteral("Image Logo"));
        b->addWidget(Cac_PresentSimpl);
        b->addWidget(Cac_PreImpBulltPaie);
        b->addWidget(Cac_LogoBullPaie);
        auto* factures = frame(Cdr_Editions, "Cdr_EditFactures", QStringLiteral("Factures"));
        auto* f = new QVBoxLayout(factures);
        Cac_PreImpFact = checkBox(factures, "Cac_PreImpFact", QStringLiteral("Pré-imprimés A4"));
        Cac_LogoFact = checkBox(factures, "Cac_LogoFact", QStringLiteral("Image logo"));
        f->addWidget(Cac_PreImpFact);
        f->addWidget(Cac_LogoFact);
        f->addStretch();
        row->addWidget(bulletins);
        row->addWidget(factures);
        row->addStretch();
    }
    g->addWidget(Cdr_Editions, 2, 0, 1, 3);

    Txt_DateGrilleAggir2008 =
        textRow(g, 3, 0, "Txt_DateGrilleAggir2008", 11, "Etq_DateGrilleAggir2008",
                QStringLiteral("Date effet grille Aggir 2008"));
    Txt_DateGrilleAggir2008->setPlaceholderText(QStringLiteral("jj/mm/aaaa"));
    g->setRowStretch(4, 1);
    g->setColumnStretch(2, 1);
    return page;
}

QWidget* Ctr_Association::buildTabCesu() {
    auto* page = new QWidget;
    auto* column = new QVBoxLayout(page);
    Cac_EnvoiAuto =
        checkBox(page, "Cac_EnvoiAuto", QStringLiteral("  Gestion d'envoi automatique"));
    column->addWidget(Cac_EnvoiAuto);

    Cdr_AdresseServeur = frame(page, "Cdr_AdresseServeur", QStringLiteral("Adresse du serveur"));
    {
        auto* g = formGrid(Cdr_AdresseServeur);
        Opt_AdrIP = new QRadioButton(QStringLiteral("Adresse IP"), Cdr_AdresseServeur);
        Opt_AdrIP->setObjectName(QStringLiteral("Opt_AdrIP"));
        Opt_Domaine = new QRadioButton(QStringLiteral("Domaine"), Cdr_AdresseServeur);
        Opt_Domaine->setObjectName(QStringLiteral("Opt_Domaine"));
        adresseMode_ = new QButtonGroup(Cdr_AdresseServeur);
        adresseMode_->addButton(Opt_AdrIP);
        adresseMode_->addButton(Opt_Domaine);

        auto* ip = new QHBoxLayout;
        ip->setSpacing(3);
        auto sep = [&](const char* name, const QString& text) {
            auto* l = new QLabel(text, Cdr_AdresseServeur);
            l->setObjectName(QLatin1String(name));
            return l;
        };
        Txt_AdrSvrCESU = lineEdit(Cdr_AdresseServeur, "Txt_AdrSvrCESU", 4);
        Etq_Point1 = sep("Etq_Point1", QStringLiteral("."));
        Txt_AdrSvrCESU1 = lineEdit(Cdr_AdresseServeur, "Txt_AdrSvrCESU1", 4);
        Etq_Point2 = sep("Etq_Point2", QStringLiteral("."));
        Txt_AdrSvrCESU2 = lineEdit(Cdr_AdresseServeur, "Txt_AdrSvrCESU2", 4);
        Etq_Point3 = sep("Etq_Point3", QStringLiteral("."));
        Txt_AdrSvrCESU3 = lineEdit(Cdr_AdresseServeur, "Txt_AdrSvrCESU3", 4);
        Etq_2Points = sep("Etq_2Points", QStringLiteral(":"));
        Txt_Port = lineEdit(Cdr_AdresseServeur, "Txt_Port", 6);
        for (QWidget* w : std::initializer_list<QWidget*>{
                 Txt_AdrSvrCESU, Etq_Point1, Txt_AdrSvrCESU1, Etq_Point2, Txt_AdrSvrCESU2,
                 Etq_Point3, Txt_AdrSvrCESU3, Etq_2Points, Txt_Port}) {
            ip->addWidget(w);
        }
        ip->addStretch();
        g->addWidget(Opt_AdrIP, 0, 0);
        g->addLayout(ip, 0, 1);
        Txt_Domaine = lineEdit(Cdr_AdresseServeur, "Txt_Domaine", 40);
        g->addWidget(Opt_Domaine, 1, 0);
        g->addWidget(Txt_Domaine, 1, 1, Qt::AlignLeft);
        g->setColumnStretch(1, 1);
    }
    column->addWidget(Cdr_AdresseServeur);

    Cdr_Parametres = frame(page, "Cdr_Parametres", QStringLiteral("Paramètres de connexion"));
    {
        auto* g = formGrid(Cdr_Parametres);
        Txt_LoginUtil = textRow(g, 0, 0, "Txt_LoginUtil", 24, "Etq_LoginUtil",
                                QStringLiteral(" Login utilisateur"), &Etq_LoginUtil);
        Txt_Mtp =
            textRow(g, 1, 0, "Txt_Mtp", 24, "Etq_Mtp", QStringLiteral(" Mot de passe"), &Etq_Mtp);
        Txt_Mtp->setEchoMode(QLineEdit::PasswordEchoOnEdit);
        g->setColumnStretch(2, 1);
    }
    column->addWidget(Cdr_Parametres);

    auto* codes = new QWidget(page);
    {
        auto* g = formGrid(codes);
        g->setContentsMargins(0, 6, 0, 0);
        Txt_CodeTeletransmettant =
            textRow(g, 0, 0, "Txt_CodeTeletransmettant", 14, "Etq_CodeTeletransmettant",
                    QStringLiteral("Code du télétransmettant"), &Etq_CodeTeletransmettant);
        Txt_CodeIntervenant = textRow(g, 1, 0, "Txt_CodeIntervenant", 14, "Etq_CodeIntervenant",
                                      QStringLiteral("Code intervenant"), &Etq_CodeIntervenant);
        g->setColumnStretch(2, 1);
    }
    column->addWidget(codes);
    column->addStretch();
    return page;
}

QGroupBox* Ctr_Association::buildFeeFrame(const char* frameName, const QString& caption,
                                          QChar kind) {
    auto* box = frame(nullptr, frameName, caption);
    auto* column = new QVBoxLayout(box);
    const QString k(kind);
    auto* montant = new QHBoxLayout;
    auto* edit = new QLineEdit(box);
    edit->setObjectName(QStringLiteral("Txt_Montant") + k);
    edit->setFixedWidth(widthFor(edit, 9));
    edit->setAlignment(Qt::AlignRight);
    auto* l = new QLabel(QStringLiteral("Montant"), box);
    l->setObjectName(QStringLiteral("Etq_Montant") + k);
    l->setBuddy(edit);
    montant->addWidget(l);
    montant->addWidget(edit);
    montant->addWidget(new QLabel(QStringLiteral("€"), box));
    montant->addStretch();
    column->addLayout(montant);

    auto* appel = new QGroupBox(QStringLiteral("Type d'appel"), box);
    appel->setObjectName(QStringLiteral("Cdr_TypeAppel") + k);
    auto* options = new QVBoxLayout(appel);
    auto* annee = new QRadioButton(QStringLiteral("Année civile"), appel);
    annee->setObjectName(QStringLiteral("Opt_AnneeCivile") + k);
    auto* mois = new QRadioButton(QStringLiteral("Mois anniversaire"), appel);
    mois->setObjectName(QStringLiteral("Opt_MoisAnni") + k);
    options->addWidget(annee);
    options->addWidget(mois);
    auto* group = new QButtonGroup(appel);
    group->addButton(annee);
    group->addButton(mois);
    column->addWidget(appel);

    const int i = kind == QLatin1Char('M') ? 0 : kind == QLatin1Char('P') ? 1 : 2;
    fees_[i] = FeeFrame{box, edit, group, annee, mois};
    return box;
}

QWidget* Ctr_Association::buildTabCotisation() {
    auto* page = new QWidget;
    auto* column = new QVBoxLayout(page);
    auto* row = new QHBoxLayout;
    row->addWidget(buildFeeFrame("Cdr_Mandat", QStringLiteral("Mandataire"), QLatin1Char('M')));
    row->addWidget(buildFeeFrame("Cdr_Prest", QStringLiteral("Prestataire"), QLatin1Char('P')));
    row->addWidget(buildFeeFrame("Cdr_Inter", QStringLiteral("Intermédiaire"), QLatin1Char('I')));
    row->addStretch();
    column->addLayout(row);
    column->addStretch(1);
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
    QWidget::setTabOrder(Txt_SirenAssoc, Txt_Finess);
    QWidget::setTabOrder(Txt_Finess, Txt_NumTVA);
    QWidget::setTabOrder(Txt_NumTVA, Txt_Email);
}
