// SPDX-License-Identifier: MIT
#include "toolkit.h"

#include "colours.h"
#include "flatbutton.h"

#include <QApplication>
#include <QFont>
#include <QLabel>
#include <QPixmap>

#include <cmath>
#include <utility>

namespace Toolkit {
namespace {

// Labels and flat buttons alike show their caption, alignment and picture as the properties
// "text", "alignment" and "pixmap".
QString captionOf(const QWidget *control)
{
    return control->property("text").toString();
}
Qt::Alignment alignmentOf(const QWidget *control)
{
    return control->property("alignment").value<Qt::Alignment>();
}

const char *const FitsTextProperty = "fitsText";
// Where a fitting label is anchored, in pixels: its left edge, right edge or centre times two
// (the centre of a box with an odd width lies on a half pixel).
const char *const AnchorProperty = "sizingAnchor";
const char *const FitPendingProperty = "fitPending";
// The point size the design gives a label; a caption too wide for its room is drawn smaller.
const char *const DesignSizeProperty = "designPointSizeF";

// A caption that does not fit is drawn this much smaller at a time, down to the smallest size.
constexpr qreal ShrinkStep = 0.25;
constexpr qreal SmallestSize = 4.0;

// Fits a label when it is first shown, unless a caption has fitted it.
class FitOnShow : public QObject
{
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Show) {
            auto *control = static_cast<QWidget *>(watched);
            if (control->property(FitPendingProperty).isValid())
                fitToText(control);
            control->removeEventFilter(this);
        }
        return false;
    }
};

QObject *fitOnShow()
{
    static auto *const filter = new FitOnShow(qApp);
    return filter;
}

// The horizontal room a label may take: its parent's width, inside the one-pixel outline of a
// frame, and no more than the label's maximum width (which the design sets where a caption
// must stay over a picture).
struct Room
{
    int left;
    int right;
};

Room roomFor(const QWidget *label)
{
    const QWidget *parent = label->parentWidget();
    Room room { 0, parent ? parent->width() : label->x() + label->width() };
    if (parent && !parent->isWindow()) {
        room.left += 1;
        room.right -= 1;
    }
    return room;
}

// The widest caption a label can show from its anchor, or in its fixed box when it has none.
int widestFor(const QWidget *label, int anchor)
{
    int widest = label->width();
    if (anchor >= 0) {
        const Room room = roomFor(label);
        const Qt::Alignment alignment = alignmentOf(label);
        if (alignment & Qt::AlignRight)
            widest = anchor - room.left;
        else if (alignment & Qt::AlignHCenter)
            widest = std::min(anchor - 2 * room.left, 2 * room.right - anchor);
        else
            widest = room.right - anchor;
    }
    return std::min(widest, label->maximumWidth());
}

// The label's font at its design size, made smaller in steps until the caption fits, and the
// caption's width in it.
std::pair<QFont, int> fittingFont(const QWidget *label, int widest)
{
    QFont font = label->font();
    const QVariant designSize = label->property(DesignSizeProperty);
    qreal size = designSize.isValid() ? designSize.toReal() : font.pointSizeF();
    font.setPointSizeF(size);
    const QString caption = captionOf(label);
    int width = QFontMetrics(font).horizontalAdvance(caption);
    while (width > widest && size > SmallestSize) {
        size -= ShrinkStep;
        font.setPointSizeF(size);
        width = QFontMetrics(font).horizontalAdvance(caption);
    }
    return { font, width };
}

} // namespace

void fitToText(QWidget *label)
{
    label->setProperty(FitPendingProperty, QVariant());
    const QVariant anchorValue = label->property(AnchorProperty);
    const int anchor = anchorValue.isValid() ? anchorValue.toInt() : -1;
    const auto [font, advance] = fittingFont(label, widestFor(label, anchor));
    if (font != label->font())
        label->setFont(font);
    if (!anchorValue.isValid())
        return;
    const int width = std::min(advance, label->maximumWidth());
    int left = anchor;
    const Qt::Alignment alignment = alignmentOf(label);
    if (alignment & Qt::AlignRight)
        left = anchor - width;
    else if (alignment & Qt::AlignHCenter)
        left = (anchor - width) / 2;
    label->setGeometry(left, label->y(), width, QFontMetrics(font).height());
}

void setCaption(QWidget *label, const QString &caption)
{
    label->setProperty("text", caption);
    fitToText(label);
}

void setBold(QWidget *label, bool bold)
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

void setPicture(QWidget *image, const QPixmap &picture)
{
    const auto show = [image](const QPixmap &pixmap) { image->setProperty("pixmap", pixmap); };
    // A picture drawn for this screen's scale shows as it is. On a scaled screen any other is
    // enlarged here, whole pixels to whole pixels at integer factors, so it stays crisp
    // instead of being smoothed when drawn.
    const qreal ratio = image->devicePixelRatioF();
    const QSize size = picture.deviceIndependentSize().toSize();
    if (ratio == picture.devicePixelRatio() || picture.isNull()) {
        show(picture);
    } else {
        const qreal factor = ratio / picture.devicePixelRatio();
        const bool whole = factor == std::floor(factor);
        QPixmap scaled = picture.scaled(size * ratio, Qt::IgnoreAspectRatio,
            whole ? Qt::FastTransformation : Qt::SmoothTransformation);
        scaled.setDevicePixelRatio(ratio);
        show(scaled);
    }
    image->resize(size);
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
        applyDesignColours(control);
        // Designer keeps whole point sizes only; the designs' 9.75-point faces say so here.
        const QVariant pointSize = control->property("pointSizeF");
        if (pointSize.isValid()) {
            QFont font = control->font();
            font.setPointSizeF(pointSize.toDouble());
            control->setFont(font);
        }
        if ((!qobject_cast<QLabel *>(control) && !qobject_cast<FlatButton *>(control))
            || !control->property("pixmap").value<QPixmap>().isNull())
            continue;
        QWidget *label = control;
        // The design boxes were measured in the designs' faces; the faces this system
        // supplies may be wider, so the label fits its caption before it is first seen (a
        // caption written before that fits it anyway, and a hidden panel's labels wait until
        // it opens instead of loading their faces at start-up).
        label->setProperty(DesignSizeProperty, label->font().pointSizeF());
        label->setProperty(FitPendingProperty, true);
        label->installEventFilter(fitOnShow());
        if (label->property(FitsTextProperty).toBool()) {
            const QRect box = label->geometry();
            int anchor = box.left();
            const Qt::Alignment alignment = alignmentOf(label);
            if (alignment & Qt::AlignRight)
                anchor = box.left() + box.width();
            else if (alignment & Qt::AlignHCenter)
                anchor = 2 * box.left() + box.width();
            label->setProperty(AnchorProperty, anchor);
        }
    }
}

} // namespace Toolkit
