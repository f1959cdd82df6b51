// SPDX-License-Identifier: MIT
#include "floorwindow.h"

#include <QApplication>
#include <QFile>
#include <QGroupBox>
#include <QIcon>
#include <QLabel>
#include <QPainter>
#include <QPixmap>
#include <QPlainTextEdit>
#include <QStyle>
#include <QStyleFactory>

namespace {

// The faces the program's design names, as this desktop resolves them.
const QString SansFace = QStringLiteral("Liberation Sans");

QFont face(const QString &family, double points, bool bold)
{
    QFont font(family);
    font.setPointSizeF(points);
    font.setBold(bold);
    return font;
}

QLabel *label(QWidget *parent, const char *name, const QString &text, const QRect &box,
    const QFont &font, Qt::Alignment alignment = Qt::AlignLeft | Qt::AlignTop)
{
    auto *label = new QLabel(text, parent);
    label->setObjectName(QLatin1String(name));
    label->setFont(font);
    label->setTextFormat(Qt::PlainText);
    label->setAlignment(alignment);
    // An empty box: the label takes its text's size.
    label->setGeometry(box);
    if (box.width() == 0)
        label->adjustSize();
    return label;
}

void colour(QWidget *widget, const QColor &colour)
{
    QPalette palette = widget->palette();
    palette.setColor(QPalette::WindowText, colour);
    widget->setPalette(palette);
}

// A picture of the given size: the program shows 16-colour bitmaps and one icon with a mask.
QPixmap picture(int width, int height, const QColor &fill, bool masked = false)
{
    QPixmap pixmap(width, height);
    pixmap.fill(masked ? QColor(Qt::transparent) : fill);
    if (masked) {
        QPainter painter(&pixmap);
        painter.setBrush(fill);
        painter.drawEllipse(2, 2, width - 4, height - 4);
    }
    return pixmap;
}

QLabel *image(QWidget *parent, const char *name, int x, int y, const QPixmap &pixmap)
{
    auto *image = new QLabel(parent);
    image->setObjectName(QLatin1String(name));
    image->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    image->setPixmap(pixmap);
    image->setGeometry(x, y, pixmap.width(), pixmap.height());
    return image;
}

} // namespace

