// SPDX-License-Identifier: MIT
#include "toolkit.h"

#include "accessible.h"
#include "colours.h"

#include <QApplication>
#include <QFont>
#include <QStyle>
#include <QStyleFactory>

namespace Toolkit {

namespace {
// The designs' default face, and the face shown for it: outside Windows it has no metric
// stand-in that fontconfig knows, so it is named here.
constexpr QLatin1String DesignDefaultFace("MS Sans Serif");
#ifdef Q_OS_WIN
constexpr QLatin1String ShownDefaultFace("MS Sans Serif");
#else
constexpr QLatin1String ShownDefaultFace("Liberation Sans");
#endif
} // namespace

QString faceFor(const QString &designFace)
{
    return designFace == DesignDefaultFace ? QString(ShownDefaultFace) : designFace;
}

QString designFaceOf(const QString &face)
{
    return face == ShownDefaultFace ? QString(DesignDefaultFace) : face;
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
    app.setFont(QFont(ShownDefaultFace, 8));
}

} // namespace Toolkit
