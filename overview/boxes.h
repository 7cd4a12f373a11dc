// The overview's fields and strips: ONE table, in the order PlotData draws
// them, from which the window builds its check boxes, by which the redraw
// draws and the axes are labelled, and over which an overview layout is
// captured and applied.
//
// Each row is one check box: its id, control name and caption, its kind, the
// vertical range it is drawn in and labelled by (the "height" of the strip),
// its help topic, the control page it stands on, the plotter that draws it
// and the series it needs (computed on demand before the plotter runs).
//   Field:  a time-height field of the current dataset (drawn once);
//   Strip:  a series drawn for every shown dataset of the overlay;
//   Grid:   the grid of one axis (at most one ticked);
//   Toggle: a plain option read by the redraw;
//   Option: mirrored with the profile window.
// Two adjacent rows with the same plotter (the two humidity fills,
// precipitation and snow) draw once when either is ticked.
// Grid, toggle and option rows have no plotter and draw nothing themselves.
#pragma once

#include <array>
#include <string_view>

#include "core/store.h"

namespace ondrik {

enum class BoxKind { Field, Strip, Grid, Toggle, Option };

// The vertical ranges of the overview picture (each strip spans the whole
// picture in its own range): the time-height plane in ln p, the wind
// direction, precipitation, index and temperature axes and the four left
// axes; Time is the time grid, None a row with no axis.
enum class Axis { None, Height, Direction, Precip, Index, Temperature, Cape, SfcPres, Ventilation, Visibility, Time };

// Control pages (btnControl / pnlControl) and the two frames under the side
// pictures that hold the grid boxes.
enum OverviewPlace : int {
  kPageContour = 0,
  kPageTemperature = 1,
  kPageWind = 2,
  kPageConvection = 3,
  kPageAviation = 4,
  kPageControls = 5,
  kPageFireWx = 6,
  kPagePrecip = 7,
  kOverviewPageCount = 8,
  kPlaceLeftGrids = 8,   // frameLeftClick, under picLeft
  kPlaceRightGrids = 9,  // frameRightClick, under picRight
};

struct OverviewState;
struct OverviewDraw;
// A plotter: draws its field or strip for gCurDataset.
using OverviewPlotter = void (*)(OverviewDraw& d);
// A series computed on demand for a dataset before its plotter runs (the
// computation keeps its own done flags in the profile store).
using OverviewSeries = void (*)(const OverviewState& s, Integer dataset);

// X(id, control name, caption, kind, axis, topic, place, plotter, series)
// Topic "" : the box hands no topic to the training links. Plotter
// kLineStrip: a line of the strip table (overview/strips.cpp), drawn in the
// row's axis.
#define ONDRIK_OVERVIEW_BOXES(X)                                                                              \
  /* ---- time-height fields of the current dataset ---- */                                                   \
  X(Clouds, "chkClouds", "Clouds", Field, Height, "Aviation Clouds", kPageAviation, PlotClouds, nullptr)      \
  X(RH0, "chkRH0", "Relative Humidity", Field, Height, "", kPageContour, PlotRH, nullptr)                     \
  X(RH1, "chkRH1", "Relative Humidity (Ice)", Field, Height, "", kPageContour, PlotRH, nullptr)               \
  X(ELCIN, "chkELCIN", "EL CIN", Field, Height, "EL CIN", kPageConvection, PlotELCIN, MakeInnerLevelParcels)  \
  X(Inversions, "chkInversions", "Inversions", Field, Height, "Overview Inversions", kPageAviation,           \
    PlotInversions, nullptr)                                                                                  \
  X(Instability, "chkInstability", "Convective Instability", Field, Height, "Convective Instability",         \
    kPageConvection, PlotInstability, nullptr)                                                                \
  X(Precip, "chkPrecip", "Precipitation", Field, Precip, "", kPagePrecip, PlotPrecip, nullptr)                \
  X(Snow, "chkSnow", "Snow", Field, Precip, "", kPagePrecip, PlotPrecip, nullptr)                             \
  X(Evaporation, "chkEvaporation", "Evaporation", Field, Precip, "", kPagePrecip, PlotEvaporation, nullptr)   \
  X(RunOff, "chkRunOff", "Run Off", Field, Precip, "", kPagePrecip, PlotRunOff, nullptr)                      \
  X(Temperature, "chkTemperature", "Temperature", Field, Height, "Contour Temperature", kPageContour,         \
    PlotTemperatureContours, nullptr)                                                                         \
  X(Velocity, "chkVelocity", "Wind Speed", Field, Height, "Wind Speed", kPageContour, PlotWindSpeedContours,  \
    nullptr)                                                                                                  \
  X(RHContour, "chkRHContour", "Rel Humidity", Field, Height, "Rel Humidity", kPageContour,                   \
    PlotHumidityContours, nullptr)                                                                            \
  X(RHIcontour, "chkRHIcontour", "Rel Humidity (Ice)", Field, Height, "", kPageContour,                       \
    PlotIceHumidityContours, nullptr)                                                                         \
  X(Icing, "chkIcing", "Icing", Field, Height, "Contour Icing", kPageContour, PlotIcing, IcingSeries)         \
  X(DPD, "chkDPD", "Dew Point", Field, Height, "Dew Point", kPageContour, PlotDewPointContours, nullptr)      \
  X(Theta, "chkTheta", "Potential Temp", Field, Height, "Potential Temp", kPageContour, PlotThetaContours,    \
    nullptr)                                                                                                  \
  X(ThetaE, "chkThetaE", "Eqiv Potential Temp", Field, Height, "Eqiv Potential Temp", kPageContour,           \
    PlotThetaEContours, nullptr)                                                                              \
  X(DeltaThetaE, "chkDeltaThetaE", "Sfc Delta Theta-E", Field, Height, "Sfc Delta Theta-E", kPageContour,     \
    PlotDeltaThetaE, DeltaThetaESeries)                                                                       \
  X(WetBulb, "chkWetBulb", "Wet Bulb", Field, Height, "Wet Bulb", kPageContour, PlotWetBulbContours, nullptr) \
  X(Omega, "ChkOmega", "Omega", Field, Height, "Contour Omega", kPageContour, PlotOmegaContours,              \
    MakeSmoothedOmega)                                                                                        \
  X(ShearContour, "chkShearContour", "Shear (Surface to Layer)", Field, Height, "Shear (Layer Difference)",   \
    kPageContour, PlotShearContour, ShearContourSeries)                                                       \
  X(LayertoLayer, "chkLayertoLayer", "Shear (Layer to Layer)", Field, Height, "Shear (Layer to Layer)",       \
    kPageContour, PlotLayertoLayer, LayertoLayerSeries)                                                       \
  X(Now, "chkNow", "Now", Field, None, "", kPageControls, PlotNow, nullptr)                                   \
  X(LayerShear, "chkLayerShear", "Shear (Length of Hodo)", Field, Height, "Shear (Length of Hodo)",           \
    kPageContour, PlotHodoLengthShear, HodoLengthShearSeries)                                                 \
  X(MeanMixingRatio, "chkMeanMixingRatio", "Mean Mixing Ratio", Field, Height, "Mean Mixing Ratio",           \
    kPageContour, PlotMeanMixingRatio, MeanMixingRatioSeries)                                                 \
  X(MixingRatio, "chkMixingRatio", "Mixing Ratio", Field, Height, "Mixing Ratio", kPageContour,               \
    PlotMixingRatioContours, nullptr)                                                                         \
  X(SnowGrowth, "chkSnowGrowth", "Snow Growth", Field, Height, "Contour Snow Growth", kPageContour,           \
    PlotSnowGrowth, SnowGrowthSeries)                                                                         \
  X(Winds, "chkWinds", "Sigma Wind", Field, Direction, "Sigma Wind", kPageWind, PlotSigmaWind, nullptr)       \
  X(ECAPE, "chkECAPE", "Elevated CAPE", Field, Height, "", kPageConvection, PlotECAPE, MakeLowLevelParcels)   \
  X(EHailCape, "chkEHailCape", "Elevated Hail CAPE", Field, Height, "", kPageConvection, PlotEHailCape,       \
    MakeLowLevelParcels)                                                                                      \
  /* ---- strips of every shown dataset ---- */                                                               \
  X(MeanWind, "chkMeanWind", "Mean Wind", Strip, Direction, "Mean Wind", kPageWind, PlotMeanWind,             \
    MeanWindSeries)                                                                                           \
  X(LakeIndex, "chkLakeIndex", "Lake Index", Strip, Index, "Overview Lake Index", kPageTemperature,           \
    kLineStrip, LakeLevelTempSeries)                                                                          \
  X(MoistLakeIndex, "chkMoistLakeIndex", "Moist Lake Index", Strip, Index, "Overview Moist Lake Index",       \
    kPageTemperature, kLineStrip, nullptr)                                                                    \
  X(VWP, "chkVWP", "VWP", Strip, Height, "VWP", kPageWind, PlotVWP, nullptr)                                  \
  X(VVTrend, "chkVVTrend", "V Vel", Strip, Index, "V Vel", kPageWind, kLineStrip, nullptr)                    \
  X(ApparentTemp, "chkApparentTemp", "Apparent Temp", Strip, Temperature, "Apparent Temp", kPageTemperature,  \
    kLineStrip, ApparentTempSeries)                                                                           \
  X(SkinTemp, "chkSkinTemp", "Skin Surface Temp", Strip, Temperature, "", kPageTemperature, kLineStrip,       \
    nullptr)                                                                                                  \
  X(SfcTemp, "chkSfcTemp", "2-Meter Temp", Strip, Temperature, "2-Meter Temp", kPageTemperature, kLineStrip,  \
    nullptr)                                                                                                  \
  X(SfcDewPoint, "chkSfcDewPoint", "2-Meter DewPoint", Strip, Temperature, "2-Meter DewPoint",                \
    kPageTemperature, kLineStrip, nullptr)                                                                    \
  X(WindChill, "chkWindChill", "WindChill", Strip, Temperature, "WindChill", kPageTemperature, kLineStrip,    \
    nullptr)                                                                                                  \
  X(TotalTotals, "chkTotalTotals", "Total Totals", Strip, Temperature, "Total Totals", kPageConvection,       \
    kLineStrip, TotalTotalsSeries)                                                                            \
  X(Helicity, "chkHelicity", "Helicity", Strip, Index, "Helicity", kPageWind, kLineStrip, HelicitySeries)     \
  X(StormRelInflow, "chkStormRelInflow", "Storm Rel Inflow (kts)", Strip, Temperature, "Storm Rel Inflow",    \
    kPageWind, kLineStrip, HelicitySeries)                                                                    \
  X(MBEspeed, "chkMBEspeed", "MBE Speed", Strip, Temperature, "MBE Speed", kPageWind, kLineStrip, MbeSeries)  \
  X(PresChange3h, "chk3HPresChange", "3h Pres Change", Strip, Index, "3h Pres Change", kPageTemperature,      \
    kLineStrip, nullptr)                                                                                      \
  X(SfcPres, "chkSfcPres", "Sfc Pres", Strip, SfcPres, "Sfc Pres", kPageTemperature, kLineStrip, nullptr)     \
  X(CAPE, "chkCAPE", "CAPE", Strip, Cape, "Convection CAPE", kPageConvection, PlotCAPE, LayerCapeSeries)      \
  X(PrecipAcumm, "chkPrecipAcumm", "Precip Accummulation", Strip, Precip, "", kPagePrecip, kLineStrip,        \
    nullptr)                                                                                                  \
  X(SnowFall, "chkSnowFall", "Adding Hourly Snowfall ", Strip, Precip, "", kPagePrecip, kLineStrip,           \
    SnowRatioSeries)                                                                                          \
  X(SnowAcumm, "chkSnowAcumm", "Snow Accumulation", Strip, Precip, "", kPagePrecip, kLineStrip,               \
    SnowRatioSeries)                                                                                          \
  X(PrecipWater, "chkPrecipWater", "Precipitable Water", Strip, Cape, "Precipitable Water", kPagePrecip,      \
    kLineStrip, nullptr)                                                                                      \
  X(DavisIndex, "chkDavisIndex", "Davis Stability Index", Strip, Index, "Davis Stability Index", kPageFireWx, \
    kLineStrip, LakeLevelTempSeries)                                                                          \
  X(TQ, "chkTQ", "TQ", Strip, Index, "TQ", kPageConvection, kLineStrip, TQSeries)                             \
  X(HainesIndex, "chkHainesIndex", "Haines ROS Index", Strip, Index, "Haines ROS Index", kPageFireWx,         \
    kLineStrip, HainesSeries)                                                                                 \
  X(MixingLayer, "chkMixingLayer", "Mixing Layer Height", Strip, Height, "Mixing Layer Height", kPageFireWx,  \
    kLineStrip, MixingLayerSeries)                                                                            \
  X(TransportWinds, "chkTransportWinds", "Direction", Strip, Direction, "Transport Wind Direction",           \
    kPageFireWx, PlotTransportDirection, TransportWindSeries)                                                 \
  X(TransportSpeed, "chkTransportSpeed", "Speed (kts)", Strip, Temperature, "Transport Wind Speed",           \
    kPageFireWx, kLineStrip, TransportWindSeries)                                                             \
  X(WarmCloud, "chkWarmCloud", "Warm Cloud Depth", Strip, Height, "Warm Cloud Depth", kPageAviation,          \
    kLineStrip, WarmCloudSeries)                                                                              \
  X(Ventilation, "chkVentilation", "Ventilation Factor", Strip, Ventilation, "Ventilation Factor",            \
    kPageFireWx, kLineStrip, MixingLayerSeries)                                                               \
  X(LIC, "chkLIC", "Lake Induced CAPE", Strip, Cape, "Lake Induced CAPE", kPageTemperature, kLineStrip,       \
    LakeParcelSeries)                                                                                         \
  X(LIE, "chkLIE", "Lake Induced EQL", Strip, Height, "Lake Induced EQL", kPageTemperature, kLineStrip,       \
    LakeParcelSeries)                                                                                         \
  X(Visibility, "chkVisibility", "Visibility", Strip, Visibility, "Visibility", kPageAviation, kLineStrip,    \
    nullptr)                                                                                                  \
  X(CloudBase, "chkCloudBase", "Cloud Base", Strip, Height, "Cloud Base", kPageAviation, kLineStrip, nullptr) \
  X(Heights, "chkHeights", "Heights", Strip, Height, "Convection Heights", kPageConvection, PlotHeights,      \
    nullptr)                                                                                                  \
  X(SnowRatio, "chkSnowRatio", "Snow Ratio", Strip, Index, "Snow Ratio", kPagePrecip, kLineStrip,             \
    SnowRatioSeries)                                                                                          \
  /* ---- the grids of the axes (at most one of the six ticked) and the time grid ---- */                     \
  X(GridHeight, "chkGridHeight", "", Grid, Height, "", kPlaceRightGrids, nullptr, nullptr)                    \
  X(GridPrecip, "chkGridPrecip", "", Grid, Precip, "", kPlaceRightGrids, nullptr, nullptr)                    \
  X(GridTemp, "chkGridTemp", "", Grid, Temperature, "", kPlaceRightGrids, nullptr, nullptr)                   \
  X(GridLeft, "chkGridLeft", "", Grid, Cape, "", kPlaceLeftGrids, nullptr, nullptr)                           \
  X(GridWind, "chkGridWind", "", Grid, Direction, "", kPlaceLeftGrids, nullptr, nullptr)                      \
  X(GridLakeIndex, "chkGridLakeIndex", "", Grid, Index, "", kPlaceLeftGrids, nullptr, nullptr)                \
  X(GridTime, "chkGridTime", "Time Grid", Toggle, Time, "", kPageControls, nullptr, nullptr)                  \
  /* ---- plain options ---- */                                                                               \
  X(Cursor, "chkCursor", "Cursor", Toggle, None, "", kPageControls, nullptr, nullptr)                         \
  X(PIP, "chkPIP", "Profile in Picture (PIP)", Toggle, None, "", kPageControls, nullptr, nullptr)             \
  X(VWPColor, "chkVWPColor", "Color", Toggle, None, "", kPageWind, nullptr, nullptr)                          \
  X(sWSYMb, "chksWSYMb", "Bourgouin P Type", Option, None, "", kPagePrecip, nullptr, nullptr)

enum BoxId : int {
#define ONDRIK_BOX_ID(id, ...) kBox##id,
  ONDRIK_OVERVIEW_BOXES(ONDRIK_BOX_ID)
#undef ONDRIK_BOX_ID
      kBoxCount
};

struct OverviewRow {
  BoxId id;
  std::string_view name;     // control name
  std::string_view caption;
  BoxKind kind;
  Axis axis;                 // the range it is drawn in and labelled by
  std::string_view topic;    // "" : none
  int place;                 // OverviewPlace
  OverviewPlotter plot;      // nullptr: nothing drawn (yet)
  OverviewSeries series;     // nullptr: needs no series of its own
};

// The table, indexed by BoxId, in drawing order.
const std::array<OverviewRow, kBoxCount>& OverviewRows();
inline const OverviewRow& Row(BoxId id) { return OverviewRows()[static_cast<size_t>(id)]; }
// The row of a control name; nullptr when there is none.
const OverviewRow* RowNamed(std::string_view name);

// The boxes ticked in the window's design: what the overview shows until the
// user keeps a layout of his own (a first start, or after a reset of the
// saved state): the humidity fill under the temperature contours, with the
// surface temperature, dew point and precipitation.
inline constexpr std::array kDesignTicked = {kBoxRH0, kBoxTemperature, kBoxPrecip, kBoxSfcTemp, kBoxSfcDewPoint,
                                             kBoxGridTime};

}  // namespace ondrik
