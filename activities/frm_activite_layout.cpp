// The widgets of the activities window, their arrangement, and the lists that tie them to the
// ACTIVITES record: the field bindings and the mandatory checks.
#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QFontDatabase>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QStackedLayout>
#include <QVBoxLayout>

#include "activities/frm_activite.h"
#include "forms/feedback.h"
#include "forms/form_layout.h"
#include "platform/components/rib/composant_rib.h"
#include "platform/toolkit/events.h"
#include "store/layout/activites.h"
#include "store/variables.h"

namespace X = store::layout::activites;
using namespace forms::layout;
using forms::Handler;

namespace {

QComboBox* listeLibelles(QWidget* parent, const char* name, int chars) {
    auto* combo = new QComboBox(parent);
    combo->setObjectName(QLatin1String(name));
    combo->setEditable(true);
    combo->setInsertPolicy(QComboBox::NoInsert);
    combo->setMaxVisibleItems(15);
    // Sized by the characters it shows, not by measuring every label it lists.
    combo->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    combo->setMinimumContentsLength(chars);
    return combo;
}

}  // namespace

Frm_Activite::Frm_Activite(QWidget* parent)
    : RecordWindow(parent, {"Activités de l'association", "S", "AssocActivites.htm"}),
      session_(store::Variables::Get().activite),
      lookup_({"ACTIVITES", "LibActivite", "CodActivite",
               QStringLiteral("Aucune activité commençant par ")},
              nullptr) {
    setObjectName(QStringLiteral("Frm_Activite"));
    setWindowTitle(QStringLiteral("Activités"));
    buildUi();
    lookup_ = forms::CodeLookup({"ACTIVITES", "LibActivite", "CodActivite",
                                 QStringLiteral("Aucune activité commençant par ")},
                                Cbo_LibActivite);
    buildBindings();
    buildChecks();
    wireHandlers();
    wireFieldRules();
}

Frm_Activite::~Frm_Activite() = default;

void Frm_Activite::buildUi() {
    auto* main = new QVBoxLayout(this);
    main->setContentsMargins(10, 10, 10, 10);
    main->setSpacing(8);
    main->addWidget(buildEntete());

    auto* milieu = new QHBoxLayout;
    milieu->setSpacing(10);
    auto* gauche = new QVBoxLayout;
    gauche->addWidget(buildCodes());
    gauche->addWidget(buildType());
    gauche->addStretch();
    milieu->addLayout(gauche);

    Cdr_RIB = Frame(this, "Cdr_RIB", QStringLiteral("Adresse Bancaire"));
    auto* rib = new Composant_RIB(Cdr_RIB);
    rib->setObjectName(QStringLiteral("Ctr_RIB"));
    Ctr_RIB = rib;
    rib_ = rib;
    auto* ribLayout = new QVBoxLayout(Cdr_RIB);
    ribLayout->addWidget(rib);
    ribLayout->addStretch();
    milieu->addWidget(Cdr_RIB, 1);
    main->addLayout(milieu);

    main->addWidget(buildCouts(), 1);
    main->addWidget(buildBoutons());
}

