#include "message_box.h"

#include <QApplication>
#include <QInputDialog>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>

namespace toolkit {

namespace {

// Gives the activation back to the window that was active before a dialog: not every platform
// does it, and a screen waiting for focus events must get them again.
class ActivationKeeper {
  public:
    ActivationKeeper() : window_(QApplication::activeWindow()) {}
    ~ActivationKeeper() {
        if (window_ && window_->isVisible() && !QApplication::activeModalWidget()) {
            window_->activateWindow();
        }
    }
    // The dialog's parent: the one given, or the window that was active.
    QWidget* parentFor(QWidget* parent) const { return parent ? parent : window_.data(); }

  private:
    QPointer<QWidget> window_;
};

// Titled as every message, modal over the whole application.
void preparer(QDialog& dialog) {
    dialog.setWindowTitle(kMessageTitle);
    dialog.setWindowModality(Qt::ApplicationModal);
}

}  // namespace

Answer MsgBox(const QString& text, Icon icon, Buttons buttons, QWidget* parent) {
    ActivationKeeper keeper;
    QMessageBox box(keeper.parentFor(parent));
    preparer(box);
    box.setText(text);
    switch (icon) {
        case Icon::Information:
            box.setIcon(QMessageBox::Information);
            break;
        case Icon::Exclamation:
            box.setIcon(QMessageBox::Warning);
            break;
        case Icon::Question:
            box.setIcon(QMessageBox::Question);
            break;
        case Icon::None:
            box.setIcon(QMessageBox::NoIcon);
            break;
    }
    QMessageBox::StandardButtons set;
    QMessageBox::StandardButton escape = QMessageBox::Ok;
    switch (buttons) {
        case Buttons::Ok:
            set = QMessageBox::Ok;
            break;
        case Buttons::YesNo:
            set = QMessageBox::Yes | QMessageBox::No;
            escape = QMessageBox::No;
            break;
        case Buttons::YesNoCancel:
            set = QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
            escape = QMessageBox::Cancel;
            break;
    }
    box.setStandardButtons(set);
    box.setEscapeButton(escape);
    // French captions whatever the installed translations say.
    if (auto* b = box.button(QMessageBox::Yes))
        b->setText(QStringLiteral("&Oui"));
    if (auto* b = box.button(QMessageBox::No))
        b->setText(QStringLiteral("&Non"));
    if (auto* b = box.button(QMessageBox::Cancel))
        b->setText(QStringLiteral("Annuler"));
    if (auto* b = box.button(QMessageBox::Ok))
        b->setText(QStringLiteral("OK"));
    box.exec();
    auto* clicked = box.clickedButton();
    auto which = clicked ? box.standardButton(clicked) : escape;
    switch (which) {
        case QMessageBox::Yes:
            return Answer::Yes;
        case QMessageBox::No:
            return Answer::No;
        case QMessageBox::Cancel:
            return Answer::Cancel;
        default:
            return buttons == Buttons::Ok ? Answer::Ok : Answer::Cancel;
    }
}

QString InputBox(const QString& prompt, const QString& defaultText, QWidget* parent) {
    ActivationKeeper keeper;
    QInputDialog dialog(keeper.parentFor(parent));
    preparer(dialog);
    dialog.setLabelText(prompt);
    dialog.setTextValue(defaultText);
    dialog.setOkButtonText(QStringLiteral("OK"));
    dialog.setCancelButtonText(QStringLiteral("Annuler"));
    if (dialog.exec() != QDialog::Accepted)
        return {};
    return dialog.textValue();
}

void Beep() {
    QApplication::beep();
}

Hourglass::Hourglass() {
    QApplication::setOverrideCursor(Qt::WaitCursor);
}

Hourglass::~Hourglass() {
    release();
}

void Hourglass::release() {
    if (!active_)
        return;
    active_ = false;
    QApplication::restoreOverrideCursor();
}

}  // namespace toolkit
