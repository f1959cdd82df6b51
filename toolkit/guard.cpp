// SPDX-License-Identifier: MIT
#include "guard.h"

#include <QApplication>
#include <QMessageBox>

#include <cstdio>

namespace {
Guard::ErrorSink errorSink;
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
    if (qobject_cast<QApplication *>(QCoreApplication::instance())) {
        QMessageBox::critical(nullptr, QStringLiteral("Astrelo"),
            QStringLiteral("Při práci programu nastala chyba:\n\n%1").arg(message));
    }
}