QWidget* Frm_Activite::buildEntete() {
    auto* box = new QWidget(this);
    auto* grid = FormGrid(box);
    grid->setContentsMargins(0, 0, 0, 0);

    auto* entite = new QLabel(QStringLiteral("Entité juridique"), box);
    etqCodeAssoc_ = new QLabel(box);
    etqCodeAssoc_->setObjectName(QStringLiteral("Etq_CodeAssoc"));
    etqSigleAssoc_ = new QLabel(box);
    etqSigleAssoc_->setObjectName(QStringLiteral("Etq_SigleAssoc"));
    QFont gras = etqCodeAssoc_->font();
    gras.setBold(true);
    etqCodeAssoc_->setFont(gras);
    etqSigleAssoc_->setFont(gras);
    grid->addWidget(entite, 0, 0);
    auto* asso = new QHBoxLayout;
    asso->setSpacing(12);
    asso->addWidget(etqCodeAssoc_);
    asso->addWidget(etqSigleAssoc_);
    asso->addStretch();
    grid->addLayout(asso, 0, 1, 1, 3);

    Txt_CodActivite = TextRow(grid, 1, 0, "Txt_CodActivite", 5, "Etq_CodActivite",
                              QStringLiteral("&Code Activité"));
    Txt_CodActivite->setToolTip(
        QStringLiteral("Code à trois chiffres ; Entrée complète par des 0"));

    // The name list (look-up) and the name box (entry) share one place: the list while
    // searching, the box once an activity is shown or created.
    auto* cellule = new QWidget(box);
    pileLibelle_ = new QStackedLayout(cellule);
    pileLibelle_->setContentsMargins(0, 0, 0, 0);
    Cbo_LibActivite = listeLibelles(cellule, "Cbo_LibActivite", 30);
    Cbo_LibActivite->setCompleter(nullptr);  // the look-up happens on Enter, not while typing
    Cbo_LibActivite->setToolTip(
        QStringLiteral("Tapez le début de la dénomination puis Entrée pour lister les activités"));
    Txt_LibActivite = new QLineEdit(cellule);
    Txt_LibActivite->setObjectName(QStringLiteral("Txt_LibActivite"));
    pileLibelle_->addWidget(Cbo_LibActivite);
    pileLibelle_->addWidget(Txt_LibActivite);
    cellule->setFixedWidth(WidthFor(cellule, 32));
    AddRow(grid, 1, 2,
           Label(box, "Etq_LibActivite", QStringLiteral("&Dénomination"), Cbo_LibActivite),
           cellule);
    grid->setColumnStretch(4, 1);
    return box;
}

QWidget* Frm_Activite::buildCodes() {
    auto* box = new QWidget(this);
    auto* grid = FormGrid(box);
    grid->setContentsMargins(0, 0, 0, 0);
    auto pair = [&](int row, const char* code, int chars, const char* labelName,
                    const QString& caption, const char* list, QComboBox** combo) {
        QLineEdit* field = TextRow(grid, row, 0, code, chars, labelName, caption);
        *combo = listeLibelles(box, list, 28);
        grid->addWidget(*combo, row, 2);
        return field;
    };
    Txt_SectAnalActiv =
        pair(0, "Txt_SectAnalActiv", 5, "Etq_SectAnalActiv", QStringLiteral("Section Analytique"),
             "Cbo_SectAnalActiv", &Cbo_SectAnalActiv);
    Txt_SectAnalActiv->setMaxLength(3);
    Cmd_AjouterSection = Button(box, "Cmd_AjouterSection", QStringLiteral("Ajouter Sect. Anal"));
    grid->addWidget(Cmd_AjouterSection, 0, 3);

    Txt_ServiceActiv = pair(1, "Txt_ServiceActiv", 5, "Etq_ServiceActiv", QStringLiteral("Service"),
                            "Cbo_ServiceActiv", &Cbo_ServiceActiv);
    Cmd_AjouterService = Button(box, "Cmd_AjouterService", QStringLiteral("Ajouter Service"));
    grid->addWidget(Cmd_AjouterService, 1, 3);

    Txt_CodeTVA = pair(2, "Txt_CodeTVA", 3, "Etq_CodeTVA", QStringLiteral("Code T.V.A."),
                       "Cbo_CodeTVA", &Cbo_CodeTVA);
    Txt_CodeTVA->setMaxLength(1);
    auto* taux = new QHBoxLayout;
    Txt_TauxTVA = LineEdit(box, "Txt_TauxTVA", 6);
    Txt_TauxTVA->setReadOnly(true);  // shown, never stored
    Txt_TauxTVA->setFocusPolicy(Qt::NoFocus);
    taux->addWidget(Label(box, "Etq_TauxTVA", QStringLiteral("Taux"), Txt_TauxTVA));
    taux->addWidget(Txt_TauxTVA);
    taux->addStretch();
    grid->addLayout(taux, 2, 3);

    Txt_Finess =
        TextRow(grid, 3, 0, "Txt_Finess", 11, "Etq_Finess", QStringLiteral("Numéro FINESS"));

    Txt_LibTarif = LineEdit(box, "Txt_LibTarif", 36, false);
    Etq_LibTarif =
        Label(box, "Etq_LibTarif", QStringLiteral("Libellé ajustement tarifaire sur facture aidé"),
              Txt_LibTarif);
    grid->addWidget(Etq_LibTarif, 4, 0, 1, 2, Qt::AlignLeft | Qt::AlignVCenter);
    grid->addWidget(Txt_LibTarif, 4, 2, 1, 2);

    Cac_Exo = CheckBox(box, "Cac_Exo", QStringLiteral("Exonération \"Services à la personne\""));
    grid->addWidget(Cac_Exo, 5, 0, 1, 4);
    grid->setColumnStretch(4, 1);
    return box;
}

