// SPDX-License-Identifier: MIT
// The floor of the benchmarks: what Qt itself costs for the main window's screen. It is the
// main window's design file through uic's setupUi, showing the first sign and topic from the
// catalogue's committed files with plain Qt calls: no catalogue, no handlers, no toolkit layer.
// Built into a program with bench/floor first on its include path (see CMakeLists.txt).
#pragma once

#include <QtWidgets>

// The generated class of main_window/form1.ui in a namespace of its own, as the benchmarks
// link the program's own build of the design into the same executable. Everything the
// generated header includes is already included with QtWidgets.
namespace Floor {
#include "ui_form1.h"
} // namespace Floor

namespace Floor {
using namespace Qt::StringLiterals;

inline QString readResource(const QString &name)
{
    QFile file(u":/floor/"_s + name);
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

// A string of catalogue/strings.tsv, whose lines are "number<tab>text".
inline QString catalogueString(int number)
{
    static const QString strings = u'\n' + readResource(u"strings.tsv"_s);
    const QString start = u"\n%1\t"_s.arg(number);
    const qsizetype at = strings.indexOf(start) + start.size();
    return strings.mid(at, strings.indexOf(u'\n', at) - at);
}

// Topic text 10000 + 10 x sign + topic, its paragraphs separated by CR LF CR LF as shown.
inline QString text(int number)
{
    QString text = readResource(u"texts/%1.txt"_s.arg(number));
    text.chop(1);
    return text.replace(u"\n\n"_s, u"\r\n\r\n"_s);
}

// A picture read by Qt's reader for the format its name gives; guessing the format from the
// contents instead would load every image plugin to ask it.
inline QPixmap picture(const QString &name)
{
    QImageReader reader(u":/floor/"_s + name, name.section(u'.', -1).toLatin1());
    reader.setAutoDetectImageFormat(false);
    return QPixmap::fromImage(reader.read());
}

inline void showPicture(QLabel *image, const QString &name)
{
    image->setPixmap(picture(name));
    image->resize(image->pixmap().size());
}

// A caption. A label whose design says it fits its text then takes the caption's size, keeping
// the edge or centre its alignment gives. As in the program, only labels given a caption are
// measured, so the hidden panel's faces are not loaded at start-up.
inline void setCaption(QLabel *label, const QString &caption)
{
    label->setText(caption);
    if (!label->property("fitsText").toBool())
        return;
    const QRect box = label->geometry();
    label->adjustSize();
    if (label->alignment() & Qt::AlignRight)
        label->move(box.right() + 1 - label->width(), box.y());
    else if (label->alignment() & Qt::AlignHCenter)
        label->move((2 * box.x() + box.width() - label->width()) / 2, box.y());
}

// The program's look: Fusion, its standard palette, and the windows' default font in the face
// the program shows for the design's MS Sans Serif.
inline void setUpLook(QApplication &app)
{
    QStyle *fusion = QStyleFactory::create(u"Fusion"_s);
    app.setStyle(fusion);
    app.setPalette(fusion->standardPalette());
    app.setFont(QFont(u"Liberation Sans"_s, 8));
}

class Window : public QWidget
{
public:
    Window()
    {
        Ui::Form1 ui;
        ui.setupUi(this);
        setFixedSize(size());
        // The design's fractional sizes (Designer keeps whole ones), and its MS Sans Serif in
        // the face shown for it.
        for (QWidget *control : findChildren<QWidget *>()) {
            QFont font = control->font();
            if (font.family() == "MS Sans Serif"_L1)
                font.setFamily(u"Liberation Sans"_s);
            if (const QVariant size = control->property("pointSizeF"); size.isValid())
                font.setPointSizeF(size.toDouble());
            if (font != control->font())
                control->setFont(font);
        }
        const auto label = [this](const QString &name) { return findChild<QLabel *>(name); };
        for (int topic = 0; topic < 6; ++topic)
            setCaption(label(u"Label%1"_s.arg(topic + 1)), catalogueString(1200 + topic));
        QFont bold = ui.Label8->font();
        bold.setBold(true);
        ui.Label8->setFont(bold);
        for (int sign = 0; sign < 12; ++sign) {
            setCaption(label(u"Label%1"_s.arg(sign + 8)), catalogueString(1100 + sign));
            showPicture(label(u"Image%1"_s.arg(sign + 1)), u"bitmaps/%1.bmp"_s.arg(1000 + sign));
        }
        setWindowTitle(u"Astrelo - "_s + catalogueString(1100));
        setWindowIcon(QIcon(picture(u"icons/1.ico"_s)));
        showPicture(ui.Image14, u"bitmaps/100.bmp"_s);
        showPicture(ui.Image13, u"icons/100.ico"_s);
        setCaption(ui.Label7, catalogueString(0).toUpper());
        setCaption(ui.Label20, catalogueString(1000));
        const QString planets = catalogueString(100);
        for (QLabel *label : { ui.Label21, ui.Label22, ui.Label23 })
            setCaption(label, planets.left(1).toUpper() + planets.mid(1));
        textBox = ui.Text1;
        textBox->setPlainText(text(10000));
        panel = ui.Frame1;
        panel->setAutoFillBackground(true); // the design fills it with a background colour
    }

    QPlainTextEdit *textBox = nullptr;
    QGroupBox *panel = nullptr; // the settings panel, hidden
};

} // namespace Floor
