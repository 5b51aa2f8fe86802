#pragma once

#include <cstdint>

namespace ploq {

// A colour as the preference file and the colour tables store it: 0x00BBGGRR.
using TColor = std::int32_t;

constexpr TColor rgb(int red, int green, int blue)
{
    return static_cast<TColor>((red & 0xFF) | (green & 0xFF) << 8 | (blue & 0xFF) << 16);
}
constexpr int redOf(TColor c) { return c & 0xFF; }
constexpr int greenOf(TColor c) { return (c >> 8) & 0xFF; }
constexpr int blueOf(TColor c) { return (c >> 16) & 0xFF; }

constexpr TColor clBlack = rgb(0, 0, 0);
constexpr TColor clWhite = rgb(255, 255, 255);
constexpr TColor clRed = rgb(255, 0, 0);
constexpr TColor clLime = rgb(0, 255, 0);
constexpr TColor clGreen = rgb(0, 128, 0);
constexpr TColor clBlue = rgb(0, 0, 255);

} // namespace ploq