QWidget* Frm_Activite::buildType() {
    Cdr_Type = Frame(this, "Cdr_Type", QStringLiteral("Type"));
    auto* row = new QHBoxLayout(Cdr_Type);
    Opt_Autre = Option(Cdr_Type, "Opt_Autre", QStringLiteral("Prestataire"));
    Opt_Mandataire = Option(Cdr_Type, "Opt_Mandataire", QStringLiteral("Mandataire"));
    Opt_Intermed = Option(Cdr_Type, "Opt_Intermed", QStringLiteral("Intermédiaire"));
    Opt_SSIAD = Option(Cdr_Type, "Opt_SSIAD", QStringLiteral("SSIAD"));
    for (QRadioButton* o : {Opt_Autre, Opt_Mandataire, Opt_Intermed, Opt_SSIAD})
        row->addWidget(o);
    row->addStretch();
    return Cdr_Type;
}

QWidget* Frm_Activite::buildCouts() {
    Cdr_CoutHoraire = Frame(this, "Cdr_CoutHoraire", QStringLiteral("Taux horaires "));
    auto* grid = new QGridLayout(Cdr_CoutHoraire);
    grid->setHorizontalSpacing(4);

    // Fixed pitch, so that dates and amounts stand in columns.
    const QFont fixe = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    auto liste = [&](const char* name, int chars) {
        auto* l = new QListWidget(Cdr_CoutHoraire);
        l->setObjectName(QLatin1String(name));
        l->setFont(fixe);
        l->setFixedWidth(QFontMetrics(fixe).horizontalAdvance(QString(chars, QLatin1Char('0'))) +
                         16);
        // Bdv_Taux scrolls the four together.
        l->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        l->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        l->setUniformItemSizes(true);
        l->setFixedHeight(QFontMetrics(fixe).lineSpacing() * 4 + 12);
        return l;
    };
    Lst_Date = liste("Lst_Date", 10);
    Lst_Cout = liste("Lst_Cout", 8);
    Lst_CoutMajore = liste("Lst_CoutMajore", 11);
    Lst_Type = liste("Lst_Type", 10);
    Etq_Date = Label(Cdr_CoutHoraire, "Etq_Date", QStringLiteral("Date"), Lst_Date);
    Etq_Cout = Label(Cdr_CoutHoraire, "Etq_Cout", QStringLiteral("Coût"), Lst_Cout);
    Etq_CoutMajore =
        Label(Cdr_CoutHoraire, "Etq_CoutMajore", QStringLiteral("Coût majoré"), Lst_CoutMajore);
    Etq_Type = Label(Cdr_CoutHoraire, "Etq_Type", QStringLiteral("Type"), Lst_Type);
    Bdv_Taux = new QScrollBar(Qt::Vertical, Cdr_CoutHoraire);
    Bdv_Taux->setObjectName(QStringLiteral("Bdv_Taux"));
    Bdv_Taux->setFixedHeight(Lst_Date->height());

    Txt_Date = LineEdit(Cdr_CoutHoraire, "Txt_Date", 10);
    Txt_Date->setPlaceholderText(QStringLiteral("jj/mm/aaaa"));
    Txt_Cout = LineEdit(Cdr_CoutHoraire, "Txt_Cout", 8);
    Txt_CoutMajore = LineEdit(Cdr_CoutHoraire, "Txt_CoutMajore", 8);
    for (QLineEdit* montant : {Txt_Cout, Txt_CoutMajore})
        montant->setAlignment(Qt::AlignRight);
    Cbo_Type = new QComboBox(Cdr_CoutHoraire);
    Cbo_Type->setObjectName(QStringLiteral("Cbo_Type"));
    Cbo_Type->addItems({QStringLiteral("Prestation"), QStringLiteral("Tarifé")});
    Cbo_Type->setCurrentIndex(-1);

    const std::pair<QLabel*, QListWidget*> colonnes[] = {{Etq_Date, Lst_Date},
                                                         {Etq_Cout, Lst_Cout},
                                                         {Etq_CoutMajore, Lst_CoutMajore},
                                                         {Etq_Type, Lst_Type}};
    int column = 0;
    for (const auto& [label, list] : colonnes) {
        grid->addWidget(label, 0, column);
        grid->addWidget(list, 1, column);
        ++column;
    }
    grid->addWidget(Bdv_Taux, 1, column);
    int entree = 0;
    for (QWidget* w : std::initializer_list<QWidget*>{Txt_Date, Txt_Cout, Txt_CoutMajore, Cbo_Type})
        grid->addWidget(w, 2, entree++);

    Cmd_AjoutCout = Button(Cdr_CoutHoraire, "Cmd_AjoutCout", QStringLiteral("Ajouter"));
    Cmd_SuppCout = Button(Cdr_CoutHoraire, "Cmd_SuppCout", QStringLiteral("Supprimer"));
    Cmd_OkCout = Button(Cdr_CoutHoraire, "Cmd_OkCout", QStringLiteral("OK"));
    Cmd_AnnulCout = Button(Cdr_CoutHoraire, "Cmd_AnnulCout", QStringLiteral("Annuler"));
    auto* boutons = new QVBoxLayout;
    for (QPushButton* b : {Cmd_AjoutCout, Cmd_SuppCout, Cmd_OkCout, Cmd_AnnulCout})
        boutons->addWidget(b);
    boutons->addStretch();
    grid->addLayout(boutons, 0, column + 1, 3, 1);
    grid->setColumnStretch(column + 2, 1);
    return Cdr_CoutHoraire;
}

