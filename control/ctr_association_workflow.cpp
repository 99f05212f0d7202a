// Creating and updating an association: the buttons that write, the checks before writing and
// the copy of the screen into the record.
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <charconv>
#include <optional>

#include "control/ctr_association.h"
#include "control/ctr_association_parts.h"
#include "platform/components/utilitaires/composant_utilitaires.h"
#include "platform/toolkit/message_box.h"
#include "platform/toolkit/qtext.h"
#include "setup/creation_fichier_unidata.h"
#include "setup/frm_msg_attente.h"
#include "store/store_error.h"
#include "store/variables.h"

using assoc::poser;
using toolkit::fromQ;
using toolkit::toQ;

namespace {

// COMPTEUR "999" holds the accounting settings: an association coded 999 would reset them.
constexpr int kDernierCode = 998;

QString etat(const QCheckBox* box) {
    switch (box->checkState()) {
        case Qt::Checked:
            return QStringLiteral("1");
        case Qt::PartiallyChecked:
            return QStringLiteral("2");
        case Qt::Unchecked:
            break;
    }
    return QStringLiteral("0");
}

QString jourVersStockage(const QString& date) {
    return date.isEmpty() ? QString() : Composant_Utilitaires::Instance().DateVersJour(date);
}

// "0" and the list position counted from 1: "01" for the first quality, "00" for none.
QString qualiteStockee(const QComboBox* qualites) {
    return QStringLiteral("0%1").arg(qualites->currentIndex() + 1);
}

// The code of the solidarity day chosen, empty when none.
QString jourSolidariteStocke(const QComboBox* jours) {
    const int jour = jours->currentIndex();
    return jour >= 0 ? QString::fromUtf8(assoc::kJoursSolidarite[jour].code) : QString();
}

bool icsAccepte(const QString& ics) {
    return ics.isEmpty() || ics.size() == 6 ||
           (ics.size() == 13 && ics.startsWith(QLatin1String("FR")));
}

// The control stays disabled while the creation writes, and usable again however it ends.
class Desactivation {
  public:
    explicit Desactivation(QWidget* w) : w_(w) { w_->setEnabled(false); }
    ~Desactivation() { fin(); }
    Desactivation(const Desactivation&) = delete;
    Desactivation& operator=(const Desactivation&) = delete;
    void fin() {
        if (w_)
            w_->setEnabled(true);
        w_ = nullptr;
    }

  private:
    QWidget* w_;
};

// A counter record of the new association, every attribute set to value. One left by an earlier
// attempt stopped at the creditor identifier is written over: it holds this same content.
void ecrireCompteur(const std::shared_ptr<store::File>& file, const char* fileName,
                    const std::string& code, int attributes, const std::string& value,
                    std::optional<store::Record>& held) {
    if (!file) {
        throw store::StoreError(store::ErrorCode::FileNotFound,
                                std::string("Le fichier ") + fileName + " n'est pas ouvert.");
    }
    store::Record r;
    try {
        r = file->NewItem(code);
    } catch (const store::StoreError& e) {
        if (e.code() != store::ErrorCode::RecordExists)
            throw;
        r = store::Record(file, code, std::string());
    }
    for (int a = 1; a <= attributes; ++a)
        r.SetValue(a, 1, value);
    r.DBWrite();
    held = std::move(r);
}

// The count of associations: the output of the count command begins with it.
std::optional<int> compterAssociations(store::Database& database) {
    std::string status;
    const store::Record output =
        database.CallSubroutine("DBA.EXECUTE", status, "COMPTER ASSOCIATION");
    const std::string line = output.Value(3, 1);
    int count = 0;
    const auto [end, error] = std::from_chars(line.data(), line.data() + line.size(), count);
    if (error != std::errc() || end == line.data())
        return std::nullopt;
    return count;
}

}  // namespace

