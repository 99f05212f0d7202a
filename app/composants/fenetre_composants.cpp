#include "app/composants/fenetre_composants.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QDialog>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QVBoxLayout>

#include "platform/components/adresse/composant_adresse.h"
#include "platform/components/aide/composant_aide.h"
#include "platform/components/droits/composant_droits.h"
#include "platform/components/parametres/composant_parametres.h"
#include "platform/components/rib/composant_rib.h"
#include "platform/toolkit/message_box.h"
#include "platform/toolkit/qtext.h"
#include "store/file.h"
#include "store/store_error.h"

using toolkit::fromQ;
using toolkit::toQ;

namespace {

// Hosts the table editor the way the parameters window does: closed only by the editor.
class FenetreParametres : public QDialog {
  public:
    explicit FenetreParametres(QWidget* parent) : QDialog(parent) {
        setObjectName(QStringLiteral("Frm_ParamSect"));
        setWindowTitle(QStringLiteral("Paramètres"));
        resize(520, 420);
        auto* layout = new QVBoxLayout(this);
        editeur = new Composant_Parametres(this);
        editeur->setObjectName(QStringLiteral("Ctr_Parametres"));
        layout->addWidget(editeur);
    }
    void closeEvent(QCloseEvent* event) override {
        if (editeur->Fermeture())
            QDialog::closeEvent(event);
        else
            event->ignore();
    }
    void reject() override {
        if (editeur->Fermeture())
            QDialog::reject();
    }
    Composant_Parametres* editeur;
};

QPushButton* bouton(const QString& caption, QWidget* parent) {
    auto* b = new QPushButton(caption, parent);
    b->setAutoDefault(false);
    return b;
}

QString niveauEnClair(int level) {
    return level == 2 ? QStringLiteral("%1 (tous droits)").arg(level)
                      : QStringLiteral("%1 (consultation)").arg(level);
}

}  // namespace

FenetreComposants::FenetreComposants(std::shared_ptr<store::Database> database,
                                     const std::string& user)
    : database_(std::move(database)), client_(std::make_shared<store::Client>(user)) {
    setObjectName(QStringLiteral("Frm_Composants"));
    setWindowTitle(QStringLiteral("Composants MERIDOVAL - utilisateur %1").arg(toQ(user)));
    onglets_ = new QTabWidget(this);
    onglets_->setObjectName(QStringLiteral("Ong_Composants"));
    setCentralWidget(onglets_);

    auto* adresse = composantAdresse_ = new Composant_Adresse;
    adresse->setObjectName(QStringLiteral("Ctr_Adresse"));
    adresse->SetDatabase(database_);
    adresse->SetSettings(false, true, false);
    adresse->Initialise();
    onglets_->addTab(
        ongletBloc(
            adresse, adresse_, 3,
            [adresse](store::Record& r, int f) { return adresse->ReadFromRecord(r, f); },
            [adresse](store::Record& r, int f) { return adresse->WriteToRecord(r, f); },
            [adresse](store::Record& r, int f) { return adresse->Differs(r, f); },
            [adresse] { adresse->Clear(); }, nullptr),
        QStringLiteral("Adresse"));

    auto* rib = new Composant_RIB;
    rib->setObjectName(QStringLiteral("Ctr_RIB"));
    // A screen hands the connection over each time the focus comes into the bank details.
    connect(rib, &Composant_RIB::focusEntered, this,
            [this, rib] { rib->SetConnection(database_, client_); });
    onglets_->addTab(
        ongletBloc(
            rib, rib_, 15, [rib](store::Record& r, int f) { return rib->ReadFromRecord(r, f); },
            [rib](store::Record& r, int f) { return rib->WriteToRecord(r, f); },
            [rib](store::Record& r, int f) { return rib->Differs(r, f); }, [rib] { rib->Clear(); },
            [rib] {
                rib->Check();
                return !rib->ErrorFlag();
            }),
        QStringLiteral("R.i.b."));
    onglets_->addTab(ongletParametres(), QStringLiteral("Paramètres"));
    onglets_->addTab(ongletAide(), QStringLiteral("Aide"));
    onglets_->addTab(ongletDroits(), QStringLiteral("Droits"));
    resize(720, 560);
}

void FenetreComposants::closeEvent(QCloseEvent* event) {
    composantAdresse_->SetDatabase(nullptr);
    composantAdresse_->Close();
    QMainWindow::closeEvent(event);
}

