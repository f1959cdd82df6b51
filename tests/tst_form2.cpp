// SPDX-License-Identifier: MIT
// Tests of the about window: the design as the window builds it, the texts and whether they
// fit, the load step, the web link, and the falling-icon animation driven tick by tick.

#include "arithmetic.h"
#include "catalogue.h"
#include "form2.h"
#include "guard.h"
#include "toolkit.h"

#include <QAccessible>
#include <QApplication>
#include <QDesktopServices>
#include <QFontMetrics>
#include <QLabel>
#include <QPointer>
#include <QRegularExpression>
#include <QTimer>
#include <QUrl>
#include <QtTest>

#include <cmath>
#include <limits>
#include <memory>
#include <utility>

namespace {

constexpr float FloatMax = std::numeric_limits<float>::max();
constexpr float Infinity = std::numeric_limits<float>::infinity();
constexpr float NotANumber = std::numeric_limits<float>::quiet_NaN();

// The run from the dedication click, as a float simulation of the animation computes it.
constexpr int TicksOfFullRun = 537;
constexpr int FloorContactsOfFullRun = 42;
constexpr float RestingTop = 1477.923828125f;

// QCOMPARE forgives floats a relative difference of 1e-5; the animation's values must match
// to the last bit, so floats are compared as doubles, where a float's last bit shows.
#define QCOMPARE_EXACT(actual, expected) QCOMPARE(double(actual), double(expected))

QLabel *control(const QWidget &form, const char *name)
{
    return form.findChild<QLabel *>(QLatin1String(name));
}

QTimer *timer(const QWidget &form)
{
    return form.findChild<QTimer *>(QStringLiteral("Timer1"));
}

QRect inTwips(const QRect &pixels)
{
    return QRect(Toolkit::pixelsToTwips(pixels.x()), Toolkit::pixelsToTwips(pixels.y()),
        Toolkit::pixelsToTwips(pixels.width()), Toolkit::pixelsToTwips(pixels.height()));
}

// The icon's top as the window holds it: fractional twips in a property of the image.
float iconTop(const QWidget &form)
{
    return control(form, "Image1")->property("topTwips").toFloat();
}

void click(const QWidget &form, const char *name)
{
    QWidget *target = control(form, name);
    QVERIFY2(target, name);
    QTest::mouseClick(target, Qt::LeftButton);
}

std::unique_ptr<Form2> loadedForm()
{
    auto form = std::make_unique<Form2>();
    form->load();
    return form;
}

// Everything a click could change, as text, so that a comparison shows what changed.
QString describe(const Form2 &form)
{
    const Form2::Animation &a = form.animation();
    QString text = QStringLiteral("top %1 speed %2 gravity %3 rebounding %4 bounces %5 armed %6 "
                                  "rising %7 timer %8 icon %9\n")
                       .arg(double(a.IconTop), 0, 'g', 9)
                       .arg(double(a.IconSpeed), 0, 'g', 9)
                       .arg(double(a.IconGravity), 0, 'g', 9)
                       .arg(a.IconRebounding)
                       .arg(double(a.BounceCount), 0, 'g', 9)
                       .arg(a.AnimationArmed)
                       .arg(a.IconRising)
                       .arg(timer(form)->isActive())
                       .arg(double(iconTop(form)), 0, 'g', 9);
    const QList<QLabel *> labels = form.findChildren<QLabel *>();
    for (const QLabel *label : labels) {
        const QRect box = label->geometry();
        text += QStringLiteral("%1 %2,%3 %4x%5 %6 %7\n")
                    .arg(label->objectName())
                    .arg(box.x())
                    .arg(box.y())
                    .arg(box.width())
                    .arg(box.height())
                    .arg(label->text())
                    .arg(label->isVisible());
    }
    return text + form.windowTitle();
}

// Runs ticks until the timer stops; returns the number of ticks, or -1 if it never stops.
int runToRest(Form2 &form, int limit = 10000)
{
    for (int ticks = 1; ticks <= limit; ++ticks) {
        form.tickForTesting();
        if (!timer(form)->isActive())
            return ticks;
    }
    return -1;
}

} // namespace

// Stands in for the desktop's browser while it exists: collects the web addresses that the
// window asks the desktop to open.
class UrlRecorder : public QObject
{
    Q_OBJECT

public:
    UrlRecorder() { QDesktopServices::setUrlHandler(QStringLiteral("http"), this, "open"); }
    ~UrlRecorder() override { QDesktopServices::unsetUrlHandler(QStringLiteral("http")); }

    QList<QUrl> urls;

public Q_SLOTS:
    void open(const QUrl &url) { urls.append(url); }
};

// Counts the mouse presses that reach one widget.
class PressCounter : public QObject
{
public:
    explicit PressCounter(QWidget *watched)
        : QObject(watched)
    {
        watched->installEventFilter(this);
    }

