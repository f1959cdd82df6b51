// SPDX-License-Identifier: MIT
// Random clicks and double-clicks on every control of both windows, closing the about window
// (also mid-animation) and timer ticks; after each event both windows must agree with what was
// clicked. ASTRELO_SOAK_EVENTS sets the number of events (20,000), ASTRELO_SOAK_SEED the seed
// (a fixed one unless set, so that a failing run repeats).

#include "form1.h"
#include "form2.h"
#include "startup.h"
#include "testsupport.h"

#include <QElapsedTimer>
#include <QPlainTextEdit>
#include <QPointer>
#include <QTimer>
#include <QWindow>

#include <random>

using namespace TestSupport;

class TestSoak : public QObject
{
    Q_OBJECT
    std::mt19937_64 m_random;
    QImage m_pictures[12], m_icons[6]; // as Qt's own readers read them
    Browser m_browser;
    ErrorLog m_errors;
    std::unique_ptr<Form1> m_main;
    QPointer<Form2> m_about;
    int m_sign = 0, m_topic = 0, m_face = 1, m_size = 8; // what the reader chose
    bool m_bold = false, m_italic = false;
    int m_aboutAfter = 0; // 1: the last event must have opened the about window, -1: closed it
    int m_ticksPending = 0;
    int m_panelClicks = 0; // on the panel's controls: a run that never opens it tests little
    int below(int bound) { return int(m_random() % quint64(bound)); }
    QTimer *timer() const { return m_about->findChild<QTimer *>(QStringLiteral("Timer1")); }
    void step()
    {
        const int roll = below(100);
        if (m_ticksPending-- > 0 && m_about && timer()->isActive()) {
            timer()->blockSignals(false); // a tick as the timer delivers it
            QMetaObject::invokeMethod(timer(), "timeout");
            timer()->blockSignals(true);
        } else if (m_about && roll < 2) { // the close box, also while the icon falls
            m_about->windowHandle()->close();
            m_aboutAfter = -1;
        } else if (m_about && roll < 4 && timer()->isActive()) {
            // A burst of ticks: now and then a whole run to its rest, mostly a few.
            m_ticksPending = below(10) == 0 ? 4000 : 1 + below(20);
        } else {
            clickControl(m_about && roll >= 60 ? static_cast<QWidget *>(m_about) : m_main.get());
        }
    }
    // A click or double-click at a random point of a visible control or of the window, half of
    // the time straight to it, half to what lies on top. With the panel up the reader mostly
    // uses it; the text is double-clicked and the about window opened more than by chance.
    // Elsewhere "twice" is two clicks, apart.
    void clickControl(QWidget *window)
    {
        QWidget *panel = control(m_main.get(), "Frame1");
        QWidget *text = control<QPlainTextEdit>(m_main.get(), "Text1")->viewport();
        const bool twice = below(100) < 20, main = window == m_main.get();
        const bool panelOnly = main && !panel->isHidden() && below(100) < 60;
        std::vector<QWidget *> controls { window };
        for (QWidget *child : window->findChildren<QWidget *>())
            if (!child->objectName().isEmpty() && !child->objectName().startsWith(u"qt_")
                && child->isVisible() && (!panelOnly || panel->isAncestorOf(child)))
                controls.push_back(child->objectName() == u"Text1" ? text : child);
        if (main && twice && below(100) < 30)
            controls = { text };
        else if (!m_about && below(100) < 5)
            controls = { control(m_main.get(), "Image13") };
        QWidget *chosen = controls[below(int(controls.size()))];
        const QPoint at = chosen->mapTo(window,
            QPoint(below(std::max(1, chosen->width())), below(std::max(1, chosen->height()))));
        const auto under
            = [window, at] { return window->childAt(at) ? window->childAt(at) : window; };
        QWidget *receiver = below(2) ? chosen : under();
        clicked(receiver, receiver->mapFrom(window, at));
        if (!twice)
            return;
        QWidget *second = receiver->isVisible() ? receiver : under(); // if the control went away
        if (second != text)
            return clicked(second, second->mapFrom(window, at));
        // The second press of a double-click, as the platform sends it: within the double-click
        // interval of the first, a tenth of a second after its release (QTest puts its own
        // interval after each release).
        QTest::lastMouseTimestamp -= QTest::mouseDoubleClickInterval - 100;
        QTest::mouseDClick(second, Qt::LeftButton, {}, second->mapFrom(window, at));
        QTest::mouseRelease(second, Qt::LeftButton, {}, second->mapFrom(window, at));
    }
    // A click, and what the reader expects of it.
    void clicked(QWidget *receiver, QPoint at)
    {
        click(receiver, at);
        const QString name = receiver->window() == m_main.get() ? receiver->objectName() : "";
        const int n = name.mid(5).toInt();
        if (name.startsWith(u"Image") && n >= 1 && n <= 12)
            m_sign = n - 1;
        else if (name == u"Image13")
            m_aboutAfter = 1;
        if (!name.startsWith(u"Label"))
            return;
        m_panelClicks += n >= 24 && n <= 33;
        if (n >= 1 && n <= 6)
            m_topic = n - 1;
        else if (n == 24 || n == 25)
            m_size = std::clamp(m_size + (n == 24 ? 1 : -1), 1, 72);
        else if (n == 26)
            m_bold = !m_bold;
        else if (n == 27)
            m_italic = !m_italic;
        else if (n == 29)
            m_face = 1, m_size = 8, m_bold = m_italic = false;
        else if (n >= 30 && n <= 33)
            m_face = n - 30;
    }
    // Every invariant after an event; a failure says what does not hold.
    QString check()
    {
        const QWidget *w = m_main.get();
        const int s = m_sign, t = m_topic;
        const QFont font = control(w, "Text1")->font();
        const char *const faces[] = { "Arial", "Liberation Sans", "Courier New", "Comic Sans MS" };
        // The catalogue holds the text of sign s and topic t as number 10000 + 10 s + t; the
        // font's size, the size shown, bold and italic and their marks follow the clicks.
        const QString size = QString::number(m_size),
                      flags = QString::asprintf("%d%d", m_bold, m_italic);
        const QStringList shown = qtWarnings + m_errors.messages
            + QStringList { QString::number(
                                m_main->state().signIndex * 10 + m_main->state().topicIndex),
                  w->windowTitle(), caption(w, "Label7"), caption(w, "Label20"),
                  caption(w, "Label21"), caption(w, "Label22"), caption(w, "Label23"),
                  control<QPlainTextEdit>(w, "Text1")->toPlainText(), font.family(),
                  QString::number(font.pointSizeF()), caption(w, "Label28"),
                  QString::asprintf("%d%d", font.bold(), font.italic()),
                  QString::asprintf("%d%d", !control(w, "Shape1")->isHidden(),
                      !control(w, "Shape2")->isHidden()) };
        const QStringList expected = { QString::number(s * 10 + t), u8("Astrelo - ") + u8(Names[s]),
            u8(Headings[s]), u8(Dates[s]), u8(Planets[s]), u8(Planets[s]), u8(Planets[s]),
            boxText(10000 + 10 * s + t), u8(faces[m_face]), size, size, flags, flags };
        for (qsizetype k = 0; k < std::max(shown.size(), expected.size()); ++k)
            if (shown.value(k) != expected.value(k)) // the first difference, shortened
                return QStringLiteral("item %1: \"%2\" instead of \"%3\"")
                    .arg(k)
                    .arg(shown.value(k).left(60), expected.value(k).left(60));
        // Both readers leave masked pixels transparent black: no need to clear them each time.
        const auto picture = [w](const char *name) {
            return pictureOf(control(w, name)).convertToFormat(QImage::Format_ARGB32);
        };
        if (picture("Image14") != m_pictures[s] || picture("Image13") != m_icons[t])
            return QStringLiteral("a picture");
        // Only the chosen sign's name black and bold, topic black, face red.
        for (const int k :
            { 1, 2, 3, 4, 5, 6, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18, 19, 30, 31, 32, 33 }) {
            const QWidget *label = control(w, QStringLiteral("Label%1").arg(k));
            const QRgb colour = label->palette().color(QPalette::WindowText).rgba();
            const bool marked
                = k >= 30 ? colour == Red : colour == Black && (k <= 6 || label->font().bold());
            if (marked != (k == 1 + t || k == 8 + s || k == 30 + m_face))
                return label->objectName() + QStringLiteral(" marked wrong");
        }
        int aboutWindows = 0;
        for (const QWidget *window : QApplication::topLevelWidgets())
            aboutWindows += qobject_cast<const Form2 *>(window) != nullptr;
        if (aboutWindows > 1 || (m_aboutAfter == 1 && !(m_about && m_about->isVisible()))
            || (m_aboutAfter == -1 && m_about))
            return QStringLiteral("the about window");
        m_aboutAfter = 0;
        // The timer stops only with the icon at its start or at rest on the floor (1440 twips,
        // 96 pixels); a fault in the arithmetic would be among the errors above.
        const int top = m_about ? control(m_about, "Image1")->y() : 8;
        if (m_about && !timer()->isActive() && top != 8 && top < 96)
            return QStringLiteral("the animation, the icon at %1").arg(top);
        return {};
    }

private Q_SLOTS:
    void randomEvents()
    {
        bool eventsOk = false, seedOk = false;
        const qint64 events
            = qEnvironmentVariable("ASTRELO_SOAK_EVENTS", u8("20000")).toLongLong(&eventsOk);
        const quint64 seed
            = qEnvironmentVariable("ASTRELO_SOAK_SEED", u8("20070417")).toULongLong(&seedOk);
        QVERIFY2(
            eventsOk && seedOk && events >= 0, "ASTRELO_SOAK_EVENTS, ASTRELO_SOAK_SEED: numbers");
        m_random.seed(seed);
        qInfo("soak: seed %llu, %lld events", seed, events);
        Toolkit::setUpLook(*qApp);
        watchQtWarnings();
        for (int k = 0; k < 12; ++k)
            m_pictures[k] = qtDecoded(100 + k, CatalogueKind::Bitmap);
        for (int k = 0; k < 6; ++k)
            m_icons[k] = qtDecoded(100 + k, CatalogueKind::Icon);
        m_main = Startup::createMainWindow();
        QVERIFY(m_main);
        m_main->show();
        qsizetype objectsAfterWarmUp = -1;
        qint64 done = 0;
        QElapsedTimer clock;
        clock.start();
        QString failure;
        while ((failure = check()).isEmpty() && done < events) {
            step();
            // A closed window goes at once, and now and then the windows lay out and paint. The
            // animation's timer never fires by itself (ticks come from step()), so a run repeats.
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
            if (++done % 16 == 0)
                QCoreApplication::processEvents();
            if (m_main->aboutWindow() != m_about && (m_about = m_main->aboutWindow()))
                timer()->blockSignals(true);
            if (done == 1000)
                objectsAfterWarmUp = m_main->findChildren<QObject *>().size();
        }
        QVERIFY2(failure.isEmpty(),
            qPrintable(
                QStringLiteral("event %1, ASTRELO_SOAK_SEED=%2: ").arg(done).arg(seed) + failure));
        QVERIFY2(done < 1000 || m_panelClicks > 0, "the settings panel never opened");
        // However long the run, the main window holds the same objects as early on.
        if (objectsAfterWarmUp >= 0)
            QCOMPARE(m_main->findChildren<QObject *>().size(), objectsAfterWarmUp);
        QFile status(QStringLiteral("/proc/self/status"));
        QString memory = status.open(QIODevice::ReadOnly) ? status.readAll() : QString();
        memory = memory.mid(memory.indexOf(u"VmHWM:") + 6).section(u'\n', 0, 0).simplified();
        qInfo("soak: %lld events, %.0f a second; peak memory %s", done,
            double(done) * 1e9 / double(clock.nsecsElapsed() + 1), qPrintable(memory));
        m_main.reset();
    }
};

QTEST_MAIN(TestSoak)
#include "tst_soak.moc"
