// SPDX-License-Identifier: MIT
#include "toolkit.h"

#include "accessible.h"
#include "guard.h"

#include <QAbstractScrollArea>
#include <QApplication>
#include <QFont>
#include <QLabel>
#include <QMouseEvent>
#include <QPalette>
#include <QPixmap>
#include <QPointer>
#include <QStyle>
#include <QStyleFactory>

#include <cmath>

namespace Toolkit {
namespace {

const char *const ForeColorProperty = "foreColor";
const char *const FitsTextProperty = "fitsText";
// Where a fitting label is anchored, in pixels: its left edge, right edge or centre times two
// (the centre of a box with an odd width lies on a half pixel).
const char *const AnchorProperty = "sizingAnchor";
const char *const FitPendingProperty = "fitPending";

// Windows system colours by number, as the standard light palette shows them.
QColor systemColour(unsigned int index)
{
    const QPalette palette = QApplication::palette();
    switch (index) {
    case 5: // window background
        return palette.color(QPalette::Base);
    case 8: // window text
        return palette.color(QPalette::Text);
    case 15: // button face
        return palette.color(QPalette::Button);
    case 16: // button shadow
        return palette.color(QPalette::Dark);
    case 18: // button text
        return palette.color(QPalette::ButtonText);
    case 20: // button highlight
        return palette.color(QPalette::Light);
    default:
        return palette.color(QPalette::WindowText);
    }
}

// The control that took the last press of the left button: a double-click is two presses on
// the same control, and a second press that lands on another control is a single press there.
QPointer<QWidget> lastPressed;

// Fits a label that fits its text when it is first shown, unless a caption has fitted it.
class FitOnShow : public QObject
{
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Show) {
            auto *label = static_cast<QLabel *>(watched);
            if (label->property(FitPendingProperty).isValid())
                fitToText(label);
            label->removeEventFilter(this);
        }
        return false;
    }
};

QObject *fitOnShow()
{
    static auto *const filter = new FitOnShow(qApp);
    return filter;
}

// Fusion's light palette, written out: Fusion's own standard palette turns dark when the
// desktop is in dark mode.
QPalette lightPalette()
{
    const QColor window(239, 239, 239);
    const QColor dark = window.darker(150);
    const QColor shadow = dark.darker(135);
    const QColor mid = window.darker(130);
    const QColor disabledText(190, 190, 190);
    const QColor highlight(48, 140, 198);
    QPalette palette(Qt::black, window, window.lighter(150), dark, mid, Qt::black, Qt::white);
    palette.setBrush(QPalette::Midlight, mid.lighter(110));
    palette.setBrush(QPalette::Button, window);
    palette.setBrush(QPalette::Shadow, shadow);
    palette.setBrush(QPalette::HighlightedText, Qt::white);
    palette.setBrush(QPalette::Active, QPalette::Highlight, highlight);
    palette.setBrush(QPalette::Inactive, QPalette::Highlight, highlight);
    palette.setBrush(QPalette::Disabled, QPalette::Highlight, QColor(145, 145, 145));
    palette.setBrush(QPalette::Disabled, QPalette::Text, disabledText);
    palette.setBrush(QPalette::Disabled, QPalette::WindowText, disabledText);
    palette.setBrush(QPalette::Disabled, QPalette::ButtonText, disabledText);
    palette.setBrush(QPalette::Disabled, QPalette::Base, window);
    palette.setBrush(QPalette::Disabled, QPalette::Dark, QColor(209, 209, 209).darker(110));
    palette.setBrush(QPalette::Disabled, QPalette::Shadow, shadow.lighter(150));
    palette.setBrush(QPalette::PlaceholderText, QColor(0, 0, 0, 128));
    // Every colour counts as set, so none of a platform theme's palette shows through.
    palette.setResolveMask(~QPalette::ResolveMask(0));
    return palette;
}

// Watches one control's mouse events and turns them into click and double-click handlers.
class ClickFilter : public QObject
{
    Q_OBJECT

public:
    ClickFilter(QWidget *target, bool consume)
        : QObject(target)
        , m_target(target)
        , m_consume(consume)
    {
        target->installEventFilter(this);
    }

