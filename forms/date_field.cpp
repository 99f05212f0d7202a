#include "forms/date_field.h"

#include <QLineEdit>
#include <QRegularExpression>

#include "forms/feedback.h"
#include "platform/components/utilitaires/composant_utilitaires.h"
#include "platform/toolkit/events.h"

namespace forms {

namespace {

// A date written in one of the forms the normalisation reads (d/m, d/m/yy, d/m/yyyy, ddmm,
// ddmmyy, ddmmyyyy): when it still fails, the date itself does not exist.
bool aFormeDeDate(const QString& text) {
    static const QRegularExpression forme(QStringLiteral(
        "^\\s*(?:[0-9]{1,2}[/.\\- ][0-9]{1,2}(?:[/.\\- ](?:[0-9]{2}|[0-9]{4}))?|[0-9]{4}|[0-9]{6}|"
        "[0-9]{8})\\s*$"));
    return forme.match(text).hasMatch();
}

}  // namespace

bool VerifierDate(QWidget* window, QLineEdit* field) {
    if (field->text().isEmpty())
        return true;
    const Composant_Utilitaires& u = Composant_Utilitaires::Instance();
    bool echec = false;
    const QString date = u.NormaliserDate(field->text(), echec);
    field->setText(date);
    if (echec && !aFormeDeDate(date)) {
        toolkit::GiveFocusBack(field);
        return false;
    }
    // The normalisation refuses an impossible day itself: it is told like a date that does not
    // convert, or the user would stay without knowing why (or a save would store no date).
    if (echec || u.DateVersJour(date).isEmpty()) {
        Avertir(window, QStringLiteral("Erreur de saisie dans la date, veuillez la ressaisir."));
        toolkit::GiveFocusBack(field);
        return false;
    }
    return true;
}

}  // namespace forms