QWidget* Frm_Activite::buildBoutons() {
    auto* box = new QWidget(this);
    auto* row = new QHBoxLayout(box);
    row->setContentsMargins(0, 0, 0, 0);
    Cmd_IntegrationComptable =
        Button(box, "Cmd_IntegrationComptable", QStringLiteral("Intégration comptable"));
    row->addWidget(Cmd_IntegrationComptable);
    row->addStretch();
    Cmd_Ajouter = Button(box, "Cmd_Ajouter", QStringLiteral("&Ajouter"));
    Cmd_Ok = Button(box, "Cmd_Ok", QStringLiteral("OK"));
    Cmd_Annuler = Button(box, "Cmd_Annuler", QStringLiteral("Annuler"));
    Cmd_Sortir = Button(box, "Cmd_Sortir", QStringLiteral("Sortir"));
    for (QPushButton* b : {Cmd_Ajouter, Cmd_Ok, Cmd_Annuler, Cmd_Sortir}) {
        b->setMinimumWidth(WidthFor(b, 10));
        row->addWidget(b);
    }
    return box;
}

void Frm_Activite::buildBindings() {
    // What a save writes from the screen, in record order; the bank details, the type's cost
    // lines and the creation's own values apart.
    using namespace forms;
    fields_.Add(TextField(Txt_LibActivite, X::kLibelle, 1).UpperCaseOnSave())
        .Add(TextField(Txt_SectAnalActiv, X::kSection, 1))
        .Add(TextField(Txt_CodeTVA, X::kCodeTva))
        .Add(OptionsField({Opt_Autre, Opt_Mandataire, Opt_Intermed, Opt_SSIAD}, X::kType, 0,
                          {X::kPrestataire, X::kMandataire, X::kIntermediaire, X::kSsiad}, 3))
        .Add(TextField(Txt_ServiceActiv, X::kService))
        .Add(TextField(Txt_Finess, X::kFiness))
        .Add(TextField(Txt_LibTarif, X::kLibelleTarif))
        .Add(CheckField(Cac_Exo, X::kNonExonere, 0, "", "N"));
    // The cost lines: an overwrite over another workstation's version takes them whole.
    session_.KeepTogether(
        {X::kCoutHoraire, X::kDateApplication, X::kCoutMajore, X::kTypeLigneCout});
}

