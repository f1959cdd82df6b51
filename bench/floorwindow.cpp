// SPDX-License-Identifier: MIT
#include "floorwindow.h"

#include <QApplication>
#include <QFile>
#include <QFont>
#include <QFrame>
#include <QGroupBox>
#include <QIcon>
#include <QImageReader>
#include <QLabel>
#include <QMap>
#include <QPixmap>
#include <QPlainTextEdit>
#include <QStyle>
#include <QStyleFactory>
#include <QVariant>

// The generated class of main_window/form1.ui, in a namespace of its own: the click benchmark
// links the program's build of the same design, with the program's FlatFrame, into the same
// executable. Everything the generated header includes is included above.
namespace Floor {
#include "ui_form1.h"
} // namespace Floor

namespace {

const QString ShownFace = QStringLiteral("Liberation Sans");

// A short string of catalogue/strings.tsv (number, tab, text).
QString catalogueString(int number)
{
    static const QMap<int, QString> strings = [] {
        QMap<int, QString> out;
        QFile file(QStringLiteral(":/floor/strings.tsv"));
        if (file.open(QIODevice::ReadOnly)) {
            for (const QString &line : QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'))) {
                const qsizetype tab = line.indexOf(QLatin1Char('\t'));
                if (tab > 0 && !line.startsWith(QLatin1Char('#')))
                    out.insert(line.left(tab).toInt(), line.mid(tab + 1));
            }
        }
        return out;
    }();
    return strings.value(number);
}

// A picture of the resource, read by Qt's own reader for its format. The format is taken from
// the name alone: guessing it from the contents would load every image plugin to ask them.
QPixmap picture(const QString &file)
{
    QImageReader reader(QStringLiteral(":/floor/") + file, file.section(u'.', -1).toLatin1());
    reader.setAutoDetectImageFormat(false);
    return QPixmap::fromImage(reader.read());
}

// A picture at its own size, its top-left corner where the design puts it.
void showPicture(QLabel *image, const QString &file)
{
    image->setPixmap(picture(file));
    image->resize(image->pixmap().size());
}

// A colour of the design: 0x00BBGGRR, or with the top bit set a system colour, of which the
// main window uses the window background (5) and the button shadow (16).
QColor designColour(const QVariant &value)
{
    const QString text = value.toString();
    const bool hex = text.startsWith(QLatin1String("&H"));
    const uint rgb = (hex ? text.mid(2) : text).toUInt(nullptr, hex ? 16 : 10);
    if (rgb & 0x80000000u)
        return QApplication::palette().color((rgb & 0xff) == 5 ? QPalette::Base : QPalette::Dark);
    return QColor(int(rgb & 0xff), int((rgb >> 8) & 0xff), int((rgb >> 16) & 0xff));
}

// What the design keeps in dynamic properties (Designer stores whole point sizes and no
// colour values), and its MS Sans Serif in the face this system shows for it.
void applyDesignData(QWidget *control)
{
    QFont font = control->font();
    if (font.family() == QLatin1String("MS Sans Serif"))
        font.setFamily(ShownFace);
    if (const QVariant size = control->property("pointSizeF"); size.isValid())
        font.setPointSizeF(size.toDouble());
    if (font != control->font())
        control->setFont(font);
    QPalette palette = control->palette();
    if (const QVariant colour = control->property("foreColor"); colour.isValid())
        palette.setColor(QPalette::WindowText, designColour(colour));
    if (const QVariant colour = control->property("backColor"); colour.isValid()) {
        palette.setColor(QPalette::Window, designColour(colour));
        control->setAutoFillBackground(true);
    }
    control->setPalette(palette);
}

// A caption; a label that fits its text then takes the caption's size, keeping the edge or
// the centre that its alignment anchors it by. Only captions are fitted, so the hidden
// panel's faces are not loaded before the panel is first shown, as in the program.
void setCaption(QLabel *label, const QString &caption)
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

} // namespace

FloorWindow::FloorWindow(QWidget *parent)
    : QWidget(parent)
{
    Floor::Ui::Form1 ui;
    ui.setupUi(this);
    setFixedSize(size());
    for (QWidget *control : findChildren<QWidget *>())
        applyDesignData(control);

    // The first sign and the first topic, as the program starts.
    QLabel *const topics[] = { ui.Label1, ui.Label2, ui.Label3, ui.Label4, ui.Label5, ui.Label6 };
    for (int topic = 0; topic < 6; ++topic)
        setCaption(topics[topic], catalogueString(1200 + topic));
    QLabel *const signs[] = { ui.Label8, ui.Label9, ui.Label10, ui.Label11, ui.Label12,
        ui.Label13, ui.Label14, ui.Label15, ui.Label16, ui.Label17, ui.Label18, ui.Label19 };
    QLabel *const thumbnails[] = { ui.Image1, ui.Image2, ui.Image3, ui.Image4, ui.Image5,
        ui.Image6, ui.Image7, ui.Image8, ui.Image9, ui.Image10, ui.Image11, ui.Image12 };
    QFont bold = ui.Label8->font();
    bold.setBold(true);
    ui.Label8->setFont(bold);
    for (int sign = 0; sign < 12; ++sign) {
        setCaption(signs[sign], catalogueString(1100 + sign));
        showPicture(thumbnails[sign], QStringLiteral("bitmaps/%1.bmp").arg(1000 + sign));
    }
    setWindowTitle(QStringLiteral("Astrelo - ") + catalogueString(1100));
    setWindowIcon(QIcon(picture(QStringLiteral("icons/1.ico"))));
    showPicture(ui.Image14, QStringLiteral("bitmaps/100.bmp"));
    showPicture(ui.Image13, QStringLiteral("icons/100.ico"));
    setCaption(ui.Label7, catalogueString(0).toUpper());
    setCaption(ui.Label20, catalogueString(1000));
    QString planets = catalogueString(100);
    planets[0] = planets[0].toUpper();
    for (QLabel *label : { ui.Label21, ui.Label22, ui.Label23 })
        setCaption(label, planets);
    m_text = ui.Text1;
    m_text->setPlainText(floorText(10000));
    m_panel = ui.Frame1;
}

void setUpFloorLook(QApplication &app)
{
    QStyle *fusion = QStyleFactory::create(QStringLiteral("Fusion"));
    app.setStyle(fusion);
    app.setPalette(fusion->standardPalette());
    app.setFont(QFont(ShownFace, 8));
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
