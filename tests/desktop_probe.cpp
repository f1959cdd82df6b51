// SPDX-License-Identifier: MIT
// Runs the whole program as main() does, on whatever platform the environment names (a
// compositor with no input of its own, say): opens the about window through the topic icon's
// click handler, prints both windows' sizes in logical pixels, then closes the main window
// as its close box would. The exit status is the program's.

#include "startup.h"
#include "toolkit.h"

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
    QTimer::singleShot(1000, &app, [] {
        QWidget *main = nullptr;
        for (QWidget *window : QApplication::topLevelWidgets())
            if (window->objectName() == u"Form1")
                main = window;
        if (!main)
            return;
        Toolkit::performClick(main->findChild<QWidget *>(QStringLiteral("Image13")));
        QTimer::singleShot(1000, main, [main] {
            for (const QWidget *window : QApplication::topLevelWidgets())
                if (window->isVisible())
                    std::printf("%s %dx%d\n", qPrintable(window->objectName()), window->width(),
                        window->height());
            std::fflush(stdout);
            main->windowHandle()->close();
        });
    });
    return Startup::run(app);
}
