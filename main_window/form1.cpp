// SPDX-License-Identifier: MIT
#include "form1.h"

#include "ui_form1.h"

#include "accessible.h"
#include "catalogue.h"
#include "flatbutton.h"
#include "flatframe.h"
#include "form2.h"
#include "guard.h"
#include "textclicks.h"
#include "textwords.h"
#include "toolkit.h"
#include "toolwindow.h"

#include <QButtonGroup>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QStyleHints>
#include <QTimer>

#include <cmath>

namespace {
// The four faces of the settings panel, in the order of their labels on the panel, and the
// one the text box starts with.
const std::array<QString, 4> Faces = { QStringLiteral("Arial"), QStringLiteral("MS Sans Serif"),
    QStringLiteral("Courier New"), QStringLiteral("Comic Sans MS") };
constexpr int StartingFace = 1;
constexpr float StartingFontSize = 8.0f;
// The largest font size, in points, that the text box takes. Larger sizes still lay out, but a
// page then holds a handful of words and every relayout of a long text gets slower.
constexpr float LargestTextFontSize = 72.0f;
} // namespace

Form1::Form1(QWidget *parent)
    : QWidget(parent)
    , ui(std::make_unique<Ui::Form1>())
    , m_panelNotice(new QTimer(this))
{
    ui->setupUi(this);
    // The design's controls by what they are; README.md maps the design's names.
    m_heading = ui->Label7;
    m_dates = ui->Label20;
    m_planets = ui->Label21;
    m_planetsHaloAbove = ui->Label22;
    m_planetsHaloBelow = ui->Label23;
    m_signPicture = ui->Image14;
    m_topicIcon = ui->Image13;
    m_text = ui->Text1;
    m_panel = ui->Frame1;
    m_sizeUp = ui->Label24;
    m_sizeDown = ui->Label25;
    m_boldSwitch = ui->Label26;
    m_italicSwitch = ui->Label27;
    m_sizeCaption = ui->Label28;
    m_resetFont = ui->Label29;
    m_boldMark = ui->Shape1;
    m_italicMark = ui->Shape2;
    if (devicePixelRatioF() >= 2) {
        // The planets' white copies lie two pixels up-left and down-right of the black text.
        // On a scaled screen that is four device pixels or more, and the copies come apart
        // into a ghost beside each word; one pixel from the text they edge its letters.
        m_planetsHaloAbove->move(m_planetsHaloAbove->pos() + QPoint(1, 1));
        m_planetsHaloBelow->move(m_planetsHaloBelow->pos() - QPoint(1, 1));
    }
    Toolkit::applyDesign(this);
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint
        | Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
    setFixedSize(size());

    m_thumbnails = { ui->Image1, ui->Image2, ui->Image3, ui->Image4, ui->Image5, ui->Image6,
        ui->Image7, ui->Image8, ui->Image9, ui->Image10, ui->Image11, ui->Image12 };
    m_signNames = { ui->Label8, ui->Label9, ui->Label10, ui->Label11, ui->Label12, ui->Label13,
        ui->Label14, ui->Label15, ui->Label16, ui->Label17, ui->Label18, ui->Label19 };
    m_topics = { ui->Label1, ui->Label2, ui->Label3, ui->Label4, ui->Label5, ui->Label6 };
    m_faces = { ui->Label30, ui->Label31, ui->Label32, ui->Label33 };

    // Each row of choices is an exclusive group of checkable buttons.
    const auto makeGroup = [this](const auto &buttons) {
        auto *group = new QButtonGroup(this);
        for (int k = 0; k < int(buttons.size()); ++k) {
            buttons[k]->setCheckable(true);
            buttons[k]->setAutoExclusive(true);
            group->addButton(buttons[k], k);
        }
        return group;
    };
    m_signButtons = makeGroup(m_thumbnails);
    m_topicButtons = makeGroup(m_topics);
    m_faceButtons = makeGroup(m_faces);
    Toolkit::setTabRow(m_signButtons, QStringLiteral("Znamení"));
    Toolkit::setTabRow(m_topicButtons, QStringLiteral("Téma"));
    connect(m_signButtons, &QButtonGroup::idClicked, this, guarded(this, &Form1::selectSign));
    connect(m_topicButtons, &QButtonGroup::idClicked, this, guarded(this, &Form1::selectTopic));
    connect(m_topicIcon, &FlatButton::clicked, this, guarded(this, &Form1::openAboutWindow));

    // The settings panel. Its marks and separator are drawn only: a click on them is a click
    // on the panel itself; the size caption keeps its clicks.
    m_faces[StartingFace]->setChecked(true);
    m_boldSwitch->setCheckable(true);
    m_italicSwitch->setCheckable(true);
    connect(m_faceButtons, &QButtonGroup::idClicked, this, guarded(this, &Form1::chooseFace));
    connect(m_sizeUp, &FlatButton::clicked, this, guarded(this, &Form1::sizeUp));
    connect(m_sizeDown, &FlatButton::clicked, this, guarded(this, &Form1::sizeDown));
    connect(m_boldSwitch, &FlatButton::clicked, this, guarded(this, &Form1::toggleBold));
    connect(m_italicSwitch, &FlatButton::clicked, this, guarded(this, &Form1::toggleItalic));
    connect(m_resetFont, &FlatButton::clicked, this, guarded(this, &Form1::resetTextFont));
    for (QWidget *drawnOnly :
        std::initializer_list<QWidget *> { m_boldMark, m_italicMark, ui->Line1 })
        drawnOnly->setAttribute(Qt::WA_TransparentForMouseEvents);
    m_sizeCaption->setAttribute(Qt::WA_NoMousePropagation);
    connect(m_panel, &FlatFrame::clicked, this, guarded(this, &Form1::togglePanel));
    // A click on the text hides the panel; a double-click shows or hides it.
    m_panelNotice->setSingleShot(true);
    m_panelNotice->setInterval(QGuiApplication::styleHints()->mouseDoubleClickInterval());
    connect(m_panelNotice, &QTimer::timeout, this, guarded(this, &Form1::announcePanel));
    auto *textClicks = new TextClicks(m_text);
    connect(textClicks, &TextClicks::clicked, this, guarded(this, &Form1::hidePanel));
    connect(textClicks, &TextClicks::doubleClicked, this, guarded(this, &Form1::togglePanel));
    new TextWords(m_text);
}