    std::function<void()> click;
    std::function<void()> doubleClick;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (watched != m_target)
            return false;
        switch (event->type()) {
        case QEvent::MouseButtonPress: {
            const auto *mouse = static_cast<QMouseEvent *>(event);
            m_pressed = mouse->button() == Qt::LeftButton;
            lastPressed = m_target;
            return m_consume;
        }
        case QEvent::MouseButtonRelease: {
            const auto *mouse = static_cast<QMouseEvent *>(event);
            const bool clicked = m_pressed && mouse->button() == Qt::LeftButton
                && m_target->rect().contains(mouse->position().toPoint());
            m_pressed = false;
            if (clicked && click)
                runGuarded(click);
            return m_consume;
        }
        case QEvent::MouseButtonDblClick: {
            const auto *mouse = static_cast<QMouseEvent *>(event);
            if (lastPressed != m_target) {
                // The first press went to another control (one that has hidden itself since,
                // say): for this control it is a plain press.
                QMouseEvent press(QEvent::MouseButtonPress, mouse->position(),
                    mouse->scenePosition(), mouse->globalPosition(), mouse->button(),
                    mouse->buttons(), mouse->modifiers(), mouse->pointingDevice());
                QCoreApplication::sendEvent(m_target, &press);
                return true;
            }
            // The second press of a double-click is the double-click event only, never a
            // second click.
            m_pressed = false;
            if (mouse->button() == Qt::LeftButton && doubleClick)
                runGuarded(doubleClick);
            return m_consume;
        }
        default:
            return false;
        }
    }

private:
    QWidget *const m_target;
    const bool m_consume;
    bool m_pressed = false;
};

// A scrolling control gets its mouse events on its viewport; it keeps them too, so that
// selecting and scrolling still work.
QWidget *clickTarget(QWidget *control)
{
    auto *area = qobject_cast<QAbstractScrollArea *>(control);
    return area ? area->viewport() : control;
}

ClickFilter *existingClickFilter(QWidget *control)
{
    return clickTarget(control)->findChild<ClickFilter *>(QString(), Qt::FindDirectChildrenOnly);
}

ClickFilter *clickFilter(QWidget *control)
{
    ClickFilter *filter = existingClickFilter(control);
    return filter ? filter : new ClickFilter(clickTarget(control), clickTarget(control) == control);
}

} // namespace

QColor colourFromValue(unsigned int value)
{
    if (value & 0x80000000u)
        return systemColour(value & 0xffu);
    return QColor(int(value & 0xff), int((value >> 8) & 0xff), int((value >> 16) & 0xff));
}

unsigned int parseColourValue(const QString &text, bool *ok)
{
    QString digits = text.trimmed();
    int base = 10;
    if (digits.startsWith(QLatin1String("&H"), Qt::CaseInsensitive)
        || digits.startsWith(QLatin1String("0x"), Qt::CaseInsensitive)) {
        digits = digits.mid(2);
        base = 16;
    }
    if (digits.endsWith(QLatin1Char('&')))
        digits.chop(1);
    return digits.toUInt(ok, base);
}

void setForeColour(QWidget *control, unsigned int value)
{
    QPalette palette = control->palette();
    palette.setColor(QPalette::WindowText, colourFromValue(value));
    control->setPalette(palette);
    control->setProperty(ForeColorProperty, value);
}

unsigned int foreColour(const QWidget *control)
{
    return control->property(ForeColorProperty).toUInt();
}

void fitToText(QLabel *label)
{
    const QVariant anchor = label->property(AnchorProperty);
    if (!anchor.isValid())
        return;
    label->setProperty(FitPendingProperty, QVariant());
    const QFontMetrics metrics(label->font());
    const int width = metrics.horizontalAdvance(label->text());
    const int height = metrics.height();
    const int at = anchor.toInt();
    int left = at;
    if (label->alignment() & Qt::AlignRight)
        left = at - width;
    else if (label->alignment() & Qt::AlignHCenter)
        left = (at - width) / 2;
    label->setGeometry(left, label->y(), width, height);
}

void setCaption(QLabel *label, const QString &caption)
{
    label->setText(caption);
    fitToText(label);
}

void setBold(QLabel *label, bool bold)
{
    // The label was fitted with its caption; with the same font its box still fits, and
    // measuring it again would only repeat the text layout (11 of the 12 sign labels on
    // every sign change).
    QFont font = label->font();
    const bool changed = font.bold() != bold;
    font.setBold(bold);
    label->setFont(font);
    if (changed)
        fitToText(label);
}

