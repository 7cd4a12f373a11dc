#include "core/store.h"

#include <memory>
#include <new>
#include <string>

namespace ondrik {

namespace {
ProfileStore gStoreA;
ProfileStore gStoreB;
ProfileStore* gCurrent = &gStoreA;
ProfileStore* gScratch = &gStoreB;
}  // namespace

void SubscriptOutOfRange(const char* what) {
  throw std::out_of_range(std::string("subscript out of range: ") + what);
}

ProfileStore& Store() { return *gCurrent; }
ProfileStore& ScratchStore() { return *gScratch; }

void ClearScratchStore() {
  // A new store in the place of the old one: every member starts again from
  // its initialiser. No temporary store is built (it is tens of MB).
  ProfileStore* s = gScratch;
  std::destroy_at(s);
  ::new (static_cast<void*>(s)) ProfileStore;
}

void CommitScratchStore() {
  ProfileStore* old = gCurrent;
  gCurrent = gScratch;
  gScratch = old;
}

StoreOverride::StoreOverride(ProfileStore& s) : previous_(gCurrent) { gCurrent = &s; }
StoreOverride::~StoreOverride() { gCurrent = previous_; }

Integer gDatasetCount = 0;
Integer gCurDataset = 0;
std::string gProfileExt;
Integer gChartTop = 100;
Integer gChartBottom = 1050;
Single gHoursPerStep = 1;
bool gLoadingState = false;
Integer gElevatedLevel = 1;
Integer gTZOffset = 0;
Single MaxSpecHum = 0;
Single MaxSfcPres = 0;

}  // namespace ondrik
