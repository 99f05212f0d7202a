#pragma once
// A new database made ready for the system, and the demo data set. Both go through the
// record-store interface only. Errors are StoreError exceptions (or std::runtime_error for the
// file system).

#include <string>

#include "store/database.h"

namespace seed {

// Creates the system's files with their dictionaries and indexes (SigleAssoc, SigleEtabl,
// CodEtabl, LibActivite, CodActivite ...). Files that already exist are left as they are.
void Bootstrap(store::Database& database);

// Loads the demo data set: associations, establishments, activities, TABLES records, collective
// agreements, charts of accounts, counters, rights of the demo users, and the paths record "1"
// of CHEMINFICHIER pointing at templateFolder, where the demo templates (Contrat.txt,
// Avenant.txt, Defaut.txt, MiseADispo.txt) are written. Bootstraps first when needed.
void LoadDemo(store::Database& database, const std::string& templateFolder);

// The demo users: full rights and consultation only.
inline constexpr const char* kDemoAdminUser = "admin";
inline constexpr const char* kDemoConsultUser = "consultation";

}  // namespace seed
