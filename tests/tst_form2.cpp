// SPDX-License-Identifier: MIT
// Tests of the about window: the design as the window builds it, the texts and whether they
// fit, the load step, the web link, and the falling-icon animation driven tick by tick.

#include "catalogue.h"
#include "hiddenitem.h"
#include "form2.h"
#include "guard.h"
#include "toolkit.h"

#include <QAccessible>
#include <QApplication>
#include <QDesktopServices>
#include <QLabel>
#include <QRegularExpression>
#include <QTimer>
#include <QtTest>

#include <cfloat>
#include <cmath>
#include <utility>

namespace {

using Form = std::unique_ptr<Form2>;
using State = Form2::Animation;

struct Control
{
    const char *name;
    QRect box; // twips; for labels the height is an upper bound
    double pointSize; // 0: a picture
    bool bold;
    QString pattern; // the caption
    bool fitsDesignWidth;
};

} // namespace

class TestForm2 : public QObject
{
    Q_OBJECT
    QStringList m_errors;
    QList<QUrl> m_urls; // what the window asked the desktop's browser to open

    template <typename T> static T take(T &list) { return std::exchange(list, {}); }
    QLabel *control(const QWidget &f, const char *n) { return f.findChild<QLabel *>(n); }
    QTimer *timer(const QWidget &f) { return f.findChild<QTimer *>("Timer1"); }
    QRect inTwips(const QRect &r) { return QRect(r.topLeft() * 15, r.size() * 15); }
    void click(QWidget &f, const char *n) { QTest::mouseClick(control(f, n), Qt::LeftButton); }
    float iconTop(QWidget &f) { return static_cast<Form2 &>(f).iconTop(); }

    Form loadedForm()
    {
        auto form = std::make_unique<Form2>();
        form->load();
        return form;
    }

    // The fields as text, nine digits to a float: QCOMPARE would forgive floats 1e-5 of difference.
    QString fields(const State &a)
    {
        return QString::asprintf("%.9g %.9g %.9g %.9g %d%d%d", a.IconTop, a.IconSpeed,
            a.IconGravity, a.BounceCount, a.IconRebounding, a.AnimationArmed, a.IconRising);
    }

    // Everything a click could change, so that a comparison shows what changed.
    QString describe(Form2 &form)
    {
        QString text = fields(form.animation()) + form.windowTitle()
            + QString::asprintf(" timer %d icon %.9g", timer(form)->isActive(), iconTop(form));
        for (const QLabel *l : form.findChildren<QLabel *>())
            text += QString::asprintf("\n%s %d,%d %dx%d %d ", qPrintable(l->objectName()), l->x(),
                        l->y(), l->width(), l->height(), l->isVisible())
                + l->text();
        return text;
    }

    // Runs ticks until the timer stops; returns the number of ticks.
    int runToRest(Form2 &form)
    {
        int ticks = 0;
        for (; timer(form)->isActive() && ticks < 10000; ++ticks)
            form.tickForTesting();
        return ticks;
    }

public Q_SLOTS:
    void openUrl(const QUrl &url) { m_urls.append(url); }

private Q_SLOTS:
    void initTestCase()
    {
        Toolkit::setUpLook(*qApp);
        Guard::setErrorSink([this](const QString &message) { m_errors.append(message); });
        QDesktopServices::setUrlHandler(QStringLiteral("http"), this, "openUrl");
    }
    void cleanupTestCase() { QDesktopServices::unsetUrlHandler(QStringLiteral("http")); }
    void cleanup()
    {
        restoreCatalogue();
        // A test that expects errors or a browser takes them; any other is a fault.
        QCOMPARE(take(m_errors), QStringList());
        QCOMPARE(take(m_urls), QList<QUrl>());
    }

