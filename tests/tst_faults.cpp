// SPDX-License-Identifier: MIT
// Every catalogue item taken away in turn: an item the load step needs is reported at start-up
// and the program ends with status 1; any other is reported by exactly the clicks that need it,
// each stopped at the failing step with the steps before it done.

#include "form1.h"
#include "form2.h"
#include "startup.h"
#include "testsupport.h"

#include <QPlainTextEdit>
#include <QTimer>

using namespace TestSupport;
using enum CatalogueKind;

// What a control shows (none: the window's caption).
static QVariant shown(const QWidget *window, const char *name)
{
    if (!name)
        return window->windowTitle();
    if (const auto *text = qobject_cast<const QPlainTextEdit *>(control(window, name)))
        return text->toPlainText();
    const QImage picture = pictureOf(control(window, name));
    return picture.isNull() ? QVariant(textOf(control(window, name))) : QVariant(picture);
}

class TestFaults : public QObject
{
    Q_OBJECT
    ErrorLog m_errors;
    CatalogueCopy m_catalogue;
    std::unique_ptr<Form1> m_window, m_reference; // the second with the catalogue whole
    CatalogueKind m_kind = String;
    int m_number = -1;
    QStringList m_expected; // the reports so far
    QString m_report; // what the guard reports for the missing item
    // The whole program, its main window closed as soon as events run: the exit status.
    static int runProgram()
    {
        const QObject closer;
        QTimer::singleShot(0, &closer, [] { QApplication::closeAllWindows(); });
        return Startup::run(*qApp);
    }
    // A click of a thumbnail or a topic: a handler that needs the missing item reports it once,
    // its steps before (an item each, and the control it fills) done as in the reference window.
    void clickBrowser(bool thumbnail, int index)
    {
        const int sign = thumbnail ? index : m_window->state().signIndex;
        const int topic = thumbnail ? m_window->state().topicIndex : index;
        std::vector<std::tuple<CatalogueKind, int, const char *>> steps;
        if (thumbnail)
            steps = { { String, 1100 + sign, nullptr }, { Bitmap, 100 + sign, "Image14" },
                { String, sign, "Label7" }, { String, 1000 + sign, "Label20" },
                { String, 100 + sign, "Label23" } };
        else
            steps = { { Icon, 100 + topic, "Image13" } };
        steps.emplace_back(String, 10000 + 10 * sign + topic, "Text1");
        std::size_t done = 0; // the steps before the one that needs the missing item
        while (done < steps.size()
            && (std::get<0>(steps[done]) != m_kind || std::get<1>(steps[done]) != m_number))
            ++done;
        const QString name = QString::fromLatin1(thumbnail ? "Image%1" : "Label%1").arg(index + 1);
        click(control(m_window.get(), name));
        if (done < steps.size())
            m_expected << m_report;
        QCOMPARE(m_errors.messages, m_expected);
        QCOMPARE(m_window->state().signIndex, sign);
        QCOMPARE(m_window->state().topicIndex, topic);
        const QString label = QString::asprintf("Label%d", thumbnail ? 8 + sign : 1 + topic);
        QCOMPARE(control(m_window.get(), label)->palette().windowText().color().rgba(), Black);
        m_catalogue.restore();
        click(control(m_reference.get(), name));
        m_catalogue.hide(m_kind, m_number);
        for (std::size_t k = 0; k < done; ++k) {
            const char *filled = std::get<2>(steps[k]);
            QVERIFY2(shown(m_window.get(), filled) == shown(m_reference.get(), filled), filled);
        }
    }

private Q_SLOTS:
    void initTestCase()
    {
        Toolkit::setUpLook(*qApp);
        watchQtWarnings();
    }
    void cleanup()
    {
        m_window.reset();
        m_catalogue.restore();
        QCOMPARE(std::exchange(m_errors.messages, {}), std::exchange(m_expected, {}));
        QCOMPARE(std::exchange(qtWarnings, {}), QStringList());
    }
    // With the catalogue whole, the program shows its icon and ends with status 0. Title bars
    // and task bars get every size they show, each as the desktop's icon file holds it.
    void wholeCatalogue()
    {
        QVERIFY(Startup::createMainWindow());
        const QIcon icon = QGuiApplication::windowIcon();
        QCOMPARE(seen(icon.pixmap(32, 32).toImage()), qtDecoded(1, Icon));
        QCOMPARE(icon.availableSizes(),
            QList<QSize>({ { 16, 16 }, { 24, 24 }, { 48, 48 }, { 32, 32 } }));
        // Compared as a screen takes them, premultiplied: the soft edge's faint pixels do not
        // keep their exact colour through a pixmap.
        QCOMPARE(icon.pixmap(16, 16).toImage().convertToFormat(QImage::Format_ARGB32_Premultiplied),
            QImage(QStringLiteral(ASTRELO_SOURCE_DIR "/packaging/icons/16/cz.kelmo.Astrelo.png"))
                .convertToFormat(QImage::Format_ARGB32_Premultiplied));
        QCOMPARE(runProgram(), 0);
    }
    void missingItem_data()
    {
        QTest::addColumn<CatalogueKind>("kind");
        QTest::addColumn<int>("number");
        QTest::addColumn<bool>("atLoad"); // the load step needs it
        // Sign titles, planets, dates, sign names, topic names, texts, sign pictures, thumbnails,
        // the program's icon, the about window's and the topic icons; -1: the load step needs all.
        const std::tuple<CatalogueKind, int, int, int> ranges[] = { { String, 0, 11, 0 },
            { String, 100, 111, 100 }, { String, 1000, 1011, 1000 }, { String, 1100, 1111, -1 },
            { String, 1200, 1205, -1 }, { String, 10000, 10115, 10000 }, { Bitmap, 100, 111, 100 },
            { Bitmap, 1000, 1011, -1 }, { Icon, 1, 1, -1 }, { Icon, 10, 10, 0 },
            { Icon, 100, 105, 100 } };
        const char *const kinds[] = { "string", "bitmap", "icon" };
        for (const auto &[kind, first, last, atLoad] : ranges)
            for (int n = first; n <= last; n += n >= 10000 && n % 10 == 5 ? 5 : 1)
                QTest::addRow("%s %d", kinds[int(kind)], n)
                    << kind << n << (n == atLoad || atLoad < 0);
    }
    void missingItem()
    {
        QFETCH(CatalogueKind, kind);
        QFETCH(int, number);
        QFETCH(bool, atLoad);
        const char *const kinds[] = { "řetězec", "bitmapa", "ikona" };
        m_kind = kind, m_number = number;
        m_report = u8("V katalogu chybí %1 %2.").arg(u8(kinds[int(kind)])).arg(number);
        m_reference = Startup::createMainWindow();
        m_catalogue.hide(kind, number);
        m_window = Startup::createMainWindow();
        QCOMPARE(!m_window, atLoad);
        if (atLoad) {
            for (const QWidget *window : QApplication::topLevelWidgets())
                QVERIFY2(!window->isVisible(), "a window shows after a failed start");
            QCOMPARE(runProgram(), 1);
            m_expected = { m_report, m_report };
            return;
        }
        m_window->show();
        // Every thumbnail and topic, the item's own last, so that it is needed after a change.
        const int sign = number >= 10000 ? (number - 10000) / 10 : number % 100 % 12;
        const int topic = number >= 10000 ? number % 10 : number % 100 % 6;
        for (int k = 1; k <= 18 && !QTest::currentTestFailed(); ++k)
            clickBrowser(k <= 12, k <= 12 ? (sign + k) % 12 : (topic + k) % 6);
        if (QTest::currentTestFailed())
            return;
        // The about window opens, unless it lacks its icon.
        const bool aboutIcon = kind == Icon && number == 10;
        click(control(m_window.get(), "Image13"));
        if (aboutIcon)
            m_expected << m_report;
        QCOMPARE(m_window->aboutWindow() != nullptr, !aboutIcon);
        QCOMPARE(m_errors.messages, m_expected);
        QVERIFY2(!m_expected.isEmpty(), "no handler asked for the item");
        // With the item back the program goes on as if nothing had happened.
        m_catalogue.restore();
        m_number = -1;
        clickBrowser(true, 2);
        clickBrowser(false, 1);
    }
};

QTEST_MAIN(TestFaults)
#include "tst_faults.moc"
