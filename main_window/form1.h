// SPDX-License-Identifier: MIT
#pragma once

#include "catalogue.h"

#include <QPointer>
#include <QWidget>

#include <array>
#include <memory>

class FlatButton;
class FlatFrame;
class QButtonGroup;
class QLabel;
class QPlainTextEdit;
class QTimer;

namespace Ui {
class Form1;
}
class Form2;

// The main window: pick a sign by its thumbnail and a topic by its name, read the text, and
// change the text's font in the settings panel.
class Form1 : public QWidget
{
    Q_OBJECT

public:
    // The window's state, as fields of the window. All start at zero; the load step sets
    // the ones that start otherwise.
    struct State
    {
        quint8 signIndex = 0;
        quint8 topicIndex = 0;
        float textKey = 0.0f;
        float textFontSize = 0.0f;
        bool textFontBold = false;
        bool textFontItalic = false;
    };

    explicit Form1(QWidget *parent = nullptr);
    ~Form1() override;

    // The load step: fills the window from the catalogue. Throws when an item is missing.
    void load();

    const State &state() const { return m_state; }
    // The about window while it is open, or null.
    Form2 *aboutWindow() const;

protected:
    void closeEvent(QCloseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    void initMainWindow();
    void showSign();
    void showTopic();
    void showText();

    void describeChoices();
    void describeText();
    void selectSign(int sign);
    void selectTopic(int topic);
    void tellChoice();
    void openAboutWindow();
    QString choice() const;
    void announce(const QString &message);
    void announcePanel();
    void announcePanelNow();
    void showPanel(bool shown);
    void togglePanel();
    void hidePanel();

    void sizeUp();
    void sizeDown();
    void toggleBold();
    void toggleItalic();
    void chooseFace(int face);
    void resetTextFont();
    template <typename Change> void changeTextFont(Change change);
    void setTextFace(int face);
    void applySize();
    void markFace(int face);
    void applyBold();
    void applyItalic();
    void showSizeCaption();
    void announceSize();

    std::unique_ptr<Ui::Form1> ui;
    // The controls that come in rows, by sign or topic index, and the four face buttons; each
    // row of buttons is one exclusive group.
    std::array<FlatButton *, SignCount> m_thumbnails {};
    std::array<QLabel *, SignCount> m_signNames {};
    std::array<FlatButton *, TopicCount> m_topics {};
    std::array<FlatButton *, 4> m_faces {};
    QButtonGroup *m_signButtons = nullptr;
    QButtonGroup *m_topicButtons = nullptr;
    QButtonGroup *m_faceButtons = nullptr;
    QLabel *m_heading = nullptr;
    QLabel *m_dates = nullptr;
    QLabel *m_planets = nullptr; // written three times: in black over two white halo copies
    QLabel *m_planetsHaloAbove = nullptr;
    QLabel *m_planetsHaloBelow = nullptr;
    QLabel *m_signPicture = nullptr;
    FlatButton *m_topicIcon = nullptr; // also opens the about window
    QPlainTextEdit *m_text = nullptr;
    // The text settings panel and its controls.
    FlatFrame *m_panel = nullptr;
    FlatButton *m_sizeUp = nullptr;
    FlatButton *m_sizeDown = nullptr;
    FlatButton *m_boldSwitch = nullptr;
    FlatButton *m_italicSwitch = nullptr;
    QLabel *m_sizeCaption = nullptr;
    FlatButton *m_resetFont = nullptr;
    QWidget *m_boldMark = nullptr;
    QWidget *m_italicMark = nullptr;
    QTimer *const m_panelNotice; // tells of the panel once a double-click is over
    bool m_panelToldHidden = true;
    // What the text box's hint still tells screen readers of.
    bool m_hintTellsRows = true;
    bool m_hintTellsPanel = true;
    State m_state;
    QPointer<Form2> m_about;
};
