// SPDX-License-Identifier: MIT
// The 72 topic texts as the program gets them from the catalogue: lengths, paragraphs,
// characters, spelling and repeated sentences. Run with -v2 to see a table of every text.

#include "catalogue.h"

#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QSet>
#include <QStandardPaths>
#include <QTest>

namespace {

const QString Break = QStringLiteral("\r\n\r\n");

int textNumber(int sign, int topic) { return 10000 + 10 * sign + topic; }
int paragraphCount(const QString &text) { return int(text.count(Break)) + 1; }

// Letters of the Windows-1250 code page beyond plain ASCII.
const QString Cp1250Letters = QString::fromUtf8(
    "ŠŚŤŽŹšśťžźŁĄŞŻłąşľĽżŔÁÂĂÄĹĆÇČÉĘËĚÍÎĎĐŃŇÓÔŐÖŘŮÚŰÜÝŢßŕáâăäĺćçčéęëěíîďđńňóôőöřůúűüýţ");

} // namespace

class TestTexts : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void topicRanges_data();
    void topicRanges();
    void extremesAndTotals();
    void format_data();
    void format();
    void noRepeatedSentences();
    void spelling();
};

void TestTexts::topicRanges_data()
{
    QTest::addColumn<int>("topic");
    QTest::addColumn<int>("minChars");
    QTest::addColumn<int>("maxChars");
    QTest::addColumn<int>("minParagraphs");
    QTest::addColumn<int>("maxParagraphs");
    QTest::newRow("character") << 0 << 1489 << 2620 << 3 << 8;
    QTest::newRow("appearance") << 1 << 81 << 632 << 1 << 2;
    QTest::newRow("illnesses") << 2 << 287 << 753 << 1 << 2;
    QTest::newRow("love") << 3 << 536 << 2294 << 1 << 6;
    QTest::newRow("childhood") << 4 << 590 << 1387 << 2 << 4;
    QTest::newRow("occupation") << 5 << 442 << 1235 << 1 << 3;
}

// Every text of a topic lies in the topic's range, and some sign reaches each end of it.
void TestTexts::topicRanges()
{
    QFETCH(int, topic);
    QFETCH(int, minChars);
    QFETCH(int, maxChars);
    QFETCH(int, minParagraphs);
    QFETCH(int, maxParagraphs);
    int shortest = INT_MAX, longest = 0, fewest = INT_MAX, most = 0;
    for (int sign = 0; sign < 12; ++sign) {
        const QString text = LoadCatalogueString(textNumber(sign, topic));
        const int chars = int(text.size());
        const int paragraphs = paragraphCount(text);
        qDebug("%d: %4d characters, %d paragraphs", textNumber(sign, topic), chars, paragraphs);
        const QByteArray where = QByteArray::number(textNumber(sign, topic));
        QVERIFY2(chars >= minChars && chars <= maxChars, (where + " length out of range").constData());
        QVERIFY2(paragraphs >= minParagraphs && paragraphs <= maxParagraphs,
            (where + " paragraph count out of range").constData());
        shortest = std::min(shortest, chars);
        longest = std::max(longest, chars);
        fewest = std::min(fewest, paragraphs);
        most = std::max(most, paragraphs);
    }
    QCOMPARE(shortest, minChars);
    QCOMPARE(longest, maxChars);
    QCOMPARE(fewest, minParagraphs);
    QCOMPARE(most, maxParagraphs);
}

void TestTexts::extremesAndTotals()
{
    qsizetype total = 0, breaks = 0;
    for (int sign = 0; sign < 12; ++sign) {
        for (int topic = 0; topic < 6; ++topic) {
            const int number = textNumber(sign, topic);
            const QString text = LoadCatalogueString(number);
            total += text.size();
            breaks += text.count(Break);
            if (number != 10071)
                QVERIFY2(text.size() > 81, qPrintable(QStringLiteral("%1 is as short as 10071").arg(number)));
            if (number != 10020)
                QVERIFY2(text.size() < 2620, qPrintable(QStringLiteral("%1 is as long as 10020").arg(number)));
        }
    }
    QCOMPARE(LoadCatalogueString(10071).size(), 81);
    QCOMPARE(paragraphCount(LoadCatalogueString(10071)), 1);
    QCOMPARE(LoadCatalogueString(10020).size(), 2620);
    QCOMPARE(total, 74817);
    QCOMPARE(breaks, 118);
}