    int count = 0;

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        count += event->type() == QEvent::MouseButtonPress;
        return false;
    }
};

class TestForm2 : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void cleanup();

    void windowDesign();
    void labelDesign_data();
    void labelDesign();
    void stackingOrder();
    void captionTexts_data();
    void captionTexts();
    void captionsFit_data();
    void captionsFit();
    void controlsDoNotOverlap();

    void loadStep();
    void missingIconFailsLoad();
    void freshWindowAfterClose();

    void fullRun();
    void lastTickStillMovesIcon();
    void iconClickBeforeDedication();
    void dedicationClick_data();
    void dedicationClick();
    void dedicationClickDuringRun_data();
    void dedicationClickDuringRun();
    void iconClickGlidesAndThrows_data();
    void iconClickGlidesAndThrows();
    void glideLength_data();
    void glideLength();
    void iconClickFromRest();
    void iconClicksKeepItGoing();
    void timerTicksRunTheAnimation();
    void arithmeticFault_data();
    void arithmeticFault();
    void checkedArithmetic_data();
    void checkedArithmetic();

    void webLink();
    void otherControlsIgnoreClicks_data();
    void otherControlsIgnoreClicks();

private:
    QStringList m_errors;
};

void TestForm2::initTestCase()
{
    Toolkit::setUpLook(*qApp);
    Guard::setErrorSink([this](const QString &message) { m_errors.append(message); });
}

void TestForm2::cleanup()
{
    restoreCatalogue();
    // A test that expects errors takes them; any other error is a fault.
    const QStringList errors = std::exchange(m_errors, {});
    QVERIFY2(errors.isEmpty(), qPrintable(errors.join(QLatin1Char('\n'))));
}

void TestForm2::windowDesign()
{
    const Form2 form;
    QVERIFY(form.isWindow());
    QVERIFY(!form.parentWidget());
    QCOMPARE(form.windowTitle(), QStringLiteral("O programu"));
    QCOMPARE(form.windowType(), Qt::Tool);
    const Qt::WindowFlags flags = form.windowFlags();
    QVERIFY(flags.testFlag(Qt::CustomizeWindowHint));
    QVERIFY(flags.testFlag(Qt::WindowTitleHint));
    QVERIFY(flags.testFlag(Qt::WindowCloseButtonHint));
    QVERIFY(!flags.testFlag(Qt::WindowMinimizeButtonHint));
    QVERIFY(!flags.testFlag(Qt::WindowMaximizeButtonHint));
    QCOMPARE(form.size(), QSize(282, 186));
    QCOMPARE(form.minimumSize(), QSize(282, 186));
    QCOMPARE(form.maximumSize(), QSize(282, 186));
    QCOMPARE(inTwips(form.rect()).size(), QSize(4230, 2790));
    QCOMPARE(form.font().family(), QStringLiteral("MS Sans Serif"));
    QCOMPARE(form.font().pointSizeF(), 8.0);
    QVERIFY(!form.font().bold());
    QCOMPARE(form.windowIcon().pixmap(32).size(), QSize(32, 32));

    QTimer *const ticker = timer(form);
    QVERIFY(ticker);
    QCOMPARE(ticker->parent(), &form);
    QCOMPARE(ticker->interval(), 25);
    QCOMPARE(ticker->timerType(), Qt::PreciseTimer);
    QVERIFY(!ticker->isActive());
}

void TestForm2::labelDesign_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QPoint>("topLeft"); // twips
    QTest::addColumn<int>("designHeight"); // twips
    QTest::addColumn<double>("pointSize");
    QTest::addColumn<bool>("bold");
    QTest::addColumn<Qt::CursorShape>("cursor");

    QTest::newRow("title") << "Label1" << QPoint(720, 120) << 240 << 9.75 << true
                           << Qt::ArrowCursor;
    QTest::newRow("copyright") << "Label2" << QPoint(720, 480) << 195 << 8.0 << false
                               << Qt::ArrowCursor;
    QTest::newRow("author") << "Label3" << QPoint(720, 720) << 195 << 8.0 << false
                            << Qt::ArrowCursor;
    QTest::newRow("link") << "Label4" << QPoint(720, 1080) << 240 << 9.75 << true
                          << Qt::WhatsThisCursor;
    QTest::newRow("dedication") << "Label6" << QPoint(120, 2040) << 195 << 8.0 << false
                                << Qt::ArrowCursor;
    QTest::newRow("typo notice") << "Label7" << QPoint(120, 2280) << 195 << 8.0 << false
                                 << Qt::ArrowCursor;
    QTest::newRow("version line") << "Label5" << QPoint(120, 2520) << 195 << 8.0 << false
                                  << Qt::ArrowCursor;
}