void Ctr_Association::Cmd_Ajouter_Click() {
    if (!Txt_CodeAssoc->text().isEmpty()) {
        informer(QStringLiteral("Pour pouvoir ajouter, vous devez d'abord valider votre feuille."));
        Txt_CodeAssoc->setFocus();
        return;
    }
    store::Variables& v = store::Variables::Get();
    if (!v.database)
        return;
    const std::optional<int> count = compterAssociations(*v.database);
    if (!count) {
        avertir(
            QStringLiteral("Le nombre d'entités juridiques n'a pas pu être compté : aucun code "
                           "ne peut être proposé."));
        return;
    }
    if (*count + 1 > kDernierCode) {
        avertir(QStringLiteral("Impossible d'ajouter une entité juridique : le fichier en compte "
                               "déjà %1 et le dernier code possible est %2 (le code 999 est "
                               "réservé aux paramètres comptables).")
                    .arg(*count)
                    .arg(kDernierCode));
        return;
    }
    // Creation mode only once a code can be offered: a refusal above leaves none under way.
    mode_ = 1;
    // A code already in use is reported by the display, which empties it for another one.
    Txt_CodeAssoc->setText(QStringLiteral("%1").arg(*count + 1, 3, 10, QLatin1Char('0')));
    assoc::setEnabled({Cmd_Etablissement, Cmd_Activite, Cmd_Ajouter}, false);
    if (Txt_SigleAssoc->isVisible())
        Txt_SigleAssoc->setFocus();
}

void Ctr_Association::Cmd_Ok_Click() {
    if (mode_ == 1)
        Creation_Asso();
    else
        Maj_Asso();
    if (!zoneObligEchec_)
        Cmd_Ajouter->setEnabled(true);
    if (Txt_CodeAssoc->isEnabled())
        Txt_CodeAssoc->setFocus();
}

void Ctr_Association::Cmd_Annuler_Click() {
    if (mode_ == 1) {
        toolkit::Beep();
        const toolkit::Answer answer =
            toolkit::MsgBox(QStringLiteral("Etes-vous sûr de vouloir quitter cette création ?"),
                            toolkit::Icon::Exclamation, toolkit::Buttons::YesNo, this);
        if (answer != toolkit::Answer::Yes)
            return;
        mode_ = 0;
    }
    Txt_CodeAssoc->clear();
    Vider_Donnees_Asso();
    retourRecherche();
}

void Ctr_Association::Creation_FichierUNIDATA() {
    setup::Creation_FichierUNIDATA(fromQ(Txt_CodeAssoc->text()));
}

