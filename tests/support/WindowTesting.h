#pragma once

#include <QAbstractButton>
#include <QTimer>
#include <QWidget>

// Finding the program's controls by their names, as the tests drive the windows.
namespace WindowTesting {

// A control that is not there ends the run: every later step of the test would fail on it.
template <class Widget = QWidget> Widget* child(const QWidget* window, const QString& name)
{
    auto* widget = window->findChild<Widget*>(name);
    if (!widget)
        qFatal("no control %s", qPrintable(name));
    return widget;
}

inline void click(const QWidget* window, const QString& name)
{
    child<QAbstractButton>(window, name)->click();
}

// The main window when no PDF job runs: Create and "Open Output Folder" enabled, the please-wait blink stopped.
inline bool isMainWindowIdle(const QWidget* window)
{
    return child<QAbstractButton>(window, "cmdCreate")->isEnabled() &&
           child<QAbstractButton>(window, "cmdOutput")->isEnabled() &&
           !child<QTimer>(window, "tmrPleaseWait")->isActive();
}

} // namespace WindowTesting