void TestForm2::labelDesign()
{
    QFETCH(QString, name);
    QFETCH(QPoint, topLeft);
    QFETCH(int, designHeight);
    QFETCH(double, pointSize);
    QFETCH(bool, bold);
    QFETCH(Qt::CursorShape, cursor);

    const Form2 form;
    const QLabel *label = control(form, qPrintable(name));
    QVERIFY(label);
    QCOMPARE(inTwips(label->geometry()).topLeft(), topLeft);
    QVERIFY(Toolkit::pixelsToTwips(label->height()) <= designHeight);

    const QFont font = label->font();
    QCOMPARE(font.family(), QStringLiteral("MS Sans Serif"));
    QCOMPARE(font.pointSizeF(), pointSize);
    QCOMPARE(font.bold(), bold);
    QVERIFY(!font.underline());
    QVERIFY(!font.italic());
    QCOMPARE(label->cursor().shape(), cursor);

    // One line of plain text in the window's own text colour on the window's background.
    QCOMPARE(label->textFormat(), Qt::PlainText);
    QVERIFY(!label->wordWrap());
    QCOMPARE(label->alignment(), Qt::AlignLeft | Qt::AlignTop);
    QCOMPARE(label->focusPolicy(), Qt::NoFocus);
    QVERIFY(!label->autoFillBackground());
    QCOMPARE(
        label->palette().color(QPalette::WindowText), form.palette().color(QPalette::WindowText));
}

void TestForm2::stackingOrder()
{
    const std::unique_ptr<Form2> form = loadedForm();
    QStringList bottomToTop;
    const QList<QWidget *> controls = form->findChildren<QWidget *>(Qt::FindDirectChildrenOnly);
    for (const QWidget *widget : controls)
        bottomToTop.append(widget->objectName());
    QCOMPARE(bottomToTop,
        QStringList({ "Image1", "Label1", "Label2", "Label3", "Label4", "Label5", "Label6",
            "Image2", "Label7" }));

    // Where the falling icon crosses a line of text, the text is in front.
    form->placeIconForTesting(2040.0f);
    const QLabel *dedication = control(*form, "Label6");
    QCOMPARE(form->childAt(dedication->geometry().topLeft() + QPoint(4, 4)), dedication);
}

void TestForm2::captionTexts_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("pattern");
    QTest::addColumn<int>("length"); // -1: any length

    QTest::newRow("title") << "Label1"
                           << R"(Astrelo v1\.1\.)" << 13;
    QTest::newRow("copyright") << "Label2"
                               << R"((Copyright )?© 2007 \S.*)" << -1;
    QTest::newRow("author") << "Label3"
                            << R"(Vytvořil : \p{Lu}\p{Ll}+ \p{Lu}\p{Ll}+; [a-z0-9._-]+@kelmo\.cz)"
                            << -1;
    QTest::newRow("link") << "Label4"
                          << R"(www\.kelmo\.cz)" << -1;
    QTest::newRow("dedication") << "Label6"
                                << R"(\.\.\.věnováno \p{Lu}\p{Ll}{4}\.\.\.)" << 20;
    QTest::newRow("typo notice") << "Label7"
                                 << QRegularExpression::escape(QStringLiteral(
                                        "F tekstách múšou (sou) bít chibi a překlepi..."))
                                 << 46;
    QTest::newRow("version line") << "Label5"
                                  << R"(v1\.1\. {67}Id\.:\d{5})" << 81;
}

void TestForm2::captionTexts()
{
    QFETCH(QString, name);
    QFETCH(QString, pattern);
    QFETCH(int, length);

    const Form2 form;
    const QString text = control(form, qPrintable(name))->text();
    const QRegularExpression expected(QRegularExpression::anchoredPattern(pattern));
    QVERIFY(expected.isValid());
    QVERIFY2(expected.match(text).hasMatch(), qPrintable(text));
    if (length >= 0)
        QCOMPARE(text.size(), length);
}

void TestForm2::captionsFit_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("designWidth"); // twips
    // The wording of Label5 and Label7 is fixed; in Liberation Sans, which stands in for
    // MS Sans Serif, they run a few pixels past their design width into free space, so for
    // them the test asks only that the whole caption shows inside the window.
    QTest::addColumn<bool>("withinDesignWidth");

    QTest::newRow("title") << "Label1" << 1440 << true;
    QTest::newRow("copyright") << "Label2" << 2340 << true;
    QTest::newRow("author") << "Label3" << 3300 << true;
    QTest::newRow("link") << "Label4" << 1800 << true;
    QTest::newRow("dedication") << "Label6" << 1470 << true;
    QTest::newRow("typo notice") << "Label7" << 3135 << false;
    QTest::newRow("version line") << "Label5" << 4050 << false;
}

