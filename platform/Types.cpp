#include "platform/Types.h"

#include <cmath>
#include <limits>

namespace platform {

int32_t RoundHalfEven(double v) {
    if (std::isnan(v)) return 0;
    const double r = std::nearbyint(v);  // default rounding mode: to nearest, ties to even
    if (r >= static_cast<double>(std::numeric_limits<int32_t>::max()))
        return std::numeric_limits<int32_t>::max();
    if (r <= static_cast<double>(std::numeric_limits<int32_t>::min()))
        return std::numeric_limits<int32_t>::min();
    return static_cast<int32_t>(r);
}

}  // namespace platform
