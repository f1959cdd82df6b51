// SPDX-License-Identifier: MIT
// The floor as a program of its own: the plain Qt window of the main window's screen, to
// look at beside Astrelo.

#include "floorwindow.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    setUpFloorLook(app);
    FloorWindow window;
    window.show();
    return app.exec();
}
