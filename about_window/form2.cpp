// SPDX-License-Identifier: MIT
#include "form2.h"
#include "ui_form2.h"

#include "accessible.h"
#include "catalogue.h"
#include "flatbutton.h"
#include "guard.h"
#include "makersdata.h"
#include "toolkit.h"

#include <QDesktopServices>
#include <QKeyEvent>
#include <QPixmap>
#include <QTimer>
#include <QUrl>

#include <cmath>
#include <stdexcept>

namespace {

// The icon's top is kept as fractional twips, a float, in this dynamic property of the image;
// the image itself sits at that top rounded to the nearest pixel. The animation reads the
// top back from the property, so the start and floor tests see exactly the value the
// previous tick applied, unrounded.
const char *const TopTwipsProperty = "topTwips";

} // namespace

Form2::Form2(QWidget *parent)
    : QWidget(parent)
    , ui(std::make_unique<Ui::Form2>())
    , m_timer(new QTimer(this))
{
    ui->setupUi(this);
    // The design's controls by what they are; README.md maps the design's names.
    m_title = ui->Label1;
    m_copyright = ui->Label2;
    m_author = ui->Label3;
    m_webLink = ui->Label4;
    m_versionLine = ui->Label5;
    m_dedication = ui->Label6;
    m_typoNotice = ui->Label7;
    m_iconImage = ui->Image1;
    m_banner = ui->Image2;
    // A tool window: a small caption with a close box only, and no taskbar entry. Its size
    // is fixed by the design.
    setWindowFlags(
        Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    Toolkit::applyDesign(this);

    Toolkit::setCaption(m_title, MakersData::Title.toString());
    Toolkit::setCaption(m_copyright, MakersData::Copyright.toString());
    Toolkit::setCaption(m_author, MakersData::Author.toString());
    Toolkit::setCaption(m_webLink, QUrl(MakersData::WebAddress.toString()).host());
    Toolkit::setCaption(m_versionLine, MakersData::VersionLine.toString());
    Toolkit::setCaption(m_dedication, MakersData::Dedication.toString());
    Toolkit::setCaption(m_typoNotice, MakersData::TypoNotice.toString());
    // On a scaled screen the banner drawn at twice its pixels.
    const bool twice = m_banner->devicePixelRatioF() >= 2;
    QPixmap banner(
        twice ? QStringLiteral(":/about/banner@2x.gif") : QStringLiteral(":/about/banner.gif"));
    banner.setDevicePixelRatio(twice ? 2 : 1);
    Toolkit::setPicture(m_banner, banner);
    // For screen readers: the link is named by its address and says what a click does.
    const QString address = MakersData::WebAddress.toString();
    m_webLink->setAccessibleName(QUrl(address).host());
    m_webLink->setAccessibleDescription(
        QStringLiteral("Otevře webové stránky výrobce %1 v prohlížeči").arg(address));
    m_iconImage->setAccessibleName(QStringLiteral("Ikona programu"));
    // The version line is heard without the run of blanks that spaces it out on the screen.
    m_versionLine->setAccessibleName(m_versionLine->text().simplified());
    m_banner->setAccessibleName(QStringLiteral("Kelmo Software"));
    // A screen reader's status-bar command names the program and its version here.
    Toolkit::setStatus(this, m_title->text());
    m_iconImage->setProperty(TopTwipsProperty, float(Toolkit::pixelsToTwips(m_iconImage->y())));

    m_timer->setObjectName(QStringLiteral("Timer1"));
    m_timer->setInterval(25);
    m_timer->setTimerType(Qt::PreciseTimer);
    // A tick that fails stops the timer: the same fault would come again 25 ms later.
    connect(m_timer, &QTimer::timeout, this, [this] {
        if (!runGuarded([this] { moveIcon(); }))
            m_timer->stop();
    });

    connect(m_webLink, &FlatButton::clicked, this, guarded(this, &Form2::openMakersSite));
    connect(m_dedication, &FlatButton::clicked, this, guarded(this, &Form2::dropIcon));
    connect(m_iconImage, &FlatButton::clicked, this, guarded(this, &Form2::liftIcon));
}

Form2::~Form2() = default;

void Form2::keyPressEvent(QKeyEvent *event)
{
    // Escape closes the window as its close box does; the window takes the key itself, so
    // that a screen reader hears it too (a shortcut's key press goes to no one else).
    if (event->matches(QKeySequence::Cancel)) {
        close();
        return;
    }
    QWidget::keyPressEvent(event);
}

void Form2::changeEvent(QEvent *event)
{
    QWidget::changeEvent(event);
    // Once the window is first active, after the screen reader's focus has come to the title
    // line (which is settled once Qt has settled the active window), the reader hears the rest
    // of the credits, as an about dialog reads them, and how the window closes: it has no
    // button for it but the title bar's close box.
    if (event->type() == QEvent::ActivationChange && isActiveWindow()
        && std::exchange(m_closingUntold, false)) {
        QTimer::singleShot(0, this, [this] {
            QTimer::singleShot(0, this, [this] {
                Toolkit::announce(this,
                    m_copyright->text() + QStringLiteral(". ") + m_author->text()
                        + QStringLiteral(". Okno se zavře klávesou Escape"));
            });
        });
    }
}

void Form2::load()
{
    // The image keeps its top-left corner and takes the icon's size.
    Toolkit::setPicture(m_iconImage,
        loadCataloguePicture(
            CatalogueNumber::aboutIcon(), CatalogueKind::Icon, m_iconImage->devicePixelRatioF()));

    m_icon.load();
}

// Click on the web link: the maker's web site in the desktop's browser.
void Form2::openMakersSite()
{
    // Whether a browser starts is not reported: the window shows nothing either way, and the
    // browser is not waited for.
    QDesktopServices::openUrl(QUrl(MakersData::WebAddress.toString()));
}

// Click on the dedication: drops the icon, if it is still near the top.
void Form2::dropIcon()
{
    if (m_icon.drop(iconTop()))
        enableTimer();
}

// Click on the icon: once the animation has been started, lifts the icon from where it is.
void Form2::liftIcon()
{
    if (m_icon.lift())
        enableTimer();
}

// Tick of the timer: one step of the glide up or of the fall and bounce, shown on the window,
// also on the tick that stops the timer. An arithmetic fault ends the tick where it happens,
// before the icon moves.
void Form2::moveIcon()
{
    if (!m_icon.tick(iconTop()))
        m_timer->stop();
    setIconTopOnWindow(m_icon.top);
}

// Enabling the timer while it runs changes nothing; it keeps its rhythm.
void Form2::enableTimer()
{
    if (!m_timer->isActive())
        m_timer->start();
}

float Form2::iconTop() const
{
    return m_iconImage->property(TopTwipsProperty).toFloat();
}

void Form2::setIconTopOnWindow(float topTwips)
{
    const double pixels = std::round(double(topTwips) / Toolkit::TwipsPerPixel);
    if (!(std::fabs(pixels) <= QWIDGETSIZE_MAX))
        throw std::range_error("Poloha ikony leží mimo souřadnice okna.");
    m_iconImage->setProperty(TopTwipsProperty, topTwips);
    m_iconImage->move(m_iconImage->x(), int(pixels));
}