    void design_data()
    {
        QTest::addColumn<Control>("c");
        const auto row = [](const char *name, QRect box, double size = 0, bool bold = false,
                             QString pattern = {}, bool fits = true) {
            QTest::newRow(name) << Control { name, box, size, bold, std::move(pattern), fits };
        };
        row("Label1", QRect(720, 120, 1440, 240), 9.75, true, R"(Astrelo v1\.1\.)");
        row("Label2", QRect(720, 480, 2340, 195), 8, false, R"((Copyright )?© 2007 \S.*)");
        row("Label3", QRect(720, 720, 3300, 195), 8, false,
            R"(Vytvořil : \p{Lu}\p{Ll}+ \p{Lu}\p{Ll}+; [a-z0-9._-]+@kelmo\.cz)");
        row("Label4", QRect(720, 1080, 1800, 240), 9.75, true, R"(www\.kelmo\.cz)");
        row("Label6", QRect(120, 2040, 1470, 195), 8, false,
            R"(\.\.\.věnováno \p{Lu}\p{Ll}{4}\.\.\.)");
        // In Liberation Sans, for MS Sans Serif, the fixed wording runs a little past the width.
        row("Label7", QRect(120, 2280, 3135, 195), 8, false,
            R"(F tekstách múšou \(sou\) bít chibi a překlepi\.\.\.)", false);
        row("Label5", QRect(120, 2520, 4050, 195), 8, false, R"(v1\.1\. {67}Id\.:\d{5})", false);
        row("Image1", QRect(120, 120, 480, 480));
        row("Image2", QRect(720, 1440, 3300, 525));
    }

