#pragma once
// The files and templates a new association owns: for every collective agreement of
// CONVENTIONCOL a contract file (with its "Secteur" dictionary item) and an amendment file, the
// notice file, and the association's copies of the document templates.
//
// Run by the wait window Frm_MsgAttente when an association is created, and by the association
// control's public operation of the same name. Qt-free.

#include <string>

#include "platform/filesystem/file_system.h"
#include "store/database.h"

namespace setup {

// Selects the agreements, then for each in id order creates the contract file, writes its
// "Secteur" item, creates the amendment file and copies the four templates; creates the notice
// file last. code is used as given, blanks included; templateFolder has no trailing separator. The
// first failing call (a StoreError or a files::FileError) stops the run and is thrown back; what
// was made before stays. Running again after a failure completes without duplicating anything.
void Creation_FichierUNIDATA(store::Database& database, const std::string& code,
                             const std::string& templateFolder, files::FileSystem& fileSystem);

// The same over the process-wide database and the template folder of the paths record
// (attribute 3 of record "1" of CHEMINFICHIER). Either missing throws StoreError.
void Creation_FichierUNIDATA(const std::string& code,
                             files::FileSystem& fileSystem = files::Default());

// Most collective agreements one run handles (a 16-bit signed count); beyond it the run refuses
// before creating anything.
inline constexpr int kMaxConventions = 32767;

}  // namespace setup