void Ctr_Association::ZoneOblig() {
    zoneObligEchec_ = false;
    auto echec = [this](const QString& message, int tab, QWidget* field) {
        informer(message);
        if (tab >= 0)
            Ong_Assoc->setCurrentIndex(tab);
        if (field)
            field->setFocus();
        zoneObligEchec_ = true;
    };

    if (rib_) {
        rib_->Check();
        if (rib_->ErrorFlag()) {
            // The component has told the user and focused its field.
            Ong_Assoc->setCurrentIndex(1);
            zoneObligEchec_ = true;
            return;
        }
    }
    if (Txt_CodeAssoc->text().isEmpty())
        return echec(QStringLiteral("Le code entité doit être renseigné."), -1, Txt_CodeAssoc);
    if (Txt_SigleAssoc->text().trimmed().isEmpty()) {
        QWidget* sigle = Txt_SigleAssoc->isVisible() ? static_cast<QWidget*>(Txt_SigleAssoc)
                                                     : static_cast<QWidget*>(Cbo_SigleAssoc);
        return echec(QStringLiteral("Le sigle doit être renseigné."), -1, sigle);
    }
    if (Txt_RaisonAssoc->text().isEmpty()) {
        return echec(QStringLiteral("La raison sociale de l'entité doit être renseignée."), -1,
                     Txt_RaisonAssoc);
    }
    if (Txt_SirenAssoc->text().isEmpty())
        return echec(QStringLiteral("Le numéro de SIREN doit être renseigné."), 0, Txt_SirenAssoc);
    if (Txt_SirenAssoc->text().size() < 9) {
        return echec(QStringLiteral("La longueur du numéro de SIREN doit être de 9 caractères."), 0,
                     Txt_SirenAssoc);
    }
    if (Txt_CentreAssedic->text().isEmpty()) {
        return echec(QStringLiteral("Le centre ASSEDIC doit être renseigné."), 2,
                     Txt_CentreAssedic);
    }
    if (Txt_NumAffilAssedic->text().isEmpty()) {
        return echec(QStringLiteral("Le numéro d'affiliation ASSEDIC doit être renseigné."), 2,
                     Txt_NumAffilAssedic);
    }
    if (Cac_Telegestion->isChecked() && Cbo_Systeme->currentText().isEmpty()) {
        return echec(QStringLiteral("Le système de télégestion doit être renseigné."), 3,
                     Cbo_Systeme);
    }
    if (Cac_EnvoiAuto->isChecked()) {
        const bool intervenant = !Txt_CodeIntervenant->text().isEmpty();
        const bool teletransmettant = !Txt_CodeTeletransmettant->text().isEmpty();
        if (intervenant && !teletransmettant) {
            return echec(QStringLiteral("Le code télétransmettant doit être renseigné."), 5,
                         Txt_CodeTeletransmettant);
        }
        if (!intervenant && teletransmettant) {
            return echec(QStringLiteral("Le code intervenant doit être renseigné."), 5,
                         Txt_CodeIntervenant);
        }
        if (Opt_AdrIP->isChecked()) {
            for (QLineEdit* part :
                 {Txt_AdrSvrCESU, Txt_AdrSvrCESU1, Txt_AdrSvrCESU2, Txt_AdrSvrCESU3}) {
                if (part->text().isEmpty()) {
                    return echec(QStringLiteral("L'adresse du serveur doit être renseignée."), 5,
                                 part);
                }
            }
        } else if (Txt_Domaine->text().isEmpty()) {
            return echec(QStringLiteral("Le nom de domaine doit être renseigné."), 5, Txt_Domaine);
        }
        if (Txt_LoginUtil->text().isEmpty())
            return echec(QStringLiteral("Le login doit être renseigné."), 5, Txt_LoginUtil);
        if (Txt_Mtp->text().isEmpty())
            return echec(QStringLiteral("Le mot de passe doit être renseigné."), 5, Txt_Mtp);
    }
}

void Ctr_Association::copierCotisations(store::Record& r) {
    const std::optional<store::Record>& requete = store::Variables::Get().requete;
    if (!requete)
        return;
    for (int k = 1; k <= 3; ++k) {
        poser(r, 31, k, toQ(requete->Value(1, k)));
        poser(r, 32, k, toQ(requete->Value(2, k)));
    }
}

void Ctr_Association::Verification() {
    store::Variables& v = store::Variables::Get();
    if (!v.association)
        return;
    store::Record& r = *v.association;
    poser(r, 1, 1, Txt_SigleAssoc->text());
    poser(r, 2, 1, Txt_RaisonAssoc->text());
    poser(r, 14, 1, Txt_SirenAssoc->text());
    poser(r, 36, 1, Txt_NumTVA->text());
    poser(r, 41, Txt_AgrAuto1->text());
    poser(r, 23, Txt_AgrAuto2->text());
    poser(r, 37, Txt_Finess->text());
    poser(r, 25, 1, etat(Chk_DecalagePaie));
    poser(r, 60, Cac_CET->isChecked() ? QStringLiteral("1") : QString());
    poser(r, 30, 1, Txt_RespPerso->text());
    poser(r, 24, qualiteStockee(cbo_RespPaie));
    poser(r, 64, Txt_TelRespPaie->text());
    poser(r, 65, Txt_MailRespPaie->text());
    poser(r, 42, jourSolidariteStocke(Cbo_JourSol));
    poser(r, 33, Txt_CentreAssedic->text());
    poser(r, 34, Txt_NumAffilAssedic->text());
    poser(r, 35, Txt_Email->text());
    EnrModifCotisation();
    copierCotisations(r);
    poser(r, 38, Txt_Systeme->text());
    poser(r, 39, Txt_Ident->text());
    poser(r, 49, etat(Cac_PreImpBulltPaie));
    poser(r, 50, etat(Cac_PreImpFact));
    poser(r, 54, etat(Cac_LogoBullPaie));
    poser(r, 55, etat(Cac_LogoFact));
    poser(r, 59, etat(Cac_PresentSimpl));
    poser(r, 56, jourVersStockage(Txt_DateGrilleAggir2008->text()));
    poser(r, 58, etat(Cac_TelMobile));
}

