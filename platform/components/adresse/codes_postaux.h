#pragma once
// The communes served by each French postal code, from the data shipped as a resource
// (data/codes_postaux.tsv.z, see data/LICENCE.md). Loaded on the first lookup; about 36,000 lines.

#include <QList>
#include <QString>

struct CommunePostale {
    QString codePostal;
    QString codeInsee;
    QString libelle;  // as written on mail: "STE GENEVIEVE DES BOIS"
    QString nom;      // official name: "Sainte-Geneviève-des-Bois"
};

class CodesPostaux {
  public:
    static const CodesPostaux& Get();

    // The communes of a five-digit postal code, by label; empty for an unknown code.
    QList<CommunePostale> Communes(const QString& codePostal) const;
    // Lines loaded; 0 when the resource is missing or damaged.
    qsizetype Count() const { return entries_.size(); }

  private:
    CodesPostaux();
    QList<CommunePostale> entries_;  // sorted by postal code
};
