// The widgets of the accounting window and their arrangement, and the wiring of its handlers.
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "accounting/frm_integration_comptable.h"
#include "entry/field.h"
#include "forms/feedback.h"
#include "forms/form_layout.h"
#include "platform/toolkit/events.h"
#include "store/layout/activites.h"
#include "store/variables.h"

namespace X = store::layout::activites;
using namespace forms::layout;
using forms::Handler;
using forms::KeyHandler;

Frm_IntegrationComptable::Frm_IntegrationComptable(QWidget* parent)
    : RecordWindow(parent, {"Activités de l'association", "S", "AssocActivites.htm"}),
      session_(store::Variables::Get().activite) {
    setObjectName(QStringLiteral("Frm_IntegrationComptable"));
    setWindowTitle(QStringLiteral("Paramètres d'intégration comptable"));
    buildUi();
    aideSansPriseChg_ = {
        Txt_CodePrdAideSansPriseChg, Cbo_PrdAideSansPriseChg, X::kCompteAideSansPriseChg, {}};
    cotisAnnuelle_ = {Txt_CodePrdCotisAnnuelle, Cbo_PrdCotisAnnuelle, X::kCompteCotisAnnuelle, {}};
    wireHandlers();
}

Frm_IntegrationComptable::~Frm_IntegrationComptable() = default;

void Frm_IntegrationComptable::buildUi() {
    auto* main = new QVBoxLayout(this);
    main->setContentsMargins(12, 12, 12, 12);
    main->setSpacing(10);

    auto* entete = new QWidget(this);
    auto* grid = FormGrid(entete);
    grid->setContentsMargins(0, 0, 0, 0);
    Etq_CodeAsso = new QLabel(entete);
    Etq_CodeAsso->setObjectName(QStringLiteral("Etq_CodeAsso"));
    QFont gras = Etq_CodeAsso->font();
    gras.setBold(true);
    Etq_CodeAsso->setFont(gras);
    grid->addWidget(new QLabel(QStringLiteral("Entité juridique"), entete), 0, 0);
    grid->addWidget(Etq_CodeAsso, 0, 1);
    Txt_CodeActivite = LineEdit(entete, "Txt_CodeActivite", 5);
    Txt_LibelleActivite = LineEdit(entete, "Txt_LibelleActivite", 30);
    for (QLineEdit* e : {Txt_CodeActivite, Txt_LibelleActivite}) {
        e->setReadOnly(true);
        e->setFocusPolicy(Qt::NoFocus);
    }
    grid->addWidget(Label(entete, "Etq_Activite", QStringLiteral("Activité"), Txt_CodeActivite), 1,
                    0);
    auto* activite = new QHBoxLayout;
    activite->addWidget(Txt_CodeActivite);
    activite->addWidget(Txt_LibelleActivite);
    activite->addStretch();
    grid->addLayout(activite, 1, 1);
    grid->setColumnStretch(2, 1);
    main->addWidget(entete);

    // One pair per account: the code box, the list of labels beside it.
    auto compte = [&](const char* etiquette, const QString& legende, const char* code,
                      const char* liste, QLineEdit** champ, QComboBox** combo) {
        auto* box = new QWidget(this);
        auto* colonne = new QVBoxLayout(box);
        colonne->setContentsMargins(0, 0, 0, 0);
        *champ = LineEdit(box, code, 12);
        colonne->addWidget(Label(box, etiquette, legende, *champ));
        auto* ligne = new QHBoxLayout;
        *combo = new QComboBox(box);
        (*combo)->setObjectName(QLatin1String(liste));
        (*combo)->setEditable(true);
        (*combo)->setInsertPolicy(QComboBox::NoInsert);
        (*combo)->setCompleter(nullptr);  // the list narrows itself as the label is typed
        (*combo)->setMaxVisibleItems(20);
        (*combo)->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
        (*combo)->setMinimumContentsLength(40);
        ligne->addWidget(*champ);
        ligne->addWidget(*combo, 1);
        colonne->addLayout(ligne);
        main->addWidget(box);
    };
    compte("Etq_PrdCotisAnnuelle", QStringLiteral("Compte de produit de la cotisation annuelle"),
           "Txt_CodePrdCotisAnnuelle", "Cbo_PrdCotisAnnuelle", &Txt_CodePrdCotisAnnuelle,
           &Cbo_PrdCotisAnnuelle);
    compte("Etq_PrdAideSansPriseChg",
           QStringLiteral("Compte de produit des aidés sans prise en charge"),
           "Txt_CodePrdAideSansPriseChg", "Cbo_PrdAideSansPriseChg", &Txt_CodePrdAideSansPriseChg,
           &Cbo_PrdAideSansPriseChg);
    main->addStretch();

    auto* boutons = new QHBoxLayout;
    boutons->addStretch();
    Cmd_Ok = Button(this, "Cmd_Ok", QStringLiteral("OK"));
    Cmd_Retour = Button(this, "Cmd_Retour", QStringLiteral("Retour"));
    for (QPushButton* b : {Cmd_Ok, Cmd_Retour}) {
        b->setMinimumWidth(WidthFor(b, 10));
        boutons->addWidget(b);
    }
    main->addLayout(boutons);
}

