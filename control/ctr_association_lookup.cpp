// Finding an association: the sigle list, the type-ahead on Enter and the code box.
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QStackedLayout>

#include "control/ctr_association.h"
#include "control/ctr_association_parts.h"
#include "entry/code_padding.h"
#include "entry/type_ahead.h"
#include "platform/toolkit/message_box.h"
#include "platform/toolkit/qtext.h"
#include "store/request.h"
#include "store/variables.h"

using toolkit::fromQ;
using toolkit::toQ;

namespace {

// Fills the combo's list with the sigles of a selection result, keeping its edit text: adding
// to an empty combo would otherwise show the first sigle as if it had been typed.
void fillSigles(QComboBox* combo, const store::Record& rows, const QString& editText) {
    combo->clear();
    for (int row = 1; row <= rows.DCount(); ++row)
        combo->addItem(toQ(rows.Value(row, 2)));
    combo->setCurrentIndex(-1);
    combo->setEditText(editText);
}

}  // namespace

void Ctr_Association::Remplir_SigleAssoc() {
    store::Variables& v = store::Variables::Get();
    Cbo_SigleAssoc->clear();
    if (!v.database)
        return;
    store::Record rows =
        v.database->Select("SSELECT ASSOCIATION PAR SigleAssoc", "ASSOCIATION", "0 1");
    v.fAssociation = v.database->OpenFile("ASSOCIATION");
    selection_ = std::move(rows);
    fillSigles(Cbo_SigleAssoc, selection_, QString());
}

void Ctr_Association::Cbo_SigleAssoc_KeyPress(int& keyAscii) {
    entry::TypeAheadKey(keyAscii, this, [this] { typeAhead(); });
}

void Ctr_Association::typeAhead() {
    store::Variables& v = store::Variables::Get();
    if (!v.database)
        return;
    const QString typed = Cbo_SigleAssoc->currentText().toUpper();
    const std::optional<std::string> value = store::QuoteValue(fromQ(typed), true);
    if (!value) {
        avertir(toQ(store::UnquotableMessage(fromQ(typed))));
        return;
    }
    store::Record rows =
        v.database->Select("SSELECT ASSOCIATION AVEC SigleAssoc = " + *value + " PAR SigleAssoc",
                           "ASSOCIATION", "0 1");
    if (rows.DCount() == 0) {
        // The list on screen stays, and so do the rows it reads.
        toolkit::Beep();
        avertir(QStringLiteral("Aucune association commençant par ") + typed);
        return;
    }
    selection_ = std::move(rows);
    Cbo_SigleAssoc->clear();
    Txt_CodeAssoc->clear();
    // The list stays closed: the user opens it and chooses.
    fillSigles(Cbo_SigleAssoc, selection_, typed);
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
    const QString code = Txt_CodeAssoc->text();
    const bool filled = !code.isEmpty();
    Cmd_Ajouter->setEnabled(!filled);
    assoc::setEnabled({Cmd_Etablissement, Cmd_Activite, Cmd_Ok}, filled);
    if (code.size() == 3)
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
