// The texts each view of the side panels prints for the current dataset and
// hour, as the panels' descriptions give them: what a picture must show,
// each whole ("*" stands for a number or a run of blanks the row may
// narrow). The printed-text tests of the panels and of the window ask
// every picture for them.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "core/datetime.h"
#include "core/shared.h"
#include "core/store.h"
#include "panels/fogrules.h"
#include "panels/mapdata.h"
#include "tests/common/text_check.h"

namespace ondrik::testing {

// The views of the panels that print texts of their own.
enum class PanelView { Hodograph, Indices, HeavyPrecip, MapSigma, MapMean, MapBrightBand, Energy, Thickness, Lapse, Fog };

inline std::vector<Expected> PartTexts(PanelView view, Integer D, Integer H) {
  switch (view) {
    case PanelView::Hodograph:
      return {{"Layer CAPEs"}, {"*km *", 4},       {"*Hail *"}, {"*CAPE = *"}, {"Helicity = *"},
              {"*Shear = *m/s /km"}, {"*10 "}, {"*20 "}};
    case PanelView::Indices: {
      std::vector<Expected> t;
      for (const char* name : {"   CAPE ", "   CINS ", " HELCTY ", "    EHI ", "    BRN ", "  NCAPE ", "     LI ",
                               "     TT ", "     TQ ", " K Indx ", " Shwltr ", "  SWEAT ", "   EqLv ", "    WBZ ",
                               "    LFC ", "    LCL ", "     PW ", " Precip "})
        t.push_back({name});
      return t;
    }
    case PanelView::HeavyPrecip:
      return {{"V cloud layer   = *kts"}, {"V low-level jet = *kts at *mb*"}, {"MBE Velocity  = *kts"},
              {"Pcp Water"},            {"Mean RH"},
              {"PW*RH"},                {"Warm Cloud"},
              {"Low Lvl Jet*"},         {"* in"},
              {"* %"},                  {"* ft"},
              {"* kts"}};
    case PanelView::MapSigma:
      return {{"*mb Wind "}, {"= *kts"}, {"* nm*@ * hours", 2}};
    case PanelView::MapMean:
      return {{"*->*mb "}, {"Wind= * at*Kts"}, {" RMS = *kts"}, {"* nm*@ * hours", 2}};
    case PanelView::MapBrightBand:
      if (!FreezingLevelKm(D, H)) return {};
      return {{"    Freezing Level: * Ft MSL"}};
    case PanelView::Energy: {
      const std::string& p = gEnergyPattern(D, H);
      std::vector<Expected> t = {{"SNRA=*"}, {"Cloud Top: * ft"}, {"Cloud Top Temp: *"}};
      if (p == "AB" || p == "BB") {
        t.insert(t.end(), {{"Freezing Level (ft)"}, {"Positive Energy J/kg"}, {"Snow"}, {"Rain"}});
        t.push_back({p == "BB" ? "Entire Sounding Below Freezing" : "Sounding Starts Out Above Freezing"});
        for (int y = 500; y <= 3000; y += 500) t.push_back({"*" + std::to_string(y) + "*"});
      } else if (p == "BA" || p == "ABAB") {
        const bool two = p == "ABAB";
        t.insert(t.end(), {{"Negative Energy J/kg"},
                           {two ? "Elevated Positive Energy J/kg" : "Positive Energy J/kg"},
                           {two ? "Rain" : "Freezing Rain"},
                           {two ? "Sleet or Rain" : "Sleet"},
                           {two ? "Elevated Layer Above Freezing*" : "Sounding Starts Out Below Freezing*"},
                           {"Positive Energy = * J/kg"},
                           {"Negative Energy = * J/kg"}});
        for (int y = 50; y <= 400; y += 50) t.push_back({"*" + std::to_string(y) + "*"});
      }
      return t;
    }
    case PanelView::Thickness: {
      std::vector<Expected> t = {{"H1000:*"}, {"H 850:*"}, {"H 700:*"}, {"1000-850: *"}, {"850-700: *"}, {"1: *"}};
      for (int x = 1500; x <= 1580; x += 10) t.push_back({"*" + std::to_string(x) + "*"});
      for (int y = 1260; y <= 1330; y += 10) t.push_back({"*" + std::to_string(y) + "*"});
      for (const char* label : {"S", "S/R", "R", "ZR/IP", "IP/ZR", "S,S/IP", "Wintry", "Mix", "ZR/R", "Indeterminate"})
        t.push_back({label});
      return t;
    }
    case PanelView::Lapse:
      return {{"Lapse Rate °C/km"}};
    case PanelView::Fog: {
      std::vector<Expected> t = {{"Hght(ft)"},
                                 {"Hydrolapse"},
                                 {"Specific Humidity (g/kg)"},
                                 {"Specific Humidity Change (g/kg)"},
                                 {"Vertical Change of Humidity"},
                                 {"Less"},
                                 {"More"},
                                 {"Likely", 2},
                                 {"Air "},
                                 {"Ground "},
                                 {"XOver "},
                                 {"T*= *", 2},
                                 {"MRi (Lowest 100mb)"},
                                 {"Development"},
                                 {"Dispersal"},
                                 {"Sfc"},
                                 {"Boundary Layer"},
                                 {"max Wind"},
                                 {"*°C"}};
      for (int h = 0; h <= 500; h += 100) t.push_back({std::to_string(h)});
      for (int v = -5; v <= 5; ++v) t.push_back({std::to_string(v)});
      for (const char* v : {"-.01", ".00", ".01", ".02", ".03", ".04", ".05", ".06", ".07"}) t.push_back({v});
      // Where the crossover comes from: the hours back, the hour and the day.
      const Crossover x = FindCrossover(D, H, gHoursPerStep);
      if (x.manual) {
        t.push_back({"XOver manually entered"});
      } else if (gValidTime(D, x.sourceHour).IsSet()) {
        const DateTime local = gValidTime(D, x.sourceHour).AddMinutes(-static_cast<std::int64_t>(gTZOffset) * 60);
        const std::string day = FormatMonthDay(local);
        t.insert(t.end(), {{"XOver from *hours ago"},
                           {"*" + FormatHourAmPm(local) + "*"},
                           {"*" + day.substr(day.find_first_not_of(' ')) + "*"}});
      }
      return t;
    }
  }
  return {};
}

}  // namespace ondrik::testing