    void design()
    {
        QFETCH(Control, c);
        const Form form = loadedForm();
        // The window: a fixed-size tool window of its own, its timer ready.
        QCOMPARE(form->windowTitle(), QStringLiteral("O programu"));
        QCOMPARE(form->windowFlags() & ~Qt::WindowFlags(Qt::WindowSystemMenuHint),
            Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
        QVERIFY(form->minimumSize() == QSize(282, 186) && form->maximumSize() == QSize(282, 186));
        QCOMPARE(form->font(), QFont(Toolkit::faceFor(QStringLiteral("MS Sans Serif")), 8));
        QVERIFY(timer(*form)->parent() == form.get() && timer(*form)->interval() == 25);
        QCOMPARE(timer(*form)->timerType(), Qt::PreciseTimer);
        // Image1 lies beneath every other control: where it crosses text, the text is in front.
        QStringList bottomToTop;
        for (const QWidget *w : form->findChildren<QWidget *>(Qt::FindDirectChildrenOnly))
            bottomToTop.append(w->objectName());
        QCOMPARE(bottomToTop.join(u' '),
            u"Image1 Label1 Label2 Label3 Label4 Label5 Label6 Image2 Label7");
        const QLabel *label = control(*form, c.name);
        const QRect twips = inTwips(label->geometry());
        if (c.pointSize == 0) {
            QCOMPARE(twips, c.box);
            QCOMPARE(label->pixmap().size(), c.box.size() / 15);
            return;
        }
        QCOMPARE(twips.topLeft(), c.box.topLeft());
        QVERIFY(twips.height() <= c.box.height());
        QFont font(Toolkit::faceFor(QStringLiteral("MS Sans Serif")), 8);
        font.setPointSizeF(c.pointSize);
        font.setBold(c.bold);
        QCOMPARE(label->font(), font);
        QVERIFY(label->textFormat() == Qt::PlainText && !label->wordWrap());
        const QString text = label->text();
        const QRegularExpression caption(QRegularExpression::anchoredPattern(c.pattern));
        QVERIFY2(caption.match(text).hasMatch(), qPrintable(text));
        // The whole caption shows, and our own wording fits the design width.
        const QFontMetrics metrics(font);
        const int textWidth = metrics.horizontalAdvance(text);
        QVERIFY2(label->width() >= textWidth, qPrintable(QString::number(textWidth)));
        QVERIFY(label->height() >= metrics.height() && form->rect().contains(label->geometry()));
        QVERIFY(!c.fitsDesignWidth || textWidth * 15 <= c.box.width());
    }

    void load()
    {
        hideCatalogueItem(CatalogueKind::Icon, 10);
        Form2 form;
        QLabel *icon = control(form, "Image1");
        QVERIFY_THROWS_EXCEPTION(CatalogueError, form.load());
        // The load step ended before it set any field.
        QCOMPARE(fields(form.animation()), fields({}));
        QCOMPARE(inTwips(icon->geometry()), QRect(120, 120, 15, 15));
        restoreCatalogue();
        form.load();
        QCOMPARE(fields(form.animation()), fields({ 120, 0, float(0.1), false, 2, false, false }));
        QCOMPARE(inTwips(icon->geometry()), QRect(120, 120, 480, 480));
        QCOMPARE(icon->pixmap().size(), QSize(32, 32));
        QVERIFY(iconTop(form) == 120.0f && !timer(form)->isActive());
    }

    void fullRun()
    {
        const Form form = loadedForm();
        click(*form, "Label6");
        int ticks = 0, contacts = 0;
        while (timer(*form)->isActive() && ticks < 10000) {
            const float bouncesBefore = form->animation().BounceCount;
            // Each tick as the timer delivers it, through the error guard.
            QVERIFY(QMetaObject::invokeMethod(timer(*form), "timeout", Qt::DirectConnection));
            if (++ticks == 10)
                click(*form, "Label6"); // a second click while the icon falls changes nothing
            contacts += form->animation().BounceCount > bouncesBefore;
            // The icon is at the computed top after every tick, and only its top moves.
            QCOMPARE(iconTop(*form), form->animation().IconTop);
            QCOMPARE(control(*form, "Image1")->pos(), QPoint(8, qRound(iconTop(*form) / 15)));
        }
        QCOMPARE(ticks, 537); // the tick of the 42nd floor contact
        QCOMPARE(contacts, 42);
        QCOMPARE(form->animation().BounceCount, 44.0f);
        QCOMPARE(double(iconTop(*form)), double(1477.923828125f)); // at or a little below 1440
    }

    // Ticks after an icon click at 120, or at a state's top (else 600) then in that state. A fault
    // ends its tick with the icon and top unmoved and the timer on, even at 44 floor contacts.
    void ticks_data()
    {
        QTest::addColumn<State>("from"); // top, speed, gravity, rebounding, bounces, armed, rising
        QTest::addColumn<int>("ticks");
        QTest::addColumn<State>("expected");
        QTest::addColumn<QString>("error");
        const auto row = [](const char *name, State from, int ticks, State to,
                             const QString &error = {}) {
            QTest::newRow(name) << from << ticks << to << error;
        };
        // From 120 a single glide step reaches 117, at or above 150: the throw follows at once.
        row("glide", {}, 1, { 117, 5, 0.3f, true, 2, true });
        row("thrown", {}, 2, { 112.290001f, 4.71000004f, 0.290000021f, true, 2, true });
        row("speed < 1", {}, 23, { 62.6599998f, 0.92999953f, 0.0800000057f, false, 2, true });
        row("falling", {}, 31, { 59.3000031f, -0.0700004995f, 0.160000011f, false, 2, true });
        // Falling fast onto the floor, one contact short of rest: the last tick still moves.
        row("last tick", { 1500, -20, float(0.1), false, 43, true }, 1,
            { 1520.31494f, 20.3150005f, 0.314999998f, true, 44, true });
        row("gravity", { 600, 0, FLT_MAX, false, FLT_MAX, true }, 1, { 600 }, "Přetečení");
        row("speed", { 600, FLT_MAX, -FLT_MAX, true, 2, true }, 1, { 600 }, "Přetečení");
        row("top", { -FLT_MAX, FLT_MAX, 0, true, 2, true }, 1, { -FLT_MAX }, "Přetečení");
        row("inf", { 600, 0, INFINITY, true, 2, true }, 1, { 600 }, "Přetečení");
        row("glide NaN", { NAN, 5, 0.3f, true, 2, true, true }, 1, { NAN }, "Neplatná");
    }

    void ticks()
    {
        QFETCH(State, from);
        QFETCH(int, ticks);
        QFETCH(State, expected);
        QFETCH(QString, error);
        const float at = !from.AnimationArmed ? 120 : from.IconTop > 0 ? from.IconTop : 600;
        const Form form = loadedForm();
        Form2::Animation armed = form->animation();
        armed.AnimationArmed = true;
        form->setAnimationForTesting(armed, at);
        click(*form, "Image1");
        if (from.AnimationArmed)
            form->setAnimationForTesting(from, form->iconTop());
        for (int done = 0; done < ticks; ++done)
            form->tickForTesting();
        const QStringList errors = take(m_errors);
        QCOMPARE(errors.size(), int(!error.isEmpty()));
        QVERIFY2(error.isEmpty() || errors.first().contains(error), qPrintable(errors.join(u' ')));
        const int compared = error.isEmpty() ? 6 : 0; // after a fault, only the top
        QCOMPARE(fields(form->animation()).section(u' ', 0, compared),
            fields(expected).section(u' ', 0, compared));
        QCOMPARE(double(iconTop(*form)), double(error.isEmpty() ? expected.IconTop : at));
        QCOMPARE(control(*form, "Image1")->y(), qRound(iconTop(*form) / 15));
        QCOMPARE(timer(*form)->isActive(), expected.BounceCount < 44 || !error.isEmpty());
    }

    void iconClicksKeepItGoing()
    {
        const Form form = loadedForm();
        click(*form, "Label6");
        // A click every 400 ticks, before the run can end: the animation never stops.
        for (int done = 1; done <= 4000; ++done) {
            form->tickForTesting();
            QVERIFY2(timer(*form)->isActive(), qPrintable(QString::number(done)));
            if (done % 400 == 0)
                click(*form, "Image1");
        }
        // Left alone, it comes to rest on the floor again.
        QVERIFY(runToRest(*form) > 0);
        QVERIFY(iconTop(*form) >= 1440.0f && iconTop(*form) < 1500.0f);
    }

    void clicks_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<float>("top"); // where the icon is placed; 0: at rest after a full run
        QTest::addColumn<bool>("starts"); // the click starts the timer and changes nothing else
        // Idle, a stray dedication handler would start the timer; at rest, a stray icon handler.
        for (const char *name :
            { "Label1", "Label2", "Label3", "Label4", "Label5", "Label7", "Image2" }) {
            QTest::addRow("%s idle", name) << QString::fromLatin1(name) << 120.0f << false;
            QTest::addRow("%s at rest", name) << QString::fromLatin1(name) << 0.0f << false;
        }
        QTest::newRow("icon before the dedication click") << "Image1" << 120.0f << false;
        for (const float top : { 120.0f, 499.99f, 500.0f, 1440.0f, 0.0f })
            QTest::addRow("dedication at %g", top) << "Label6" << top << (top > 0 && top < 500);
    }

