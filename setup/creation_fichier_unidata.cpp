#include "creation_fichier_unidata.h"

#include "store/file.h"
#include "store/layout/dictionnaire.h"
#include "store/record.h"
#include "store/request.h"
#include "store/store_error.h"
#include "store/variables.h"

namespace setup {

namespace {

namespace D = store::layout::dictionnaire;

void SendCreateFile(store::Database& database, const std::string& name) {
    // A fresh request each time: a reused one would carry the previous command's file and fields.
    store::Record request;
    request.SetValue(1, "CREATE.FILE " + name + " 3,1");
    std::string status;
    // An existing file is only reported in the output, which is left unread: a second run over
    // files made by a failed first one goes through.
    database.ExecuteRequest(request.Text(), std::string(), status);
}

void WriteSecteur(store::Database& database, const std::string& contractFile) {
    std::shared_ptr<store::File> dictionary = database.OpenFile("DICT " + contractFile);
    store::Record item;
    try {
        item = dictionary->NewItem(D::kSecteur);
    } catch (const store::StoreError& e) {
        // Left by an earlier run that failed further on: write over it so the retry completes.
        if (e.code() != store::ErrorCode::RecordExists)
            throw;
        item = store::Record(dictionary, D::kSecteur, std::string());
    }
    item.SetText(D::SecteurItem());
    item.DBWrite();
}

}  // namespace

void Creation_FichierUNIDATA(store::Database& database, const std::string& code,
                             const std::string& templateFolder, files::FileSystem& fileSystem) {
    store::Record selection(store::MakeRequest("SSELECT CONVENTIONCOL", "CONVENTIONCOL", "0"));
    std::string status;
    const store::Record keys = database.SelectRequest(selection.Text(), std::string(), status);
    const int count = keys.DCount();
    if (count > kMaxConventions) {
        throw store::StoreError(store::ErrorCode::Failure,
                                "Le fichier CONVENTIONCOL compte " + std::to_string(count) +
                                    " conventions collectives ; au plus " +
                                    std::to_string(kMaxConventions) + " sont prises en charge.");
    }

    for (int i = 1; i <= count; ++i) {
        const std::string key = keys.Value(i, 1);
        const std::string contract = "CONTRAT" + code + key;
        SendCreateFile(database, contract);
        WriteSecteur(database, contract);
        SendCreateFile(database, "AVENANT" + code + key);

        const std::string contractCopy = templateFolder + "\\Contrat" + code + key + ".txt";
        const std::string amendmentCopy = templateFolder + "\\Avenant" + code + key + ".txt";
        const std::string noticeCopy = templateFolder + "\\Convocm" + code + ".txt";
        const std::string oppositionCopy = templateFolder + "\\Opposition" + code + ".txt";
        fileSystem.Copy(templateFolder + "\\Contrat.txt", contractCopy);
        fileSystem.Copy(templateFolder + "\\Avenant.txt", amendmentCopy);
        fileSystem.Copy(templateFolder + "\\Defaut.txt", noticeCopy);
        fileSystem.Copy(templateFolder + "\\Defaut.txt", oppositionCopy);
    }

    SendCreateFile(database, "CONVOVM" + code);
}

void Creation_FichierUNIDATA(const std::string& code, files::FileSystem& fileSystem) {
    store::Variables& v = store::Variables::Get();
    if (!v.database) {
        throw store::StoreError(store::ErrorCode::Failure, "Aucune base de données n'est ouverte.");
    }
    if (!v.chemin || v.chemin->Text().empty()) {
        throw store::StoreError(store::ErrorCode::RecordNotFound,
                                "L'enregistrement des chemins (1 du fichier CHEMINFICHIER) est "
                                "introuvable : le dossier des modèles n'est pas connu.");
    }
    Creation_FichierUNIDATA(*v.database, code, v.chemin->Value(3), fileSystem);
}

}  // namespace setup
