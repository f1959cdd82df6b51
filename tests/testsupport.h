// SPDX-License-Identifier: MIT
#pragma once

// Shared by the window tests: finding controls by their design names, clicking them as a
// reader would, and collecting the errors the guard reports instead of showing them.

#include "guard.h"
#include "toolkit.h"

#include <QApplication>
#include <QLabel>
#include <QTest>

namespace TestSupport {

template <typename T = QWidget>
T *control(const QWidget *window, const char *name)
{
    T *found = window->findChild<T *>(QString::fromLatin1(name));
    if (!found)
        qFatal("no control %s", name);
    return found;
}

inline void click(QWidget *widget)
{
    QTest::mouseClick(widget, Qt::LeftButton, {}, QPoint(1, 1));
}

// A double-click as the platform delivers it: a click, then the double-click event.
inline void doubleClick(QWidget *widget)
{
    QTest::mouseClick(widget, Qt::LeftButton, {}, QPoint(1, 1));
    QTest::mouseDClick(widget, Qt::LeftButton, {}, QPoint(1, 1));
    QTest::mouseRelease(widget, Qt::LeftButton, {}, QPoint(1, 1));
}

inline QString caption(const QWidget *window, const char *name)
{
    return control<QLabel>(window, name)->text();
}

// Collects what the guard reports, for as long as it lives.
class ErrorLog
{
public:
    ErrorLog()
    {
        Guard::setErrorSink([this](const QString &message) { messages.append(message); });
    }
    ~ErrorLog() { Guard::setErrorSink({}); }
    ErrorLog(const ErrorLog &) = delete;
    ErrorLog &operator=(const ErrorLog &) = delete;

    QStringList messages;
};

inline int twips(int pixels) { return Toolkit::pixelsToTwips(pixels); }

} // namespace TestSupport
