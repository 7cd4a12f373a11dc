// Scope guards for the two module values that code changes for a while and
// must give back: the current dataset and the loading state. Every early
// return and every exception restores them. And the one way of using the
// done flags of the results computed on demand.
#pragma once

#include <utility>

#include "core/store.h"

namespace ondrik {

// Makes dataset d current for the scope (or only remembers the current one
// when constructed without an argument) and restores it at the end.
class CurrentDatasetGuard {
 public:
  CurrentDatasetGuard() : saved_(gCurDataset) {}
  explicit CurrentDatasetGuard(Integer d) : saved_(gCurDataset) { gCurDataset = d; }
  ~CurrentDatasetGuard() { gCurDataset = saved_; }
  CurrentDatasetGuard(const CurrentDatasetGuard&) = delete;
  CurrentDatasetGuard& operator=(const CurrentDatasetGuard&) = delete;
  Integer Saved() const { return saved_; }

 private:
  Integer saved_;
};

// Raises the loading state (or sets it to `on`) for the scope and puts back
// what it was before.
class LoadingStateGuard {
 public:
  explicit LoadingStateGuard(bool on = true) : saved_(gLoadingState) { gLoadingState = on; }
  ~LoadingStateGuard() { gLoadingState = saved_; }
  LoadingStateGuard(const LoadingStateGuard&) = delete;
  LoadingStateGuard& operator=(const LoadingStateGuard&) = delete;

 private:
  bool saved_;
};

// Done flags of the results computed on demand (per dataset, hour or level;
// Integer or Boolean): 0 / false while the result is still to be computed,
// -1 / true once its computation has filled it. A user runs the computation
// when the flag is not done (ComputeOnce); the computation marks it done
// (MarkDone) when it has filled its results. A new file starts with every
// flag not done: the reader clears the store.
inline bool IsDone(Integer flag) { return flag == -1; }
inline bool IsDone(Boolean flag) { return flag; }
inline void MarkDone(Integer& flag) { flag = -1; }
inline void MarkDone(Boolean& flag) { flag = true; }

// Runs compute() unless `done` says its result is there already.
template <typename Flag, typename Compute>
void ComputeOnce(const Flag& done, Compute&& compute) {
  if (!IsDone(done)) std::forward<Compute>(compute)();
}

}  // namespace ondrik