Form1::~Form1()
{
    // The about window has no parent, so that it stands beside this one; it still goes
    // with the main window.
    delete m_about.data();
}

Form2 *Form1::aboutWindow() const
{
    return m_about;
}

void Form1::load()
{
    initMainWindow();
    describeChoices();
    describeText();
    Toolkit::setStatus(this, choice());
}

// Screen readers name each thumbnail by the sign name written under it; nothing visible
// changes and nothing more is asked of the catalogue.
void Form1::describeChoices()
{
    for (int sign = 0; sign < SignCount; ++sign) {
        const QString name = m_signNames[sign]->text();
        m_thumbnails[sign]->setAccessibleName(name);
        m_thumbnails[sign]->setAccessibleDescription(QStringLiteral("Vybere znamení ") + name);
    }
}

// The text box's hint for screen readers: where the signs and topics are, and how the panel
// opens. Screen readers say it at every return to the text, so each half goes once the reader
// has used what it tells of.
void Form1::describeText()
{
    QStringList hint;
    if (m_hintTellsRows)
        hint << QStringLiteral("Znamení jsou v řadě pod textem, témata vlevo od něj");
    if (m_hintTellsPanel)
        hint << QStringLiteral("nastavení písma otevře dvojklik na text");
    m_text->setAccessibleDescription(hint.join(QStringLiteral("; ")));
}

void Form1::closeEvent(QCloseEvent *event)
{
    // Closing the main window closes the about window too and ends the program.
    if (m_about)
        m_about->close();
    event->accept();
    QCoreApplication::quit();
}

void Form1::keyPressEvent(QKeyEvent *event)
{
    // Escape hides the panel too, as it closes a popup anywhere on the desktop. It is a key the
    // window takes, not a shortcut: Qt gives a shortcut's key press to no one else, and a
    // screen reader would never hear it (to stop its speech, say).
    if (event->matches(QKeySequence::Cancel)) {
        runGuarded([this] { hidePanel(); });
        return;
    }
    QWidget::keyPressEvent(event);
}

void Form1::initMainWindow()
{
    for (int topic = 0; topic < TopicCount; ++topic)
        Toolkit::setCaption(
            m_topics[topic], loadCatalogueString(CatalogueNumber::topicName(topic)));
    for (int sign = 0; sign < SignCount; ++sign)
        Toolkit::setCaption(
            m_signNames[sign], loadCatalogueString(CatalogueNumber::signName(sign)));
    for (int sign = 0; sign < SignCount; ++sign)
        Toolkit::setPicture(m_thumbnails[sign],
            loadCataloguePicture(CatalogueNumber::signThumbnail(sign), CatalogueKind::Bitmap,
                m_thumbnails[sign]->devicePixelRatioF()));
    m_state.signIndex = 0;
    m_state.textFontSize = StartingFontSize;
    showSign();
    showTopic();
}

