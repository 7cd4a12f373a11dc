#include "panels/matrixcell.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <system_error>

#include "core/guards.h"
#include "core/levels.h"

namespace ondrik {

namespace {

bool HourExists(Integer D, Integer H) {
  return D >= 1 && D <= std::min<Integer>(gDatasetCount, kMaxDatasets) && H >= 0 && H < kMaxHours &&
         H <= gLastHour(D);
}

// Levels of (D, H) nearest the layer's bottom and top; the top is 0 when it
// lies above the profile.
void LayerLevels(Integer D, Integer H, Single bottomKm, Single topKm, Integer& b, Integer& t) {
  const CurrentDatasetGuard own(D);
  b = LevelOfHeight(H, bottomKm);
  t = LevelOfHeight(H, topKm);
}

// The module's folder on its drive, as the module's installer lays it out.
constexpr const char* kMatrixPageFolder = ":\\tavrel\\convectn\\csmatrix\\media\\flash\\";

}  // namespace

Single LayerTotalShear(Integer D, Integer H, Single bottomKm, Single topKm) {
  if (!HourExists(D, H)) return 0;
  Integer b, t;
  LayerLevels(D, H, bottomKm, topKm, b, t);
  double sum = 0;
  for (Integer k = b + 1; k <= t; ++k) {
    const double du = static_cast<double>(gWindU(D, H, k)) - gWindU(D, H, k - 1);
    const double dv = static_cast<double>(gWindV(D, H, k)) - gWindV(D, H, k - 1);
    sum += std::sqrt(du * du + dv * dv);
  }
  return static_cast<Single>(sum);
}

Single LayerMeanWindHelicity(Integer D, Integer H, Single bottomKm, Single topKm) {
  if (!HourExists(D, H)) return 0;
  Integer b, t;
  LayerLevels(D, H, bottomKm, topKm, b, t);
  if (t <= b) return 0;  // no pair of levels: no turning of the wind
  double mu = 0, mv = 0;
  for (Integer k = b; k <= t; ++k) {
    mu += gWindU(D, H, k);
    mv += gWindV(D, H, k);
  }
  mu /= (t - b + 1);
  mv /= (t - b + 1);
  double sum = 0;
  for (Integer k = b + 1; k <= t; ++k) {
    sum += (gWindU(D, H, k) - mu) * (gWindV(D, H, k - 1) - mv) -
           (gWindU(D, H, k - 1) - mu) * (gWindV(D, H, k) - mv);
  }
  return static_cast<Single>(sum);
}

MatrixLayers MatrixLayerValues(Integer D, Integer H) {
  MatrixLayers m;
  m.S05 = LayerTotalShear(D, H, 0, 5);
  m.S0_25 = LayerTotalShear(D, H, 0, 2.5f);
  m.S25_5 = LayerTotalShear(D, H, 2.5f, 5);
  m.S5_75 = LayerTotalShear(D, H, 5, 7.5f);
  m.S075 = LayerTotalShear(D, H, 0, 7.5f);
  m.H0_25 = LayerMeanWindHelicity(D, H, 0, 2.5f);
  m.H25_5 = LayerMeanWindHelicity(D, H, 2.5f, 5);
  return m;
}

std::string ClassifyStormMatrix(const MatrixLayers& m) {
  if (m.S05 < 5) return "Axxxt34xxxd13";
  if (std::fabs(m.H0_25) < 35) {
    // Little turning in the lowest layer: rows by the 0-5 km shear.
    if (m.S05 < 15) return "Bxxxt09xxxd15";
    if (m.S05 < 25) return "Cxxxt10xxxd09";
    if (m.S05 < 37.5f) return "Dxxxt11xxxd08";
    return "Exxxt25xxxd07";
  }
  if (m.H0_25 < -35) return "Jl13t41m11d16";
  if (m.S25_5 < 7.5f) {
    if (m.S0_25 < 15) return "Nl07t18m03d12";
    if (m.S0_25 < 25) return "Ol06t08m02d11";
    return "Pl05t33m01d10";
  }
  if (m.H25_5 >= 35) {
    if (m.S05 < 25) return "Kl10t19m09d06";
    if (m.S05 < 37.5f) return "Ll09t03m08d05";
    return "Ml08t28m07d04";
  }
  if (m.S075 < 25) return "Fl04t29m06d03";
  if (m.S075 < 37.5f) return "Gl03t16m05d03";
  if (m.S075 < 52.5f) return "Hl02t15m04d01";
  return "Il12t02m10d14";
}

std::string ClassifyStormMatrix(Integer D, Integer H) { return ClassifyStormMatrix(MatrixLayerValues(D, H)); }

Single MatrixMeanDepression(Integer D, Integer H) {
  if (!HourExists(D, H)) return 0;
  double sum = 0;
  int count = 0;
  for (Integer L = 1; L <= std::min(gNumLevels(D), kMaxLevels); ++L) {
    if (gPres(D, H, L) < gEqlv(D, H)) break;
    if (gPres(D, H, L) < gLfct(D, H)) {
      sum += static_cast<double>(gTemp(D, H, L)) - gDewpt(D, H, L);
      ++count;
    }
  }
  return count > 0 ? static_cast<Single>(sum / count) : 0.0f;
}

Integer MatrixColumn(Single cape, Single meanDPD) {
  if (cape < kMatrixCapeColumn2) return 1;
  if (cape < kMatrixCapeColumn3) return 2;
  return meanDPD >= kMatrixDryDepression ? 4 : 3;
}

void BuildStormMatrixPage(Integer D, Integer H, const std::string& trainingDrive) {
  if (!HourExists(D, H)) return;
  const std::string row = ClassifyStormMatrix(D, H);
  const Single cape = gCape(D, H);
  MatrixMeanDPD(D, H) = cape >= kMatrixCapeColumn3 ? MatrixMeanDepression(D, H) : 0.0f;
  const Integer column = MatrixColumn(cape, MatrixMeanDPD(D, H));
  MatrixPagePath(D, H) = MatrixPageBase(trainingDrive, row[0], column);
  MatrixCellCode(D, H) = cape >= kMatrixLowCape ? std::string(1, row[0]) + std::to_string(column) : "-";
  MarkDone(MatrixPageDone(D, H));
}

std::string MatrixPageBase(const std::string& trainingDrive, char rowLetter, Integer column) {
  return trainingDrive.substr(0, 1) + kMatrixPageFolder + rowLetter + "_" + std::to_string(column);
}

bool MatrixCellHasPages(const std::string& c) {
  if (c.size() < 2 || c == "-") return false;
  // Rows A to E have no pages in columns 1 and 3.
  return !((c[1] == '1' || c[1] == '3') && c < "F");
}

std::string MatrixPageName(const std::string& base, Integer n) {
  return base + "_" + std::to_string(n) + ".htm";
}

std::string LocalTrainingPath(const std::string& pageName, bool* driveFound) {
#ifdef _WIN32
  if (driveFound != nullptr) *driveFound = true;
  return pageName;
#else
  namespace fs = std::filesystem;
  if (driveFound != nullptr) *driveFound = false;
  if (pageName.size() < 2 || pageName[1] != ':' || !std::isalpha(static_cast<unsigned char>(pageName[0])))
    return pageName;
  fs::path prefix;
  if (const char* wine = std::getenv("WINEPREFIX"); wine != nullptr && *wine != '\0') prefix = wine;
  else if (const char* home = std::getenv("HOME"); home != nullptr && *home != '\0') prefix = fs::path(home) / ".wine";
  else return pageName;
  fs::path path = prefix / "dosdevices" /
                  (std::string(1, static_cast<char>(std::tolower(static_cast<unsigned char>(pageName[0])))) + ":");
  std::error_code ec;
  if (driveFound != nullptr) *driveFound = fs::is_directory(path, ec);
  // Each part of the rest, found whatever its case when it exists.
  std::string rest = pageName.substr(2);
  std::replace(rest.begin(), rest.end(), '\\', '/');
  std::size_t start = 0;
  while (start <= rest.size()) {
    const std::size_t end = std::min(rest.find('/', start), rest.size());
    const std::string part = rest.substr(start, end - start);
    start = end + 1;
    if (part.empty()) continue;
    fs::path next = path / part;
    if (!fs::exists(next, ec) && fs::is_directory(path, ec)) {
      for (const auto& entry : fs::directory_iterator(path, ec)) {
        const std::string name = entry.path().filename().string();
        if (name.size() == part.size() &&
            std::equal(name.begin(), name.end(), part.begin(), [](char a, char b) {
              return std::tolower(static_cast<unsigned char>(a)) == std::tolower(static_cast<unsigned char>(b));
            })) {
          next = entry.path();
          break;
        }
      }
    }
    path = next;
  }
  return path.string();
#endif
}

}  // namespace ondrik
