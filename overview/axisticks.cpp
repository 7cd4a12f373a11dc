#include "overview/axisticks.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <string_view>

#include "core/constants.h"
#include "core/levels.h"
#include "core/numberformat.h"

namespace ondrik {

namespace {

// Rounded to the nearest whole number (halves to the even neighbour), held
// well inside the range of the counters.
long Whole(double v) {
  if (!std::isfinite(v)) return 0;
  return static_cast<long>(std::nearbyint(std::clamp(v, -1e6, 1e6)));
}

// Multiples of step from the rounded bottom to the rounded top, each
// rounded value divided by the step dropping the remainder.
template <typename F>
void Steps(Single bottom, Single top, long step, F&& each) {
  const long a = Whole(bottom) / step * step, b = Whole(top) / step * step;
  for (long v = a; v <= b && v - a <= step * static_cast<long>(kMaxAxisTicks); v += step) each(v);
}

// A tick at a whole value, labelled by a number pattern; zero reads "0"
// whatever digits the pattern asks for.
AxisTick NumberTick(long v, bool dotted, const char* pattern) {
  AxisTick t;
  t.value = static_cast<Single>(v);
  t.dotted = dotted;
  t.label = v == 0 && std::string_view(pattern) == "00" ? "0" : Format(static_cast<double>(v), pattern);
  return t;
}

// An axis of whole multiples of a step, labelled by a number pattern: the
// step its measure (the span, or the top of an axis from 0) chooses, which
// multiples are drawn solid (the others dotted), and whether it runs from 0
// to its top rather than from its bottom.
struct SteppedAxis {
  struct Coarser {
    Single above;  // the measure exceeds it
    long step;     // 0: the end of the list
  };
  std::array<Coarser, 4> coarser;  // the first that applies
  long step;                       // when none applies
  long solidEvery;
  const char* pattern;
  bool fromZero;
};

constexpr SteppedAxis kTemperatureAxis{{{{50, 10}}}, 5, 10, "00", false};
constexpr SteppedAxis kCapeAxis{{{{5000, 1000}, {2000, 500}, {1000, 250}, {350, 100}}}, 25, 500, "00", true};
constexpr SteppedAxis kSfcPresAxis{{{{70, 10}}}, 5, 10, "00", false};
// A top of 3.5 or less is stepped by whole units too, so that the axis
// gets a few lines and the loop ends.
constexpr SteppedAxis kVentilationAxis{{{{50, 10}, {20, 5}, {10, 2}}}, 1, 5, "0K", true};

std::vector<AxisTick> SteppedTicks(const SteppedAxis& a, Single measure, Single bottom, Single top) {
  std::vector<AxisTick> out;
  if (a.fromZero && Whole(top) < 0) return out;
  long step = a.step;
  for (const SteppedAxis::Coarser& c : a.coarser)
    if (c.step != 0 && measure > c.above) {
      step = c.step;
      break;
    }
  Steps(a.fromZero ? 0 : bottom, top, step,
        [&](long v) { out.push_back(NumberTick(v, v % a.solidEvery != 0, a.pattern)); });
  return out;
}

void AddPressure(std::vector<AxisTick>& out, double p, std::string label, bool dotted, bool fullWidth) {
  if (!(p > 0)) return;  // no line where the table has no pressure
  AxisTick t;
  t.value = static_cast<Single>(std::log(p));
  t.label = std::move(label);
  t.dotted = dotted;
  t.fullWidth = fullWidth;
  out.push_back(t);
}

}  // namespace

std::vector<AxisTick> HeightTicks(Integer unit, Single logPBottom, Single logPSpan) {
  std::vector<AxisTick> out;
  const Single topPres = static_cast<Single>(std::exp(static_cast<double>(logPBottom - logPSpan)));
  const long topFt = Whole(StdHeightFtOfPressure(topPres));
  if (unit == 0) {
    const int step = logPSpan < 0.6f ? 50 : 100;
    for (int p = 1000 - step; p >= 0; p -= step) {
      const int q = p == 0 ? 50 : p;
      AddPressure(out, q, Format(q, "##0"), false, false);
    }
  } else if (unit == 1) {
    const long n = topFt / 1000;
    if (n <= 20)
      for (long i = 1; i <= n; ++i)
        if (i % 5 != 0) AddPressure(out, gPresAtKft(static_cast<int>(i)), Format(static_cast<double>(i), "##K"), true, true);
    for (long i = 5; i <= n && i <= 70; i += 5)
      AddPressure(out, gPresAtKft(static_cast<int>(i)), Format(static_cast<double>(i), "##K"), false, true);
  } else if (unit == 2) {
    const long n = topFt / kFeetPerKm;
    for (long k = 1; k <= n && k <= 20; ++k)
      AddPressure(out, gPresAtKm(static_cast<int>(k)), Format(static_cast<double>(k), "##Km"), false, true);
  }
  return out;
}

std::vector<AxisTick> DirectionTicks(Single dirSpan) {
  std::vector<AxisTick> out;
  const int step = dirSpan > 180 ? 45 : 10;
  for (int d = 0; d <= 360; d += step) {
    AxisTick t;
    t.value = static_cast<Single>(d);
    t.label = NumberItem(d);
    t.dotted = true;
    t.width = d % 90 == 0 ? 2 : 1;
    out.push_back(t);
  }
  return out;
}

std::vector<AxisTick> PrecipTicks(Single bottom, Single span) {
  std::vector<AxisTick> out;
  const Single interval = span < 0.25f ? 0.01f : span <= 2 ? 0.1f : span < 20 ? 1.0f : 5.0f;
  const char* pattern = interval < 0.1f ? ".00" : ".0";
  const Single top = bottom + span;
  Single v = 0;
  for (int n = 0; v <= top && n < kMaxAxisTicks; ++n, v += interval) {
    AxisTick t;
    t.value = v;
    t.label = Format(v, pattern);
    out.push_back(t);
  }
  return out;
}

std::vector<AxisTick> IndexTicks(Single bottom, Single span, Integer labelFactor) {
  std::vector<AxisTick> out;
  const auto colour = [](long i) { return i == 0 ? kWhite : kGridGrey; };
  if (span < 20) {
    const long a = Whole(bottom), b = Whole(bottom + span);
    for (long i = a; i <= b && i - a <= kMaxAxisTicks; ++i) {
      AxisTick t;
      t.value = static_cast<Single>(i);
      t.dotted = true;
      t.colour = colour(i);
      out.push_back(t);
    }
  }
  Steps(bottom, bottom + span, 5, [&](long i) {
    AxisTick t;
    t.value = static_cast<Single>(i);
    t.colour = colour(i);
    t.label = i > 0 ? "+" : i < 0 ? "-" : "";  // zero has no sign
    t.label2 = NumberItem(static_cast<double>(std::labs(i)) * labelFactor);
    out.push_back(t);
  });
  return out;
}

std::vector<AxisTick> TemperatureTicks(Single bottom, Single span) {
  return SteppedTicks(kTemperatureAxis, span, bottom, bottom + span);
}

std::vector<AxisTick> CapeTicks(Single top) { return SteppedTicks(kCapeAxis, top, 0, top); }

std::vector<AxisTick> SfcPresTicks(Single bottom, Single span) {
  return SteppedTicks(kSfcPresAxis, span, bottom, bottom + span);
}

std::vector<AxisTick> VentilationTicks(Single top) { return SteppedTicks(kVentilationAxis, top, 0, top); }

std::vector<AxisTick> VisibilityTicks(Single top) {
  struct Mark {
    Single v;
    const char* label;
    bool dotted;
  };
  static const Mark kMarks[] = {{1, "1", false},   {2, "2", false},    {3, "3", false},     {4, "4", false},
                                {5, "5", false},   {6, "6", false},    {7, "7", false},     {8, "8", false},
                                {10, "10", false}, {0.5f, "1/2", true}, {0.25f, "1/4", true}, {0.125f, "1/8", true},
                                {1.5f, "1.5", true}};
  std::vector<AxisTick> out;
  for (const Mark& m : kMarks) {
    if (!(m.v <= top)) continue;
    AxisTick t;
    t.value = (top - m.v) * (top - m.v);
    t.label = m.label;
    t.dotted = m.dotted;
    out.push_back(t);
  }
  return out;
}

}  // namespace ondrik
