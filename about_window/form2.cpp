// SPDX-License-Identifier: MIT
#include "form2.h"
#include "ui_form2.h"

#include "arithmetic.h"
#include "catalogue.h"
#include "guard.h"
#include "makersdata.h"
#include "toolkit.h"

#include <QDesktopServices>
#include <QPixmap>
#include <QTimer>
#include <QUrl>

#include <cmath>
#include <initializer_list>
#include <stdexcept>

namespace {

// Image1's top is kept as fractional twips, a float, in this dynamic property of the image;
// the image itself sits at that top rounded to the nearest pixel. The animation reads the
// top back from the property, so the start and floor tests see exactly the value the
// previous tick applied, unrounded. (A run from the dedication click then ends after 537
// ticks, on the 42nd floor contact, with the icon's top at 1477.92 twips.)
const char *const TopTwipsProperty = "topTwips";

// The floor is one inch below the top of the window; the dedication click drops the icon
// only while it is above 500 twips; the glide up ends at 150 twips.
constexpr double FloorTop = 1440.0;
constexpr double DropLimit = 500.0;
constexpr double GlideEnd = 150.0;
constexpr double BouncesToRest = 44.0;

} // namespace

Form2::Form2(QWidget *parent)
    : QWidget(parent)
    , ui(std::make_unique<Ui::Form2>())
    , Timer1(new QTimer(this))
{
    ui->setupUi(this);
    // A tool window: a small caption with a close box only, and no taskbar entry. Its size
    // is fixed by the design.
    setWindowFlags(
        Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    Toolkit::applyDesign(this);

    Toolkit::setCaption(ui->Label1, MakersData::Title.toString());
    Toolkit::setCaption(ui->Label2, MakersData::Copyright.toString());
    Toolkit::setCaption(ui->Label3, MakersData::Author.toString());
    Toolkit::setCaption(ui->Label4, QUrl(MakersData::WebAddress.toString()).host());
    Toolkit::setCaption(ui->Label5, MakersData::VersionLine.toString());
    Toolkit::setCaption(ui->Label6, MakersData::Dedication.toString());
    Toolkit::setCaption(ui->Label7, MakersData::TypoNotice.toString());
    Toolkit::setPicture(ui->Image2, QPixmap(QStringLiteral(":/about/banner.gif")));
    // For screen readers: the link is named by its address and says what a click does.
    const QString address = MakersData::WebAddress.toString();
    ui->Label4->setAccessibleName(QUrl(address).host());
    ui->Label4->setAccessibleDescription(
        QStringLiteral("Otevře webové stránky výrobce %1 v prohlížeči").arg(address));
    ui->Image1->setAccessibleName(QStringLiteral("Ikona programu"));
    ui->Image2->setAccessibleName(QStringLiteral("Kelmo Software"));
    ui->Image1->setProperty(TopTwipsProperty, float(Toolkit::pixelsToTwips(ui->Image1->y())));

    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setInterval(25);
    Timer1->setTimerType(Qt::PreciseTimer);
    connect(Timer1, &QTimer::timeout, this, [this] { runGuarded([this] { moveIcon(); }); });

    Toolkit::onClick(ui->Label4, [this] { openMakersSite(); });
    Toolkit::onClick(ui->Label6, [this] { dropIcon(); });
    Toolkit::onClick(ui->Image1, [this] { liftIcon(); });
    const std::initializer_list<QWidget *> withoutHandlers
        = { ui->Label1, ui->Label2, ui->Label3, ui->Label5, ui->Label7, ui->Image2 };
    for (QWidget *control : withoutHandlers)
        Toolkit::swallowClicks(control);
}

Form2::~Form2() = default;

void Form2::load()
{
    // The image keeps its top-left corner and takes the icon's size.
    Toolkit::setPicture(
        ui->Image1, LoadCataloguePicture(CatalogueNumber::aboutIcon(), CatalogueKind::Icon));

    m_animation.IconSpeed = 0.0f;
    m_animation.IconGravity = Arithmetic::toFloat(0.1);
    m_animation.IconTop = 120.0f;
    m_animation.IconRebounding = false;
    m_animation.BounceCount = 2.0f;
    m_animation.AnimationArmed = false;
    m_animation.IconRising = false;
}

void Form2::tickForTesting()
{
    runGuarded([this] { moveIcon(); });
}

void Form2::setAnimationForTesting(const Animation &state, float iconTopTwips)
{
    m_animation = state;
    setIconTopOnWindow(iconTopTwips);
}

// Click on Label4: the maker's web site in the desktop's browser.
void Form2::openMakersSite()
{
    // Whether a browser starts is not reported: the window shows nothing either way, and the
    // browser is not waited for.
    QDesktopServices::openUrl(QUrl(MakersData::WebAddress.toString()));
}

// Click on Label6, the dedication: drops the icon, if it is still near the top.
void Form2::dropIcon()
{
    if (iconTop() < DropLimit) {
        enableTimer();
        m_animation.AnimationArmed = true;
    }
}

// Click on Image1: once the animation has been started, lifts the icon from where it is
// towards the top, from where it is thrown up and falls again.
void Form2::liftIcon()
{
    if (!m_animation.AnimationArmed)
        return;
    m_animation.IconRising = true;
    m_animation.IconSpeed = 5.0f;
    m_animation.IconGravity = Arithmetic::toFloat(0.3);
    m_animation.IconRebounding = true;
    m_animation.BounceCount = 2.0f;
    enableTimer();
}

// Tick of Timer1: one step of the glide up or of the fall and bounce. An arithmetic fault
// ends the tick where it happens, before the icon moves; the fields set before it stay set.
void Form2::moveIcon()
{
    using namespace Arithmetic;
    Animation &a = m_animation;
    if (a.IconRising) {
        // Up by 2.5 % of the distance from the top edge: fast at first, slower near the top.
        a.IconTop = toFloat(subtract(a.IconTop, multiply(divide(a.IconTop, 400.0), 10.0)));
        if (a.IconTop <= GlideEnd)
            a.IconRising = false;
    } else {
        // Gravity shrinks while the icon rebounds and grows while it falls, the faster the
        // more floor contacts there have been.
        if (a.IconRebounding)
            a.IconGravity = toFloat(subtract(a.IconGravity, 0.01));
        else
            a.IconGravity = toFloat(add(multiply(divide(a.BounceCount, 2.0), 0.01), a.IconGravity));
        a.IconSpeed = toFloat(subtract(a.IconSpeed, a.IconGravity));
        a.IconTop = toFloat(subtract(a.IconTop, a.IconSpeed));
        // The floor test looks at where the previous tick put the icon, not at the top just
        // computed: the icon turns one tick after it has passed the floor, and every tick it
        // spends there counts as a contact.
        if (iconTop() >= FloorTop) {
            a.IconSpeed = std::fabs(a.IconSpeed);
            a.IconRebounding = true;
            a.BounceCount = toFloat(add(a.BounceCount, 1.0));
        }
        if (a.IconSpeed < 1.0f)
            a.IconRebounding = false;
        if (a.BounceCount >= BouncesToRest)
            Timer1->stop();
    }
    setIconTopOnWindow(a.IconTop);
}

// Enabling the timer while it runs changes nothing; it keeps its rhythm.
void Form2::enableTimer()
{
    if (!Timer1->isActive())
        Timer1->start();
}

float Form2::iconTop() const
{
    return ui->Image1->property(TopTwipsProperty).toFloat();
}

void Form2::setIconTopOnWindow(float topTwips)
{
    const double pixels = std::round(double(topTwips) / Toolkit::TwipsPerPixel);
    if (!(std::fabs(pixels) <= QWIDGETSIZE_MAX))
        throw std::range_error("Poloha ikony leží mimo souřadnice okna.");
    ui->Image1->setProperty(TopTwipsProperty, topTwips);
    ui->Image1->move(ui->Image1->x(), int(pixels));
}
