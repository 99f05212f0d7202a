// Creating and updating an association: the buttons that write, the checks before writing and
// the copy of the screen into the record.
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>

#include "control/ctr_association.h"
#include "platform/toolkit/message_box.h"
#include "platform/toolkit/qtext.h"
#include "store/variables.h"

#ifdef MERI_HAVE_SETUP
#include "setup/creation_fichier_unidata.h"
#endif

void Ctr_Association::Cmd_Annuler_Click() {
    if (mode_ == 1) {
        toolkit::Beep();
        const toolkit::Answer answer =
            toolkit::MsgBox(QStringLiteral("Etes-vous sûr de vouloir quitter cette création ?"),
                            toolkit::Icon::Exclamation, toolkit::Buttons::YesNo, this);
        if (answer != toolkit::Answer::Yes)
            return;
        mode_ = 0;
    }
    Txt_CodeAssoc->clear();
    Vider_Donnees_Asso();
    Txt_CodeAssoc->setEnabled(true);
    Txt_CodeAssoc->setFocus();
    setSigleComboShown(true);
    Cmd_Annuler->setEnabled(false);
}

void Ctr_Association::Creation_FichierUNIDATA() {
#ifdef MERI_HAVE_SETUP
    setup::Creation_FichierUNIDATA(toolkit::fromQ(Txt_CodeAssoc->text()));
#endif
}

// The writing side of the screen comes with the workflow: until then these do nothing and
// nothing is written.
void Ctr_Association::Verification() {}
void Ctr_Association::Creation_Asso() {}
void Ctr_Association::Maj_Asso() {}
void Ctr_Association::ZoneOblig() {
    zoneObligEchec_ = false;
}
void Ctr_Association::EnrModifCotisation() {}
