#include "composant_utilitaires.h"

#include <QLineEdit>

#include "dates.h"
#include "nombres.h"
#include "platform/toolkit/message_box.h"
#include "platform/toolkit/qtext.h"
#include "telephone.h"

using toolkit::fromQ;
using toolkit::toQ;

Composant_Utilitaires& Composant_Utilitaires::Instance() {
    static Composant_Utilitaires instance;
    return instance;
}

QString Composant_Utilitaires::FormatNombre(const QString& nombre, int chiffresEntiers,
                                            int decimales, int options) const {
    return toQ(
        utilitaires::FormaterNombre(fromQ(nombre), chiffresEntiers, decimales, options).texte);
}

QString Composant_Utilitaires::FormatNombre(const QString& nombre, int decimales) const {
    return FormatNombre(nombre, -1, decimales);
}

bool Composant_Utilitaires::FormatZone(QLineEdit* zone, int chiffresEntiers, int decimales) const {
    if (!zone)
        return false;
    const auto formate =
        utilitaires::FormaterNombre(fromQ(zone->text()), chiffresEntiers, decimales);
    const QString texte = toQ(formate.texte);
    zone->setText(texte);  // an identical text changes nothing and signals nothing
    if (!formate.valide || formate.tropDeChiffres) {
        toolkit::Beep();
        return false;
    }
    return true;
}

void Composant_Utilitaires::FiltreToucheMontant(int& keyAscii, QLineEdit* zone) const {
    if (!zone) {
        FiltreToucheMontant(keyAscii, QString());
        return;
    }
    FiltreToucheMontant(keyAscii, zone->text(), zone->selectedText());
}

void Composant_Utilitaires::FiltreToucheMontant(int& keyAscii, const QString& texte,
                                                const QString& selection) {
    if ((keyAscii >= '0' && keyAscii <= '9') || keyAscii == 8 || keyAscii == 9 || keyAscii == 13) {
        return;
    }
    if (keyAscii == '.' || keyAscii == ',') {
        // A comma inside the selection is about to be replaced, so it does not count.
        const bool virguleRestante =
            texte.count(QLatin1Char(',')) > selection.count(QLatin1Char(','));
        keyAscii = virguleRestante ? 0 : ',';
        return;
    }
    keyAscii = 0;
}

QString Composant_Utilitaires::MontantVersCentimes(const QString& montant, bool* ok) const {
    const auto centimes = utilitaires::MontantVersCentimes(fromQ(montant));
    if (ok)
        *ok = centimes.has_value();
    return centimes ? toQ(*centimes) : QString();
}

QString Composant_Utilitaires::CentimesVersMontant(const QString& centimes, int chiffresEntiers,
                                                   int decimales) const {
    return toQ(utilitaires::CentimesVersMontant(fromQ(centimes), chiffresEntiers, decimales).texte);
}

QString Composant_Utilitaires::DateVersJour(const QString& date) const {
    return toQ(utilitaires::DateVersJour(fromQ(date)));
}

QString Composant_Utilitaires::JourVersDate(const QString& jour) const {
    return toQ(utilitaires::JourVersDate(fromQ(jour)));
}

QString Composant_Utilitaires::JourVersDate(long jour) const {
    return toQ(utilitaires::JourVersDate(jour));
}

QString Composant_Utilitaires::NormaliserDate(const QString& texte, bool& echec) const {
    return toQ(utilitaires::NormaliserDate(fromQ(texte), echec));
}

QString Composant_Utilitaires::NettoyerTelephone(const QString& texte) const {
    return toQ(utilitaires::NettoyerTelephone(fromQ(texte)));
}