void TestForm2::captionsFit()
{
    QFETCH(QString, name);
    QFETCH(int, designWidth);
    QFETCH(bool, withinDesignWidth);

    const Form2 form;
    const QLabel *label = control(form, qPrintable(name));
    const QFontMetrics metrics(label->font());
    const int textWidth = metrics.horizontalAdvance(label->text());
    QVERIFY2(label->width() >= textWidth, qPrintable(QString::number(textWidth)));
    QVERIFY(label->height() >= metrics.height());
    QVERIFY(form.rect().contains(label->geometry()));
    if (withinDesignWidth) {
        QVERIFY2(Toolkit::pixelsToTwips(textWidth) <= designWidth,
            qPrintable(QStringLiteral("%1 px").arg(textWidth)));
    }
}

void TestForm2::controlsDoNotOverlap()
{
    // Only the falling icon crosses other controls.
    const std::unique_ptr<Form2> form = loadedForm();
    const char *const names[]
        = { "Label1", "Label2", "Label3", "Label4", "Label5", "Label6", "Label7", "Image2" };
    for (const char *first : names) {
        for (const char *second : names) {
            if (first == second)
                continue;
            const QRect a = control(*form, first)->geometry();
            const QRect b = control(*form, second)->geometry();
            QVERIFY2(!a.intersects(b), qPrintable(QStringLiteral("%1 %2").arg(first, second)));
        }
    }
    const QRect icon = control(*form, "Image1")->geometry();
    QVERIFY(!icon.intersects(control(*form, "Label1")->geometry()));
}

void TestForm2::loadStep()
{
    Form2 form;
    const QLabel *icon = control(form, "Image1");
    // Before the load step: every field zero, the icon a one-pixel placeholder.
    const Form2::Animation &a = form.animation();
    QCOMPARE(a.IconTop, 0.0f);
    QCOMPARE(a.IconSpeed, 0.0f);
    QCOMPARE(a.IconGravity, 0.0f);
    QCOMPARE(a.BounceCount, 0.0f);
    QVERIFY(!a.IconRebounding && !a.AnimationArmed && !a.IconRising);
    QCOMPARE(inTwips(icon->geometry()), QRect(120, 120, 15, 15));
    QCOMPARE(iconTop(form), 120.0f);

    form.load();
    QCOMPARE(a.IconTop, 120.0f);
    QCOMPARE(a.IconSpeed, 0.0f);
    QCOMPARE_EXACT(a.IconGravity, float(0.1));
    QCOMPARE(a.BounceCount, 2.0f);
    QVERIFY(!a.IconRebounding && !a.AnimationArmed && !a.IconRising);
    QCOMPARE(inTwips(icon->geometry()), QRect(120, 120, 480, 480));
    QCOMPARE(icon->pixmap().size(), QSize(32, 32));
    QCOMPARE(iconTop(form), 120.0f);
    QVERIFY(!timer(form)->isActive());

    // The banner at its picture's own size.
    const QLabel *banner = control(form, "Image2");
    QCOMPARE(banner->pixmap().size(), QSize(220, 35));
    QCOMPARE(inTwips(banner->geometry()), QRect(720, 1440, 3300, 525));
}

void TestForm2::missingIconFailsLoad()
{
    hideCatalogueItem(CatalogueKind::Icon, 10);
    Form2 form;
    QVERIFY_THROWS_EXCEPTION(CatalogueError, form.load());
    // The load step ended before it set any field.
    QCOMPARE(form.animation().IconGravity, 0.0f);
    QCOMPARE(form.animation().BounceCount, 0.0f);
    QCOMPARE(form.animation().IconTop, 0.0f);
    QCOMPARE(inTwips(control(form, "Image1")->geometry()), QRect(120, 120, 15, 15));
}

void TestForm2::freshWindowAfterClose()
{
    QPointer<Form2> form = new Form2;
    form->setAttribute(Qt::WA_DeleteOnClose);
    form->load();
    click(*form, "Label6");
    for (int tick = 0; tick < 100; ++tick)
        form->tickForTesting();
    QVERIFY(iconTop(*form) > 500.0f);
    const QPointer<QTimer> oldTimer = timer(*form);
    QVERIFY(oldTimer->isActive());

    QVERIFY(form->close());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(form.isNull());
    QVERIFY(oldTimer.isNull());

    const std::unique_ptr<Form2> again = loadedForm();
    QCOMPARE(inTwips(control(*again, "Image1")->geometry()).topLeft(), QPoint(120, 120));
    QCOMPARE(iconTop(*again), 120.0f);
    QCOMPARE(again->animation().IconTop, 120.0f);
    QCOMPARE(again->animation().BounceCount, 2.0f);
    QVERIFY(!again->animation().AnimationArmed);
    QVERIFY(!timer(*again)->isActive());
}

