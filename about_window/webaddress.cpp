// SPDX-License-Identifier: MIT
#include "webaddress.h"

#include <QDesktopServices>
#include <QUrl>

void openWebAddress(const QUrl &address)
{
    // The result only says whether a handler was found; a missing browser is not our concern.
    QDesktopServices::openUrl(address);
}
