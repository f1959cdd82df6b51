// SPDX-License-Identifier: MIT
// The form of the catalogue's files, and its 72 topic texts: lengths, paragraphs, characters,
// spelling and repeated sentences.

#include "testsupport.h"

#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>

using namespace TestSupport;
using enum CatalogueKind;

namespace {
const QString Break = QStringLiteral("\r\n\r\n");
QString text(int number)
{
    return loadCatalogueString(number);
}
} // namespace

class TestTexts : public QObject
{
    Q_OBJECT
private Q_SLOTS:
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
    // Every text there is, none for topics 6 to 9. The design's facts: each topic's shortest
    // and longest text and its fewest and most paragraphs, the totals; the form of every
    // paragraph, and no sentence of 25 characters or more in two texts.
    void allTexts()
    {
        const QList<int> design[] = { { 1489, 2620, 3, 8 }, { 81, 632, 1, 2 }, { 287, 753, 1, 2 },
            { 536, 2294, 1, 6 }, { 590, 1387, 2, 4 }, { 442, 1235, 1, 3 } };
        QList<int> reached[6];
        qsizetype total = 0, breaks = 0;
        QHash<QString, int> sentences;
        static const QRegularExpression sentenceEnd(QStringLiteral("(?<=\\.)\\s+"));
        // ASCII letters, digits and " ,.-;\"", and the letters of Windows-1250 beyond ASCII.
        static const QRegularExpression form(
            u8("[A-Za-z0-9 ,.;\"\\-ŠŚŤŽŹšśťžźŁĄŞŻłąşľĽżŔÁÂĂÄĹĆ"
               "ÇČÉĘËĚÍÎĎĐŃŇÓÔŐÖŘŮÚŰÜÝŢßŕáâăäĺćçčéęëěíîďđńňóôőöřůúűüýţ]*"));
        for (int number = 10000; number < 10120; ++number) {
            if (number % 10 > 5) {
                QVERIFY_THROWS_EXCEPTION(CatalogueError, text(number));
                continue;
            }
            const QString all = text(number), where = QString::number(number);
            const int chars = int(all.size()), count = int(all.count(Break)) + 1;
            QList<int> &seen = reached[number % 10];
            seen = seen.isEmpty() ? QList { chars, chars, count, count }
                                  : QList { std::min(seen[0], chars), std::max(seen[1], chars),
                                        std::min(seen[2], count), std::max(seen[3], count) };
            total += chars;
            breaks += count - 1;
            for (const QString &paragraph : all.split(Break)) {
                const qsizetype end = form.match(paragraph).capturedLength();
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
        for (int topic = 0; topic < 6; ++topic)
            QCOMPARE(reached[topic], design[topic]);
        QCOMPARE(text(10071).size(), 81);
        QCOMPARE(text(10020).size(), 2620);
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
        QProcess hunspell;
        hunspell.start(QStringLiteral("hunspell"), { "-d", "cs_CZ", "-l" });
        QVERIFY(hunspell.waitForStarted());
        for (int number = 10000; number < 10120; number += number % 10 == 5 ? 5 : 1)
            hunspell.write((text(number).replace(u'\r', u' ') + u'\n').toUtf8());
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
