// SPDX-License-Identifier: MIT
#pragma once

#include <QString>

#include <exception>
#include <functional>

// The one place where errors are caught. Every event handler of the program runs inside
// runGuarded: an error (a missing catalogue item, an arithmetic fault) ends the handler at the
// step that failed, the steps before it stay done, the error is shown and the program goes on.
namespace Guard {

// Shows an error to the user (a message box) and writes it to standard error.
void reportError(const QString &message);

// Test seam: while set, errors go to this function instead of a message box.
using ErrorSink = std::function<void(const QString &)>;
void setErrorSink(ErrorSink sink);

} // namespace Guard

// Runs one event handler; returns false when it ended with an error.
template <typename Handler> bool runGuarded(Handler &&handler) noexcept
{
    try {
        handler();
        return true;
    } catch (const std::exception &error) {
        Guard::reportError(QString::fromUtf8(error.what()));
    } catch (...) {
        Guard::reportError(QStringLiteral("Neznámá chyba."));
    }
    return false;
}

// A member function as a slot that runs inside runGuarded: connect(button, &FlatButton::clicked,
// this, guarded(this, &Form1::sizeUp)).
template <typename Object, typename... Args>
auto guarded(Object *object, void (Object::*member)(Args...))
{
    return [object, member](Args... args) { runGuarded([&] { (object->*member)(args...); }); };
}
