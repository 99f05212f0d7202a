// Finding an association: the sigle list, the type-ahead on Enter and the code box.
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QStackedLayout>

#include "control/ctr_association.h"
#include "entry/code_padding.h"
#include "entry/type_ahead.h"
#include "platform/toolkit/qtext.h"
#include "store/variables.h"

void Ctr_Association::Remplir_SigleAssoc() {
    store::Variables& v = store::Variables::Get();
    Cbo_SigleAssoc->clear();
    if (!v.database)
        return;
    v.fAssociation = lookup_.Fill(*v.database);
}

void Ctr_Association::Cbo_SigleAssoc_KeyPress(int& keyAscii) {
    entry::TypeAheadKey(keyAscii, this, [this] {
        if (store::Database* db = store::Variables::Get().database.get())
            lookup_.TypeAhead(*db, this, [this] { Txt_CodeAssoc->clear(); });
    });
}

void Ctr_Association::Cbo_SigleAssoc_Change() {
    Txt_SigleAssoc->setText(Cbo_SigleAssoc->currentText());
}

void Ctr_Association::Cbo_SigleAssoc_Click() {
    if (!Cbo_SigleAssoc->currentText().isEmpty())
        Affichage_Donnees_Asso_ParSIGLE();
    Txt_SigleAssoc->setText(Cbo_SigleAssoc->currentText());
}

void Ctr_Association::Txt_CodeAssoc_Change() {
    const bool filled = !Txt_CodeAssoc->text().isEmpty();
    Cmd_Ajouter->setEnabled(!filled);
    for (QWidget* w : std::initializer_list<QWidget*>{Cmd_Etablissement, Cmd_Activite, Cmd_Ok})
        w->setEnabled(filled);
    if (Txt_CodeAssoc->text().size() == 3)
        Affichage_Donnees_Asso_ParCODE();
    else
        Vider_Donnees_Asso();
}

void Ctr_Association::Txt_CodeAssoc_KeyPress(int& keyAscii) {
    entry::CodePaddingKey(keyAscii, Txt_CodeAssoc);
}

void Ctr_Association::Txt_CodeAssoc_LostFocus() {
    entry::CodePaddingOnLeaving(Txt_CodeAssoc);
}

void Ctr_Association::retourRecherche() {
    Txt_CodeAssoc->setEnabled(true);
    Txt_CodeAssoc->setFocus();
    setSigleComboShown(true);
    Cmd_Annuler->setEnabled(false);
}

void Ctr_Association::setSigleComboShown(bool shown) {
    auto* stack = static_cast<QStackedLayout*>(Cbo_SigleAssoc->parentWidget()->layout());
    stack->setCurrentWidget(shown ? static_cast<QWidget*>(Cbo_SigleAssoc)
                                  : static_cast<QWidget*>(Txt_SigleAssoc));
}
