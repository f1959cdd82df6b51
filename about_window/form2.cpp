// SPDX-License-Identifier: MIT
#include "form2.h"
#include "ui_form2.h"

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
// previous tick applied, unrounded.
const char *const TopTwipsProperty = "topTwips";

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
    // A tick that fails stops the timer: the same fault would come again 25 ms later.
    connect(Timer1, &QTimer::timeout, this, [this] {
        if (!runGuarded([this] { moveIcon(); }))
            Timer1->stop();
    });

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
        ui->Image1, loadCataloguePicture(CatalogueNumber::aboutIcon(), CatalogueKind::Icon));

    m_icon.load();
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
    if (m_icon.drop(iconTop()))
        enableTimer();
}

// Click on Image1: once the animation has been started, lifts the icon from where it is.
void Form2::liftIcon()
{
    if (m_icon.lift())
        enableTimer();
}

// Tick of Timer1: one step of the glide up or of the fall and bounce, shown on the window,
// also on the tick that stops the timer. An arithmetic fault ends the tick where it happens,
// before the icon moves.
void Form2::moveIcon()
{
    if (!m_icon.tick(iconTop()))
        Timer1->stop();
    setIconTopOnWindow(m_icon.IconTop);
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