void Frm_IntegrationComptable::wireHandlers() {
    connect(Cmd_Ok, &QPushButton::clicked, this,
            Handler(this, &Frm_IntegrationComptable::Cmd_Ok_Click));
    connect(Cmd_Retour, &QPushButton::clicked, this,
            Handler(this, &Frm_IntegrationComptable::Cmd_Retour_Click));

    using Fn = void (Frm_IntegrationComptable::*)();
    using KeyFn = void (Frm_IntegrationComptable::*)(int&);
    struct Paire {
        QLineEdit* code;
        QComboBox* liste;
        Fn codeChange, codeLostFocus, listeChange, listeClick;
        KeyFn codeKey, listeKey;
    };
    using F = Frm_IntegrationComptable;
    const Paire paires[] = {
        {Txt_CodePrdAideSansPriseChg, Cbo_PrdAideSansPriseChg,
         &F::Txt_CodePrdAideSansPriseChg_Change, &F::Txt_CodePrdAideSansPriseChg_LostFocus,
         &F::Cbo_PrdAideSansPriseChg_Change, &F::Cbo_PrdAideSansPriseChg_Click,
         &F::Txt_CodePrdAideSansPriseChg_KeyPress, &F::Cbo_PrdAideSansPriseChg_KeyPress},
        {Txt_CodePrdCotisAnnuelle, Cbo_PrdCotisAnnuelle, &F::Txt_CodePrdCotisAnnuelle_Change,
         &F::Txt_CodePrdCotisAnnuelle_LostFocus, &F::Cbo_PrdCotisAnnuelle_Change,
         &F::Cbo_PrdCotisAnnuelle_Click, &F::Txt_CodePrdCotisAnnuelle_KeyPress,
         &F::Cbo_PrdCotisAnnuelle_KeyPress},
    };
    for (const Paire& p : paires) {
        connect(p.code, &QLineEdit::textChanged, this, Handler(this, p.codeChange));
        toolkit::OnLostFocus(p.code, Handler(this, p.codeLostFocus));
        // Tab always moves on, whatever the code field's keys.
        entry::AttachKeyFilter(p.code, [handler = KeyHandler(this, p.codeKey)](
                                           int& keyAscii, const QString&) { handler(keyAscii); });
        // Typed text only: a label chosen in the list is a choice, not a new beginning.
        connect(p.liste->lineEdit(), &QLineEdit::textEdited, this, Handler(this, p.listeChange));
        connect(p.liste, &QComboBox::activated, this, Handler(this, p.listeClick));
        toolkit::OnKeyPress(p.liste, KeyHandler(this, p.listeKey));
    }
}
