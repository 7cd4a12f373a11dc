// The hourglass over the whole program while a window is busy. Calls nest:
// each Set(true) is undone by one Set(false); an unmatched Set(false) does
// nothing, and what is still set is undone when the owner goes.
#pragma once

namespace ondrik {

class BusyCursor {
 public:
  BusyCursor() = default;
  BusyCursor(const BusyCursor&) = delete;
  BusyCursor& operator=(const BusyCursor&) = delete;
  ~BusyCursor();

  void Set(bool busy);
  int Depth() const { return depth_; }

 private:
  int depth_ = 0;
};

}  // namespace ondrik
