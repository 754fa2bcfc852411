// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/PdfJobTypes.h"
#include "gui/FolderShortcuts.h"
#include "gui/GeneratorDialog.h"
#include "gui/MainWindow.h"
#include "gui/MessageBox.h"
#include "support/TestAppFolder.h"

#include <QAbstractButton>
#include <QAction>
#include <QComboBox>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

#include <memory>

// Driving the program's windows as the user does, finding their controls by name.
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

// The generator when it does not generate: its buttons enabled, its title plain.
inline bool isGeneratorIdle(const QWidget* generator)
{
    return child(generator, "Command1")->isEnabled() && child(generator, "cmdSave")->isEnabled() &&
           child(generator, "cmdClose")->isEnabled() && !child<QTimer>(generator, "tmrPleaseWait")->isActive() &&
           generator->windowTitle() == "Random Content Generator";
}

// Types the page count and presses Generate; unless the count is to be refused, true once the text has come.
inline bool generate(QWidget* generator, const QString& pages, bool refused = false)
{
    QSignalSpy generated(generator, SIGNAL(generated()));
    child<QComboBox>(generator, "cboParagraphs")->setEditText(pages);
    click(generator, "Command1");
    return refused || generated.wait(10000);
}

inline void save(const QWidget* generator, const QString& name)
{
    child<QLineEdit>(generator, "txtFilename")->setText(name);
    click(generator, "cmdSave");
}

inline const QString AdTitle = QStringLiteral("Grow Tomatoes Like a Pro");

// An application folder (the real converter, or a stand-in script) holding an empty article folder, and the main
// window browsing that folder. The generator's word files hold one word each, "a" to "e", among blank lines, which
// are no words. Message boxes and the file manager only record what they are asked.
struct MainWindowDriver {
    explicit MainWindowDriver(const QString& converterScript = {}, const QString& folderName = {})
        : app(converterScript.isEmpty() ? TestAppFolder::RealConverter : TestAppFolder::NoConverter, folderName)
    {
        if (!converterScript.isEmpty())
            app.setConverterScript(converterScript);
        QDir().mkpath(articles());
        for (const char word : {'a', 'b', 'c', 'd', 'e'})
            app.writeFile(QString("random/%1.txt").arg(word - 'a' + 1), QByteArray("\r\n \r\n") + word + "\r\n\r\n");
        MessageBox::setTestMode(true);
        FolderShortcuts::setTestMode(true);
    }

    QString articles() const { return app.path() + "/articles"; }
    // An article's path as the window lists it.
    QString article(const QString& name) const { return QDir::toNativeSeparators(articles() + "/" + name); }
    void writeArticle(const QString& name, const QByteArray& bytes) const { app.writeFile("articles/" + name, bytes); }

    void open(const QString& settingsFile = {})
    {
        window = std::make_unique<MainWindow>(app.folders(), articles(), settingsFile);
        window->show();
    }

    // Opens the window with every article selected, the ad block filled in and the PDF name "report" typed.
    void openFilled(CreationMode mode)
    {
        open();
        click("cmdSingleMenu_0");
        child<QLineEdit>("txtAdTitle")->setText(AdTitle);
        child<QLineEdit>("txtCTAText")->setText("Read more");
        child<QLineEdit>("txtPDFFilename")->setText("report");
        click(mode == CreationMode::Single ? "optCreationMode_0" : "optCreationMode_1");
    }

    template <class Widget = QWidget> Widget* child(const QString& name) const
    {
        return WindowTesting::child<Widget>(window.get(), name);
    }
    void click(const QString& name) const { WindowTesting::click(window.get(), name); }

    // Presses Create and waits for the box that ends the run.
    void create() const
    {
        MessageBox::clearShown();
        click("cmdCreate");
        // Questions about the PDFs' names come before the run, and may be all that is shown.
        QTRY_VERIFY_WITH_TIMEOUT(!MessageBox::shown().isEmpty() && isMainWindowIdle(window.get()), 60000);
    }

    // Opens the Random Content Generator from the Options menu.
    GeneratorDialog* openGenerator() const
    {
        window->findChild<QAction*>("mnuDummy")->trigger();
        return child<GeneratorDialog>("frmRC");
    }

    TestAppFolder app;
    std::unique_ptr<MainWindow> window;
};

} // namespace WindowTesting
