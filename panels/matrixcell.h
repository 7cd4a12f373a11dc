// The convective storm matrix: the cell of one forecast hour (row from the
// shear and helicity of three 2.5 km layers, column from the CAPE and the
// dryness of the convective layer) and where the cell's training pages lie.
// Qt-free; the KORVAN page (panels/stormmatrix.h) shows and sketches it.
#pragma once

#include <string>

#include "core/store.h"

namespace ondrik {

// Hodograph length (m/s) of the layer bottomKm..topKm above the ground of
// (D, H): the sum of the level-to-level wind differences from the level
// nearest the bottom to the level nearest the top. 0 for an empty layer (a
// top at or below the bottom, or above the profile).
Single LayerTotalShear(Integer D, Integer H, Single bottomKm, Single topKm);
// Helicity (m2/s2) of the layer relative to its own mean wind (the plain
// mean of its levels). 0 for a layer of fewer than two levels.
Single LayerMeanWindHelicity(Integer D, Integer H, Single bottomKm, Single topKm);

// The layer values the row is decided from, and the decision.
struct MatrixLayers {
  Single S05 = 0, S0_25 = 0, S25_5 = 0, S5_75 = 0, S075 = 0;  // total shear, m/s
  Single H0_25 = 0, H25_5 = 0;                                // mean-wind helicity
};
MatrixLayers MatrixLayerValues(Integer D, Integer H);
// The row's page id ("Axxxt34xxxd13" .. "Il12t02m10d14"); its first
// character is the row letter.
std::string ClassifyStormMatrix(const MatrixLayers& layers);
std::string ClassifyStormMatrix(Integer D, Integer H);

// Columns by CAPE (J/kg): 1 below 1771, 2 below 2711, else 3 (moist) or 4
// (mean dew-point depression from the LFC to the EL of 15 C or more).
inline constexpr Single kMatrixCapeColumn2 = 1771;
inline constexpr Single kMatrixCapeColumn3 = 2711;
inline constexpr Single kMatrixDryDepression = 15;
// Below this CAPE the hour has no cell ("-").
inline constexpr Single kMatrixLowCape = 300;

// Mean of temperature minus dew point over the levels of (D, H) above the
// LFC (pressure below gLfct) up to the equilibrium level (the walk stops at
// the first level above gEqlv). 0 when no level lies between them.
Single MatrixMeanDepression(Integer D, Integer H);
Integer MatrixColumn(Single cape, Single meanDPD);

// Fills MatrixMeanDPD, MatrixPagePath, MatrixCellCode and MatrixPageDone of
// (D, H). trainingDrive is the drive letter of the training module.
void BuildStormMatrixPage(Integer D, Integer H, const std::string& trainingDrive);

// ---- training pages ----

// Base name of a cell's pages: drive, the module's fixed folder, row letter,
// "_" and column ("E:\tavrel\convectn\csmatrix\media\flash\M_4").
std::string MatrixPageBase(const std::string& trainingDrive, char rowLetter, Integer column);
// Whether the cell has pages: not "-" nor empty, and not columns 1 or 3 of
// rows A to E.
bool MatrixCellHasPages(const std::string& cellCode);
// Page n (1..5) of a cell: base & "_" & n & ".htm".
std::string MatrixPageName(const std::string& base, Integer n);

// Where a page named with a drive letter lies on this computer. On Windows
// the name itself; elsewhere drive X is the folder the WINE installation
// maps it to, $WINEPREFIX/dosdevices/x: (WINEPREFIX defaults to ~/.wine),
// and each part of the path is found whatever its case. `driveFound` tells
// whether that drive's folder exists.
std::string LocalTrainingPath(const std::string& pageName, bool* driveFound = nullptr);

}  // namespace ondrik
