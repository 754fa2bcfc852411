// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/MessageBox.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QQueue>

namespace {
bool testMode = false;
QQueue<MessageBox::Answer> nextAnswers;
bool dontAskAgainChecked = false;
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

MessageBox::Answer MessageBox::askExisting(QWidget* parent, const QString& text, const QString& title,
                                           bool* dontAskAgain)
{
    if (testMode) {
        shownBoxes.append({text, title, Question, ReplaceSkipCancel, Replace, false});
        *dontAskAgain = dontAskAgainChecked;
        return nextAnswers.isEmpty() ? Replace : nextAnswers.dequeue();
    }
    QMessageBox box(QMessageBox::Question, title, text, QMessageBox::NoButton, parent);
    QPushButton* replace =
        box.addButton(QCoreApplication::translate("MessageBox", "&Replace"), QMessageBox::AcceptRole);
    const QPushButton* skip =
        box.addButton(QCoreApplication::translate("MessageBox", "&Skip Existing"), QMessageBox::AcceptRole);
    box.addButton(QMessageBox::Cancel);
    box.setDefaultButton(replace);
    auto* check = new QCheckBox(QCoreApplication::translate("MessageBox", "&Don't ask again"), &box);
    box.setCheckBox(check);
    box.exec();
    *dontAskAgain = check->isChecked();
    if (box.clickedButton() == replace)
        return Replace;
    return box.clickedButton() == skip ? Skip : Cancel;
}

QMessageBox* MessageBox::ask(QWidget* parent, const QString& text, const QString& title,
                             const std::function<void(bool)>& answered)
{
    auto* box = new QMessageBox(QMessageBox::Question, title, text, QMessageBox::Yes | QMessageBox::No, parent);
    box->setAttribute(Qt::WA_DeleteOnClose);
    QObject::connect(box, &QMessageBox::finished, box, [box, answered](int button) {
        box->deleteLater();
        answered(button == QMessageBox::Yes);
    });
    if (!testMode) {
        box->open();
        return box;
    }
    shownBoxes.append({text, title, Question, YesNo, Yes, false, true});
    if (!nextAnswers.isEmpty()) {
        const bool yes = nextAnswers.dequeue() == Yes;
        QMetaObject::invokeMethod(
            box, [box, yes] { box->done(yes ? QMessageBox::Yes : QMessageBox::No); }, Qt::QueuedConnection);
    }
    return box;
}

void MessageBox::setDontAskAgain(bool checked)
{
    dontAskAgainChecked = checked;
}

void MessageBox::setTestMode(bool on)
{
    testMode = on;
    dontAskAgainChecked = false;
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
