#include "codes_postaux.h"

#include <QFile>
#include <QtDebug>
#include <algorithm>

namespace {

bool parCode(const CommunePostale& a, const CommunePostale& b) {
    return a.codePostal < b.codePostal;
}

}  // namespace

const CodesPostaux& CodesPostaux::Get() {
    static const CodesPostaux instance;
    return instance;
}

CodesPostaux::CodesPostaux() {
    QFile file(QStringLiteral(":/adresse/codes_postaux.tsv.z"));
    if (!file.open(QIODevice::ReadOnly)) {
        qWarning("Codes postaux : ressource introuvable, aucune commune ne sera proposée.");
        return;
    }
    const QByteArray text = qUncompress(file.readAll());
    if (text.isEmpty()) {
        qWarning("Codes postaux : ressource endommagée, aucune commune ne sera proposée.");
        return;
    }
    entries_.reserve(40000);
    for (const QByteArray& line : text.split('\n')) {
        const QList<QByteArray> fields = line.split('\t');
        if (fields.size() != 4)
            continue;
        entries_.append({QString::fromUtf8(fields[0]), QString::fromUtf8(fields[1]),
                         QString::fromUtf8(fields[2]), QString::fromUtf8(fields[3])});
    }
    // The derived file comes sorted; a hand-edited one must not break the lookups.
    if (!std::is_sorted(entries_.begin(), entries_.end(), parCode))
        std::stable_sort(entries_.begin(), entries_.end(), parCode);
}

QList<CommunePostale> CodesPostaux::Communes(const QString& codePostal) const {
    const auto [first, last] = std::equal_range(entries_.begin(), entries_.end(),
                                                CommunePostale{codePostal, {}, {}, {}}, parCode);
    return QList<CommunePostale>(first, last);
}