void Frm_Activite::wireHandlers() {
    const std::pair<QAbstractButton*, void (Frm_Activite::*)()> clicks[] = {
        {Cmd_Ajouter, &Frm_Activite::Cmd_Ajouter_Click},
        {Cmd_Ok, &Frm_Activite::Cmd_Ok_Click},
        {Cmd_Annuler, &Frm_Activite::Cmd_Annuler_Click},
        {Cmd_Sortir, &Frm_Activite::Cmd_Sortir_Click},
        {Cmd_IntegrationComptable, &Frm_Activite::Cmd_IntegrationComptable_Click},
        {Cmd_AjouterSection, &Frm_Activite::Cmd_AjouterSection_Click},
        {Cmd_AjouterService, &Frm_Activite::Cmd_AjouterService_Click},
        {Cmd_AjoutCout, &Frm_Activite::Cmd_AjoutCout_Click},
        {Cmd_OkCout, &Frm_Activite::Cmd_OkCout_Click},
        {Cmd_SuppCout, &Frm_Activite::Cmd_SuppCout_Click},
        {Cmd_AnnulCout, &Frm_Activite::Cmd_AnnulCout_Click},
    };
    for (const auto& [button, fn] : clicks)
        connect(button, &QAbstractButton::clicked, this, Handler(this, fn));

    // An option's click also runs when the program selects it, never when it is already chosen.
    const std::pair<QRadioButton*, void (Frm_Activite::*)()> options[] = {
        {Opt_Autre, &Frm_Activite::Opt_Autre_Click},
        {Opt_Mandataire, &Frm_Activite::Opt_Mandataire_Click},
        {Opt_Intermed, &Frm_Activite::Opt_Intermed_Click},
        {Opt_SSIAD, &Frm_Activite::Opt_SSIAD_Click},
    };
    for (const auto& [option, fn] : options) {
        connect(option, &QRadioButton::toggled, this, [this, fn = Handler(this, fn)](bool on) {
            if (on)
                fn();
        });
    }

    for (QListWidget* l : listes()) {
        connect(l, &QListWidget::currentRowChanged, this,
                [this](int row) { forms::Guarded(this, [this, row] { Lst_Click(row); }); });
        connect(l, &QListWidget::itemDoubleClicked, this,
                Handler(this, &Frm_Activite::Lst_DblClick));
        // Rolled by the wheel, one list rolls the others.
        connect(l->verticalScrollBar(), &QScrollBar::valueChanged, this, [this](int value) {
            for (QListWidget* other : listes())
                other->verticalScrollBar()->setValue(value);
        });
    }
    connect(Bdv_Taux, &QScrollBar::valueChanged, this,
            [this](int value) { forms::Guarded(this, [this, value] { Bdv_Taux_Change(value); }); });

    // The bank details are handed their connection each time the focus comes into them.
    connect(static_cast<Composant_RIB*>(Ctr_RIB), &Composant_RIB::focusEntered, this, [this] {
        const store::Variables& v = store::Variables::Get();
        rib_->SetConnection(v.database, v.client);
    });
    HelpOnRightClick(Cdr_RIB);
    HelpOnRightClick(Cdr_Type);
}
