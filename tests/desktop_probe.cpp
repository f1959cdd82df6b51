// SPDX-License-Identifier: MIT
// Runs the whole program as main() does, on whatever platform the environment names (a
// compositor with no input of its own, say): opens the about window through the topic icon's
// click handler once the main window is on screen, prints both windows' sizes in logical
// pixels once the about window is too, then closes the main window as its close box would.
// The exit status is the program's.

#include "startup.h"
#include "toolkit.h"

#include <QAbstractButton>
#include <QApplication>
#include <QTimer>
#include <QWidget>
#include <QWindow>

#include <cstdio>

int main(int, char *argv[])
{
    Startup::prepareProcess();
    int qtArgc = 1;
    char *qtArgv[] = { argv[0], nullptr };
    QApplication app(qtArgc, qtArgv);
    Startup::configureApplication(app);
    // Each step waits for the window it needs to be on screen (exposed): the main window to
    // open the about window, the about window to print the sizes and close.
    const auto exposed = [](const char *name) -> QWidget * {
        for (QWidget *window : QApplication::topLevelWidgets())
            if (window->objectName() == QLatin1String(name) && window->windowHandle()
                && window->windowHandle()->isExposed())
                return window;
        return nullptr;
    };
    int done = 0; // steps
    const auto step = [&] {
        QWidget *main = exposed("Form1");
        if (main && done == 0) {
            done = 1;
            main->findChild<QAbstractButton *>(QStringLiteral("Image13"))->click();
        } else if (main && done == 1 && exposed("Form2")) {
            done = 2;
            for (const QWidget *window : QApplication::topLevelWidgets())
                if (window->isVisible())
                    std::printf("%s %dx%d\n", qPrintable(window->objectName()), window->width(),
                        window->height());
            std::fflush(stdout);
            main->windowHandle()->close();
        }
    };
    QTimer poll; // the windows' state looked at every 10 ms, until the last step
    poll.callOnTimeout(step);
    poll.start(10);
    return Startup::run(app);
}
