// SPDX-License-Identifier: MIT
// The main window on a scaled screen (run with QT_SCALE_FACTOR set): the design keeps its
// proportions, captions stay inside their boxes, and the small pictures stay crisp.

#include "catalogue.h"
#include "form1.h"
#include "testsupport.h"

#include <QSet>

using namespace TestSupport;

class TestHighDpi : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void layoutKeepsItsProportions();
    void captionsFitTheirBoxes();
    void picturesStayCrisp_data();
    void picturesStayCrisp();

private:
    std::unique_ptr<Form1> m_window;
};

void TestHighDpi::initTestCase()
{
    if (qEnvironmentVariableIsEmpty("QT_SCALE_FACTOR"))
        QSKIP("run with QT_SCALE_FACTOR set");
    Toolkit::setUpLook(*qApp);
    m_window = std::make_unique<Form1>();
    m_window->load();
    m_window->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
}

void TestHighDpi::layoutKeepsItsProportions()
{
    QCOMPARE(m_window->size(), QSize(665, 449));
    QCOMPARE(control(m_window.get(), "Text1")->geometry(), QRect(136, 32, 521, 345));
    QCOMPARE(control(m_window.get(), "Image14")->geometry(), QRect(8, 32, 120, 190));
    QCOMPARE(control(m_window.get(), "Image12")->geometry(), QRect(624, 384, 32, 32));
}

void TestHighDpi::captionsFitTheirBoxes()
{
    for (const QLabel *label : m_window->findChildren<QLabel *>()) {
        if (label->text().isEmpty())
            continue;
        const QFontMetrics metrics(label->font());
        QVERIFY2(metrics.horizontalAdvance(label->text()) <= label->width(),
            qPrintable(label->objectName()));
        QVERIFY2(m_window->rect().contains(label->mapTo(m_window.get(), label->rect().topRight())),
            qPrintable(label->objectName()));
    }
}

void TestHighDpi::picturesStayCrisp_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("number");
    QTest::addColumn<CatalogueKind>("kind");
    QTest::newRow("thumbnail") << "Image1" << 1000 << CatalogueKind::Bitmap;
    QTest::newRow("sign picture") << "Image14" << 100 << CatalogueKind::Bitmap;
}

// Drawn on the scaled screen, a 16-colour picture brings no colours of its own: it is
// enlarged pixel by pixel, not smoothed (at fractional factors, only mildly).
void TestHighDpi::picturesStayCrisp()
{
    QFETCH(QString, name);
    QFETCH(int, number);
    QFETCH(CatalogueKind, kind);
    const qreal ratio = m_window->devicePixelRatioF();
    QWidget *image = control(m_window.get(), qPrintable(name));
    const QImage drawn = image->grab().toImage().convertToFormat(QImage::Format_RGB32);
    QCOMPARE(drawn.size(), (image->size() * ratio));
    QSet<QRgb> palette;
    const QImage source = decodeCataloguePicture(number, kind);
    for (int y = 0; y < source.height(); ++y)
        for (int x = 0; x < source.width(); ++x)
            palette.insert(source.pixel(x, y));
    QSet<QRgb> foreign;
    for (int y = 0; y < drawn.height(); ++y)
        for (int x = 0; x < drawn.width(); ++x)
            if (!palette.contains(drawn.pixel(x, y)))
                foreign.insert(drawn.pixel(x, y));
    if (ratio == std::floor(ratio))
        QCOMPARE(foreign.size(), 0);
}

QTEST_MAIN(TestHighDpi)
#include "tst_highdpi.moc"
