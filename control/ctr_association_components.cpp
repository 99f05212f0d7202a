// Helpers the association screen's files share.
#include <QLineEdit>
#include <cmath>
#include <cstdlib>

#include "control/ctr_association_parts.h"
#include "platform/components/utilitaires/composant_utilitaires.h"
#include "platform/toolkit/qtext.h"

namespace assoc {

QString effectifHeading() {
    // "Période" over the dates, each workforce word ending where its numbers end.
    return QStringLiteral("Période")
        .leftJustified(14 + kEffectifPhysiqueWidth - 8)
        .append(QStringLiteral("Physique"))
        .append(QStringLiteral("Temps plein").rightJustified(10 + kEffectifEtpWidth));
}

QString effectifEntry(const QString& date, const QString& physique, const QString& etp) {
    return date + QString(4, QLatin1Char(' ')) + physique.rightJustified(kEffectifPhysiqueWidth) +
           QString(10, QLatin1Char(' ')) + etp.rightJustified(kEffectifEtpWidth);
}

QString dayToDate(std::string_view day) {
    if (day.empty())
        return {};
    return Composant_Utilitaires::Instance().JourVersDate(toolkit::toQ(day));
}

QString normaliseDate(const QString& date) {
    const auto& u = Composant_Utilitaires::Instance();
    const QString day = u.DateVersJour(date);
    return day.isEmpty() ? QString() : u.JourVersDate(day);
}

QString formatNumber(const QString& number, int integerDigits, int decimals) {
    return Composant_Utilitaires::Instance().FormatNombre(number, integerDigits, decimals, 0);
}

QString formatNumber(const QString& number, int decimals) {
    return Composant_Utilitaires::Instance().FormatNombre(number, decimals);
}

QString hundredthsToNumber(std::string_view stored) {
    const std::string text(stored);
    char* end = nullptr;
    const long long value = std::strtoll(text.c_str(), &end, 10);
    if (text.empty() || end != text.c_str() + text.size())
        return toolkit::toQ(stored);
    // Exact decimal division: the stored hundredths must come back digit for digit.
    const long long whole = std::llabs(value) / 100;
    const long long cents = std::llabs(value) % 100;
    return QStringLiteral("%1%2.%3")
        .arg(value < 0 ? QStringLiteral("-") : QString())
        .arg(whole)
        .arg(cents, 2, 10, QLatin1Char('0'));
}

}  // namespace assoc
