// SPDX-License-Identifier: MIT
#include "form1.h"

#include "ui_form1.h"

#include "accessible.h"
#include "catalogue.h"
#include "form2.h"
#include "toolkit.h"
#include "toolwindow.h"

#include <QCloseEvent>
#include <QCoreApplication>

#include <cmath>

namespace {
// The four faces of the settings panel, in the order of their labels Label30..Label33, and the
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
{
    ui->setupUi(this);
    Toolkit::applyDesign(this);
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint
        | Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
    setFixedSize(size());

    m_thumbnails = { ui->Image1, ui->Image2, ui->Image3, ui->Image4, ui->Image5, ui->Image6,
        ui->Image7, ui->Image8, ui->Image9, ui->Image10, ui->Image11, ui->Image12 };
    m_signLabels = { ui->Label8, ui->Label9, ui->Label10, ui->Label11, ui->Label12, ui->Label13,
        ui->Label14, ui->Label15, ui->Label16, ui->Label17, ui->Label18, ui->Label19 };
    m_topicLabels = { ui->Label1, ui->Label2, ui->Label3, ui->Label4, ui->Label5, ui->Label6 };
    m_faceLabels = { ui->Label30, ui->Label31, ui->Label32, ui->Label33 };

    for (int sign = 0; sign < SignCount; ++sign) {
        Toolkit::onClick(m_thumbnails[sign], [this, sign] { selectSign(sign); });
        Toolkit::swallowClicks(m_signLabels[sign]);
    }
    for (int topic = 0; topic < TopicCount; ++topic)
        Toolkit::onClick(m_topicLabels[topic], [this, topic] { selectTopic(topic); });
    Toolkit::onClick(ui->Image13, [this] { openAboutWindow(); });
    for (QWidget *inert : std::initializer_list<QWidget *> { ui->Label7, ui->Label20, ui->Label21,
             ui->Label22, ui->Label23, ui->Label28, ui->Image14 })
        Toolkit::swallowClicks(inert);

    // The settings panel. Its marks and separator are drawn only: a click on them is a click
    // on the panel itself.
    Toolkit::onClick(ui->Label24, [this] { sizeUp(); });
    Toolkit::onClick(ui->Label25, [this] { sizeDown(); });
    Toolkit::onClick(ui->Label26, [this] { toggleBold(); });
    Toolkit::onClick(ui->Label27, [this] { toggleItalic(); });
    Toolkit::setToggled(ui->Label26, false);
    Toolkit::setToggled(ui->Label27, false);
    for (int face = 0; face < 4; ++face) {
        Toolkit::onClick(m_faceLabels[face], [this, face] { chooseFace(face); });
        Toolkit::setChosen(m_faceLabels[face], face == StartingFace);
    }
    Toolkit::onClick(ui->Label29, [this] { restoreSettings(); });
    for (QWidget *drawnOnly :
        std::initializer_list<QWidget *> { ui->Shape1, ui->Shape2, ui->Line1 })
        drawnOnly->setAttribute(Qt::WA_TransparentForMouseEvents);
    Toolkit::onClick(ui->Frame1, [this] { showPanel(ui->Frame1->isHidden()); });
    Toolkit::onClick(ui->Text1, [this] {
        if (!ui->Frame1->isHidden())
            showPanel(false);
    });
    Toolkit::onDoubleClick(ui->Text1, [this] { showPanel(ui->Frame1->isHidden()); });
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
    InitMainWindow();
    describeChoices();
}

// Screen readers name each thumbnail by the sign name written under it, and hear the
// thumbnails and the topics as two rows of tabs; nothing visible changes and nothing more is
// asked of the catalogue.
void Form1::describeChoices()
{
    for (int sign = 0; sign < SignCount; ++sign) {
        const QString name = m_signLabels[sign]->text();
        m_thumbnails[sign]->setAccessibleName(name);
        m_thumbnails[sign]->setAccessibleDescription(QStringLiteral("Vybere znamení ") + name);
        m_thumbnails[sign]->setProperty(Toolkit::TabRowProperty, QStringLiteral("Znamení"));
    }
    for (QLabel *topic : m_topicLabels)
        topic->setProperty(Toolkit::TabRowProperty, QStringLiteral("Téma"));
}

void Form1::closeEvent(QCloseEvent *event)
{
    // Closing the main window closes the about window too and ends the program.
    if (m_about)
        m_about->close();
    event->accept();
    QCoreApplication::quit();
}

void Form1::InitMainWindow()
{
    for (int topic = 0; topic < TopicCount; ++topic)
        Toolkit::setCaption(
            m_topicLabels[topic], loadCatalogueString(CatalogueNumber::topicName(topic)));
    for (int sign = 0; sign < SignCount; ++sign)
        Toolkit::setCaption(
            m_signLabels[sign], loadCatalogueString(CatalogueNumber::signName(sign)));
    for (int sign = 0; sign < SignCount; ++sign)
        Toolkit::setPicture(m_thumbnails[sign],
            loadCataloguePicture(CatalogueNumber::signThumbnail(sign), CatalogueKind::Bitmap));
    m_state.SignIndex = 0;
    m_state.TextFontSize = StartingFontSize;
    ShowSign();
    ShowTopic();
}

void Form1::ShowSign()
{
    const int sign = m_state.SignIndex;
    for (int k = 0; k < SignCount; ++k) {
        Toolkit::setForeColour(m_signLabels[k], k == sign ? Toolkit::Black : Toolkit::ButtonShadow);
        Toolkit::setBold(m_signLabels[k], k == sign);
        Toolkit::setChosen(m_thumbnails[k], k == sign);
    }
    setWindowTitle(
        QStringLiteral("Astrelo - ") + loadCatalogueString(CatalogueNumber::signName(sign)));
    Toolkit::setPicture(ui->Image14,
        loadCataloguePicture(CatalogueNumber::signPicture(sign), CatalogueKind::Bitmap));
    ui->Image14->setAccessibleName(m_signLabels[sign]->text());
    Toolkit::setCaption(
        ui->Label7, loadCatalogueString(CatalogueNumber::signTitle(sign)).toUpper());
    Toolkit::setCaption(ui->Label20, loadCatalogueString(CatalogueNumber::signDates(sign)));
    const QString planets = loadCatalogueString(CatalogueNumber::signPlanets(sign));
    Toolkit::setCaption(ui->Label21, planets.left(1).toUpper() + planets.mid(1));
    Toolkit::setCaption(ui->Label22, ui->Label21->text());
    Toolkit::setCaption(ui->Label23, ui->Label21->text());
    ShowText();
}

void Form1::ShowTopic()
{
    const int topic = m_state.TopicIndex;
    for (int k = 0; k < TopicCount; ++k) {
        Toolkit::setForeColour(
            m_topicLabels[k], k == topic ? Toolkit::Black : Toolkit::ButtonShadow);
        Toolkit::setChosen(m_topicLabels[k], k == topic);
    }
    Toolkit::setPicture(
        ui->Image13, loadCataloguePicture(CatalogueNumber::topicIcon(topic), CatalogueKind::Icon));
    ShowText();
}

void Form1::ShowText()
{
    // The text's number comes from the two indices written side by side: sign 10 and topic 5
    // give "105", so text 10105. A topic index has one digit, so every pair gets its own text.
    const QString key = QString::number(m_state.SignIndex) + QString::number(m_state.TopicIndex);
    m_state.TextKey = key.toFloat();
    const float number = m_state.TextKey + 10000.0f;
    ui->Text1->setPlainText(loadCatalogueString(static_cast<int>(std::lrint(number))));
    // For screen readers: which sign and topic the text is about.
    ui->Text1->setAccessibleName(m_signLabels[m_state.SignIndex]->text() + QStringLiteral(", ")
        + m_topicLabels[m_state.TopicIndex]->text());
}

void Form1::selectSign(int sign)
{
    const bool newTitle = sign != m_state.SignIndex;
    m_state.SignIndex = static_cast<quint8>(sign);
    ShowSign();
    // A new title names the sign; where it cannot be told as a title (or the sign is the same),
    // the choice is told.
    if (!newTitle || !Toolkit::announceTitle(this))
        announceChoice();
}

void Form1::selectTopic(int topic)
{
    m_state.TopicIndex = static_cast<quint8>(topic);
    ShowTopic();
    announceChoice();
}

// Screen readers hear the new choice in a few words; the text itself is read on request.
void Form1::announceChoice()
{
    Toolkit::announce(this,
        m_signLabels[m_state.SignIndex]->text() + QStringLiteral(", ")
            + m_topicLabels[m_state.TopicIndex]->text());
}

void Form1::showPanel(bool shown)
{
    ui->Frame1->setVisible(shown);
    Toolkit::announce(this,
        ui->Frame1->title() + (shown ? QStringLiteral(" otevřeno") : QStringLiteral(" zavřeno")));
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
    QFont font = ui->Text1->font();
    change(font);
    ui->Text1->setFont(font);
}

void Form1::setTextFace(int face)
{
    changeTextFont([face](QFont &font) { font.setFamily(Toolkit::faceFor(Faces[face])); });
}

void Form1::applySize()
{
    changeTextFont([this](QFont &font) { font.setPointSizeF(m_state.TextFontSize); });
}

// The chosen face's label turns red, the other three black.
void Form1::markFace(int face)
{
    for (int k = 0; k < 4; ++k) {
        Toolkit::setForeColour(m_faceLabels[k], k == face ? Toolkit::Red : Toolkit::Black);
        Toolkit::setChosen(m_faceLabels[k], k == face);
    }
}

void Form1::showSizeCaption()
{
    Toolkit::setCaption(ui->Label28, QString::number(std::lround(m_state.TextFontSize)));
}

void Form1::sizeUp()
{
    // The text box takes sizes up to a limit; at the limit the size stays, as it stays at 1
    // on the way down, so the field, the text box and the caption always agree.
    m_state.TextFontSize = std::min(m_state.TextFontSize + 1.0f, LargestTextFontSize);
    applySize();
    showSizeCaption();
    announceSize();
}

void Form1::sizeDown()
{
    m_state.TextFontSize = std::max(m_state.TextFontSize - 1.0f, 1.0f);
    applySize();
    showSizeCaption();
    announceSize();
}

void Form1::announceSize()
{
    Toolkit::announce(this, QStringLiteral("Velikost písma ") + ui->Label28->text());
}

void Form1::applyBold()
{
    ui->Shape1->setVisible(m_state.TextFontBold);
    Toolkit::setToggled(ui->Label26, m_state.TextFontBold);
    changeTextFont([this](QFont &font) { font.setBold(m_state.TextFontBold); });
}

void Form1::applyItalic()
{
    ui->Shape2->setVisible(m_state.TextFontItalic);
    Toolkit::setToggled(ui->Label27, m_state.TextFontItalic);
    changeTextFont([this](QFont &font) { font.setItalic(m_state.TextFontItalic); });
}

void Form1::toggleBold()
{
    m_state.TextFontBold = !m_state.TextFontBold;
    applyBold();
    Toolkit::announce(this,
        m_state.TextFontBold ? QStringLiteral("Tučné zapnuto") : QStringLiteral("Tučné vypnuto"));
}

void Form1::toggleItalic()
{
    m_state.TextFontItalic = !m_state.TextFontItalic;
    applyItalic();
    Toolkit::announce(this,
        m_state.TextFontItalic ? QStringLiteral("Kurzíva zapnuta")
                               : QStringLiteral("Kurzíva vypnuta"));
}

void Form1::chooseFace(int face)
{
    setTextFace(face);
    markFace(face);
    applySize();
    applyBold();
    applyItalic();
    Toolkit::announce(this, QStringLiteral("Písmo ") + m_faceLabels[face]->text());
}

void Form1::restoreSettings()
{
    m_state.TextFontSize = StartingFontSize;
    m_state.TextFontBold = false;
    m_state.TextFontItalic = false;
    setTextFace(StartingFace);
    showSizeCaption();
    applySize();
    // The marks follow the flags, so restore hides them with bold and italic.
    applyBold();
    applyItalic();
    markFace(StartingFace);
    Toolkit::announce(this,
        ui->Label29->text() + QStringLiteral(": písmo ") + m_faceLabels[StartingFace]->text()
            + QStringLiteral(", velikost ") + ui->Label28->text());
}