bool Ctr_Association::modificationsEnCours() {
    store::Variables& v = store::Variables::Get();
    if (!v.association || v.association->Id() != fromQ(Txt_CodeAssoc->text()))
        return false;
    Verification();
    store::Record& r = *v.association;
    if (r.Text() != texteLu_)
        return true;
    // Their blocks are not copied into the record before the question: they are asked.
    if ((adresse_ && adresse_->Differs(r, 3)) || (rib_ && rib_->Differs(r, 15)))
        return true;
    // Nor are the card lines and the sending settings: a changed login or server must not be
    // dropped without a question either.
    store::Record apres = r;
    if (Cac_Telegestion->isChecked())
        Stockage_Telegestion(apres, false);
    Stockage_EnvoiAuto(apres);
    return apres.Text() != r.Text();
}

bool Ctr_Association::ecrireEcran(store::Record& r, bool creation) {
    // An update skips a position the record store refuses and writes the next one.
    auto position = [creation](auto write) {
        if (creation) {
            write();
            return;
        }
        try {
            write();
        } catch (const store::StoreError&) {
        }
    };

    position([&] { poser(r, 1, 1, Txt_SigleAssoc->text().toUpper()); });
    position([&] { poser(r, 2, 1, Txt_RaisonAssoc->text()); });
    position([&] {
        if (adresse_)
            texteComposant_ = adresse_->WriteToRecord(r, 3);
    });
    position([&] { poser(r, 14, 1, Txt_SirenAssoc->text()); });
    position([&] { poser(r, 36, 1, Txt_NumTVA->text()); });
    position([&] {
        if (rib_)
            texteComposant_ = rib_->WriteToRecord(r, 15);
    });
    if (!icsAccepte(toQ(r.Value(22))))
        return false;
    position([&] { poser(r, 41, Txt_AgrAuto1->text()); });
    position([&] { poser(r, 23, Txt_AgrAuto2->text()); });
    position([&] { poser(r, 25, 1, creation ? QStringLiteral("0") : etat(Chk_DecalagePaie)); });
    position(
        [&] { poser(r, 60, !creation && Cac_CET->isChecked() ? QStringLiteral("1") : QString()); });
    position([&] { poser(r, 30, 1, Txt_RespPerso->text()); });
    position([&] { poser(r, 24, qualiteStockee(cbo_RespPaie)); });
    position([&] { poser(r, 64, Txt_TelRespPaie->text()); });
    position([&] { poser(r, 65, Txt_MailRespPaie->text()); });
    position([&] { poser(r, 42, creation ? QString() : jourSolidariteStocke(Cbo_JourSol)); });
    if (!creation) {
        position([&] {
            EnrModifCotisation();
            copierCotisations(r);
        });
    }
    position([&] { poser(r, 33, Txt_CentreAssedic->text()); });
    position([&] { poser(r, 34, Txt_NumAffilAssedic->text()); });
    position([&] { poser(r, 35, Txt_Email->text()); });
    position([&] { poser(r, 37, Txt_Finess->text()); });
    position([&] { Stockage_Telegestion(r, creation); });
    for (auto [attribute, box] : {std::pair{49, Cac_PreImpBulltPaie}, std::pair{50, Cac_PreImpFact},
                                  std::pair{54, Cac_LogoBullPaie}, std::pair{55, Cac_LogoFact}}) {
        position([&] { poser(r, attribute, creation ? QStringLiteral("0") : etat(box)); });
    }
    position([&] { poser(r, 59, etat(Cac_PresentSimpl)); });
    position([&] { poser(r, 56, jourVersStockage(Txt_DateGrilleAggir2008->text())); });
    position([&] { Stockage_EnvoiAuto(r); });
    return true;
}