void Form1::showSign()
{
    const int sign = m_state.signIndex;
    for (int k = 0; k < SignCount; ++k) {
        Toolkit::setForeColour(m_signNames[k], k == sign ? Toolkit::Black : Toolkit::ButtonShadow);
        Toolkit::setBold(m_signNames[k], k == sign);
    }
    m_thumbnails[sign]->setChecked(true);
    setWindowTitle(
        QStringLiteral("Astrelo - ") + loadCatalogueString(CatalogueNumber::signName(sign)));
    Toolkit::setPicture(m_signPicture,
        loadCataloguePicture(CatalogueNumber::signPicture(sign), CatalogueKind::Bitmap,
            m_signPicture->devicePixelRatioF()));
    m_signPicture->setAccessibleName(m_signNames[sign]->text());
    Toolkit::setCaption(m_heading, loadCatalogueString(CatalogueNumber::signTitle(sign)).toUpper());
    Toolkit::setCaption(m_dates, loadCatalogueString(CatalogueNumber::signDates(sign)));
    const QString planets = loadCatalogueString(CatalogueNumber::signPlanets(sign));
    Toolkit::setCaption(m_planets, planets.left(1).toUpper() + planets.mid(1));
    Toolkit::setCaption(m_planetsHaloAbove, m_planets->text());
    Toolkit::setCaption(m_planetsHaloBelow, m_planets->text());
    showText();
}

void Form1::showTopic()
{
    const int topic = m_state.topicIndex;
    for (int k = 0; k < TopicCount; ++k) {
        Toolkit::setForeColour(m_topics[k], k == topic ? Toolkit::Black : Toolkit::ButtonShadow);
    }
    m_topics[topic]->setChecked(true);
    Toolkit::setPicture(m_topicIcon,
        loadCataloguePicture(CatalogueNumber::topicIcon(topic), CatalogueKind::Icon,
            m_topicIcon->devicePixelRatioF()));
    showText();
}

void Form1::showText()
{
    // The text's number comes from the two indices written side by side: sign 10 and topic 5
    // give "105", so text 10105. A topic index has one digit, so every pair gets its own text.
    const QString key = QString::number(m_state.signIndex) + QString::number(m_state.topicIndex);
    m_state.textKey = key.toFloat();
    const float number = m_state.textKey + 10000.0f;
    m_text->setPlainText(loadCatalogueString(static_cast<int>(std::lrint(number))));
    // For screen readers: which sign and topic the text is about.
    m_text->setAccessibleName(m_signNames[m_state.signIndex]->text() + QStringLiteral(", ")
        + m_topics[m_state.topicIndex]->text());
}

void Form1::selectSign(int sign)
{
    m_state.signIndex = static_cast<quint8>(sign);
    showSign();
    tellChoice();
}

void Form1::selectTopic(int topic)
{
    m_state.topicIndex = static_cast<quint8>(topic);
    showTopic();
    tellChoice();
}

// A choice made: screen readers hear it, their status line holds it, and the text box's hint
// no longer tells where the choices are.
void Form1::tellChoice()
{
    Toolkit::setStatus(this, choice());
    announce(choice());
    m_hintTellsRows = false;
    describeText();
}

// The sign and topic shown, in a few words ("Vodnář, Povolání").
QString Form1::choice() const
{
    return m_signNames[m_state.signIndex]->text() + QStringLiteral(", ")
        + m_topics[m_state.topicIndex]->text();
}

// Screen readers hear a new choice or font in a few words, after the panel's pending news; the
// text itself is read on request. A font change keeps flat review where it is: telling screen
// readers that the window changed would send it back to the caret after every click in the
// panel.
void Form1::announce(const QString &message)
{
    announcePanelNow();
    Toolkit::announce(this, message);
}

void Form1::showPanel(bool shown)
{
    m_panel->setVisible(shown);
    // Told once the double-click time is over, and only when the panel has come or gone: a
    // double-click on the text with the panel open hides it and shows it again.
    m_panelNotice->start();
}

// What comes next is told after the panel's pending news, not before it.
void Form1::announcePanelNow()
{
    if (m_panelNotice->isActive()) {
        m_panelNotice->stop();
        announcePanel();
    }
}

void Form1::announcePanel()
{
    if (m_panel->isHidden() == m_panelToldHidden)
        return;
    m_panelToldHidden = m_panel->isHidden();
    // The panel takes no keyboard focus: its first opening says how it goes again, and the
    // text box's hint stops telling how it comes.
    const bool first = !m_panelToldHidden && std::exchange(m_hintTellsPanel, false);
    if (first)
        describeText();
    // The panel came or went: screen readers read the window afresh.
    Toolkit::tellContentChanged(this);
    QString notice = m_panel->caption()
        + (m_panelToldHidden ? QStringLiteral(" zavřeno") : QStringLiteral(" otevřeno"));
    if (first)
        notice += QStringLiteral(", zavře se klávesou Escape nebo klepnutím na text či na prázdné "
                                 "místo panelu");
    announce(notice);
}

