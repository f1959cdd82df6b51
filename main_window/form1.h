// SPDX-License-Identifier: MIT
#pragma once

// How Astrelo is laid out:
//   catalogue/     every string, bitmap and icon, compiled in and looked up by number
//   main_window/   Form1: the sign and topic browser, its design and the text settings panel
//   about_window/  Form2: the about window and its falling-icon animation
//   toolkit/       the thin layer over Qt Widgets (look, sizing, clicks, and the guard that
//                  reports an error and keeps the program running)
//   app/           start-up and shutdown, and main()
// Each window is a .ui design with its class; each user action is one handler of that class.

#include "catalogue.h"

#include <QPointer>
#include <QWidget>

#include <array>
#include <memory>

class QLabel;

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
        quint8 SignIndex = 0;
        quint8 TopicIndex = 0;
        float TextKey = 0.0f;
        float TextFontSize = 0.0f;
        bool TextFontBold = false;
        bool TextFontItalic = false;
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

private:
    void InitMainWindow();
    void ShowSign();
    void ShowTopic();
    void ShowText();

    void describeChoices();
    void selectSign(int sign);
    void selectTopic(int topic);
    void openAboutWindow();
    void announceChoice();
    void showPanel(bool shown);

    void sizeUp();
    void sizeDown();
    void toggleBold();
    void toggleItalic();
    void chooseFace(int face);
    void restoreSettings();
    template <typename Change> void changeTextFont(Change change);
    void setTextFace(int face);
    void applySize();
    void markFace(int face);
    void applyBold();
    void applyItalic();
    void showSizeCaption();
    void announceSize();

    std::unique_ptr<Ui::Form1> ui;
    // The controls that come in rows, by sign or topic index, and the four face labels.
    std::array<QLabel *, SignCount> m_thumbnails {};
    std::array<QLabel *, SignCount> m_signLabels {};
    std::array<QLabel *, TopicCount> m_topicLabels {};
    std::array<QLabel *, 4> m_faceLabels {};
    State m_state;
    QPointer<Form2> m_about;
};
