// SPDX-License-Identifier: MIT
#include "accessible.h"

#include <QApplication>
#include <QMouseEvent>
#include <QPointer>

namespace {
// No hand lets go of the button and presses it again this quickly.
constexpr quint64 EchoMilliseconds = 15;

// Drops a left-button press, with its release, that comes right after the last release. Orca
// clicks by moving the pointer and pressing; when the pointer already stood there it takes
// the click for lost and clicks again at the middle of the control, a few milliseconds later.
// That second click would close the panel a double-click on the text had just opened, or
// check a box twice.
class EchoedClicks : public QObject
{
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        const QEvent::Type type = event->type();
        if (type != QEvent::MouseButtonPress && type != QEvent::MouseButtonDblClick
            && type != QEvent::MouseButtonRelease)
            return false;
        const auto *mouse = static_cast<const QMouseEvent *>(event);
        if (mouse->button() != Qt::LeftButton)
            return false;
        if (type == QEvent::MouseButtonRelease) {
            if (m_dropping) {
                m_dropping = false;
                return true;
            }
            m_released = true;
            m_releaseTime = mouse->timestamp();
            return false;
        }
        // An event made by the program itself carries no time (0) and is never an echo.
        if (m_released && mouse->timestamp() != 0
            && mouse->timestamp() - m_releaseTime < EchoMilliseconds)
            m_dropping = true;
        return m_dropping;
    }

private:
    bool m_released = false;
    bool m_dropping = false; // until the dropped press's release
    quint64 m_releaseTime = 0;
};
} // namespace

void Toolkit::ignoreEchoedClicks()
{
    static QPointer<EchoedClicks> filter;
    if (!filter) {
        filter = new EchoedClicks(qApp);
        qApp->installEventFilter(filter);
    }
}
