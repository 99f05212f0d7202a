#pragma once
// Answers the modal dialogs a screen opens, the way a user would: a timer polls
// QApplication::activeModalWidget(), checks the dialog against the next expected one and clicks
// the expected button. Every dialog met is recorded. A dialog nobody expected is recorded as
// unexpected and dismissed (Escape), so a faulty test fails instead of hanging.

#include <gtest/gtest.h>

#include <QMessageBox>
#include <QObject>
#include <QString>
#include <QStringList>
#include <QTimer>
#include <deque>

#include "platform/toolkit/message_box.h"

struct SeenDialog {
    QString title;
    QString text;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    bool expected = false;
};

class ModalAnswerer : public QObject {
  public:
    ModalAnswerer();
    ~ModalAnswerer() override;

    // The next message box must contain textFragment; it is answered with answer.
    ModalAnswerer& expect(const QString& textFragment,
                          toolkit::Answer answer = toolkit::Answer::Ok);
    // As expect, and checks the icon too.
    ModalAnswerer& expect(const QString& textFragment, QMessageBox::Icon icon,
                          toolkit::Answer answer = toolkit::Answer::Ok);
    // The next input box must show promptFragment; it is answered with reply (empty = cancel).
    ModalAnswerer& expectInput(const QString& promptFragment, const QString& reply);

    const std::vector<SeenDialog>& seen() const { return seen_; }
    QStringList texts() const;

    // Success when every expected dialog was met and no other one appeared. Clears the record.
    ::testing::AssertionResult done();
    // Waits (running events) until every expected dialog has been answered or timeoutMs passes.
    bool waitAnswered(int timeoutMs = 3000);

  private:
    struct Expected {
        QString fragment;
        bool checkIcon = false;
        QMessageBox::Icon icon = QMessageBox::NoIcon;
        toolkit::Answer answer = toolkit::Answer::Ok;
        bool input = false;
        QString reply;
    };
    void poll();
    void giveActivationBack(QWidget* dialog);

    QTimer timer_;
    std::deque<Expected> queue_;
    std::vector<SeenDialog> seen_;
    QStringList problems_;
};
