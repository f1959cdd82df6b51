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
    IconSpeed = 0.0f;
    IconGravity = Arithmetic::toFloat(0.1);
    IconTop = 120.0f;
    IconRebounding = false;
    BounceCount = 2.0f;
    AnimationArmed = false;
    IconRising = false;
}

bool FallingIcon::drop(float shownTop)
{
    if (!(shownTop < DropLimit))
        return false;
    AnimationArmed = true;
    return true;
}

// From where it is, the icon glides towards the top and is then thrown up to fall again.
bool FallingIcon::lift()
{
    if (!AnimationArmed)
        return false;
    IconRising = true;
    IconSpeed = 5.0f;
    IconGravity = Arithmetic::toFloat(0.3);
    IconRebounding = true;
    BounceCount = 2.0f;
    return true;
}

bool FallingIcon::tick(float shownTop)
{
    using namespace Arithmetic;
    if (IconRising) {
        // Up by 2.5 % of the distance from the top edge: fast at first, slower near the top.
        IconTop = toFloat(subtract(IconTop, multiply(divide(IconTop, 400.0), 10.0)));
        if (IconTop <= GlideEnd)
            IconRising = false;
        return true;
    }
    // Gravity shrinks while the icon rebounds and grows while it falls, the faster the more
    // floor contacts there have been.
    if (IconRebounding)
        IconGravity = toFloat(subtract(IconGravity, 0.01));
    else
        IconGravity = toFloat(add(multiply(divide(BounceCount, 2.0), 0.01), IconGravity));
    IconSpeed = toFloat(subtract(IconSpeed, IconGravity));
    IconTop = toFloat(subtract(IconTop, IconSpeed));
    // The floor test looks at where the previous tick put the icon, not at the top just
    // computed: the icon turns one tick after it has passed the floor, and every tick it
    // spends there counts as a contact.
    if (shownTop >= FloorTop) {
        IconSpeed = std::fabs(IconSpeed);
        IconRebounding = true;
        BounceCount = toFloat(add(BounceCount, 1.0));
    }
    if (IconSpeed < 1.0f)
        IconRebounding = false;
    return !(BounceCount >= BouncesToRest);
}