void TestTexts::format_data()
{
    QTest::addColumn<int>("number");
    for (int sign = 0; sign < 12; ++sign)
        for (int topic = 0; topic < 6; ++topic)
            QTest::addRow("%d", textNumber(sign, topic)) << textNumber(sign, topic);
}

void TestTexts::format()
{
    QFETCH(int, number);
    const QString text = LoadCatalogueString(number);
    const QStringList paragraphs = text.split(Break);
    for (const QString &paragraph : paragraphs) {
        QVERIFY2(!paragraph.isEmpty(), "empty paragraph (more than two line breaks in a row)");
        QVERIFY2(!paragraph.contains(QLatin1Char('\r')) && !paragraph.contains(QLatin1Char('\n')),
            "a single line break");
        QVERIFY2(!paragraph.startsWith(QLatin1Char(' ')) && !paragraph.endsWith(QLatin1Char(' ')),
            "a blank at the start or end of a paragraph");
        QVERIFY2(!paragraph.contains(QLatin1String("  ")), "two blanks in a row");
        for (const QChar c : paragraph) {
            const bool allowed = (c.unicode() < 128 && (c.isLetterOrNumber() || QStringLiteral(" ,.-;\"").contains(c)))
                || (c.isLetter() && Cp1250Letters.contains(c));
            QVERIFY2(allowed, qPrintable(QStringLiteral("character U+%1").arg(c.unicode(), 4, 16, QLatin1Char('0'))));
        }
    }
}

void TestTexts::noRepeatedSentences()
{
    QHash<QString, int> seen;
    static const QRegularExpression sentenceEnd(QStringLiteral("(?<=\\.)\\s+"));
    for (int sign = 0; sign < 12; ++sign) {
        for (int topic = 0; topic < 6; ++topic) {
            const int number = textNumber(sign, topic);
            const QStringList sentences = LoadCatalogueString(number).split(sentenceEnd, Qt::SkipEmptyParts);
            for (const QString &sentence : sentences) {
                if (sentence.size() < 25)
                    continue;
                const int first = seen.value(sentence, 0);
                QVERIFY2(first == 0 || first == number,
                    qPrintable(QStringLiteral("%1 repeats a sentence of %2: %3").arg(number).arg(first).arg(sentence)));
                seen.insert(sentence, number);
            }
        }
    }
}

// Every word passes the Czech Hunspell dictionary, or stands in the reviewed allow-list.
void TestTexts::spelling()
{
    if (QStandardPaths::findExecutable(QStringLiteral("hunspell")).isEmpty()
        || !QFile::exists(QStringLiteral("/usr/share/hunspell/cs_CZ.dic")))
        QSKIP("hunspell with the Czech dictionary is not installed");
    QFile allowFile(QStringLiteral(ASTRELO_SOURCE_DIR "/catalogue/spelling-allowlist.txt"));
    QVERIFY(allowFile.open(QIODevice::ReadOnly));
    QSet<QString> allowed;
    for (const QByteArray &line : allowFile.readAll().split('\n')) {
        if (!line.isEmpty() && !line.startsWith('#'))
            allowed.insert(QString::fromUtf8(line.trimmed()));
    }
    QString all;
    for (int sign = 0; sign < 12; ++sign)
        for (int topic = 0; topic < 6; ++topic)
            all += LoadCatalogueString(textNumber(sign, topic)) + QLatin1Char('\n');
    QProcess hunspell;
    hunspell.start(QStringLiteral("hunspell"), { QStringLiteral("-d"), QStringLiteral("cs_CZ"), QStringLiteral("-l") });
    QVERIFY(hunspell.waitForStarted());
    hunspell.write(all.replace(QLatin1Char('\r'), QLatin1Char(' ')).toUtf8());
    hunspell.closeWriteChannel();
    QVERIFY(hunspell.waitForFinished(60000));
    QStringList unknown;
    for (const QByteArray &word : hunspell.readAllStandardOutput().split('\n')) {
        const QString w = QString::fromUtf8(word.trimmed());
        if (!w.isEmpty() && !allowed.contains(w) && !unknown.contains(w))
            unknown.append(w);
    }
    QVERIFY2(unknown.isEmpty(), qPrintable(QStringLiteral("unknown words: ") + unknown.join(QLatin1Char(' '))));
}

QTEST_GUILESS_MAIN(TestTexts)
#include "tst_texts.moc"
