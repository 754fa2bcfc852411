#include "gui/MessageBox.h"

#include <QCoreApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QQueue>

namespace {
bool testMode = false;
QQueue<MessageBox::Answer> nextAnswers;
QList<MessageBox::Shown> shownBoxes;
} // namespace

void MessageBox::information(QWidget* parent, const QString& text, const QString& title)
{
    show(parent, text, title, Information, Ok);
}

void MessageBox::warning(QWidget* parent, const QString& text, const QString& title)
{
    show(parent, text, title, Warning, Ok);
}

bool MessageBox::question(QWidget* parent, const QString& text, const QString& title, Answer defaultAnswer)
{
    return show(parent, text, title, Question, YesNo, defaultAnswer) == Yes;
}

MessageBox::Answer MessageBox::show(QWidget* parent, const QString& text, const QString& title, Icon icon,
                                    Buttons buttons, Answer defaultAnswer, bool offerRetry)
{
    if (buttons == Ok)
        defaultAnswer = AnswerOk;
    if (testMode) {
        shownBoxes.append({text, title, icon, buttons, defaultAnswer, offerRetry});
        return nextAnswers.isEmpty() ? defaultAnswer : nextAnswers.dequeue();
    }

    static const QMessageBox::Icon icons[] = {QMessageBox::Information, QMessageBox::Question, QMessageBox::Warning,
                                              QMessageBox::Critical};
    QMessageBox box(icons[icon], title, text, QMessageBox::NoButton, parent);
    if (buttons == YesNo) {
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        box.setDefaultButton(defaultAnswer == No ? QMessageBox::No : QMessageBox::Yes);
    } else {
        box.setStandardButtons(QMessageBox::Ok);
    }
    const QPushButton* retry =
        offerRetry ? box.addButton(QCoreApplication::translate("MessageBox", "Retry Failed"), QMessageBox::ActionRole)
                   : nullptr;
    const int answer = box.exec();
    if (retry && box.clickedButton() == retry)
        return Retry;
    if (buttons == Ok)
        return AnswerOk;
    return answer == QMessageBox::No ? No : Yes;
}

void MessageBox::setTestMode(bool on)
{
    testMode = on;
    nextAnswers.clear();
    shownBoxes.clear();
}

void MessageBox::setNextAnswer(Answer answer)
{
    nextAnswers.enqueue(answer);
}

QList<MessageBox::Shown> MessageBox::shown()
{
    return shownBoxes;
}

MessageBox::Shown MessageBox::last()
{
    return shownBoxes.isEmpty() ? Shown{} : shownBoxes.last();
}

void MessageBox::clearShown()
{
    shownBoxes.clear();
}
