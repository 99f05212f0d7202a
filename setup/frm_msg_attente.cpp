#include "frm_msg_attente.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QLabel>
#include <QLineEdit>
#include <QShowEvent>
#include <QTimer>
#include <QVBoxLayout>

#include "platform/toolkit/message_box.h"
#include "platform/toolkit/qtext.h"
#include "setup/creation_fichier_unidata.h"

Frm_MsgAttente::Frm_MsgAttente(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint),
      fileSystem_(&files::Default()) {
    setObjectName(QStringLiteral("Frm_MsgAttente"));
    setWindowTitle(QStringLiteral("MERIDOVAL"));
    setModal(true);

    label1_ = new QLabel(this);
    label1_->setObjectName(QStringLiteral("Label1"));
    label1_->setText(
        QStringLiteral("Merci de patienter, le système génère la base nécessaire à "
                       "l'exploitation de cette entité juridique"));
    label1_->setWordWrap(true);
    label1_->setAlignment(Qt::AlignCenter);
    QFont font = label1_->font();
    font.setBold(true);
    label1_->setFont(font);

    txtCodeAssoc_ = new QLineEdit(this);
    txtCodeAssoc_->setObjectName(QStringLiteral("Txt_CodeAssoc"));
    txtCodeAssoc_->setReadOnly(true);
    txtCodeAssoc_->hide();

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(24, 24, 24, 24);
    layout->addWidget(label1_);
    setFixedSize(440, 120);
}

void Frm_MsgAttente::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    // A window restored by the window system is the same display, not a new one.
    if (event->spontaneous() || enCours_)
        return;
    enCours_ = true;
    // Once the window is on screen and the caller's exec() has started.
    QTimer::singleShot(0, this, [this] { Lancement_Attente(); });
}

void Frm_MsgAttente::Lancement_Attente() {
    enCours_ = true;
    echec_ = false;
    messageEchec_.clear();
    const std::string code = toolkit::fromQ(txtCodeAssoc_->text());
    QString failure;
    {
        toolkit::Hourglass hourglass;
        setEnabled(false);
        QCoreApplication::processEvents();
        try {
            setup::Creation_FichierUNIDATA(code, *fileSystem_);
        } catch (const std::exception& e) {
            failure = toolkit::toQ(e.what());
        } catch (...) {
            failure = QStringLiteral("erreur inconnue.");
        }
        QCoreApplication::processEvents();
    }
    setEnabled(true);
    enCours_ = false;
    if (failure.isEmpty()) {
        done(Accepted);
        return;
    }
    // Closed first, so that nothing stays disabled behind the message, and the caller learns of
    // the failure when its exec() returns.
    echec_ = true;
    messageEchec_ =
        QStringLiteral("La création des fichiers de l'entité juridique %1 a échoué : %2")
            .arg(toolkit::toQ(code), failure);
    done(Rejected);
    toolkit::MsgBox(messageEchec_, toolkit::Icon::Exclamation, toolkit::Buttons::Ok,
                    parentWidget());
}

void Frm_MsgAttente::reject() {
    if (enCours_)
        return;
    QDialog::reject();
}

void Frm_MsgAttente::closeEvent(QCloseEvent* event) {
    if (enCours_) {
        event->ignore();
        return;
    }
    QDialog::closeEvent(event);
}
