#include "modal_answerer.h"

#include <QAbstractButton>
#include <QApplication>
#include <QInputDialog>
#include <QLineEdit>
#include <QPointer>
#include <QTest>

ModalAnswerer::ModalAnswerer() {
    timer_.setInterval(5);
    connect(&timer_, &QTimer::timeout, this, [this] { poll(); });
    timer_.start();
}

ModalAnswerer::~ModalAnswerer() {
    timer_.stop();
}

ModalAnswerer& ModalAnswerer::expect(const QString& fragment, toolkit::Answer answer) {
    queue_.push_back({fragment, false, QMessageBox::NoIcon, answer, false, {}});
    return *this;
}

ModalAnswerer& ModalAnswerer::expect(const QString& fragment, QMessageBox::Icon icon,
                                     toolkit::Answer answer) {
    queue_.push_back({fragment, true, icon, answer, false, {}});
    return *this;
}

ModalAnswerer& ModalAnswerer::expectInput(const QString& fragment, const QString& reply) {
    queue_.push_back({fragment, false, QMessageBox::NoIcon, toolkit::Answer::Ok, true, reply});
    return *this;
}

QStringList ModalAnswerer::texts() const {
    QStringList list;
    for (const auto& d : seen_)
        list << d.text;
    return list;
}

static QMessageBox::StandardButton buttonFor(toolkit::Answer a) {
    switch (a) {
        case toolkit::Answer::Yes:
            return QMessageBox::Yes;
        case toolkit::Answer::No:
            return QMessageBox::No;
        case toolkit::Answer::Cancel:
            return QMessageBox::Cancel;
        case toolkit::Answer::Ok:
            break;
    }
    return QMessageBox::Ok;
}

void ModalAnswerer::giveActivationBack(QWidget* dialog) {
    // A desktop makes the window under a closed dialog active again; the offscreen platform does
    // not, and focus changes would no longer reach that window's fields.
    QPointer<QWidget> back = dialog->parentWidget() ? dialog->parentWidget()->window() : nullptr;
    QTimer::singleShot(0, this, [back] {
        QWidget* modal = QApplication::activeModalWidget();
        if (!back || !back->isVisible() || (modal && modal != back) ||
            QApplication::activeWindow() == back) {
            return;
        }
        back->activateWindow();
        QApplication::setActiveWindow(back);
    });
}

void ModalAnswerer::poll() {
    QWidget* modal = QApplication::activeModalWidget();
    if (!modal || !modal->isVisible())
        return;
    if (auto* box = qobject_cast<QMessageBox*>(modal)) {
        SeenDialog seen{box->windowTitle(), box->text(), box->icon(), false};
        // One answer per box: hide it from the next tick while it closes.
        if (box->property("_answered").toBool())
            return;
        box->setProperty("_answered", true);
        if (!queue_.empty() && !queue_.front().input &&
            box->text().contains(queue_.front().fragment)) {
            Expected e = queue_.front();
            queue_.pop_front();
            seen.expected = true;
            if (seen.title != toolkit::kMessageTitle) {
                problems_
                    << QStringLiteral("wrong title \"%1\" on \"%2\"").arg(seen.title, seen.text);
            }
            if (e.checkIcon && e.icon != box->icon()) {
                problems_ << QStringLiteral("wrong icon on \"%1\"").arg(seen.text);
            }
            seen_.push_back(seen);
            QAbstractButton* button = box->button(buttonFor(e.answer));
            if (!button) {
                problems_ << QStringLiteral("no such button on \"%1\"").arg(seen.text);
                box->reject();
                return;
            }
            giveActivationBack(box);
            button->click();
            return;
        }
        problems_ << QStringLiteral("unexpected message \"%1\"%2")
                         .arg(seen.text, queue_.empty() ? QString()
                                                        : QStringLiteral(" (expected \"%1\")")
                                                              .arg(queue_.front().fragment));
        seen_.push_back(seen);
        giveActivationBack(box);
        box->reject();
        return;
    }
    if (auto* input = qobject_cast<QInputDialog*>(modal)) {
        if (input->property("_answered").toBool())
            return;
        input->setProperty("_answered", true);
        SeenDialog seen{input->windowTitle(), input->labelText(), QMessageBox::NoIcon, false};
        if (!queue_.empty() && queue_.front().input &&
            input->labelText().contains(queue_.front().fragment)) {
            Expected e = queue_.front();
            queue_.pop_front();
            seen.expected = true;
            seen_.push_back(seen);
            giveActivationBack(input);
            if (e.reply.isEmpty()) {
                input->reject();
            } else {
                input->setTextValue(e.reply);
                input->accept();
            }
            return;
        }
        problems_ << QStringLiteral("unexpected input box \"%1\"").arg(seen.text);
        seen_.push_back(seen);
        giveActivationBack(input);
        input->reject();
    }
}

bool ModalAnswerer::waitAnswered(int timeoutMs) {
    return QTest::qWaitFor([this] { return queue_.empty(); }, timeoutMs);
}

::testing::AssertionResult ModalAnswerer::done() {
    QStringList problems = problems_;
    for (const auto& e : queue_)
        problems << QStringLiteral("expected \"%1\" never shown").arg(e.fragment);
    queue_.clear();
    problems_.clear();
    seen_.clear();
    if (problems.isEmpty())
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << problems.join(QStringLiteral("; ")).toStdString();
}
