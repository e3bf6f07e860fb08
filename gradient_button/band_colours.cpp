#include "gradient_button/band_colours.h"

#include <algorithm>
#include <cmath>

namespace tavrel {
namespace {

struct Channels {
  double red;
  double green;
  double blue;
};

Channels Split(Colour colour) {
  return {static_cast<double>(colour & 0xFFu), static_cast<double>((colour >> 8) & 0xFFu),
          static_cast<double>((colour >> 16) & 0xFFu)};
}

std::uint32_t Byte(double channel) { return static_cast<std::uint32_t>(RoundHalfEven(channel)); }

}  // namespace

double RoundHalfEven(double value) {
  const double floor = std::floor(value);
  const double fraction = value - floor;
  if (fraction < 0.5) return floor;
  if (fraction > 0.5) return floor + 1;
  return std::fmod(floor, 2.0) == 0 ? floor : floor + 1;
}

std::vector<Colour> GradientBandColours(Colour top, Colour bottom, std::int64_t rounded_height) {
  const std::int64_t n = rounded_height / 8;  // truncates toward zero
  if (n < 0) return {};
  const Channels from = Split(top);
  const Channels to = Split(bottom);
  Channels step{0, 0, 0};
  if (n > 0) {
    const auto count = static_cast<double>(n);
    step = {(to.red - from.red) / count, (to.green - from.green) / count, (to.blue - from.blue) / count};
  }
  std::vector<Colour> bands;
  bands.reserve(static_cast<std::size_t>(n) + 1);
  Channels running = from;
  for (std::int64_t i = 0; i <= n; ++i) {
    running.red = std::clamp(running.red + step.red, 0.0, 255.0);
    running.green = std::clamp(running.green + step.green, 0.0, 255.0);
    running.blue = std::clamp(running.blue + step.blue, 0.0, 255.0);
    bands.push_back(RgbColour(Byte(running.red), Byte(running.green), Byte(running.blue)));
  }
  return bands;
}

}  // namespace tavrel