void TestForm2::fullRun()
{
    const std::unique_ptr<Form2> form = loadedForm();
    click(*form, "Label6");
    QVERIFY(timer(*form)->isActive());
    QVERIFY(form->animation().AnimationArmed);

    const QLabel *icon = control(*form, "Image1");
    int ticks = 0;
    int contacts = 0;
    bool lastTickWasContact = false;
    while (timer(*form)->isActive() && ticks < 10000) {
        const float bouncesBefore = form->animation().BounceCount;
        form->tickForTesting();
        ++ticks;
        lastTickWasContact = form->animation().BounceCount > bouncesBefore;
        contacts += lastTickWasContact;
        // The icon is at the computed top after every tick, and only its top moves.
        QCOMPARE(iconTop(*form), form->animation().IconTop);
        QCOMPARE(icon->y(), int(std::lround(iconTop(*form) / Toolkit::TwipsPerPixel)));
        QCOMPARE(Toolkit::pixelsToTwips(icon->x()), 120);
    }
    QCOMPARE(ticks, TicksOfFullRun);
    QCOMPARE(contacts, FloorContactsOfFullRun);
    QVERIFY(lastTickWasContact);
    QCOMPARE_EXACT(form->animation().BounceCount, 44.0f);
    QCOMPARE(iconTop(*form), RestingTop);
    QVERIFY(iconTop(*form) >= 1440.0f && iconTop(*form) < 1500.0f);

    // At rest the dedication line no longer starts anything.
    const QString atRest = describe(*form);
    click(*form, "Label6");
    QCOMPARE(describe(*form), atRest);
}

void TestForm2::lastTickStillMovesIcon()
{
    const std::unique_ptr<Form2> form = loadedForm();
    form->placeIconForTesting(1500.0f);
    Form2::Animation &a = form->animationForTesting();
    a.AnimationArmed = true;
    click(*form, "Image1");
    QVERIFY(timer(*form)->isActive());
    // Falling fast onto the floor, one contact short of rest.
    a.IconRising = false;
    a.IconRebounding = false;
    a.IconTop = 1500.0f;
    a.IconSpeed = -20.0f;
    a.IconGravity = float(0.1);
    a.BounceCount = 43.0f;

    form->tickForTesting();
    QVERIFY(!timer(*form)->isActive());
    QCOMPARE_EXACT(a.BounceCount, 44.0f);
    QCOMPARE_EXACT(a.IconGravity, 0.3149999976158142f);
    QCOMPARE_EXACT(a.IconSpeed, 20.315000534057617f);
    QVERIFY(a.IconRebounding);
    QCOMPARE_EXACT(a.IconTop, 1520.31494140625f);
    QCOMPARE_EXACT(iconTop(*form), 1520.31494140625f);
    QCOMPARE(control(*form, "Image1")->y(), 101);
}

void TestForm2::iconClickBeforeDedication()
{
    const std::unique_ptr<Form2> form = loadedForm();
    const QString before = describe(*form);
    click(*form, "Image1");
    QCOMPARE(describe(*form), before);
}

void TestForm2::dedicationClick_data()
{
    QTest::addColumn<float>("top");
    QTest::addColumn<bool>("starts");

    QTest::newRow("at the start") << 120.0f << true;
    QTest::newRow("just above the limit") << 499.99f << true;
    QTest::newRow("at the limit") << 500.0f << false;
    QTest::newRow("on the floor") << 1440.0f << false;
    QTest::newRow("at rest below the floor") << RestingTop << false;
}

void TestForm2::dedicationClick()
{
    QFETCH(float, top);
    QFETCH(bool, starts);

    const std::unique_ptr<Form2> form = loadedForm();
    form->placeIconForTesting(top);
    const Form2::Animation before = form->animation();
    click(*form, "Label6");
    QCOMPARE(timer(*form)->isActive(), starts);
    QCOMPARE(form->animation().AnimationArmed, starts);
    // The click only starts the timer: the icon and the motion stay as they were.
    QCOMPARE_EXACT(iconTop(*form), top);
    QCOMPARE_EXACT(form->animation().IconTop, before.IconTop);
    QCOMPARE_EXACT(form->animation().IconSpeed, before.IconSpeed);
    QCOMPARE(form->animation().BounceCount, before.BounceCount);
}

void TestForm2::dedicationClickDuringRun_data()
{
    QTest::addColumn<int>("clickAfterTicks");

    QTest::newRow("falling, icon above 500") << 10;
    QTest::newRow("icon below 500") << 100;
    QTest::newRow("rebounding, icon above 500") << 200;
}

