// SPDX-License-Identifier: MIT
#pragma once

// Shared by the tests: what the main window shows for each sign, controls and clicks, the
// guard's reports, a stand-in browser, Qt's own picture readers and an altered catalogue.

#include "catalogue.h"
#include "guard.h"
#include "toolkit.h"

#include <QApplication>
#include <QDesktopServices>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>

#include <optional>

namespace TestSupport {
inline const char *const Names[] = { "Beran", "Býk", "Blíženci", "Rak", "Lev", "Panna", "Váhy",
    "Štír", "Střelec", "Kozoroh", "Vodnář", "Ryby" };
inline const char *const Headings[] = { "BERAN - ARIES", "BÝK - TAURUS", "BLÍŽENCI - GEMINI",
    "RAK - CANCER", "LEV - LEO", "PANNA - VIRGO", "VÁHY - LIBRA", "ŠTÍR - SCORPIO",
    "STŘELEC - SAGITTARIUS", "KOZOROH - CAPRICORN", "VODNÁŘ - AQUARIUS", "RYBY - PISCES" };
inline const char *const Planets[] = { "Mars", "Venuše", "Merkur", "Měsíc", "Slunce", "Merkur",
    "Venuše", "Mars a Pluto", "Jupiter", "Saturn", "Saturn a Uran", "Jupiter a Neptun" };
inline const char *const Dates[] = { "21.3. - 20.4.", "21.4. - 21.5.", "22.5. - 21.6.",
    "22.6. - 22.7.", "22.7. - 23.8.", "24.8. - 23.9.", "24.9. - 23.10.", "24.10. - 22.11.",
    "23.11. - 21.12.", "22.12. - 20.1.", "21.1. - 20.2.", "19.2. - 20.3." };
// Grey: the button shadow of unselected labels in Fusion's standard light palette.
constexpr QRgb Black = 0xff000000, Grey = 0xff9f9f9f, White = 0xffffffff, Red = 0xffff0000;

inline QString u8(const char *text)
{
    return QString::fromUtf8(text);
}
inline int twips(int pixels)
{
    return pixels * 15;
}

// A control by name. A missing one fails the test and gets a hidden stand-in, so that the test
// function runs to its end and the others run as usual.
template <typename T = QWidget> T *control(const QWidget *window, const QString &name)
{
    if (T *found = window->findChild<T *>(name))
        return found;
    QTest::qFail(qPrintable(QStringLiteral("no control ") + name), __FILE__, __LINE__);
    T *standIn = new T(const_cast<QWidget *>(window));
    standIn->setObjectName(name);
    standIn->hide();
    return standIn;
}
// What a label or a flat button shows: its caption, or its picture.
inline QString textOf(const QWidget *shown)
{
    return shown->property("text").toString();
}
inline QImage pictureOf(const QWidget *shown)
{
    return shown->property("pixmap").value<QPixmap>().toImage();
}
inline QString caption(const QWidget *window, const char *name)
{
    return textOf(control(window, QLatin1String(name)));
}

inline void click(QWidget *widget, QPoint at = { 1, 1 })
{
    QTest::mouseClick(widget, Qt::LeftButton, {}, at);
}
// A double-click as the platform delivers it: press, release, double-click press, release,
// 50 ms apart, each to the control under the pointer then (the first click may hide it).
inline void doubleClick(QWidget *widget, QPoint at = { 1, 1 })
{
    QWidget *window = widget->window();
    const QPoint place = widget->mapTo(window, at);
    for (const QEvent::Type type : { QEvent::MouseButtonPress, QEvent::MouseButtonRelease,
             QEvent::MouseButtonDblClick, QEvent::MouseButtonRelease }) {
        QWidget *under = window->childAt(place) ? window->childAt(place) : window;
        const QPoint local = under->mapFrom(window, place);
        const bool down = type != QEvent::MouseButtonRelease;
        QMouseEvent event(type, local, under->mapToGlobal(local), Qt::LeftButton,
            down ? Qt::LeftButton : Qt::NoButton, {});
        event.setTimestamp(QTest::lastMouseTimestamp += 50);
        QApplication::sendEvent(under, &event);
    }
    QTest::lastMouseTimestamp += 1000; // the next press begins no double-click
}

// A catalogue text as the text box gives it back: lines joined by LF, not CR LF.
inline QString boxText(int number)
{
    return loadCatalogueString(number).replace(QLatin1String("\r\n"), QLatin1String("\n"));
}

// A picture as it looks: every fully transparent pixel transparent black.
inline QImage seen(const QImage &picture)
{
    QImage image = picture.convertToFormat(QImage::Format_ARGB32);
    auto *pixels = reinterpret_cast<QRgb *>(image.bits()); // 32-bit rows have no padding
    for (qsizetype k = 0; k < image.width() * image.height(); ++k)
        pixels[k] = qAlpha(pixels[k]) ? pixels[k] : 0;
    return image;
}

// A catalogue picture as Qt's own BMP and ICO readers read its file in the source tree.
inline QImage qtDecoded(int number, CatalogueKind kind)
{
    const bool icon = kind == CatalogueKind::Icon;
    QFile file(QString::asprintf("%s/catalogue/%s/%d.%s", ASTRELO_SOURCE_DIR,
        icon ? "icons" : "bitmaps", number, icon ? "ico" : "bmp"));
    return file.open(QIODevice::ReadOnly)
        ? seen(QImage::fromData(file.readAll(), icon ? "ICO" : "BMP"))
        : QImage();
}

// The catalogue served from a copy of its files that lacks an item or holds other bytes: the
// search path "catalogue" points at the copy until restore() puts the files and the path back.
// The copy links to the source tree's files, which the program's resources hold as they are.
class CatalogueCopy
{
public:
    CatalogueCopy()
    {
        for (QDirIterator files(m_source, QDir::Files, QDirIterator::Subdirectories);
             files.hasNext();)
            copyBack(QDir(m_source).relativeFilePath(files.next()));
    }
    ~CatalogueCopy() { restore(); }
    // The copy's file ("strings.tsv", "texts/10000.txt") with these bytes, or none.
    void change(const QString &name, const std::optional<QByteArray> &bytes)
    {
        m_changed.append(name);
        QFile file(m_copy.filePath(name));
        file.remove();
        if (bytes && (!file.open(QIODevice::WriteOnly) || file.write(*bytes) != bytes->size()))
            qFatal("cannot write %s", qPrintable(file.fileName()));
        QDir::setSearchPaths(QStringLiteral("catalogue"), { m_copy.path() });
    }
    // The copy without one item: a picture's or a text's file, or a string's row.
    void hide(CatalogueKind kind, int number)
    {
        restore();
        const QString file = QString::asprintf(kind == CatalogueKind::Bitmap ? "bitmaps/%d.bmp"
                : kind == CatalogueKind::Icon                                ? "icons/%d.ico"
                                                                             : "texts/%d.txt",
            number);
        if (kind != CatalogueKind::String || QFile::exists(m_copy.filePath(file)))
            return change(file, {});
        QFile table(m_copy.filePath(QStringLiteral("strings.tsv")));
        QList<QByteArray> rows
            = table.open(QIODevice::ReadOnly) ? table.readAll().split('\n') : QList<QByteArray>();
        rows.removeIf([&](const QByteArray &row) {
            return row.startsWith(QByteArray::number(number) + '\t');
        });
        change(QStringLiteral("strings.tsv"), rows.join('\n'));
    }
    void restore()
    {
        for (const QString &name : std::exchange(m_changed, {}))
            copyBack(name);
        QDir::setSearchPaths(QStringLiteral("catalogue"), { m_source });
    }

private:
    void copyBack(const QString &name)
    {
        QFile::remove(m_copy.filePath(name));
        QDir().mkpath(QFileInfo(m_copy.filePath(name)).path());
        QFile::link(QStringLiteral(ASTRELO_SOURCE_DIR "/catalogue/") + name, m_copy.filePath(name));
    }
    const QString m_source = QDir::searchPaths(QStringLiteral("catalogue")).value(0);
    QTemporaryDir m_copy;
    QStringList m_changed; // files changed since the copy was last restored
};

// Whether the darkest (or lightest) colour a control shows on screen is this one, give or take
// the smoothing of thin letters: for a label, its text's colour on a lighter (darker) ground.
inline bool inked(QWidget *widget, QRgb colour, bool lightest = false)
{
    const QImage image = widget->grab().toImage().convertToFormat(QImage::Format_RGB32);
    QRgb found = image.pixel(0, 0);
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if ((qGray(image.pixel(x, y)) > qGray(found)) == lightest)
                found = image.pixel(x, y);
    return std::max({ std::abs(qRed(found) - qRed(colour)),
               std::abs(qGreen(found) - qGreen(colour)), std::abs(qBlue(found) - qBlue(colour)) })
        <= 4;
}

// Collects what the guard reports, for as long as it lives.
struct ErrorLog
{
    ErrorLog()
    {
        Guard::setErrorSink([this](const QString &e) { messages.append(e); });
    }
    ~ErrorLog() { Guard::setErrorSink({}); }
    Q_DISABLE_COPY(ErrorLog)
    QStringList messages;
};

// Stands in for the desktop's browser: notes each address it is asked to open.
class Browser : public QObject
{
    Q_OBJECT
public:
    Browser() { QDesktopServices::setUrlHandler(QStringLiteral("http"), this, "open"); }
    ~Browser() override { QDesktopServices::unsetUrlHandler(QStringLiteral("http")); }
    QList<QUrl> opened;
public Q_SLOTS:
    void open(const QUrl &url) { opened.append(url); }
};

// Qt's warnings, less the offscreen platform's: it cannot raise a window, and nothing takes a
// click on a window's bare background.
inline QStringList qtWarnings;
inline void watchQtWarnings()
{
    static const QtMessageHandler previous = qInstallMessageHandler(
        [](QtMsgType type, const QMessageLogContext &context, const QString &text) {
            if (text.contains(u"not accepted by receiving widget")
                || text == u"This plugin does not support raise()")
                return;
            if (type == QtWarningMsg || type == QtCriticalMsg)
                qtWarnings.append(text);
            previous(type, context, text);
        });
}
} // namespace TestSupport
