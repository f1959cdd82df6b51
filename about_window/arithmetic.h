// SPDX-License-Identifier: MIT
#pragma once

#include <cmath>
#include <stdexcept>

// A floating-point step that overflowed, divided by zero or had no defined result.
class ArithmeticError : public std::runtime_error
{
public:
    using std::runtime_error::runtime_error;
};

// Arithmetic for fields held as 32-bit floats: every step runs in double precision, and a
// result goes back into a field rounded to float. Each step is checked, so that a fault
// raises an ArithmeticError at that step instead of carrying an infinity or a NaN forward.
namespace Arithmetic {

inline double checked(double result)
{
    if (std::isnan(result))
        throw ArithmeticError("Neplatná operace s reálným číslem.");
    if (std::isinf(result))
        throw ArithmeticError("Přetečení reálného čísla.");
    return result;
}

inline double add(double a, double b)
{
    return checked(a + b);
}
inline double subtract(double a, double b)
{
    return checked(a - b);
}
inline double multiply(double a, double b)
{
    return checked(a * b);
}

inline double divide(double a, double b)
{
    if (b == 0.0)
        throw ArithmeticError("Dělení nulou.");
    return checked(a / b);
}

// Rounds a result to float for storing; a value beyond float's range is an overflow.
inline float toFloat(double value)
{
    // The largest float plus half a unit in its last place: from here on, rounding to float
    // would give infinity.
    constexpr double FloatOverflowLimit = 0x1.ffffffp+127;
    if (std::fabs(checked(value)) >= FloatOverflowLimit)
        throw ArithmeticError("Přetečení reálného čísla.");
    return static_cast<float>(value);
}

} // namespace Arithmetic
