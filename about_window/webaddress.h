// SPDX-License-Identifier: MIT
#pragma once

class QUrl;

// Opens a web address in the desktop's default browser. Whether a browser starts is not
// reported: the caller shows nothing either way, and the browser is not waited for.
void openWebAddress(const QUrl &address);
