// The lapse rates of the current hour (side panel "Lapse Rates"): between
// every pair of levels of a 50-mb grid from the surface up, a triangular
// table in deg C per km coloured by steepness.
#pragma once

#include <optional>

#include "panels/picturepanel.h"

namespace ondrik {

class LapseRatesPanel : public PicturePanel {
 public:
  LapseRatesPanel(PanelHost& host, QWidget* parent);
  // PrintLapseRates.
  void Draw() override;
};

// The base of the table: the surface pressure rounded down to 50 mb.
Integer LapseTableBase(Single sfcPres);
// The lapse rate (deg C per km, positive when the temperature falls with
// height) of gCurDataset at the hour between the pressures a (lower) and b;
// none where the profile has no temperature.
std::optional<Single> LapseRate(Integer hour, Single a, Single b);
// The red of the steepest rates, lightened: the table's fine strokes in a
// full red read dark on its black ground ("8.0" as "0.0").
inline constexpr Color kSteepLapse = RGB(255, 110, 110);
// Red (kSteepLapse) above 7.95, yellow above 6.95, green else.
Color LapseRateColour(Single lapse);

}  // namespace ondrik
