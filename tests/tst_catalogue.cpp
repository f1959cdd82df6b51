// SPDX-License-Identifier: MIT
// The catalogue's short strings, its three number spaces and its missing-item errors.

#include "catalogue.h"
#include "hiddenitem.h"

#include <QTest>

class TestCatalogue : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void shortStrings_data();
    void shortStrings();
    void missingItems_data();
    void missingItems();
    void numberSpacesAreSeparate();
    void everyTextNumberExists();
    void hiddenItemLooksMissing();
};

void TestCatalogue::shortStrings_data()
{
    QTest::addColumn<int>("number");
    QTest::addColumn<QString>("text");
    const char *const titles[] = { "beran - Aries", "býk - Taurus", "blíženci - Gemini",
        "rak - Cancer", "lev - Leo", "panna - Virgo", "váhy - Libra", "štír - Scorpio",
        "střelec - Sagittarius", "kozoroh - Capricorn", "vodnář - Aquarius", "ryby - Pisces" };
    const char *const planets[] = { "mars", "venuše", "merkur", "měsíc", "slunce", "merkur",
        "venuše", "mars a Pluto", "jupiter", "saturn", "saturn a Uran", "jupiter a Neptun" };
    const char *const dates[] = { "21.3. - 20.4.", "21.4. - 21.5.", "22.5. - 21.6.",
        "22.6. - 22.7.", "22.7. - 23.8.", "24.8. - 23.9.", "24.9. - 23.10.", "24.10. - 22.11.",
        "23.11. - 21.12.", "22.12. - 20.1.", "21.1. - 20.2.", "19.2. - 20.3." };
    const char *const names[] = { "Beran", "Býk", "Blíženci", "Rak", "Lev", "Panna", "Váhy",
        "Štír", "Střelec", "Kozoroh", "Vodnář", "Ryby" };
    const char *const topics[] = { "Povaha", "Vzhled", "Nemoci", "Láska", "Dětství", "Povolání" };
    for (int s = 0; s < 12; ++s) {
        QTest::addRow("title %d", s) << s << QString::fromUtf8(titles[s]);
        QTest::addRow("planets %d", s) << 100 + s << QString::fromUtf8(planets[s]);
        QTest::addRow("dates %d", s) << 1000 + s << QString::fromUtf8(dates[s]);
        QTest::addRow("name %d", s) << 1100 + s << QString::fromUtf8(names[s]);
    }
    for (int t = 0; t < 6; ++t)
        QTest::addRow("topic %d", t) << 1200 + t << QString::fromUtf8(topics[t]);
}

void TestCatalogue::shortStrings()
{
    QFETCH(int, number);
    QFETCH(QString, text);
    QCOMPARE(LoadCatalogueString(number), text);
}

void TestCatalogue::missingItems_data()
{
    QTest::addColumn<CatalogueKind>("kind");
    QTest::addColumn<int>("number");
    QTest::addColumn<QString>("message");
    const auto row = [](const char *name, CatalogueKind kind, int number, const char *message) {
        QTest::newRow(name) << kind << number << QString::fromUtf8(message);
    };
    row("string after a sign's texts", CatalogueKind::String, 10006, "V katalogu chybí řetězec 10006.");
    row("string 10109", CatalogueKind::String, 10109, "V katalogu chybí řetězec 10109.");
    row("string past the last text", CatalogueKind::String, 10116, "V katalogu chybí řetězec 10116.");
    row("string 12", CatalogueKind::String, 12, "V katalogu chybí řetězec 12.");
    row("string 1206", CatalogueKind::String, 1206, "V katalogu chybí řetězec 1206.");
    row("string -1", CatalogueKind::String, -1, "V katalogu chybí řetězec -1.");
    row("bitmap 99", CatalogueKind::Bitmap, 99, "V katalogu chybí bitmapa 99.");
    row("bitmap 112", CatalogueKind::Bitmap, 112, "V katalogu chybí bitmapa 112.");
    row("bitmap 1012", CatalogueKind::Bitmap, 1012, "V katalogu chybí bitmapa 1012.");
    row("bitmap 1 (an icon number)", CatalogueKind::Bitmap, 1, "V katalogu chybí bitmapa 1.");
    row("icon 0", CatalogueKind::Icon, 0, "V katalogu chybí ikona 0.");
    row("icon 106", CatalogueKind::Icon, 106, "V katalogu chybí ikona 106.");
    row("icon 1000 (a bitmap number)", CatalogueKind::Icon, 1000, "V katalogu chybí ikona 1000.");
}

void TestCatalogue::missingItems()
{
    QFETCH(CatalogueKind, kind);
    QFETCH(int, number);
    QFETCH(QString, message);
    try {
        if (kind == CatalogueKind::String)
            LoadCatalogueString(number);
        else
            decodeCataloguePicture(number, kind);
        QFAIL("no error for a missing item");
    } catch (const CatalogueError &error) {
        QCOMPARE(QString::fromUtf8(error.what()), message);
        QCOMPARE(error.kind(), kind);
        QCOMPARE(error.number(), number);
    }
}

void TestCatalogue::numberSpacesAreSeparate()
{
    // The same number names unrelated items in each kind.
    QCOMPARE(LoadCatalogueString(100), QStringLiteral("mars"));
    QCOMPARE(decodeCataloguePicture(100, CatalogueKind::Bitmap).size(), QSize(120, 190));
    QCOMPARE(decodeCataloguePicture(100, CatalogueKind::Icon).size(), QSize(32, 32));
    QVERIFY_THROWS_EXCEPTION(CatalogueError, catalogueItemBytes(100, CatalogueKind::String));
    QCOMPARE(LoadCatalogueString(1), QStringLiteral("býk - Taurus"));
}

void TestCatalogue::everyTextNumberExists()
{
    for (int sign = 0; sign < 12; ++sign) {
        for (int topic = 0; topic < 10; ++topic) {
            const int number = 10000 + 10 * sign + topic;
            bool found = true;
            try {
                LoadCatalogueString(number);
            } catch (const CatalogueError &) {
                found = false;
            }
            QVERIFY2(found == (topic < 6), qPrintable(QString::number(number)));
        }
    }
}

void TestCatalogue::hiddenItemLooksMissing()
{
    hideCatalogueItem(CatalogueKind::Bitmap, 100);
    QVERIFY_THROWS_EXCEPTION(CatalogueError, decodeCataloguePicture(100, CatalogueKind::Bitmap));
    QCOMPARE(LoadCatalogueString(100), QStringLiteral("mars"));
    QCOMPARE(decodeCataloguePicture(100, CatalogueKind::Icon).size(), QSize(32, 32));
    restoreCatalogue();
    QCOMPARE(decodeCataloguePicture(100, CatalogueKind::Bitmap).size(), QSize(120, 190));
}

QTEST_GUILESS_MAIN(TestCatalogue)
#include "tst_catalogue.moc"