    void clicks()
    {
        QFETCH(QString, name);
        QFETCH(float, top);
        QFETCH(bool, starts);
        const Form form = loadedForm();
        if (top == 0) {
            click(*form, "Label6");
            QCOMPARE(runToRest(*form), 537);
        } else {
            form->setAnimationForTesting(form->animation(), top);
        }
        const QString before = describe(*form);
        click(*form, qPrintable(name));
        if (name == u"Label4") { // the link opens the site; screen readers name it by its address
            QCOMPARE(take(m_urls), QList<QUrl>({ QUrl(QStringLiteral("http://www.kelmo.cz/")) }));
            QAccessibleInterface *link
                = QAccessible::queryAccessibleInterface(control(*form, "Label4"));
            QCOMPARE(link->text(QAccessible::Name), QStringLiteral("www.kelmo.cz"));
            QVERIFY(link->text(QAccessible::Description).contains(u"http://www.kelmo.cz/"));
            QCOMPARE(control(*form, "Label4")->cursor().shape(), Qt::WhatsThisCursor);
        }
        QCOMPARE(timer(*form)->isActive(), starts);
        QCOMPARE(form->animation().AnimationArmed, starts || top == 0);
        timer(*form)->stop(); // put back what the click may start, then nothing else changed
        Form2::Animation armed = form->animation();
        armed.AnimationArmed = top == 0;
        form->setAnimationForTesting(armed, form->iconTop());
        QCOMPARE(describe(*form), before);
    }
};

QTEST_MAIN(TestForm2)
#include "tst_form2.moc"
