// SPDX-License-Identifier: MIT
#include "fallingicon.h"

#include "arithmetic.h"

#include <cmath>

namespace {

// The floor is one inch below the top of the window; the dedication click drops the icon
// only while it is above 500 twips; the glide up ends at 150 twips.
constexpr double FloorTop = 1440.0;
constexpr double DropLimit = 500.0;
constexpr double GlideEnd = 150.0;
constexpr double BouncesToRest = 44.0;

} // namespace

void FallingIcon::load()
{
    speed = 0.0f;
    gravity = Arithmetic::toFloat(0.1);
    top = 120.0f;
    rebounding = false;
    bounceCount = 2.0f;
    armed = false;
    rising = false;
}

bool FallingIcon::drop(float shownTop)
{
    if (!(shownTop < DropLimit))
        return false;
    armed = true;
    return true;
}

// From where it is, the icon glides towards the top and is then thrown up to fall again.
bool FallingIcon::lift()
{
    if (!armed)
        return false;
    rising = true;
    speed = 5.0f;
    gravity = Arithmetic::toFloat(0.3);
    rebounding = true;
    bounceCount = 2.0f;
    return true;
}

bool FallingIcon::tick(float shownTop)
{
    using namespace Arithmetic;
    if (rising) {
        // Up by 2.5 % of the distance from the top edge: fast at first, slower near the top.
        top = toFloat(subtract(top, multiply(divide(top, 400.0), 10.0)));
        if (top <= GlideEnd)
            rising = false;
        return true;
    }
    // Gravity shrinks while the icon rebounds and grows while it falls, the faster the more
    // floor contacts there have been.
    if (rebounding)
        gravity = toFloat(subtract(gravity, 0.01));
    else
        gravity = toFloat(add(multiply(divide(bounceCount, 2.0), 0.01), gravity));
    speed = toFloat(subtract(speed, gravity));
    top = toFloat(subtract(top, speed));
    // The floor test looks at where the previous tick put the icon, not at the top just
    // computed: the icon turns one tick after it has passed the floor, and every tick it
    // spends there counts as a contact.
    if (shownTop >= FloorTop) {
        speed = std::fabs(speed);
        rebounding = true;
        bounceCount = toFloat(add(bounceCount, 1.0));
    }
    if (speed < 1.0f)
        rebounding = false;
    return !(bounceCount >= BouncesToRest);
}