void TestForm2::dedicationClickDuringRun()
{
    QFETCH(int, clickAfterTicks);

    const std::unique_ptr<Form2> undisturbed = loadedForm();
    click(*undisturbed, "Label6");
    QCOMPARE(runToRest(*undisturbed), TicksOfFullRun);

    const std::unique_ptr<Form2> form = loadedForm();
    click(*form, "Label6");
    for (int tick = 0; tick < clickAfterTicks; ++tick)
        form->tickForTesting();
    const QString before = describe(*form);
    click(*form, "Label6");
    QCOMPARE(describe(*form), before);
    QCOMPARE(runToRest(*form), TicksOfFullRun - clickAfterTicks);
    QCOMPARE(describe(*form), describe(*undisturbed));
}

void TestForm2::iconClickGlidesAndThrows_data()
{
    QTest::addColumn<int>("ticks");
    QTest::addColumn<float>("top");
    QTest::addColumn<float>("speed");
    QTest::addColumn<float>("gravity");
    QTest::addColumn<bool>("rebounding");

    // From 120 a single glide step reaches 117, at or above 150: the throw follows at once.
    QTest::newRow("glide step") << 1 << 117.0f << 5.0f << 0.3f << true;
    QTest::newRow("thrown up") << 2 << 112.29000091552734f << 4.710000038146973f
                               << 0.2900000214576721f << true;
    QTest::newRow("still rising") << 3 << 107.86000061035156f << 4.429999828338623f
                                  << 0.2800000309944153f << true;
    QTest::newRow("last rebound tick")
        << 22 << 63.59000015258789f << 1.0099995136260986f << 0.09000000357627869f << true;
    QTest::newRow("speed below 1")
        << 23 << 62.65999984741211f << 0.9299995303153992f << 0.08000000566244125f << false;
    QTest::newRow("highest point")
        << 30 << 59.230003356933594f << 0.08999951183795929f << 0.15000000596046448f << false;
    QTest::newRow("falling again")
        << 31 << 59.30000305175781f << -0.07000049948692322f << 0.1600000113248825f << false;
}

void TestForm2::iconClickGlidesAndThrows()
{
    QFETCH(int, ticks);
    QFETCH(float, top);
    QFETCH(float, speed);
    QFETCH(float, gravity);
    QFETCH(bool, rebounding);

    const std::unique_ptr<Form2> form = loadedForm();
    click(*form, "Label6");
    click(*form, "Image1");
    const Form2::Animation &a = form->animation();
    QVERIFY(a.IconRising);
    QCOMPARE_EXACT(a.IconTop, 120.0f);
    QCOMPARE_EXACT(iconTop(*form), 120.0f);
    for (int tick = 0; tick < ticks; ++tick)
        form->tickForTesting();
    QVERIFY(!a.IconRising);
    QCOMPARE_EXACT(a.IconTop, top);
    QCOMPARE_EXACT(iconTop(*form), top);
    QCOMPARE_EXACT(a.IconSpeed, speed);
    QCOMPARE_EXACT(a.IconGravity, gravity);
    QCOMPARE(a.IconRebounding, rebounding);
    QCOMPARE_EXACT(a.BounceCount, 2.0f);
    QVERIFY(timer(*form)->isActive());
}

void TestForm2::glideLength_data()
{
    QTest::addColumn<float>("from");
    QTest::addColumn<int>("glideTicks");
    QTest::addColumn<float>("to");

    QTest::newRow("from the start") << 120.0f << 1 << 117.0f;
    QTest::newRow("one step onto 150") << 153.84616088867188f << 1 << 150.0f;
    QTest::newRow("one step to just below 150") << 153.84617614746094f << 2 << 146.25001525878906f;
    QTest::newRow("from the floor") << 1440.0f << 90 << 147.4951934814453f;
}

void TestForm2::glideLength()
{
    QFETCH(float, from);
    QFETCH(int, glideTicks);
    QFETCH(float, to);

    const std::unique_ptr<Form2> form = loadedForm();
    form->placeIconForTesting(from);
    form->animationForTesting().IconTop = from;
    form->animationForTesting().AnimationArmed = true;
    click(*form, "Image1");
    for (int tick = 1; tick < glideTicks; ++tick) {
        form->tickForTesting();
        QVERIFY2(form->animation().IconRising, qPrintable(QString::number(tick)));
    }
    form->tickForTesting();
    QVERIFY(!form->animation().IconRising);
    QCOMPARE_EXACT(iconTop(*form), to);
}

