#include "overview/classes.h"

#include <initializer_list>
#include <utility>

namespace ondrik {

namespace {

// Entries from 1: (threshold, colour) pairs, then the bound.
ClassTable Make(std::initializer_list<std::pair<Single, Color>> entries, Single bound) {
  ClassTable t;
  int n = 0;
  for (const auto& [thr, c] : entries) {
    ++n;
    t.threshold[static_cast<size_t>(n)] = thr;
    t.colour[static_cast<size_t>(n)] = c;
  }
  ++n;
  t.threshold[static_cast<size_t>(n)] = bound;
  t.count = n;
  return t;
}

}  // namespace

const ClassTable& WindSpeedClasses() {
  static const ClassTable t = Make({{0, RGB(127, 127, 127)}, {10, RGB(255, 0, 0)}, {20, RGB(255, 127, 0)},
                                    {30, RGB(255, 255, 0)}, {40, RGB(0, 128, 0)}, {50, RGB(0, 0, 255)},
                                    {60, RGB(255, 0, 255)}},
                                   999);
  return t;
}

const ClassTable& HumidityClasses() {
  static const ClassTable t = Make({{0, RGB(48, 48, 48)}, {31, RGB(40, 40, 12)}, {70, RGB(0, 127, 0)},
                                    {80, RGB(0, 191, 0)}, {90, RGB(0, 255, 0)}, {95, RGB(90, 0, 172)}},
                                   999);
  return t;
}

const ClassTable& IceHumidityClasses() {
  static const ClassTable t = Make({{0, RGB(48, 48, 48)}, {31, RGB(40, 40, 12)}, {70, RGB(0, 127, 0)},
                                    {80, RGB(0, 191, 0)}, {90, RGB(0, 255, 0)}, {95, RGB(90, 0, 172)},
                                    {100, RGB(96, 0, 0)}, {103, RGB(127, 0, 0)}, {106, RGB(191, 0, 0)},
                                    {109, RGB(255, 0, 0)}},
                                   999);
  return t;
}

const ClassTable& IcingClasses() {
  static const ClassTable t = Make({{-1, RGB(0, 0, 0)}, {0, RGB(255, 0, 255)}}, 9999);
  return t;
}

const ClassTable& ThetaEClasses() {
  static const ClassTable t = Make({{0, RGB(127, 255, 127)}, {300, RGB(127, 127, 127)}, {310, RGB(192, 0, 0)},
                                    {320, RGB(255, 0, 0)}, {330, RGB(0, 192, 0)}, {330, RGB(0, 255, 0)}},
                                   999);
  return t;
}

const ClassTable& DeltaThetaEClasses() {
  static const ClassTable t = Make({{-999, RGB(255, 0, 0)}, {-19, RGB(255, 255, 0)}, {0, RGB(127, 127, 127)}}, 9999);
  return t;
}

const ClassTable& MixingRatioClasses() {
  static const ClassTable t = Make({{0, RGB(0, 0, 255)}, {4, RGB(127, 127, 127)}, {8, RGB(0, 192, 192)},
                                    {12, RGB(255, 0, 0)}, {16, RGB(0, 255, 0)}, {20, RGB(192, 192, 0)}},
                                   999);
  return t;
}

ClassTable LayerShearClasses(const std::array<Single, 3>& bounds) {
  return Make({{bounds[0], RGB(0, 64, 0)}, {bounds[1], RGB(255, 255, 0)}, {bounds[2], RGB(255, 0, 0)}}, 99999);
}

}  // namespace ondrik
