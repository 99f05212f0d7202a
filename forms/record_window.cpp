#include "forms/record_window.h"

#include <QApplication>
#include <QCloseEvent>
#include <QCursor>
#include <QPointer>

#include "forms/feedback.h"
#include "forms/history_window.h"
#include "platform/toolkit/events.h"
#include "platform/toolkit/help_menu.h"
#include "platform/toolkit/message_box.h"

namespace forms {

RecordWindow::RecordWindow(QWidget* parent, HelpTopic help) : QDialog(parent), help_(help) {
    setModal(true);
    Mnu_Aide = new toolkit::HelpMenu(this, Handler(this, &RecordWindow::Mnu_Sommaire_Click));
    AddHistoryEntry(Mnu_Aide, this, [this] { return ShownRecord(); });
    HelpOnRightClick(this);
}

RecordWindow::~RecordWindow() {
    access_.Release();
}

void RecordWindow::DroitsUtilisateur(std::shared_ptr<store::UserRights> rights) {
    access_.SetRights(std::move(rights));
}

void RecordWindow::Unload() {
    unloading_ = true;
    done(QDialog::Accepted);
    close();
    unloading_ = false;
}

void RecordWindow::closeEvent(QCloseEvent* event) {
    if (unloading_) {
        event->accept();
        return;
    }
    event->ignore();
    Guarded(this, [this] { CloseRequested(); });
}

void RecordWindow::reject() {
    if (unloading_) {
        QDialog::reject();
        return;
    }
    Guarded(this, [this] { CloseRequested(); });
}

void RecordWindow::HelpOnRightClick(QWidget* area) {
    toolkit::OnMouseDown(area, [this](int button) { ShowHelpMenu(button); });
}

void RecordWindow::ShowHelpMenu(int button) {
    if (button == 2)
        Mnu_Aide->popupAtCursor();
}

void RecordWindow::Mnu_Sommaire_Click() {
    ShowHelp(help_);
}

namespace {

// The opener's state, given back however the modal display ends.
class OpenerGuard {
  public:
    explicit OpenerGuard(QWidget* opener) : opener_(opener) {
        if (!opener_)
            return;
        wasEnabled_ = opener_->isEnabled();
        hadCursor_ = opener_->testAttribute(Qt::WA_SetCursor);
        cursor_ = opener_->cursor();
        opener_->setEnabled(false);
        opener_->setCursor(Qt::WaitCursor);
    }
    ~OpenerGuard() {
        if (!opener_)
            return;
        opener_->setEnabled(wasEnabled_);
        if (hadCursor_)
            opener_->setCursor(cursor_);
        else
            opener_->unsetCursor();
    }
    OpenerGuard(const OpenerGuard&) = delete;
    OpenerGuard& operator=(const OpenerGuard&) = delete;

  private:
    QPointer<QWidget> opener_;
    bool wasEnabled_ = true;
    bool hadCursor_ = false;
    QCursor cursor_;
};

}  // namespace

int OpenModal(QWidget* opener, QDialog& window, const std::function<void()>& prepare) {
    OpenerGuard guard(opener);
    // A window parented to its opener would go disabled with it.
    window.setEnabled(true);
    {
        toolkit::Hourglass hourglass;
        if (prepare)
            prepare();
    }
    // While the window is up the hourglass stays over its opener only: the window itself is
    // worked in with the normal pointer.
    return window.exec();
}

}  // namespace forms