std::optional<store::Record> FenetreComposants::lireEnregistrement(const Bloc& bloc,
                                                                   bool forUpdate) {
    const std::string fichier = fromQ(bloc.fichier->currentText().trimmed());
    const std::string id = fromQ(bloc.id->text().trimmed());
    if (id.empty()) {
        toolkit::MsgBox(QStringLiteral("Indiquez le code de l'enregistrement."));
        bloc.id->setFocus();
        return std::nullopt;
    }
    try {
        auto file = database_->OpenFile(fichier);
        return forUpdate ? file->ReadForUpdate(id) : file->Read(id);
    } catch (const store::StoreError& e) {
        toolkit::MsgBox(QString::fromUtf8(e.what()), toolkit::Icon::Exclamation);
        return std::nullopt;
    }
}

QWidget* FenetreComposants::ongletBloc(
    QWidget* composant, Bloc& bloc, int premierParDefaut,
    const std::function<std::string(store::Record&, int)>& lire,
    const std::function<std::string(store::Record&, int)>& ecrire,
    const std::function<bool(store::Record&, int)>& differe, const std::function<void()>& vider,
    const std::function<bool()>& controler) {
    auto* page = new QWidget;
    bloc.fichier = new QComboBox(page);
    bloc.fichier->setEditable(true);
    bloc.fichier->addItems({QStringLiteral("ASSOCIATION"), QStringLiteral("ETABLISSEMENT"),
                            QStringLiteral("ACTIVITES")});
    bloc.id = new QLineEdit(page);
    bloc.id->setPlaceholderText(QStringLiteral("001"));
    bloc.premier = new QSpinBox(page);
    bloc.premier->setRange(1, 999);
    bloc.premier->setValue(premierParDefaut);
    bloc.retour = new QLabel(page);
    bloc.retour->setWordWrap(true);
    bloc.retour->setTextInteractionFlags(Qt::TextSelectableByMouse);

    auto* choix = new QHBoxLayout;
    choix->addWidget(new QLabel(QStringLiteral("Fichier"), page));
    choix->addWidget(bloc.fichier);
    choix->addWidget(new QLabel(QStringLiteral("Code"), page));
    choix->addWidget(bloc.id);
    choix->addWidget(new QLabel(QStringLiteral("Premier attribut"), page));
    choix->addWidget(bloc.premier);
    auto* lireBouton = bouton(QStringLiteral("Lire"), page);
    bloc.lire = lireBouton;
    choix->addWidget(lireBouton);

    auto* actions = new QHBoxLayout;
    auto* comparer = bouton(QStringLiteral("Comparer"), page);
    auto* enregistrer = bouton(QStringLiteral("Enregistrer"), page);
    auto* viderBouton = bouton(QStringLiteral("Vider"), page);
    actions->addWidget(comparer);
    if (controler) {
        auto* controlerBouton = bouton(QStringLiteral("Contrôler"), page);
        actions->addWidget(controlerBouton);
        connect(controlerBouton, &QPushButton::clicked, this, [controler] {
            if (controler())
                toolkit::MsgBox(QStringLiteral("Les coordonnées sont correctes."));
        });
    }
    actions->addWidget(viderBouton);
    actions->addStretch(1);
    actions->addWidget(enregistrer);

    auto* layout = new QVBoxLayout(page);
    layout->addLayout(choix);
    layout->addWidget(composant);
    layout->addWidget(bloc.retour);
    layout->addStretch(1);
    layout->addLayout(actions);

    Bloc* b = &bloc;
    connect(lireBouton, &QPushButton::clicked, this, [this, b, lire] {
        if (auto record = lireEnregistrement(*b, false))
            b->retour->setText(QStringLiteral("Lu : ") + toQ(lire(*record, b->premier->value())));
    });
    connect(comparer, &QPushButton::clicked, this, [this, b, differe] {
        if (auto record = lireEnregistrement(*b, false)) {
            toolkit::MsgBox(differe(*record, b->premier->value())
                                ? QStringLiteral("La saisie diffère de l'enregistrement.")
                                : QStringLiteral("La saisie est celle de l'enregistrement."));
        }
    });
    connect(viderBouton, &QPushButton::clicked, this, [b, vider] {
        vider();
        b->retour->clear();
    });
    connect(enregistrer, &QPushButton::clicked, this, [this, b, ecrire] {
        auto record = lireEnregistrement(*b, true);
        if (!record)
            return;
        try {
            const std::string texte = ecrire(*record, b->premier->value());
            record->DBWrite();
            b->retour->setText(QStringLiteral("Enregistré : ") + toQ(texte));
        } catch (const store::StoreError& e) {
            record->BoundFile()->Release(record->Id());
            toolkit::MsgBox(QString::fromUtf8(e.what()), toolkit::Icon::Exclamation);
        }
    });
    return page;
}