void TestForm2::iconClickFromRest()
{
    const std::unique_ptr<Form2> form = loadedForm();
    click(*form, "Label6");
    QCOMPARE(runToRest(*form), TicksOfFullRun);

    click(*form, "Image1");
    QVERIFY(timer(*form)->isActive());
    QCOMPARE_EXACT(form->animation().BounceCount, 2.0f);
    // The glide up: 2.5 % of the distance from the top edge per tick, until 150 or less.
    int glideTicks = 0;
    while (form->animation().IconRising && glideTicks < 1000) {
        const float before = iconTop(*form);
        form->tickForTesting();
        ++glideTicks;
        QCOMPARE_EXACT(iconTop(*form), float(before - before / 400.0 * 10.0));
    }
    QCOMPARE(glideTicks, 91);
    QCOMPARE_EXACT(iconTop(*form), 147.5951690673828f);
    // Then thrown up a little before it falls again.
    form->tickForTesting();
    QVERIFY(iconTop(*form) < 147.5951690673828f);
    QVERIFY(form->animation().IconRebounding);
}

void TestForm2::iconClicksKeepItGoing()
{
    const std::unique_ptr<Form2> form = loadedForm();
    click(*form, "Label6");
    // A click every 400 ticks, before the run can end: the animation never stops.
    for (int tick = 1; tick <= 4000; ++tick) {
        form->tickForTesting();
        QVERIFY2(timer(*form)->isActive(), qPrintable(QString::number(tick)));
        if (tick % 400 == 0) {
            click(*form, "Image1");
            QCOMPARE(form->animation().BounceCount, 2.0f);
        }
    }
    // Left alone, it comes to rest on the floor again.
    QVERIFY(runToRest(*form) > 0);
    QVERIFY(iconTop(*form) >= 1440.0f && iconTop(*form) < 1500.0f);
    QCOMPARE(form->animation().BounceCount, 44.0f);
}

void TestForm2::timerTicksRunTheAnimation()
{
    // The timer's tick runs the same step as tickForTesting, through the error guard.
    const std::unique_ptr<Form2> byTimer = loadedForm();
    const std::unique_ptr<Form2> byHand = loadedForm();
    click(*byTimer, "Label6");
    click(*byHand, "Label6");
    for (int tick = 0; tick < 3; ++tick) {
        QVERIFY(QMetaObject::invokeMethod(timer(*byTimer), "timeout", Qt::DirectConnection));
        byHand->tickForTesting();
    }
    QVERIFY(iconTop(*byTimer) > 120.0f);
    QCOMPARE(describe(*byTimer), describe(*byHand));

    byTimer->animationForTesting().IconTop = NotANumber;
    byTimer->animationForTesting().IconRising = true;
    QVERIFY(QMetaObject::invokeMethod(timer(*byTimer), "timeout", Qt::DirectConnection));
    QCOMPARE(std::exchange(m_errors, {}).size(), 1);
}

void TestForm2::arithmeticFault_data()
{
    QTest::addColumn<Form2::Animation>("state");
    QTest::addColumn<QString>("error");

    //                                  top, speed, gravity, rebounding, bounces, armed, rising
    QTest::newRow("gravity overflows")
        << Form2::Animation { 600.0f, 0.0f, FloatMax, false, FloatMax, true, false } << "overflow";
    QTest::newRow("speed overflows")
        << Form2::Animation { 600.0f, FloatMax, -FloatMax, true, 2.0f, true, false } << "overflow";
    QTest::newRow("top overflows")
        << Form2::Animation { -FloatMax, FloatMax, 0.0f, true, 2.0f, true, false } << "overflow";
    QTest::newRow("infinite gravity")
        << Form2::Animation { 600.0f, 0.0f, Infinity, true, 2.0f, true, false } << "overflow";
    QTest::newRow("glide from no number")
        << Form2::Animation { NotANumber, 5.0f, 0.3f, true, 2.0f, true, true } << "invalid";
}

void TestForm2::arithmeticFault()
{
    QFETCH(Form2::Animation, state);
    QFETCH(QString, error);

    const std::unique_ptr<Form2> form = loadedForm();
    form->placeIconForTesting(600.0f);
    form->animationForTesting().AnimationArmed = true;
    click(*form, "Image1");
    form->animationForTesting() = state;
    const QPoint iconAt = control(*form, "Image1")->pos();

    form->tickForTesting();
    const QStringList errors = std::exchange(m_errors, {});
    QCOMPARE(errors.size(), 1);
    QVERIFY2(errors.first().contains(error), qPrintable(errors.first()));
    // The tick ended at the fault: the icon did not move, the top was not computed, and the
    // timer was not stopped even where the bounce count would have stopped it.
    QCOMPARE(iconTop(*form), 600.0f);
    QCOMPARE(control(*form, "Image1")->pos(), iconAt);
    if (std::isnan(state.IconTop))
        QVERIFY(std::isnan(form->animation().IconTop));
    else
        QCOMPARE(form->animation().IconTop, state.IconTop);
    QVERIFY(timer(*form)->isActive());
}