void setPicture(QLabel *image, const QPixmap &picture)
{
    // On a scaled screen the small pixel pictures are enlarged here, whole pixels to whole
    // pixels at integer factors, so they stay crisp instead of being smoothed when drawn.
    const qreal ratio = image->devicePixelRatioF();
    if (ratio == 1.0 || picture.isNull()) {
        image->setPixmap(picture);
    } else {
        const bool whole = ratio == std::floor(ratio);
        QPixmap scaled = picture.scaled(picture.size() * ratio, Qt::IgnoreAspectRatio,
            whole ? Qt::FastTransformation : Qt::SmoothTransformation);
        scaled.setDevicePixelRatio(ratio);
        image->setPixmap(scaled);
    }
    image->resize(picture.size());
}

QString faceFor(const QString &designFace)
{
#ifndef Q_OS_WIN
    if (designFace == QLatin1String("MS Sans Serif"))
        return QStringLiteral("Liberation Sans");
#endif
    return designFace;
}

void applyDesign(QWidget *window)
{
    QList<QWidget *> controls = window->findChildren<QWidget *>();
    controls.prepend(window);

    for (QWidget *control : controls) {
        const QString face = faceFor(control->font().family());
        if (face != control->font().family()) {
            QFont font = control->font();
            font.setFamily(face);
            control->setFont(font);
        }
        const QVariant colour = control->property(ForeColorProperty);
        if (colour.isValid()) {
            bool ok = false;
            const unsigned int value = parseColourValue(colour.toString(), &ok);
            if (ok)
                setForeColour(control, value);
        }
        const QVariant background = control->property("backColor");
        if (background.isValid()) {
            QPalette palette = control->palette();
            palette.setColor(
                QPalette::Window, colourFromValue(parseColourValue(background.toString())));
            control->setPalette(palette);
            control->setAutoFillBackground(true);
        }
        // Designer keeps whole point sizes only; the designs' 9.75-point faces say so here.
        const QVariant pointSize = control->property("pointSizeF");
        if (pointSize.isValid()) {
            QFont font = control->font();
            font.setPointSizeF(pointSize.toDouble());
            control->setFont(font);
        }
        auto *label = qobject_cast<QLabel *>(control);
        if (label && label->property(FitsTextProperty).toBool()) {
            // The design boxes were measured in the designs' faces; the faces this system
            // supplies may be wider, so the label fits its text before it is first seen (a
            // caption written before that fits it anyway, and a hidden panel's labels wait
            // until it opens instead of loading their faces at start-up).
            label->setProperty(FitPendingProperty, true);
            label->installEventFilter(fitOnShow());
            const QRect box = label->geometry();
            int anchor = box.left();
            if (label->alignment() & Qt::AlignRight)
                anchor = box.left() + box.width();
            else if (label->alignment() & Qt::AlignHCenter)
                anchor = 2 * box.left() + box.width();
            label->setProperty(AnchorProperty, anchor);
        }
    }
}

void onClick(QWidget *control, std::function<void()> handler)
{
    clickFilter(control)->click = std::move(handler);
}

void onDoubleClick(QWidget *control, std::function<void()> handler)
{
    clickFilter(control)->doubleClick = std::move(handler);
}

void swallowClicks(QWidget *control)
{
    clickFilter(control);
}

bool hasClickHandler(QWidget *control)
{
    const ClickFilter *filter = existingClickFilter(control);
    return filter && filter->click;
}

// Runs one of a control's handlers as its mouse event would; false when it has none.
static bool perform(QWidget *control, std::function<void()> ClickFilter::*handler)
{
    const ClickFilter *filter = existingClickFilter(control);
    if (!filter || !(filter->*handler))
        return false;
    runGuarded(filter->*handler);
    return true;
}

bool performClick(QWidget *control)
{
    return perform(control, &ClickFilter::click);
}

bool performDoubleClick(QWidget *control)
{
    return perform(control, &ClickFilter::doubleClick);
}

void setUpLook(QApplication &app)
{
    // The designs' colours are the designs', not the desktop's: Fusion and its light palette
    // whatever the platform theme, colour scheme, style override or style sheet. Every colour
    // of the palette counts as set, so none of a dark theme's colours shows through.
    app.setStyleSheet(QString());
    app.setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    app.setPalette(lightPalette());
    installAccessibility();
    // The windows' default font, for every control that has none of its own. Setting it
    // before any window exists also spares Qt a search for a face this system lacks.
    app.setFont(QFont(faceFor(QStringLiteral("MS Sans Serif")), 8));
}

} // namespace Toolkit

#include "toolkit.moc"
