// Drawing the map: the background picture picMapBuffer (outline layers and
// site dots) and the overlays drawn on picMap over a copy of it (feature
// lines of a flow, its texts, the travel-time line, the radar beam's rings
// at the freezing level). Every routine draws in the picture's own scale,
// the map extent (x longitude positive west, y latitude), for dataset D at
// hour H where it reads the profile.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <span>

#include "core/store.h"
#include "panels/mapdata.h"
#include "platform/picturebox.h"

namespace ondrik {

// A site dot's fill by the age of its data (hours): up to 7 dark blue,
// above 15 pale blue, else the middle shade.
Color SiteDotColor(std::int32_t age);
// Green, yellow, red.
Color VerdictColor(FlowVerdict verdict);

// Gives the picture the extent as its scale; false (and nothing changed)
// when the extent has no width or height.
bool ScaleToExtent(PictureBox& pic, const MapExtent& e);
// A white box over the whole picture.
void ClearMap(PictureBox& pic);

// The ticked layers (by the order of kMapLayerCaptions; a layer without a
// file is skipped), then the current site as a red dot and over it the
// dots of every site with data. Returns the dots' radius (MapMarkRadius,
// map units).
double DrawMapOutlines(PictureBox& buffer, const std::array<bool, kMapLayerCount>& ticked, MapOutlines& outlines,
                       const std::optional<MapPoint>& currentSite, std::span<const MapSite> sites);

// The feature lines of every group for the flow direction d: a grey shadow,
// then the lines in the verdict's colour (none: the shadow alone).
void DrawFeatureLines(PictureBox& pic, const MapFeatureTable& table, double d, std::optional<Color> c);

// The mean wind of the layer between levels lo and hi (either may be the
// lower one; levels outside the profile are left out) and the spread of its
// winds about it; none when the layer holds no level of the profile.
std::optional<MeanFlow> LayerMeanFlow(Integer D, Integer H, Integer lo, Integer hi);
// The wind at a level; none when the level is not one of the profile.
std::optional<Flow> SigmaLevelFlow(Integer D, Integer H, Integer level);

// The mean wind of the layer between levels lo and hi (either may be the
// lower one; levels outside the profile are left out): feature lines
// coloured by the spread of the winds about the mean (limits in kt), the
// layer and flow at the top-left and the spread under them. None, and
// nothing drawn, when the layer holds no level of the profile.
std::optional<Flow> DrawMapMeanFlow(PictureBox& pic, const MapFeatureTable& table, Integer D, Integer H,
                                    Integer lo, Integer hi, double rmsLimit1, double rmsLimit2);
// The wind at the sigma level: feature lines coloured by the turn of the
// wind between the levels `step` below and above it, the level and flow at
// the top-left and the turn under them. Level 0 below is the 10-m wind;
// without both neighbours the lines get no colour and no turn is printed.
// None, and nothing drawn, when the level is not one of the profile.
std::optional<Flow> DrawMapSigmaWind(PictureBox& pic, const MapFeatureTable& table, Integer D, Integer H,
                                     Integer level, Integer step);
// The travel-time line at the bottom: distance and time along the flow to
// each reference line, the first at the left edge, the second ending at the
// right edge. A flow slower than kMinFlowSpeed is raised to it (in flow).
std::array<TravelTime, 2> PrintMapTravelTimes(PictureBox& pic, const std::array<ReferenceLine, 2>& lines,
                                              Flow& flow);

// One radar tilt: its elevation (degrees) and the colour of its ring.
struct BeamTilt {
  double deg = 0;
  Color color = kBlack;
};
// For each tilt a ring around the site from where the beam centre is 1200 ft
// below the freezing level out to where it reaches it (a disc when that is
// less than 1200 ft above the site), drawn in not-XOR so that overlapping
// rings cancel; then the freezing level at the top-left. Nothing at all when
// the profile has no freezing level.
void PlotBeamFreezingLevel(PictureBox& pic, Integer D, Integer H, std::span<const BeamTilt> tilts);

}  // namespace ondrik
