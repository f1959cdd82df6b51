// SPDX-License-Identifier: MIT
#include "toolkit.h"

#include "accessible.h"
#include "colours.h"

#include <QApplication>
#include <QFont>
#include <QStyle>
#include <QStyleFactory>

namespace Toolkit {

QString faceFor(const QString &designFace)
{
#ifndef Q_OS_WIN
    if (designFace == QLatin1String("MS Sans Serif"))
        return QStringLiteral("Liberation Sans");
#endif
    return designFace;
}

QString designFaceOf(const QString &face)
{
    const QString designDefault = QStringLiteral("MS Sans Serif");
    return face == faceFor(designDefault) ? designDefault : face;
}

void setUpLook(QApplication &app)
{
    // The designs' colours are the designs', not the desktop's: Fusion and its light palette
    // whatever the platform theme, colour scheme, style override or style sheet. Every colour
    // of the palette counts as set, so none of a dark theme's colours shows through.
    app.setStyleSheet(QString());
    app.setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    app.setPalette(lightPalette());
    installAccessibility();
    // The windows' default font, for every control that has none of its own. Setting it
    // before any window exists also spares Qt a search for a face this system lacks.
    app.setFont(QFont(faceFor(QStringLiteral("MS Sans Serif")), 8));
}

} // namespace Toolkit
