#pragma once
// The process-wide objects every window of the library works on: the database and client handed
// in by the host, the files that stay open while the association screen lives, the TABLES records
// read once, and the records being edited. Opened by Procedure::Ouverture, released by
// Procedure::Fermeture. User-interface thread only.

#include <memory>
#include <optional>
#include <string>

#include "client.h"
#include "database.h"
#include "file.h"
#include "record.h"

namespace store {

struct Variables {
    static Variables& Get();

    std::shared_ptr<Database> database;
    std::shared_ptr<Client> client;

    // Files opened at start-up.
    std::shared_ptr<File> fCompteur, fTables, fCheminFichier, fNumeroFact, fPeriodesPaie,
        fPlanComptable;
    // Opened by the sigle list of the association screen.
    std::shared_ptr<File> fAssociation;
    // Opened and closed by their own windows.
    std::shared_ptr<File> fEtablissement, fActivites;

    // TABLES records read at start-up (empty when missing).
    std::optional<Record> sectAnal, emplois, tauxTva, telegestion;
    // Paths record "1" of CHEMINFICHIER, read when the focus enters the association screen.
    std::optional<Record> chemin;

    // Records being edited.
    std::optional<Record> association, etablissement, activite;
    std::optional<Record> compteurAssociation, numeroFactAssociation;
    std::optional<Record> periodesPaie, services, planComptable;

    // Request record made at start-up; the membership fees pass through it.
    std::optional<Record> requete;

    // Code of the association shown, handed to the establishments and activities windows.
    std::string codeAssociation;
};

namespace Procedure {
// Start-up: opens the shared files, reads the cached TABLES records and sends "DATE.FORMAT".
// Never stops: whatever cannot be had stays empty.
void Ouverture();
// Closing: releases every shared record and file and the database; the client stays held.
void Fermeture();
}  // namespace Procedure

}  // namespace store
