// SPDX-License-Identifier: MIT
// The about window: the design as the window builds it, the texts and whether they fit, the
// load step, the web link; the falling icon's rule tick by tick, and on the window.

#include "arithmetic.h"
#include "fallingicon.h"
#include "form2.h"
#include "testsupport.h"

#include <QAccessible>
#include <QMessageBox>
#include <QTimer>

#include <cfloat>

using namespace TestSupport;
using State = FallingIcon;

// The fields as text, nine digits to a float: QCOMPARE would forgive floats 1e-5 of difference.
static QString fields(const State &a)
{
    return QString::asprintf("%.9g %.9g %.9g %.9g %d%d%d", a.top, a.speed, a.gravity, a.bounceCount,
        a.rebounding, a.armed, a.rising);
}

// A state from "top speed gravity contacts flags"; "max" is the largest float.
static State state(const QString &text)
{
    const QStringList v = text.split(u' ');
    const auto number = [&v](int k) {
        return v[k].endsWith(u"max") ? (v[k][0] == u'-' ? -FLT_MAX : FLT_MAX) : v[k].toFloat();
    };
    const auto flag = [&v](int k) { return v[4][k] == u'1'; };
    return { number(0), number(1), number(2), flag(0), number(3), flag(1), flag(2) };
}

class TestForm2 : public QObject
{
    Q_OBJECT
    std::unique_ptr<ErrorLog> m_errors;
    Browser m_browser;
    CatalogueCopy m_catalogue;
    std::unique_ptr<Form2> m_form; // loaded afresh for every test
    QWidget *at(const char *name) const { return control(m_form.get(), u8(name)); }
    QTimer *timer() const { return m_form->findChild<QTimer *>(QStringLiteral("Timer1")); }
    void click(const char *name) const { TestSupport::click(at(name)); }
    QPoint icon() const { return at("Image1")->pos(); }
    int runToRest() const // Timer1's timeouts, as it delivers them, until it stops
    {
        int ticks = 0;
        for (; timer()->isActive() && ticks < 10000; ++ticks)
            QMetaObject::invokeMethod(timer(), "timeout", Qt::DirectConnection);
        return ticks;
    }

private Q_SLOTS:
    void initTestCase() { Toolkit::setUpLook(*qApp); }
    // An error while the box of an earlier one is still open shows no second box.
    void oneErrorBoxAtATime()
    {
        m_errors.reset(); // errors go to message boxes
        int boxes = 0;
        QTimer::singleShot(0, [] { Guard::reportError(QStringLiteral("druhá")); });
        QTimer::singleShot(200, [&boxes] {
            for (QWidget *window : QApplication::topLevelWidgets()) {
                if (auto *box = qobject_cast<QMessageBox *>(window); box && box->isVisible()) {
                    ++boxes;
                    QTimer::singleShot(0, box, &QMessageBox::reject);
                }
            }
        });
        Guard::reportError(QStringLiteral("první"));
        QTRY_COMPARE(boxes, 1);
        m_errors = std::make_unique<ErrorLog>();
    }
    void init()
    {
        m_errors = std::make_unique<ErrorLog>();
        m_form = std::make_unique<Form2>();
        m_form->load();
    }
    void cleanup()
    {
        m_catalogue.restore();
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
        for (const QSize size : { m_form->minimumSize(), m_form->maximumSize() })
            QCOMPARE(size, QSize(282, 186));
        QCOMPARE(timer()->interval(), 25);
        QCOMPARE(timer()->timerType(), Qt::PreciseTimer);
        const std::tuple<const char *, QRect, double, const char *> controls[] = { // bold: < 0
            { "Label1", { 720, 120, 1440, 240 }, -9.75, "Astrelo v1.1." },
            { "Label2", { 720, 480, 2340, 195 }, 8, "© 2007 Kelmo Software" },
            { "Label3", { 720, 720, 3300, 195 }, 8, "Vytvořil : Ondřej Mlejnek; mlejnek@kelmo.cz" },
            { "Label4", { 720, 1080, 1800, 240 }, -9.75, "www.kelmo.cz" },
            { "Label6", { 120, 2040, 1470, 195 }, 8, "...věnováno Marii..." },
            // The fixed wording, in Liberation Sans for MS Sans Serif, runs past the width.
            { "Label7", { 120, 2280, 0, 195 }, 8,
                "F tekstách múšou (sou) bít chibi a překlepi..." },
            { "Label5", { 120, 2520, 0, 195 }, 8,
                "v1.1.                                                                   "
                "Id.:30417" },
            { "Image1", { 120, 120, 480, 480 }, 8, "" },
            { "Image2", { 720, 1440, 3300, 525 }, 8, "" }
        };
        for (const auto &[name, box, points, caption] : controls) {
            const QWidget *label = at(name);
            const int width = QFontMetrics(label->font()).horizontalAdvance(textOf(label));
            QCOMPARE(textOf(label), u8(caption));
            QCOMPARE(QPoint(twips(label->x()), twips(label->y())), box.topLeft());
            QCOMPARE(label->font().pointSizeF(), std::abs(points));
            QCOMPARE(label->font().bold(), points < 0);
            QCOMPARE_GE(label->width(), width);
            QCOMPARE_LE(twips(label->height()), box.height());
            QVERIFY2(!box.width() || twips(width) <= box.width(), name);
            QVERIFY(pictureOf(label).isNull() || label->size() * 15 == box.size());
        }
        // A screen reader says the version line without its run of blanks.
        QCOMPARE(QAccessible::queryAccessibleInterface(at("Label5"))->text(QAccessible::Name),
            u8("v1.1. Id.:30417"));
    }
    // The load step shows the program's icon; without it, it ends before it sets any field:
    // then a dedication click and a tick, from all fields zero, put the icon at the top edge.
    void load()
    {
        QCOMPARE(seen(pictureOf(at("Image1"))), qtDecoded(10, CatalogueKind::Icon));
        QCOMPARE(at("Image1")->geometry(), QRect(8, 8, 32, 32));
        QVERIFY(!timer()->isActive());
        m_catalogue.hide(CatalogueKind::Icon, 10);
        m_form = std::make_unique<Form2>();
        QVERIFY_THROWS_EXCEPTION(CatalogueError, m_form->load());
        QCOMPARE(at("Image1")->geometry(), QRect(8, 8, 1, 1));
        click("Label6");
        QVERIFY(QMetaObject::invokeMethod(timer(), "timeout"));
        QCOMPARE(icon(), QPoint(8, 0));
    }
    // The rule alone: a state, the icon's top as shown, then "load", "drop", "lift" or "tick*N"
    // (each tick shown where it leaves the icon); the state after (none: unchanged) and the last
    // answer (whether the timer runs), or the error. States are "top speed gravity contacts
    // flags" (rebounding, armed, rising). The figures are worked out by hand from the rule in
    // double precision, each stored value rounded to float.
    void rule_data()
    {
        for (const char *column : { "from", "action", "expected", "answer" })
            QTest::addColumn<QString>(column);
        QTest::addColumn<float>("shown");
        const auto row = [](const char *name, const char *from, float shown, const char *action,
                             const char *to, const char *answer) {
            QTest::newRow(name) << u8(from) << u8(action) << u8(*to ? to : from) << u8(answer)
                                << shown;
        };
        const char *const loaded = "120 0 0.1 2 000", *const armed = "120 0 0.1 2 010";
        row("load resets every field", "7 3 9 30 111", 1500, "load", loaded, "");
        row("drop at 120", loaded, 120, "drop", armed, "1");
        row("drop at 499.99", loaded, 499.99f, "drop", armed, "1");
        row("no drop at 500", loaded, 500, "drop", "", "0");
        row("no lift before the drop", loaded, 120, "lift", "", "0");
        row("lift from rest", "1477.9 0.5 0.6 44 010", 1477.9f, "lift", "1477.9 5 0.3 2 111", "1");
        // Up by 1000 / 400 x 10 = 25; at 117 (120 - 3) the glide is over.
        row("glide", "1000 0 0.1 2 011", 1000, "tick", "975 0 0.1 2 011", "1");
        row("glide ends", "120 0 0.1 2 011", 120, "tick", "117 0 0.1 2 010", "1");
        // Gravity 0.1 + 2 / 2 x 0.01 = 0.11, speed 0 - 0.11, top 120 + 0.11.
        row("first fall", armed, 120, "tick", "120.11 -0.11 0.11 2 010", "1");
        // Rebounding: gravity 0.2 - 0.01, speed 2 - 0.19 = 1.81, top 1000 - 1.81.
        row("rebound", "1000 2 0.2 10 110", 900, "tick", "998.19 1.81 0.19 10 110", "1");
        // Past the floor but shown above it: no contact yet; shown on it: a contact.
        row("late turn", "1430 -20 0.1 2 010", 1430, "tick", "1450.11 -20.11 0.11 2 010", "1");
        row("contact", "1450 -20 0.1 2 010", 1440, "tick", "1470.11 20.11 0.11 3 110", "1");
        // Gravity 40 / 2 x 0.01 + 0.3 = 0.5, speed -0.8: turned, but below 1 no rebound.
        row("weak rebound", "1445 -0.3 0.3 40 010", 1445, "tick", "1445.8 0.8 0.5 41 010", "1");
        // Gravity 43 / 2 x 0.01 + 0.1 = 0.315: the 44th contact stops the timer.
        row("last tick", "1500 -20 0.1 43 010", 1500, "tick", "1520.315 20.315 0.315 44 110", "0");
        // One glide step to 117, then 22 rebounding ticks: gravity 0.3 - 0.01 k, speed 5 minus
        // their sum = 5 - 6.6 + 2.53 = 0.93, top 117 - 54.34 (as the floats come out).
        row("speed below 1 after a lift", "120 5 0.3 2 111", 120, "tick*23",
            "62.66 0.92999953 0.0800000057 2 010", "1");
        const char *const overflow = "Přetečení reálného čísla.";
        row("gravity overflows", "600 0 max max 010", 600, "tick", "", overflow);
        row("speed overflows", "600 max -max 2 110", 600, "tick", "", overflow);
        row("glide NaN", "nan 5 0 0 011", 600, "tick", "", "Neplatná operace s reálným číslem.");
    }
    void rule()
    {
        QFETCH(QString, from);
        QFETCH(float, shown);
        QFETCH(QString, action);
        State icon = state(from);
        QString said;
        try {
            for (int k = 0; k < std::max(1, action.section(u'*', 1).toInt()); ++k) {
                said = action == u"load" ? (icon.load(), QString())
                    : action == u"drop"  ? QString::number(icon.drop(shown))
                    : action == u"lift"  ? QString::number(icon.lift())
                                         : QString::number(icon.tick(shown));
                shown = icon.top;
            }
        } catch (const ArithmeticError &error) {
            said = QString::fromUtf8(error.what());
        }
        QTEST(said, "answer");
        QFETCH(QString, expected);
        QCOMPARE(fields(icon), fields(state(expected)));
    }
    // On the window, timeout by timeout, the icon is shown where a separate simulation of the
    // rule (Python, every stored value packed to a 32-bit float) puts it: 127.7, 156.4 and
    // 468.5 twips after 10, 20 and 50 ticks, whatever dedication clicks come while it falls; at
    // rest on the floor (1477.92 twips) after 537 ticks. A click on the icon at rest lifts it,
    // to rest again at 1475.69 twips after 648 ticks.
    void window()
    {
        click("Label6");
        const std::pair<int, int> tops[] = { { 10, 9 }, { 20, 10 }, { 50, 31 } };
        int ticks = 0;
        for (const auto &[tick, pixels] : tops) {
            for (; ticks < tick; ++ticks)
                QVERIFY(QMetaObject::invokeMethod(timer(), "timeout"));
            QCOMPARE(icon(), QPoint(8, pixels));
            click("Label6");
        }
        QCOMPARE(ticks + runToRest(), 537);
        QCOMPARE(icon(), QPoint(8, 99));
        click("Image1");
        QCOMPARE(runToRest(), 648);
        QCOMPARE(icon(), QPoint(8, 98));
    }
    // A click on a control without a handler changes nothing, idle (a stray dedication handler
    // would start the timer) or at rest (a stray icon handler would). The dedication click
    // starts the timer only above 500 twips; the link opens the maker's site.
    void clicks_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("atRest");
        QTest::addColumn<bool>("starts");
        for (const char *name :
            { "Label1", "Label2", "Label3", "Label4", "Label5", "Label7", "Image2" })
            for (const bool atRest : { false, true })
                QTest::addRow("%s%s", name, atRest ? " at rest" : "")
                    << u8(name) << atRest << false;
        QTest::newRow("icon before the dedication click") << "Image1" << false << false;
        QTest::newRow("dedication") << "Label6" << false << true;
        QTest::newRow("dedication at rest") << "Label6" << true << false;
    }
    void clicks()
    {
        QFETCH(QString, name);
        QFETCH(bool, atRest);
        QFETCH(bool, starts);
        if (atRest) {
            click("Label6");
            QCOMPARE(runToRest(), 537);
        }
        const QPoint before = icon();
        click(qPrintable(name));
        QCOMPARE(timer()->isActive(), starts);
        QCOMPARE(icon(), before);
        if (name == u"Label4") { // the link opens the site; screen readers name it by its address
            const QList<QUrl> site = { QUrl(u8("http://www.kelmo.cz/")) };
            QCOMPARE(std::exchange(m_browser.opened, {}), site);
            QAccessibleInterface *link = QAccessible::queryAccessibleInterface(at("Label4"));
            QCOMPARE(link->text(QAccessible::Name), u8("www.kelmo.cz"));
            QVERIFY(link->text(QAccessible::Description).contains(u"http://www.kelmo.cz/"));
        }
    }
};

QTEST_MAIN(TestForm2)
#include "tst_form2.moc"
