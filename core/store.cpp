#include "core/store.h"

#include <algorithm>
#include <cstddef>
#include <string>

namespace ondrik {

namespace {
ProfileStore gStoreA;
ProfileStore gStoreB;
ProfileStore* gScratch = &gStoreB;
}  // namespace

ProfileStore* detail::gCurrentStore = &gStoreA;
namespace {
ProfileStore*& gCurrent = detail::gCurrentStore;
}  // namespace

void SubscriptOutOfRange(const char* what) {
  throw std::out_of_range(std::string("subscript out of range: ") + what);
}

ProfileStore& ScratchStore() { return *gScratch; }

void ProfileStore::Clear() {
#define ONDRIK_CLEAR(name) name.Clear();
  ONDRIK_STORE_ARRAYS(ONDRIK_CLEAR)
#undef ONDRIK_CLEAR
  for (auto& column : gTitleWords) {
    for (std::string& word : column) word.clear();
  }
  gTitleColumnCount = 0;
}

// Clear() reaches every member: laid out in the order of the list, followed
// by the two title members, the members make up exactly a ProfileStore. A
// member left out of the list would make the sum smaller.
namespace {
struct Layout {
  std::size_t end = 0;
  std::size_t align = 1;
};
template <typename T>
constexpr Layout Append(Layout l) {
  l.end = (l.end + alignof(T) - 1) / alignof(T) * alignof(T) + sizeof(T);
  l.align = std::max(l.align, alignof(T));
  return l;
}
constexpr Layout kListedLayout = [] {
  Layout l;
#define ONDRIK_APPEND(name) l = Append<decltype(ProfileStore::name)>(l);
  ONDRIK_STORE_ARRAYS(ONDRIK_APPEND)
#undef ONDRIK_APPEND
  l = Append<decltype(ProfileStore::gTitleWords)>(l);
  l = Append<decltype(ProfileStore::gTitleColumnCount)>(l);
  return l;
}();
}  // namespace
static_assert((kListedLayout.end + kListedLayout.align - 1) / kListedLayout.align *
                      kListedLayout.align ==
                  sizeof(ProfileStore),
              "ONDRIK_STORE_ARRAYS must list every array of ProfileStore in declaration order");

void ClearScratchStore() { gScratch->Clear(); }

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
