// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>

class QSocketNotifier;

// Ctrl+C, SIGTERM and SIGHUP, the terminal closed (on Windows the console's Ctrl+C, Ctrl+Break and close) reach the
// event loop as received(), so that the run can end its converters and remove their partial PDFs before the program
// exits; nothing is done in the handler itself. One object at a time; the default handling comes back when it is
// deleted.
class StopSignals : public QObject
{
    Q_OBJECT

public:
    enum class Cause { Interrupt, HangUp };

    explicit StopSignals(QObject* parent = nullptr);
    ~StopSignals() override;

signals:
    void received(StopSignals::Cause cause);

private:
    QSocketNotifier* m_notifier = nullptr;
};
