// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>
#include <QString>

#include <functional>

class QMessageBox;
class QWidget;

// Every message box of the program goes through here, so that tests can read what was shown and give the
// answer without a modal box blocking them.
class MessageBox
{
public:
    enum Icon { Information, Question, Warning, Critical };
    enum Buttons { Ok, YesNo, ReplaceSkipCancel };
    enum Answer { AnswerOk, Yes, No, Retry, Replace, Skip, Cancel };

    struct Shown {
        QString text;
        QString title;
        Icon icon = Information;
        Buttons buttons = Ok;
        Answer defaultAnswer = AnswerOk;
        bool offerRetry = false;
        bool pending = false; // ask(): open until answered
    };

    // An OK box with the information icon.
    static void information(QWidget* parent, const QString& text, const QString& title);
    static void warning(QWidget* parent, const QString& text, const QString& title);
    // A Yes/No box with the question icon; true for Yes. A question whose Yes destroys something defaults to No.
    static bool question(QWidget* parent, const QString& text, const QString& title, Answer defaultAnswer = Yes);

    // With offerRetry, a "Retry Failed" button beside the others answers Retry.
    static Answer show(QWidget* parent, const QString& text, const QString& title, Icon icon, Buttons buttons,
                       Answer defaultAnswer = Yes, bool offerRetry = false);

    // Replace (the default), Skip Existing and Cancel, with a "Don't ask again" check box whose state goes into
    // dontAskAgain.
    static Answer askExisting(QWidget* parent, const QString& text, const QString& title, bool* dontAskAgain);
    // A Yes/No question that does not wait: answered(true) follows Yes. The box closes by itself when it goes
    // (reject() closes it, answered No). Testing: a queued answer is given at the next turn of the event loop;
    // without one the box stays open.
    static QMessageBox* ask(QWidget* parent, const QString& text, const QString& title,
                            const std::function<void(bool)>& answered);

    // Testing: no box is shown; each box takes the next queued answer, or its default when none is queued.
    static void setTestMode(bool on);
    static void setNextAnswer(Answer answer);
    // The state askExisting()'s check box is left in.
    static void setDontAskAgain(bool checked);
    static QList<Shown> shown();
    static Shown last();
    static void clearShown();
};
