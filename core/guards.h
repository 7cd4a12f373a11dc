// Scope guards for the two module values that code changes for a while and
// must give back: the current dataset and the loading state. Every early
// return and every exception restores them.
#pragma once

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

}  // namespace ondrik
