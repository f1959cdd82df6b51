// SPDX-License-Identifier: MIT
// The catalogue's missing-item errors, the form of its files, and its 72 topic texts: lengths,
// paragraphs, characters, spelling and repeated sentences. Run with -v2 to see a table of every
// text.

#include "testsupport.h"

#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QSet>
#include <QStandardPaths>

using namespace TestSupport;
using enum CatalogueKind;

namespace {
const QString Break = QStringLiteral("\r\n\r\n");
QString text(int number)
{
    return loadCatalogueString(number);
}
int paragraphs(const QString &text)
{
    return int(text.count(Break)) + 1;
}
// The texts' numbers: 10000 + 10 x sign + topic, for topics 0 to 5.
int next(int number)
{
    return number + (number % 10 == 5 ? 5 : 1);
}

// ASCII letters, digits and " ,.-;\"", and the letters of Windows-1250 beyond ASCII.
const QRegularExpression Paragraph(u8("[A-Za-z0-9 ,.;\"\\-ŠŚŤŽŹšśťžźŁĄŞŻłąşľĽżŔÁÂĂÄĹĆÇČÉĘËĚÍÎĎ"
                                      "ĐŃŇÓÔŐÖŘŮÚŰÜÝŢßŕáâăäĺćçčéęëěíîďđńňóôőöřůúűüýţ]*"));
} // namespace