FloorWindow::FloorWindow(QWidget *parent)
    : QWidget(parent)
{
    setFixedSize(665, 449);
    setWindowTitle(QStringLiteral("Astrelo - Beran"));
    setFont(face(SansFace, 8, false));

    const QStringList topics
        = { QStringLiteral("Povaha"), QStringLiteral("Vzhled"), QStringLiteral("Nemoci"),
              QStringLiteral("Láska"), QStringLiteral("Dětství"), QStringLiteral("Povolání") };
    const QStringList signs
        = { QStringLiteral("Beran"), QStringLiteral("Býk"), QStringLiteral("Blíženci"),
              QStringLiteral("Rak"), QStringLiteral("Lev"), QStringLiteral("Panna"),
              QStringLiteral("Váhy"), QStringLiteral("Štír"), QStringLiteral("Střelec"),
              QStringLiteral("Kozoroh"), QStringLiteral("Vodnář"), QStringLiteral("Ryby") };
    const QFont heading = face(SansFace, 9.75, true);
    // The unselected names are in the button-shadow grey of the palette.
    const QColor grey = QApplication::palette().color(QPalette::Dark);

    for (int topic = 0; topic < 6; ++topic) {
        const QByteArray name = "Label" + QByteArray::number(topic + 1);
        QLabel *topicLabel = label(
            this, name.constData(), topics[topic], QRect(8, 232 + 24 * topic, 0, 0), heading);
        if (topic > 0)
            colour(topicLabel, grey);
    }
    label(this, "Label7", QStringLiteral("BERAN - ARIES"), QRect(136, 8, 521, 17),
        face(SansFace, 12, true), Qt::AlignHCenter | Qt::AlignTop);
    for (int sign = 0; sign < 12; ++sign) {
        const QByteArray imageName = "Image" + QByteArray::number(sign + 1);
        image(this, imageName.constData(), 8 + 56 * sign, 384,
            picture(32, 32, QColor::fromHsv(30 * sign, 160, 220)));
        const QByteArray labelName = "Label" + QByteArray::number(sign + 8);
        QLabel *signLabel = label(this, labelName.constData(), signs[sign],
            QRect(8 + 56 * sign, 424, 0, 0), face(SansFace, 8, sign == 0));
        if (sign > 0)
            colour(signLabel, grey);
    }
    image(this, "Image13", 88, 280, picture(32, 32, QColor(0x30, 0x60, 0xc0), true));
    label(this, "Label20", QStringLiteral("21.3. - 20.4."), QRect(8, 16, 118, 13), heading,
        Qt::AlignHCenter | Qt::AlignTop);
    image(this, "Image14", 8, 32, picture(120, 190, QColor(0xe0, 0xc0, 0x80)));
    // The planets in black over two white copies, right-aligned on the picture's corner.
    colour(label(this, "Label22", QStringLiteral("Mars"), QRect(0, 198, 121, 16), heading,
               Qt::AlignRight | Qt::AlignTop),
        Qt::white);
    colour(label(this, "Label23", QStringLiteral("Mars"), QRect(0, 202, 125, 16), heading,
               Qt::AlignRight | Qt::AlignTop),
        Qt::white);
    label(this, "Label21", QStringLiteral("Mars"), QRect(0, 200, 123, 16), heading,
        Qt::AlignRight | Qt::AlignTop);

    m_text = new QPlainTextEdit(this);
    m_text->setObjectName(QStringLiteral("Text1"));
    m_text->setGeometry(136, 32, 521, 345);
    m_text->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    m_text->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_text->setReadOnly(true);
    m_text->setUndoRedoEnabled(false);
    m_text->setPlainText(floorText(10000));

    // The settings panel: built with the window and hidden, as in the program. Its labels
    // have fixed boxes, so that their faces are not loaded before the panel is first shown.
    m_panel = new QGroupBox(QStringLiteral("Nastavení textového okna"), this);
    m_panel->setObjectName(QStringLiteral("Frame1"));
    m_panel->setGeometry(416, 48, 217, 177);
    m_panel->setFont(heading);
    m_panel->setAutoFillBackground(true);
    QPalette panelPalette = m_panel->palette();
    panelPalette.setColor(QPalette::Window, panelPalette.color(QPalette::Base));
    m_panel->setPalette(panelPalette);
    m_panel->hide();
    for (const QRect &box : { QRect(8, 72, 57, 17), QRect(144, 72, 65, 17) }) {
        auto *mark = new QFrame(m_panel);
        mark->setFrameStyle(QFrame::Box | QFrame::Plain);
        mark->setGeometry(box);
        mark->hide();
    }
    auto *line = new QFrame(m_panel);
    line->setFrameStyle(QFrame::HLine | QFrame::Plain);
    line->setGeometry(8, 96, 200, 1);
    const auto centred = Qt::AlignHCenter | Qt::AlignTop;
    label(m_panel, "Label27", QStringLiteral("Kurzíva"), QRect(152, 72, 51, 16), heading);
    label(m_panel, "Label26", QStringLiteral("Tučné"), QRect(16, 72, 44, 16), heading);
    colour(label(m_panel, "Label28", QStringLiteral("8"), QRect(8, 36, 199, 17),
               face(SansFace, 12, true), centred),
        QColor(0xe0, 0xe0, 0xe0));
    label(m_panel, "Label25", QStringLiteral("Zmenšit písmo o 1 bod"), QRect(8, 48, 197, 16),
        heading, centred);
    label(m_panel, "Label24", QStringLiteral("Zvětšit písmo o 1 bod"), QRect(8, 24, 197, 16),
        heading, centred);
    colour(label(m_panel, "Label29", QStringLiteral("Původní nastavení"), QRect(8, 160, 201, 13),
               heading, centred),
        QColor(0x80, 0, 0));
    label(m_panel, "Label30", QStringLiteral("Arial"), QRect(8, 104, 30, 16),
        face(QStringLiteral("Arial"), 9.75, true));
    colour(
        label(m_panel, "Label31", QStringLiteral("MS Sans Serif"), QRect(8, 120, 98, 16), heading),
        Qt::red);
    label(m_panel, "Label32", QStringLiteral("Courier New"), QRect(120, 112, 88, 16),
        face(QStringLiteral("Courier New"), 9.75, true));
    label(m_panel, "Label33", QStringLiteral("Comic Sans MS"), QRect(112, 136, 97, 19),
        face(QStringLiteral("Comic Sans MS"), 9.75, true));

    setWindowIcon(QIcon(picture(32, 32, QColor(0x30, 0x60, 0xc0), true)));
}

void setUpFloorLook(QApplication &app)
{
    QStyle *fusion = QStyleFactory::create(QStringLiteral("Fusion"));
    app.setStyle(fusion);
    app.setPalette(fusion->standardPalette());
}

QString floorText(int number)
{
    QFile file(QStringLiteral(":/floor/texts/%1.txt").arg(number));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    QString text = QString::fromUtf8(file.readAll());
    text.chop(1);
    return text.replace(QStringLiteral("\n\n"), QStringLiteral("\r\n\r\n"));
}
