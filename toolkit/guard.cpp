// SPDX-License-Identifier: MIT
#include "guard.h"

#include <QApplication>
#include <QMessageBox>

#include <cstdio>

namespace {
Guard::ErrorSink errorSink;
// While a message box is open, a further error (a fault that repeats on every tick of a timer,
// say) is written to standard error only: the reader gets one box at a time.
bool boxShown = false;
} // namespace

void Guard::setErrorSink(ErrorSink sink)
{
    errorSink = std::move(sink);
}

void Guard::reportError(const QString &message)
{
    std::fprintf(stderr, "astrelo: chyba: %s\n", qUtf8Printable(message));
    std::fflush(stderr);
    if (errorSink) {
        errorSink(message);
        return;
    }
    if (!boxShown && qobject_cast<QApplication *>(QCoreApplication::instance())) {
        boxShown = true;
        QMessageBox::critical(nullptr, QStringLiteral("Astrelo"),
            QStringLiteral("Při práci programu nastala chyba:\n\n%1").arg(message));
        boxShown = false;
    }
}
