// SPDX-License-Identifier: MIT
#pragma once

// The about window's falling icon: its seven fields and what a dedication click, an icon click
// and a timer tick do to them. It knows no window and no timer: the window tells it where the
// icon is shown, starts and stops its timer as the answers say, and shows the icon at top
// after each tick. Lengths are twips from the top of the window, speeds twips per tick, upwards
// positive. Every result is computed in double precision and stored as a float; an arithmetic
// fault throws an ArithmeticError at its step, the fields set before it stay set.
struct FallingIcon
{
    float top = 0.0f; // the top the animation computes
    float speed = 0.0f;
    float gravity = 0.0f; // taken off speed on each tick
    bool rebounding = false; // from a floor contact until the upward speed is below 1
    float bounceCount = 0.0f; // counts floor contacts; also speeds up the gravity's growth
    bool armed = false; // set by the dedication click; lets the icon be clicked
    bool rising = false; // the icon glides up after an icon click

    // The start values: at rest at the window's top left corner.
    void load();
    // The dedication click with the icon shown at shownTop: whether the timer is to start.
    bool drop(float shownTop);
    // The icon click: whether the timer is to start (only once the dedication click has).
    bool lift();
    // One tick, the icon shown at shownTop (where the previous tick put it): whether the timer
    // is to go on. The icon comes to rest on the tick of its 42nd floor contact.
    bool tick(float shownTop);
};
