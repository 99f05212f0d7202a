// Checks and reshaping of the association screen's fields when the user types or leaves them.
#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QRegularExpression>
#include <QTabWidget>
#include <QTimer>

#include "control/ctr_association.h"
#include "entry/alphanumeric.h"
#include "entry/date_key.h"
#include "entry/no_typing.h"
#include "entry/telephone_key.h"
#include "entry/upper_case.h"
#include "forms/date_field.h"
#include "forms/feedback.h"
#include "platform/components/utilitaires/composant_utilitaires.h"
#include "platform/toolkit/events.h"
#include "platform/toolkit/help_menu.h"
#include "platform/toolkit/message_box.h"

namespace {

// The leading digits of a text read as a number, blanks skipped, without their leading zeros.
QString chiffresSignificatifs(const QString& text) {
    QString digits;
    for (QChar ch : text) {
        if (ch == QLatin1Char(' ') || ch == QLatin1Char('\t'))
            continue;
        if (ch < QLatin1Char('0') || ch > QLatin1Char('9'))
            break;
        if (!digits.isEmpty() || ch != QLatin1Char('0'))
            digits += ch;
    }
    return digits;
}

}  // namespace

void Ctr_Association::wireFieldRules() {
    using forms::Handler;
    // The solidarity day is chosen from its list, never typed.
    entry::AttachNoTyping(findChild<QWidget*>(QStringLiteral("Cbo_JourSol")));

    toolkit::OnLostFocus(Txt_SirenAssoc, Handler(this, &Ctr_Association::Txt_SirenAssoc_LostFocus));
    entry::AttachAlphanumeric(Txt_Finess);
    toolkit::OnLostFocus(Txt_Finess, Handler(this, &Ctr_Association::Txt_Finess_LostFocus));
    toolkit::OnLostFocus(Txt_SigleAssoc, Handler(this, &Ctr_Association::Txt_SigleAssoc_LostFocus));
    entry::AttachTelephone(Txt_TelRespPaie);
    toolkit::OnLostFocus(Txt_TelRespPaie,
                         Handler(this, &Ctr_Association::Txt_TelRespPaie_LostFocus));
    toolkit::OnLostFocus(Txt_MailRespPaie,
                         Handler(this, &Ctr_Association::Txt_MailRespPaie_LostFocus));
    entry::AttachDate(Txt_DateGrilleAggir2008,
                      Handler(this, &Ctr_Association::Txt_DateGrilleAggir2008_Tab));
    toolkit::OnLostFocus(Txt_DateGrilleAggir2008,
                         Handler(this, &Ctr_Association::Txt_DateGrilleAggir2008_LostFocus));

    toolkit::OnMouseDown(Cdr_Assedic, [this](int button) { Cdr_Assedic_MouseDown(button); });
    toolkit::OnMouseDown(Ong_Assoc, [this](int button) { Ong_Assoc_MouseDown(button); });
}

void Ctr_Association::verifierNeufCaracteres(QLineEdit* field, const QString& refus) {
    const QString text = field->text();
    if (text.isEmpty() || text.size() == 9)
        return;
    forms::Avertir(this, refus);
    toolkit::GiveFocusBack(field);
}

void Ctr_Association::Txt_SirenAssoc_LostFocus() {
    verifierNeufCaracteres(Txt_SirenAssoc,
                           QStringLiteral("Le numéro de SIREN doit comporter 9 caractères."));
}

void Ctr_Association::Txt_Finess_LostFocus() {
    verifierNeufCaracteres(Txt_Finess,
                           QStringLiteral("Le numéro de FINESS doit comporter 9 caractères."));
}

void Ctr_Association::Txt_SigleAssoc_LostFocus() {
    entry::UpperCaseOnLeaving(Txt_SigleAssoc);
}

void Ctr_Association::Txt_DateGrilleAggir2008_Tab() {
    verifierDateAggir();
    // The focus change this Tab starts is already checked; a Tab that moves nothing is forgotten.
    dateVerifieeSurTab_ = true;
    QTimer::singleShot(0, this, [this] { dateVerifieeSurTab_ = false; });
}

void Ctr_Association::Txt_DateGrilleAggir2008_LostFocus() {
    if (dateVerifieeSurTab_) {
        dateVerifieeSurTab_ = false;
        return;
    }
    verifierDateAggir();
}

void Ctr_Association::verifierDateAggir() {
    forms::VerifierDate(this, Txt_DateGrilleAggir2008);
}

void Ctr_Association::Txt_TelRespPaie_LostFocus() {
    // A number already written in pairs, as this rule writes it or with a blank less at its end,
    // is left exactly as it is.
    static const QRegularExpression enPaires(QStringLiteral("^[0-9]{2}( [0-9]{2}){4} ?$"));
    if (enPaires.match(Txt_TelRespPaie->text()).hasMatch())
        return;
    const QString numero =
        Composant_Utilitaires::Instance().NettoyerTelephone(Txt_TelRespPaie->text());
    Txt_TelRespPaie->setText(numero);
    // Five pairs already separated, or a length this rule does not judge: left as they are.
    if (numero.size() != 10)
        return;
    if (chiffresSignificatifs(numero).size() == 9) {
        QString paires;
        for (int i = 0; i < 10; i += 2)
            paires += numero.mid(i, 2) + QLatin1Char(' ');
        Txt_TelRespPaie->setText(paires);
        return;
    }
    forms::Avertir(this, QStringLiteral("Vous avez saisi un numéro de téléphone incorrect."));
    Txt_TelRespPaie->clear();
    toolkit::GiveFocusBack(Txt_TelRespPaie);
}

void Ctr_Association::Txt_MailRespPaie_LostFocus() {
    const QString mail = Txt_MailRespPaie->text();
    const qsizetype arobase = mail.indexOf(QLatin1Char('@'));
    if (arobase > 0 && arobase < mail.size() - 1)
        return;
    forms::Avertir(this, QStringLiteral("Adresse mail invalide."));
    toolkit::GiveFocusBack(Txt_MailRespPaie);
}

void Ctr_Association::Cdr_Assedic_MouseDown(int button) {
    showHelpMenu(button);
}

void Ctr_Association::Ong_Assoc_MouseDown(int button) {
    showHelpMenu(button);
}
