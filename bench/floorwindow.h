// SPDX-License-Identifier: MIT
// The floor of the benchmarks: what Qt itself costs for the main window's screen. It is the
// main window's design file through uic's setupUi, showing a sign and a topic from the
// catalogue's committed files with plain Qt calls: no catalogue, no handlers, no toolkit layer.
// A sign or topic change shows what the program's click shows: the caption, the large picture
// or the topic icon, the captions, colours and bold of the labels, and the text.
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
        for (int topic = 0; topic < 6; ++topic) {
            m_topics[topic] = label(u"Label%1"_s.arg(topic + 1));
            setCaption(m_topics[topic], catalogueString(1200 + topic));
        }
        for (int sign = 0; sign < 12; ++sign) {
            m_signs[sign] = label(u"Label%1"_s.arg(sign + 8));
            setCaption(m_signs[sign], catalogueString(1100 + sign));
            showPicture(label(u"Image%1"_s.arg(sign + 1)), u"bitmaps/%1.bmp"_s.arg(1000 + sign));
        }
        setWindowIcon(QIcon(picture(u"icons/1.ico"_s)));
        textBox = ui.Text1;
        panel = ui.Frame1;
        panel->setAutoFillBackground(true); // the design fills it with a background colour
        showSign(0);
        showTopic(0);
    }

    // The sign's name black and bold, the others grey; the caption, the picture, the heading,
    // the dates, the planets three times, and the text.
    void showSign(int sign)
    {
        m_sign = sign;
        for (int k = 0; k < 12; ++k) {
            mark(m_signs[k], k == sign);
            QFont font = m_signs[k]->font();
            if (font.bold() == (k == sign))
                continue;
            font.setBold(k == sign);
            m_signs[k]->setFont(font);
            setCaption(m_signs[k], m_signs[k]->text()); // bold is wider: fitted again
        }
        setWindowTitle(u"Astrelo - "_s + catalogueString(1100 + sign));
        showPicture(label(u"Image14"_s), u"bitmaps/%1.bmp"_s.arg(100 + sign));
        setCaption(label(u"Label7"_s), catalogueString(sign).toUpper());
        setCaption(label(u"Label20"_s), catalogueString(1000 + sign));
        const QString planets = catalogueString(100 + sign);
        for (const char *name : { "Label21", "Label22", "Label23" })
            setCaption(label(QLatin1String(name)), planets.left(1).toUpper() + planets.mid(1));
        textBox->setPlainText(text(10000 + 10 * sign + m_topic));
    }

    // The topic's name black, the others grey; the topic icon, and the text.
    void showTopic(int topic)
    {
        m_topic = topic;
        for (int k = 0; k < 6; ++k)
            mark(m_topics[k], k == topic);
        showPicture(label(u"Image13"_s), u"icons/%1.ico"_s.arg(100 + topic));
        textBox->setPlainText(text(10000 + 10 * m_sign + topic));
    }

    QPlainTextEdit *textBox = nullptr;
    QGroupBox *panel = nullptr; // the settings panel, hidden

private:
    QLabel *label(const QString &name) const { return findChild<QLabel *>(name); }
    void mark(QLabel *label, bool chosen) const
    {
        QPalette colours = label->palette();
        colours.setColor(
            QPalette::WindowText, chosen ? Qt::black : palette().color(QPalette::Dark));
        label->setPalette(colours);
    }

    std::array<QLabel *, 6> m_topics {};
    std::array<QLabel *, 12> m_signs {};
    int m_sign = 0, m_topic = 0;
};

} // namespace Floor