void Ctr_Association::refuserIcs() {
    avertir(QStringLiteral("L'ICS est une chaîne de 13 caractères qui commence par FR"));
    Ong_Assoc->setCurrentIndex(1);
    if (auto* ics = Ctr_RIB->findChild<QLineEdit*>(QStringLiteral("Txt_Ics")))
        ics->setFocus();
}

void Ctr_Association::Creation_Asso() {
    ecritureFaite_ = false;
    ZoneOblig();
    if (zoneObligEchec_)
        return;
    store::Variables& v = store::Variables::Get();
    const QString codeAffiche = Txt_CodeAssoc->text();
    const std::string code = fromQ(codeAffiche);
    if (!v.fAssociation) {
        throw store::StoreError(store::ErrorCode::FileNotFound,
                                "Le fichier ASSOCIATION n'est pas ouvert.");
    }
    // Created meanwhile from another screen: its counters must not be reset.
    if (!store::ReadSkippingErrors(v.fAssociation.get(), code).Text().empty()) {
        avertir(assoc::kEntiteDejaExistante);
        return;
    }

    {
        Frm_MsgAttente attente(this);
        attente.Txt_CodeAssoc()->setText(codeAffiche);
        attente.exec();
        // The wait window has told the user what failed.
        if (attente.Echec())
            return;
    }

    toolkit::Hourglass sablier;
    Desactivation desactivation(this);
    ecrireCompteur(v.fCompteur, "COMPTEUR", code, 5, "000", v.compteurAssociation);
    ecrireCompteur(v.fNumeroFact, "NUMEROFACT", code, 6, "0000000000", v.numeroFactAssociation);
    store::Record& r = v.association.emplace(v.fAssociation->NewItem(code));
    if (ecrireEcran(r, true)) {
        r.DBWrite();
        ecritureFaite_ = true;
    }
    // Messages are answered with the normal pointer over a usable screen.
    sablier.release();
    desactivation.fin();
    if (!ecritureFaite_) {
        refuserIcs();
        return;
    }
    informer(QStringLiteral("Ajout de l'entité juridique %1 %2 effectué.")
                 .arg(codeAffiche, toQ(r.Value(1, 1))));
    informer(
        QStringLiteral("Pensez à créer au moins un établissement et au moins une activité "
                       "pour cette nouvelle association."));
    Vider_Donnees_Asso();
    Remplir_SigleAssoc();
    mode_ = 0;
    Txt_CodeAssoc->clear();
    retourRecherche();
}

void Ctr_Association::Maj_Asso() {
    ecritureFaite_ = false;
    ZoneOblig();
    if (zoneObligEchec_)
        return;
    store::Variables& v = store::Variables::Get();
    if (!v.association || v.association->Text().empty() ||
        v.association->Id() != fromQ(Txt_CodeAssoc->text())) {
        avertir(QStringLiteral("Le numéro d'entité juridique que vous avez saisi n'existe pas."));
        Vider_Donnees_Asso();
        Txt_CodeAssoc->clear();
        retourRecherche();
        return;
    }
    store::Record& r = *v.association;
    if (!ecrireEcran(r, false)) {
        refuserIcs();
        return;
    }
    // Not skipped: a write that fails keeps the screen as typed, so nothing is lost.
    r.DBWrite();
    ecritureFaite_ = true;

    Vider_Donnees_Asso();
    Remplir_SigleAssoc();
    Txt_CodeAssoc->clear();
    retourRecherche();
}
