// SPDX-License-Identifier: MIT
// Astrelo: a guide to the twelve signs of the zodiac. The command line is not used.

#include "startup.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    Startup::prepareProcess();
    QApplication app(argc, argv);
    Startup::configureApplication(app);
    return Startup::run(app);
}
