#pragma once
// Small value types shared by both programs: points and colours.

#include <cstdint>
#include <optional>

namespace platform {

// A point in pixel coordinates: origin top-left, x to the right, y downwards.
struct TPoint {
    int32_t X = 0;
    int32_t Y = 0;
    friend bool operator==(const TPoint&, const TPoint&) = default;
};

// A colour as (red, green, blue), each 0-255.
struct Color {
    uint8_t r = 0;
    uint8_t g = 0;
    uint8_t b = 0;
    friend bool operator==(const Color&, const Color&) = default;
};

namespace colors {
inline constexpr Color Black{0, 0, 0};
inline constexpr Color White{255, 255, 255};
inline constexpr Color Red{255, 0, 0};
inline constexpr Color Blue{0, 0, 255};
inline constexpr Color MoneyGreen{192, 220, 192};
inline constexpr Color SkyBlue{166, 202, 240};
}  // namespace colors

// Real to integer: nearest integer, halves to the even neighbour.
int32_t RoundHalfEven(double v);

}  // namespace platform
