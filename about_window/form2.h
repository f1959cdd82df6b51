// SPDX-License-Identifier: MIT
#pragma once

#include "fallingicon.h"

#include <QWidget>

#include <memory>

class FlatButton;
class QLabel;
class QTimer;

namespace Ui {
class Form2;
}

// The about window: title, credits, the maker's web link and banner, and a hidden animation
// in which a click on the dedication line drops the program's icon to bounce on a floor.
class Form2 : public QWidget
{
    Q_OBJECT

public:
    // Builds the controls from the design. The window has no owner: it is a tool window of
    // its own beside the main window.
    explicit Form2(QWidget *parent = nullptr);
    ~Form2() override;

    // The load step: shows the program's icon and sets the animation's start values. Throws
    // when the catalogue lacks the icon, before any field is set.
    void load();

protected:
    void changeEvent(QEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    void openMakersSite();
    void dropIcon();
    void liftIcon();
    void moveIcon();

    void enableTimer();
    // The icon's top on the window in twips, as the previous tick applied it (unrounded).
    float iconTop() const;
    void setIconTopOnWindow(float topTwips);

    std::unique_ptr<Ui::Form2> ui;
    bool m_closingUntold = true; // screen readers have not heard how the window closes
    QLabel *m_title = nullptr;
    QLabel *m_copyright = nullptr;
    QLabel *m_author = nullptr;
    FlatButton *m_webLink = nullptr;
    QLabel *m_versionLine = nullptr;
    FlatButton *m_dedication = nullptr; // a click drops the icon
    QLabel *m_typoNotice = nullptr;
    FlatButton *m_iconImage = nullptr; // the falling icon; a click at rest lifts it
    QLabel *m_banner = nullptr;
    // Drives the animation; runs only between a click that starts it and the icon's rest.
    QTimer *const m_timer; // the design's Timer1
    FallingIcon m_icon;
};