void Form1::togglePanel()
{
    showPanel(m_panel->isHidden());
}

void Form1::hidePanel()
{
    if (!m_panel->isHidden())
        showPanel(false);
}

void Form1::openAboutWindow()
{
    // A closed about window is hidden until its deletion runs: for the reader it is gone.
    if (m_about && m_about->isHidden())
        m_about = nullptr;
    if (!m_about) {
        // A window whose load step fails is dropped again: only a loaded window is kept.
        auto about = std::make_unique<Form2>();
        about->setAttribute(Qt::WA_DeleteOnClose);
        about->load();
        m_about = about.release();
    }
    Toolkit::showToolWindow(m_about);
}

// Each change of the text box's font is one step of its own: the face, the size, bold, italic.
template <typename Change> void Form1::changeTextFont(Change change)
{
    QFont font = m_text->font();
    change(font);
    m_text->setFont(font);
}

void Form1::setTextFace(int face)
{
    changeTextFont([face](QFont &font) { font.setFamily(Toolkit::faceFor(Faces[face])); });
}

void Form1::applySize()
{
    changeTextFont([this](QFont &font) { font.setPointSizeF(m_state.textFontSize); });
}

// The chosen face's label turns red, the other three black.
void Form1::markFace(int face)
{
    for (int k = 0; k < 4; ++k)
        Toolkit::setForeColour(m_faces[k], k == face ? Toolkit::Red : Toolkit::Black);
    m_faces[face]->setChecked(true);
}

void Form1::showSizeCaption()
{
    Toolkit::setCaption(m_sizeCaption, QString::number(std::lround(m_state.textFontSize)));
}

void Form1::sizeUp()
{
    // The text box takes sizes up to a limit; at the limit the size stays, as it stays at 1
    // on the way down, so the field, the text box and the caption always agree.
    m_state.textFontSize = std::min(m_state.textFontSize + 1.0f, LargestTextFontSize);
    applySize();
    showSizeCaption();
    announceSize();
}

void Form1::sizeDown()
{
    m_state.textFontSize = std::max(m_state.textFontSize - 1.0f, 1.0f);
    applySize();
    showSizeCaption();
    announceSize();
}

void Form1::announceSize()
{
    // The smallest and the largest size say so, or a reader pressing on hears the same size
    // with no reason.
    QString limit;
    if (m_state.textFontSize <= 1.0f)
        limit = QStringLiteral(", nejmenší");
    else if (m_state.textFontSize >= LargestTextFontSize)
        limit = QStringLiteral(", největší");
    announce(QStringLiteral("Velikost písma ") + m_sizeCaption->text() + limit);
}

void Form1::applyBold()
{
    m_boldMark->setVisible(m_state.textFontBold);
    m_boldSwitch->setChecked(m_state.textFontBold);
    changeTextFont([this](QFont &font) { font.setBold(m_state.textFontBold); });
}

void Form1::applyItalic()
{
    m_italicMark->setVisible(m_state.textFontItalic);
    m_italicSwitch->setChecked(m_state.textFontItalic);
    changeTextFont([this](QFont &font) { font.setItalic(m_state.textFontItalic); });
}

void Form1::toggleBold()
{
    m_state.textFontBold = !m_state.textFontBold;
    applyBold();
    announce(
        m_state.textFontBold ? QStringLiteral("Tučné zapnuto") : QStringLiteral("Tučné vypnuto"));
}

void Form1::toggleItalic()
{
    m_state.textFontItalic = !m_state.textFontItalic;
    applyItalic();
    announce(m_state.textFontItalic ? QStringLiteral("Kurzíva zapnuta")
                                    : QStringLiteral("Kurzíva vypnuta"));
}

void Form1::chooseFace(int face)
{
    setTextFace(face);
    markFace(face);
    applySize();
    applyBold();
    applyItalic();
    announce(QStringLiteral("Písmo ") + m_faces[face]->text());
}

void Form1::resetTextFont()
{
    m_state.textFontSize = StartingFontSize;
    m_state.textFontBold = false;
    m_state.textFontItalic = false;
    setTextFace(StartingFace);
    showSizeCaption();
    applySize();
    // The marks follow the flags, so restore hides them with bold and italic.
    applyBold();
    applyItalic();
    markFace(StartingFace);
    announce(m_resetFont->text() + QStringLiteral(": písmo ") + m_faces[StartingFace]->text()
        + QStringLiteral(", velikost ") + m_sizeCaption->text()
        + QStringLiteral(", bez tučného a kurzívy"));
}