class TestTexts : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    // The error names the missing item in Czech; the same number names unrelated items in each
    // kind, and taking one away leaves the others.
    void missingItems()
    {
        const std::tuple<CatalogueKind, int, const char *> items[]
            = { { String, 1206, "řetězec 1206" }, { Icon, 0, "ikona 0" },
                  { Bitmap, 99, "bitmapa 99" }, { String, 12, "řetězec 12" },
                  { Bitmap, 1, "bitmapa 1" }, { Icon, 1000, "ikona 1000" },
                  { Bitmap, 1012, "bitmapa 1012" } };
        for (const auto &[kind, number, message] : items) {
            try {
                kind == String ? void(text(number)) : void(decodeCataloguePicture(number, kind));
                QFAIL(message);
            } catch (const CatalogueError &error) {
                QCOMPARE(u8(error.what()), u8("V katalogu chybí %1.").arg(u8(message)));
                QCOMPARE(error.kind(), kind);
                QCOMPARE(error.number(), number);
            }
        }
        // Each kind's item 100 taken away leaves the other kinds' item 100.
        CatalogueCopy catalogue;
        catalogue.hide(Bitmap, 100);
        QCOMPARE(text(100), u"mars");
        QCOMPARE(decodeCataloguePicture(100, Icon).size(), QSize(32, 32));
        QVERIFY_THROWS_EXCEPTION(CatalogueError, decodeCataloguePicture(100, Bitmap));
        catalogue.hide(String, 100);
        QCOMPARE(decodeCataloguePicture(100, Bitmap).size(), QSize(120, 190));
        QCOMPARE(text(101), u8("venuše"));
        QVERIFY_THROWS_EXCEPTION(CatalogueError, text(100));
        QVERIFY_THROWS_EXCEPTION(CatalogueError, catalogueItemBytes(100, String));
    }
    // A file's content as the look-up gives it: the rows of strings.tsv wherever they stand and
    // whatever their neighbours, and a text's paragraphs.
    void fileForms_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<int>("number");
        QTest::addColumn<QString>("expected"); // a null string: the catalogue lacks it
        const QString tsv = QStringLiteral("strings.tsv"), txt = QStringLiteral("texts/10000.txt");
        QTest::newRow("first row") << tsv << QByteArray("7\tšest\n") << 7 << u8("šest");
        QTest::newRow("last row, no newline")
            << tsv << QByteArray("# x\n1\ta\n20\tb c") << 20 << u8("b c");
        QTest::newRow("not a longer number")
            << tsv << QByteArray("110\tx\n10\ty\n") << 10 << u8("y");
        QTest::newRow("not a shorter number") << tsv << QByteArray("1\tx\n") << 11 << QString();
        QTest::newRow("not in text") << tsv << QByteArray("1\t2\t3\n") << 2 << QString();
        QTest::newRow("not a comment") << tsv << QByteArray("#5\tx\n") << 5 << QString();
        QTest::newRow("paragraphs") << txt << QByteArray("Jedna věta.\n\nDvě.\n\nTři.\n") << 10000
                                    << u8("Jedna věta.\r\n\r\nDvě.\r\n\r\nTři.");
        QTest::newRow("one paragraph") << txt << QByteArray("Řádek.\n") << 10000 << u8("Řádek.");
    }
    void fileForms()
    {
        QFETCH(QString, file);
        QFETCH(QByteArray, content);
        QFETCH(int, number);
        QFETCH(QString, expected);
        CatalogueCopy catalogue;
        catalogue.change(file, content);
        QString found;
        try {
            found = text(number);
        } catch (const CatalogueError &error) {
            QCOMPARE(error.number(), number);
        }
        QCOMPARE(found.isNull(), expected.isNull());
        QCOMPARE(found, expected);
    }
    void topicRanges_data()
    {
        QTest::addColumn<int>("topic");
        QTest::addColumn<QList<int>>("range"); // characters min, max; paragraphs min, max
        QTest::newRow("character") << 0 << QList<int> { 1489, 2620, 3, 8 };
        QTest::newRow("appearance") << 1 << QList<int> { 81, 632, 1, 2 };
        QTest::newRow("illnesses") << 2 << QList<int> { 287, 753, 1, 2 };
        QTest::newRow("love") << 3 << QList<int> { 536, 2294, 1, 6 };
        QTest::newRow("childhood") << 4 << QList<int> { 590, 1387, 2, 4 };
        QTest::newRow("occupation") << 5 << QList<int> { 442, 1235, 1, 3 };
    }
    // A design fact: every text of a topic lies in the topic's range, and some sign reaches each
    // end of it. An edit of a text keeps its length and paragraphs.
    void topicRanges()
    {
        QFETCH(int, topic);
        QFETCH(QList<int>, range);
        QList<int> reached { INT_MAX, 0, INT_MAX, 0 };
        for (int number = 10000 + topic; number < 10120; number += 10) {
            const int chars = int(text(number).size()), count = paragraphs(text(number));
            qDebug("%d: %4d characters, %d paragraphs", number, chars, count);
            QCOMPARE_GE(chars, range[0]);
            QCOMPARE_LE(chars, range[1]);
            QCOMPARE_GE(count, range[2]);
            QCOMPARE_LE(count, range[3]);
            reached = { std::min(reached[0], chars), std::max(reached[1], chars),
                std::min(reached[2], count), std::max(reached[3], count) };
        }
        QCOMPARE(reached, range);
    }
    // Every text there is, and none for topics 6 to 9; the design's totals, the one shortest and
    // the one longest text, the form of every paragraph, and no sentence of 25 characters or more
    // in two texts.
    void allTexts()
    {
        for (int number = 10006; number < 10120; number += number % 10 == 9 ? 7 : 1)
            QVERIFY_THROWS_EXCEPTION(CatalogueError, text(number));
        qsizetype total = 0, breaks = 0;
        QHash<QString, int> sentences;
        static const QRegularExpression sentenceEnd(QStringLiteral("(?<=\\.)\\s+"));
        for (int number = 10000; number < 10120; number = next(number)) {
            const QString all = text(number), where = QString::number(number);
            total += all.size();
            breaks += all.count(Break);
            QVERIFY2(number == 10071 ? all.size() == 81 : all.size() > 81, qPrintable(where));
            QVERIFY2(number == 10020 ? all.size() == 2620 : all.size() < 2620, qPrintable(where));
            for (const QString &paragraph : all.split(Break)) {
                const qsizetype end = Paragraph.match(paragraph).capturedLength();
                QVERIFY2(end == paragraph.size(), qPrintable(where + u' ' + paragraph.mid(end, 1)));
                QVERIFY2(!paragraph.isEmpty(), qPrintable(where));
                QCOMPARE(paragraph.simplified(), paragraph); // no stray blank
            }
            for (const QString &sentence : all.split(sentenceEnd, Qt::SkipEmptyParts)) {
                const int first = sentences.value(sentence, number);
                QVERIFY2(sentence.size() < 25 || first == number,
                    qPrintable(where + QStringLiteral(" repeats %1: ").arg(first) + sentence));
                sentences.insert(sentence, number);
            }
        }
        QCOMPARE(paragraphs(text(10071)), 1);
        QCOMPARE(total, 74817);
        QCOMPARE(breaks, 118);
    }
    // Every word passes the Czech Hunspell dictionary, or stands in the reviewed allow-list.
    void spelling()
    {
        if (QStandardPaths::findExecutable(QStringLiteral("hunspell")).isEmpty()
            || !QFile::exists(QStringLiteral("/usr/share/hunspell/cs_CZ.dic"))) {
            // make test installs both: a missing one is a fault of the set-up.
            if (qEnvironmentVariable("CI") == u"true")
                QFAIL("hunspell with the Czech dictionary is not installed");
            QSKIP("hunspell with the Czech dictionary is not installed");
        }
        QFile allowList(QStringLiteral(ASTRELO_SOURCE_DIR "/catalogue/spelling-allowlist.txt"));
        QVERIFY(allowList.open(QIODevice::ReadOnly));
        const QStringList allowed = QString::fromUtf8(allowList.readAll()).split(u'\n') << "";
        QString all;
        for (int number = 10000; number < 10120; number = next(number))
            all += text(number).replace(u'\r', u' ') + u'\n';
        QProcess hunspell;
        hunspell.start(QStringLiteral("hunspell"), { "-d", "cs_CZ", "-l" });
        QVERIFY(hunspell.waitForStarted());
        hunspell.write(all.toUtf8());
        hunspell.closeWriteChannel();
        QVERIFY(hunspell.waitForFinished(60000));
        QStringList unknown = QString::fromUtf8(hunspell.readAllStandardOutput()).split(u'\n');
        unknown.removeIf([&](const QString &word) { return allowed.contains(word); });
        unknown.removeDuplicates();
        QVERIFY2(unknown.isEmpty(), qPrintable(unknown.join(u' ')));
    }
};

QTEST_GUILESS_MAIN(TestTexts)
#include "tst_texts.moc"
