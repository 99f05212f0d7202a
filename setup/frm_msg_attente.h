#pragma once
// The wait window shown while a new association's files and templates are made. The caller puts
// the code into Txt_CodeAssoc and shows the window modally (exec()); the window does the work as
// soon as it is shown, closes itself and hands back to the caller, who reads Echec() to know
// whether to go on with the association.

#include <QDialog>
#include <QString>

#include "platform/filesystem/file_system.h"

class QLabel;
class QLineEdit;

class Frm_MsgAttente : public QDialog {
    Q_OBJECT
  public:
    explicit Frm_MsgAttente(QWidget* parent = nullptr);

    // Carries the association code from the caller to the work; never shown.
    QLineEdit* Txt_CodeAssoc() const { return txtCodeAssoc_; }

    // Where the templates are copied through; files::Default() unless told otherwise.
    void SetFileSystem(files::FileSystem& fileSystem) { fileSystem_ = &fileSystem; }

    // True when the last run failed; the user has already been told why.
    bool Echec() const { return echec_; }
    QString MessageEchec() const { return messageEchec_; }

    // Runs once per display, from the display itself: hourglass and a disabled window while the
    // files are made, then the window closes. A failure is shown to the user after the window
    // has closed and the pointer is back, and is kept for Echec().
    void Lancement_Attente();

  public slots:
    // Escape does nothing while the work runs.
    void reject() override;

  protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

  private:
    QLabel* label1_;
    QLineEdit* txtCodeAssoc_;
    files::FileSystem* fileSystem_;
    bool enCours_ = false;
    bool echec_ = false;
    QString messageEchec_;
};
