#pragma once

#include <QtGlobal>

#include <cmath>
#include <limits>
#include <type_traits>

// The one way a typed value becomes the integer a field or a register holds:
// rounded to nearest with ties to even (the rounding the FPU does by default,
// which the program never changes), then kept inside [low, high], by default
// the whole range of T. A product such as value x 100 is never truncated, so
// 20.30 x 100 = 2029.9999... becomes 2030, not 2029. A value that is not a
// number becomes 0 (kept inside the bounds); infinities go to the bounds.
template <typename T>
T roundedInto(double value, T low = std::numeric_limits<T>::lowest(),
              T high = std::numeric_limits<T>::max())
{
    static_assert(std::is_integral<T>::value && sizeof(T) <= 4,
                  "integer fields of up to 32 bits, exact as doubles");
    if (std::isnan(value))
        value = 0;
    const double r = std::nearbyint(value);
    if (r <= double(low))
        return low;
    if (r >= double(high))
        return high;
    return T(r);
}
