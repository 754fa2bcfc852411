#pragma once

#include <QList>
#include <QString>

class QWidget;

// Every message box of the program goes through here, so that tests can read what was shown and give the
// answer without a modal box blocking them.
class MessageBox
{
public:
    enum Icon { Information, Question, Warning, Critical };
    enum Buttons { Ok, YesNo };
    enum Answer { AnswerOk, Yes, No, Retry };

    struct Shown {
        QString text;
        QString title;
        Icon icon = Information;
        Buttons buttons = Ok;
        Answer defaultAnswer = AnswerOk;
        bool offerRetry = false;
    };

    // An OK box with the information icon.
    static void information(QWidget* parent, const QString& text, const QString& title);
    static void warning(QWidget* parent, const QString& text, const QString& title);
    // A Yes/No box with the question icon; true for Yes. A question whose Yes destroys something defaults to No.
    static bool question(QWidget* parent, const QString& text, const QString& title, Answer defaultAnswer = Yes);

    // With offerRetry, a "Retry Failed" button beside the others answers Retry.
    static Answer show(QWidget* parent, const QString& text, const QString& title, Icon icon, Buttons buttons,
                       Answer defaultAnswer = Yes, bool offerRetry = false);

    // Testing: no box is shown; each box takes the next queued answer, or its default when none is queued.
    static void setTestMode(bool on);
    static void setNextAnswer(Answer answer);
    static QList<Shown> shown();
    static Shown last();
    static void clearShown();
};