void TestForm2::checkedArithmetic_data()
{
    QTest::addColumn<char>("operation");
    QTest::addColumn<double>("left");
    QTest::addColumn<double>("right");
    QTest::addColumn<QString>("error"); // empty: no error
    QTest::addColumn<double>("result");

    const double inf = std::numeric_limits<double>::infinity();
    QTest::newRow("division by zero") << '/' << 1.0 << 0.0 << "division by zero" << 0.0;
    QTest::newRow("zero by zero") << '/' << 0.0 << 0.0 << "division by zero" << 0.0;
    QTest::newRow("product beyond double") << '*' << 1e300 << 1e300 << "overflow" << 0.0;
    QTest::newRow("infinity minus infinity") << '-' << inf << inf << "invalid" << 0.0;
    QTest::newRow("sum of two largest floats")
        << '+' << double(FloatMax) << double(FloatMax) << QString() << 2.0 * double(FloatMax);
    QTest::newRow("largest float to float")
        << 'f' << double(FloatMax) << 0.0 << QString() << double(FloatMax);
    QTest::newRow("rounds down to the largest float")
        << 'f' << 0x1.fffffefffffffp+127 << 0.0 << QString() << double(FloatMax);
    QTest::newRow("rounds up beyond float") << 'f' << 0x1.ffffffp+127 << 0.0 << "overflow" << 0.0;
    QTest::newRow("negative beyond float") << 'f' << -1e39 << 0.0 << "overflow" << 0.0;
    QTest::newRow("tenth to float") << 'f' << 0.1 << 0.0 << QString() << double(0.1f);
}

void TestForm2::checkedArithmetic()
{
    QFETCH(char, operation);
    QFETCH(double, left);
    QFETCH(double, right);
    QFETCH(QString, error);
    QFETCH(double, result);

    const auto compute = [&]() -> double {
        switch (operation) {
        case '+':
            return Arithmetic::add(left, right);
        case '-':
            return Arithmetic::subtract(left, right);
        case '*':
            return Arithmetic::multiply(left, right);
        case '/':
            return Arithmetic::divide(left, right);
        default:
            return Arithmetic::toFloat(left);
        }
    };
    if (error.isEmpty()) {
        QCOMPARE(compute(), result);
        return;
    }
    try {
        compute();
        QFAIL("no error raised");
    } catch (const ArithmeticError &fault) {
        QVERIFY2(QString::fromUtf8(fault.what()).contains(error), fault.what());
    }
}

void TestForm2::webLink()
{
    UrlRecorder browser;
    const std::unique_ptr<Form2> form = loadedForm();
    const QString before = describe(*form);

    click(*form, "Label4");
    QCOMPARE(browser.urls, QList<QUrl>({ QUrl(QStringLiteral("http://www.kelmo.cz/")) }));
    QCOMPARE(control(*form, "Label4")->text(), browser.urls.first().host());
    // Screen readers name the link by its address.
    QAccessibleInterface *link = QAccessible::queryAccessibleInterface(control(*form, "Label4"));
    QCOMPARE(link->text(QAccessible::Name), QStringLiteral("www.kelmo.cz"));
    QVERIFY(link->text(QAccessible::Description).contains(QStringLiteral("http://www.kelmo.cz/")));
    // Whatever the browser does, the window shows and changes nothing.
    QCOMPARE(describe(*form), before);
}

void TestForm2::otherControlsIgnoreClicks_data()
{
    QTest::addColumn<QString>("name");
    // Idle: a stray dedication handler would start the timer. At rest after a run: a stray
    // icon handler would start it. Either way a stray link handler would open the browser.
    QTest::addColumn<bool>("afterRun");

    for (const char *name : { "Label1", "Label2", "Label3", "Label5", "Label7", "Image2" }) {
        QTest::addRow("%s idle", name) << QString::fromLatin1(name) << false;
        QTest::addRow("%s at rest", name) << QString::fromLatin1(name) << true;
    }
}

void TestForm2::otherControlsIgnoreClicks()
{
    QFETCH(QString, name);
    QFETCH(bool, afterRun);

    UrlRecorder browser;
    const std::unique_ptr<Form2> form = loadedForm();
    if (afterRun) {
        click(*form, "Label6");
        QCOMPARE(runToRest(*form), TicksOfFullRun);
    }
    const QString before = describe(*form);
    PressCounter pressesOnWindow(form.get());
    click(*form, qPrintable(name));
    QCOMPARE(describe(*form), before);
    QVERIFY(browser.urls.isEmpty());
    // The control keeps the click to itself: it does not pass on to the window either.
    QCOMPARE(pressesOnWindow.count, 0);
}

QTEST_MAIN(TestForm2)
#include "tst_form2.moc"
