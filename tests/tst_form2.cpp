// SPDX-License-Identifier: MIT
// The about window: the design as the window builds it, the texts and whether they fit, the
// load step, the web link, and the falling-icon animation driven tick by tick.

#include "form2.h"
#include "hiddenitem.h"
#include "testsupport.h"

#include <QAccessible>
#include <QTimer>

#include <cfloat>
#include <cmath>

using namespace TestSupport;
using State = Form2::Animation;

// The fields as text, nine digits to a float: QCOMPARE would forgive floats 1e-5 of difference.
static QString fields(const State &a)
{
    return QString::asprintf("%.9g %.9g %.9g %.9g %d%d%d", a.IconTop, a.IconSpeed, a.IconGravity,
        a.BounceCount, a.IconRebounding, a.AnimationArmed, a.IconRising);
}

class TestForm2 : public QObject
{
    Q_OBJECT
    std::unique_ptr<ErrorLog> m_errors;
    Browser m_browser;
    std::unique_ptr<Form2> m_form; // loaded afresh for every test
    QLabel *at(const char *name) const { return control<QLabel>(m_form.get(), u8(name)); }
    QTimer *timer() const { return m_form->findChild<QTimer *>(QStringLiteral("Timer1")); }
    void click(const char *name) const { TestSupport::click(at(name)); }
    int runToRest() const // the ticks until the timer stops
    {
        int ticks = 0;
        for (; timer()->isActive() && ticks < 10000; ++ticks)
            m_form->tickForTesting();
        return ticks;
    }

private Q_SLOTS:
    void initTestCase() { Toolkit::setUpLook(*qApp); }
    void init()
    {
        m_errors = std::make_unique<ErrorLog>();
        m_form = std::make_unique<Form2>();
        m_form->load();
    }
    void cleanup()
    {
        restoreCatalogue();
        // A test that expects errors or a browser takes them; any other is a fault.
        QCOMPARE(std::exchange(m_errors, {})->messages, QStringList());
        QCOMPARE(std::exchange(m_browser.opened, {}), QList<QUrl>());
    }
    // A fixed-size tool window, its timer ready; each control's place (twips), font and caption,
    // shown whole and, where the wording is ours (a width given), within the design's width.
    void design()
    {
        QCOMPARE(m_form->windowTitle(), u8("O programu"));
        QCOMPARE(m_form->windowFlags() & ~Qt::WindowFlags(Qt::WindowSystemMenuHint),
            Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
        QCOMPARE(m_form->minimumSize(), QSize(282, 186));
        QCOMPARE(m_form->maximumSize(), QSize(282, 186));
        QVERIFY(timer()->interval() == 25 && timer()->timerType() == Qt::PreciseTimer);
        const std::tuple<const char *, QRect, double, const char *> controls[] = { // bold: < 0
            { "Label1", { 720, 120, 1440, 240 }, -9.75, "Astrelo v1.1." },
            { "Label2", { 720, 480, 2340, 195 }, 8, "© 2007 Kelmo Software" },
            { "Label3", { 720, 720, 3300, 195 }, 8, "Vytvořil : Ondřej Mlejnek; mlejnek@kelmo.cz" },
            { "Label4", { 720, 1080, 1800, 240 }, -9.75, "www.kelmo.cz" },
            { "Label6", { 120, 2040, 1470, 195 }, 8, "...věnováno Marii..." },
            // The fixed wording, in Liberation Sans for MS Sans Serif, runs past the width.
            { "Label7", { 120, 2280, 0, 195 }, 8,
                "F tekstách múšou (sou) bít chibi a překlepi"
                "..." },
            { "Label5", { 120, 2520, 0, 195 }, 8,
                "v1.1.                                        "
                "                           Id.:30417" },
            { "Image1", { 120, 120, 480, 480 }, 8, "" },
            { "Image2", { 720, 1440, 3300, 525 }, 8, "" }
        };
        for (const auto &[name, box, points, caption] : controls) {
            const QLabel *label = at(name);
            const int width = QFontMetrics(label->font()).horizontalAdvance(label->text());
            QCOMPARE(label->text(), u8(caption));
            QCOMPARE(QPoint(twips(label->x()), twips(label->y())), box.topLeft());
            QCOMPARE(label->font().pointSizeF(), std::abs(points));
            QCOMPARE(label->font().bold(), points < 0);
            QVERIFY(label->width() >= width && twips(label->height()) <= box.height());
            QVERIFY2(!box.width() || twips(width) <= box.width(), name);
            QVERIFY(label->pixmap().isNull() || label->size() * 15 == box.size());
        }
    }
    // The load step shows the program's icon; without it, it ends before it sets any field.
    void load()
    {
        QCOMPARE(seen(at("Image1")->pixmap().toImage()), qtDecoded(10, CatalogueKind::Icon));
        QVERIFY(at("Image1")->geometry() == QRect(8, 8, 32, 32) && !timer()->isActive());
        hideCatalogueItem(CatalogueKind::Icon, 10);
        m_form = std::make_unique<Form2>();
        QVERIFY_THROWS_EXCEPTION(CatalogueError, m_form->load());
        QCOMPARE(fields(m_form->animation()), fields({}));
        QCOMPARE(at("Image1")->geometry(), QRect(8, 8, 1, 1));
    }
    void fullRun()
    {
        click("Label6");
        int ticks = 0, contacts = 0;
        while (timer()->isActive() && ticks < 10000) {
            const float bouncesBefore = m_form->animation().BounceCount;
            // Each tick as the timer delivers it, through the error guard.
            QVERIFY(QMetaObject::invokeMethod(timer(), "timeout", Qt::DirectConnection));
            if (++ticks == 10)
                click("Label6"); // a second click while the icon falls changes nothing
            contacts += m_form->animation().BounceCount > bouncesBefore;
            // The icon is at the computed top after every tick, and only its top moves.
            QCOMPARE(m_form->iconTop(), m_form->animation().IconTop);
            QCOMPARE(at("Image1")->pos(), QPoint(8, qRound(m_form->iconTop() / 15)));
        }
        QVERIFY(ticks == 537 && contacts == 42); // the tick of the 42nd floor contact
        QCOMPARE(m_form->animation().BounceCount, 44.0f);
        QCOMPARE(double(m_form->iconTop()), double(1477.923828125f)); // a little below 1440
        // A click on the resting icon throws it again, and it comes to rest on the floor again.
        click("Image1");
        QVERIFY(runToRest() > 400 && m_form->iconTop() >= 1440.0f && m_form->iconTop() < 1500.0f);
    }
    // Ticks after an icon click at 120, or at a state's top (else 600) then in that state. A
    // fault ends its tick with the icon and top unmoved and the timer on, even at 44 contacts.
    void ticks_data()
    {
        QTest::addColumn<State>("from");
        QTest::addColumn<int>("ticks");
        QTest::addColumn<State>("expected");
        QTest::addColumn<QString>("error"); // instead of the state expected
        const auto row
            = [](const char *name, const State &from, int ticks, const State &to,
                  const char *error) { QTest::newRow(name) << from << ticks << to << u8(error); };
        const char *const overflow = "Přetečení reálného čísla.";
        // From 120 a single glide step reaches 117, at or above 150: the throw follows at once.
        row("glide", {}, 1,
            { .IconTop = 117,
                .IconSpeed = 5,
                .IconGravity = 0.3f,
                .IconRebounding = true,
                .BounceCount = 2,
                .AnimationArmed = true },
            "");
        row("speed < 1", {}, 23,
            { .IconTop = 62.6599998f,
                .IconSpeed = 0.92999953f,
                .IconGravity = 0.0800000057f,
                .BounceCount = 2,
                .AnimationArmed = true },
            "");
        // Falling fast onto the floor, one contact short of rest: the last tick still moves.
        row("last tick",
            { .IconTop = 1500,
                .IconSpeed = -20,
                .IconGravity = 0.1f,
                .BounceCount = 43,
                .AnimationArmed = true },
            1,
            { .IconTop = 1520.31494f,
                .IconSpeed = 20.3150005f,
                .IconGravity = 0.314999998f,
                .IconRebounding = true,
                .BounceCount = 44,
                .AnimationArmed = true },
            "");
        row("gravity",
            { .IconTop = 600,
                .IconGravity = FLT_MAX,
                .BounceCount = FLT_MAX,
                .AnimationArmed = true },
            1, {}, overflow);
        row("speed",
            { .IconTop = 600,
                .IconSpeed = FLT_MAX,
                .IconGravity = -FLT_MAX,
                .IconRebounding = true,
                .AnimationArmed = true },
            1, {}, overflow);
        row("glide NaN",
            { .IconTop = NAN, .IconSpeed = 5, .AnimationArmed = true, .IconRising = true }, 1, {},
            "Neplatná operace s reálným číslem.");
    }
    void ticks()
    {
        QFETCH(State, from);
        QFETCH(int, ticks);
        QFETCH(State, expected);
        QFETCH(QString, error);
        const float top = !from.AnimationArmed ? 120 : from.IconTop > 0 ? from.IconTop : 600;
        State armed = m_form->animation();
        armed.AnimationArmed = true;
        m_form->setAnimationForTesting(armed, top);
        click("Image1");
        if (from.AnimationArmed)
            m_form->setAnimationForTesting(from, m_form->iconTop());
        for (int done = 0; done < ticks; ++done)
            m_form->tickForTesting();
        QCOMPARE(std::exchange(m_errors->messages, {}),
            error.isEmpty() ? QStringList() : QStringList(error));
        // After a fault, the top as it was; the icon where the last tick left it.
        const QString after = fields(m_form->animation());
        QCOMPARE(error.isEmpty() ? after : after.section(u' ', 0, 0),
            error.isEmpty() ? fields(expected) : fields(from).section(u' ', 0, 0));
        QCOMPARE(double(m_form->iconTop()), double(error.isEmpty() ? expected.IconTop : top));
        QCOMPARE(at("Image1")->y(), qRound(m_form->iconTop() / 15));
        QCOMPARE(timer()->isActive(), expected.BounceCount < 44 || !error.isEmpty());
    }
    void clicks_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<float>("top"); // where the icon is placed; 0: at rest after a full run
        QTest::addColumn<bool>("starts"); // the click starts the timer and changes nothing else
        // Idle, a stray dedication handler would start the timer; at rest, a stray icon handler.
        for (const char *name :
            { "Label1", "Label2", "Label3", "Label4", "Label5", "Label7", "Image2" })
            for (const float top : { 120.0f, 0.0f })
                QTest::addRow("%s at %g", name, top) << u8(name) << top << false;
        QTest::newRow("icon before the dedication click") << "Image1" << 120.0f << false;
        for (const float top : { 120.0f, 499.99f, 500.0f, 1440.0f, 0.0f })
            QTest::addRow("dedication at %g", top) << "Label6" << top << (top > 0 && top < 500);
    }
    void clicks()
    {
        QFETCH(QString, name);
        QFETCH(float, top);
        QFETCH(bool, starts);
        if (top == 0)
            click("Label6");
        QCOMPARE(runToRest(), top == 0 ? 537 : 0);
        if (top != 0)
            m_form->setAnimationForTesting(m_form->animation(), top);
        const auto describe
            = [this] { return fields(m_form->animation()) + QString::number(at("Image1")->y()); };
        const QString before = describe();
        click(qPrintable(name));
        if (name == u"Label4") { // the link opens the site; screen readers name it by its address
            const QList<QUrl> site = { QUrl(u8("http://www.kelmo.cz/")) };
            QCOMPARE(std::exchange(m_browser.opened, {}), site);
            QAccessibleInterface *link = QAccessible::queryAccessibleInterface(at("Label4"));
            QCOMPARE(link->text(QAccessible::Name), u8("www.kelmo.cz"));
            QVERIFY(link->text(QAccessible::Description).contains(u"http://www.kelmo.cz/"));
        }
        QCOMPARE(timer()->isActive(), starts);
        QCOMPARE(m_form->animation().AnimationArmed, starts || top == 0);
        timer()->stop(); // put back what the click may start, then nothing else changed
        State armed = m_form->animation();
        armed.AnimationArmed = top == 0;
        m_form->setAnimationForTesting(armed, m_form->iconTop());
        QCOMPARE(describe(), before);
    }
};

QTEST_MAIN(TestForm2)
#include "tst_form2.moc"
