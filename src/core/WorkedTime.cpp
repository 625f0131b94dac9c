#include "core/WorkedTime.h"

#include <cfenv>
#include <cfloat>
#include <cmath>

namespace tavisko {

static_assert(LDBL_MANT_DIG == 64, "worked time needs 80-bit extended long double");

namespace {
// nearbyintl follows the current rounding mode, which is round-to-nearest-even
// unless something changed it; set it explicitly so no caller can skew wages.
long double roundTiesToEven(long double value)
{
    const int saved = std::fegetround();
    std::fesetround(FE_TONEAREST);
    const long double result = std::nearbyintl(value);
    std::fesetround(saved);
    return result;
}
}

double workedSeconds(double startDay, double endDay)
{
    const volatile long double difference = static_cast<long double>(endDay) - static_cast<long double>(startDay);
    const volatile long double seconds = difference * 86400.0L;
    return static_cast<double>(roundTiesToEven(seconds));
}

double workedHours(double seconds)
{
    const volatile long double hours = static_cast<long double>(seconds) / 3600.0L;
    const volatile long double hundredths = hours * 100.0L;
    const long double n = roundTiesToEven(hundredths);
    return static_cast<double>(n / 100.0L);
}

} // namespace tavisko
