// SPDX-License-Identifier: MIT
// Astrelo: a guide to the twelve signs of the zodiac. The program takes no command line, so
// Qt is given none either: none of its own options (-style, -reverse, -qwindowtitle ...) apply.

#include "startup.h"

#include <QApplication>

int main(int, char *argv[])
{
    Startup::prepareProcess();
    int qtArgc = 1;
    char *qtArgv[] = { argv[0], nullptr };
    QApplication app(qtArgc, qtArgv);
    Startup::configureApplication(app);
    return Startup::run(app);
}
