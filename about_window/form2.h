// SPDX-License-Identifier: MIT
#pragma once

#include <QWidget>

#include <memory>

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
    // The falling icon's state. Lengths are twips, speeds twips per tick, upwards positive.
    // All start at zero; the load step sets their start values.
    struct Animation
    {
        float IconTop = 0.0f; // the top the animation computes; applied to Image1 per tick
        float IconSpeed = 0.0f;
        float IconGravity = 0.0f; // taken off IconSpeed on each tick
        bool IconRebounding = false; // from a floor contact until the upward speed is below 1
        float BounceCount = 0.0f; // counts floor contacts; also speeds up the gravity's growth
        bool AnimationArmed = false; // set by the dedication click; lets the icon be clicked
        bool IconRising = false; // the icon glides up after an icon click
    };

    // Builds the controls from the design. The window has no owner: it is a tool window of
    // its own beside the main window.
    explicit Form2(QWidget *parent = nullptr);
    ~Form2() override;

    // The load step: shows the program's icon and sets the animation's start values. Throws
    // when the catalogue lacks the icon, before any field is set.
    void load();

    const Animation &animation() const { return m_animation; }
    // Image1's top on the window in twips, as the previous tick applied it (unrounded).
    float iconTop() const;

    // Test seam: puts the animation into a state with the icon applied at a top, as a tick
    // would leave them, and runs one tick as Timer1 runs it.
    void setAnimationForTesting(const Animation &state, float iconTopTwips);
    void tickForTesting();

private:
    void openMakersSite();
    void dropIcon();
    void liftIcon();
    void moveIcon();

    void enableTimer();
    void setIconTopOnWindow(float topTwips);

    std::unique_ptr<Ui::Form2> ui;
    // Drives the animation; runs only between a click that starts it and the icon's rest.
    QTimer *const Timer1;
    Animation m_animation;
};