void FenetreComposants::lire(const QString& code) {
    for (Bloc* b : {&adresse_, &rib_}) {
        if (b->lire) {
            b->id->setText(code);
            b->lire->click();
        }
    }
}

QWidget* FenetreComposants::ongletParametres() {
    auto* page = new QWidget;
    auto* table = new QComboBox(page);
    table->setObjectName(QStringLiteral("Cbo_Table"));
    table->setEditable(true);
    table->addItems({QStringLiteral("SECTANAL"), QStringLiteral("SERVICES"),
                     QStringLiteral("TAUXTVA"), QStringLiteral("EMPLOIS"),
                     QStringLiteral("TELEGESTION"), QStringLiteral("QUALITERESPPAIE")});
    auto* ouvrir = bouton(QStringLiteral("Ouvrir"), page);
    auto* form = new QFormLayout(page);
    form->addRow(QStringLiteral("Table"), table);
    form->addRow(new QLabel(QStringLiteral("L'éditeur s'ouvre comme depuis la fenêtre des "
                                           "activités, avec les droits de l'utilisateur sur "
                                           "l'écran ASSOCIATION."),
                            page));
    form->addRow(ouvrir);
    auto* fenetre = new FenetreParametres(this);
    connect(ouvrir, &QPushButton::clicked, this, [this, table, fenetre] {
        const std::string nom = fromQ(table->currentText().trimmed().toUpper());
        Composant_Droits droits(database_, client_->UserName());
        fenetre->editeur->SetTheDatabase(database_);
        fenetre->editeur->SetTheClient(client_);
        fenetre->editeur->SetNomTable(nom);
        fenetre->editeur->SetNomEcran("ASSOCIATION");
        fenetre->editeur->SetDroits(droits.GetScreenRights("ASSOCIATION"));
        fenetre->editeur->Demarrer();
        fenetre->exec();
    });
    return page;
}

QWidget* FenetreComposants::ongletAide() {
    auto* page = new QWidget;
    auto* layout = new QVBoxLayout(page);
    struct Sujet {
        const char* caption;
        const char* topic;
        const char* kind;
        const char* file;
    };
    static const Sujet sujets[] = {
        {"Entité juridique", "Association", "P", "Assoc.htm"},
        {"Etablissements", "Cotisation de l'association", "S", "AssocEtablissements.htm"},
        {"Activités", "Activités de l'association", "S", "AssocActivites.htm"},
    };
    for (const Sujet& s : sujets) {
        auto* b = bouton(QString::fromUtf8(s.caption), page);
        connect(b, &QPushButton::clicked, this, [this, s] {
            Composant_Aide& aide = Composant_Aide::Instance();
            aide.SetClient(client_);
            aide.SetDatabase(database_);
            aide.ShowTopic(s.topic, s.kind, s.file);
        });
        layout->addWidget(b);
    }
    layout->addStretch(1);
    return page;
}

QWidget* FenetreComposants::ongletDroits() {
    auto* page = new QWidget;
    auto* utilisateur = new QLineEdit(toQ(client_->UserName()), page);
    auto* ecran = new QLineEdit(QStringLiteral("ASSOCIATION"), page);
    auto* resultat = new QLabel(page);
    resultat->setObjectName(QStringLiteral("Etq_Niveau"));
    auto* lire = bouton(QStringLiteral("Lire les droits"), page);
    auto* form = new QFormLayout(page);
    form->addRow(QStringLiteral("Utilisateur"), utilisateur);
    form->addRow(QStringLiteral("Ecran"), ecran);
    form->addRow(lire);
    form->addRow(QStringLiteral("Niveau d'accès"), resultat);
    auto montrer = [this, utilisateur, ecran, resultat] {
        try {
            Composant_Droits droits(database_, fromQ(utilisateur->text().trimmed()));
            resultat->setText(niveauEnClair(
                droits.GetScreenRights(fromQ(ecran->text().trimmed()))->AccessLevel()));
        } catch (const store::StoreError& e) {
            toolkit::MsgBox(QString::fromUtf8(e.what()), toolkit::Icon::Exclamation);
        }
    };
    connect(lire, &QPushButton::clicked, this, montrer);
    montrer();
    return page;
}
