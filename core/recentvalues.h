// A small memo of a pure function of a float: remembers f(x) for the values
// met most recently. The profile files' temperatures, dew points, pressures
// and wind directions have a decimal or two, so a few thousand values recur
// over a whole file, and each costs its exponential, power or sine once.
// The result is f(x) itself, bit for bit.
#pragma once

#include <bit>
#include <cstddef>
#include <cstdint>
#include <memory>

namespace ondrik {

// 2^Bits values are kept, each in the slot its key hashes to.
template <typename Value, int Bits = 12>
class RecentValues {
 public:
  explicit RecentValues(Value (*f)(float)) : f_(f), slots_(std::make_unique<Slot[]>(kSlots)) {}
  Value operator()(float x) {
    if (x != x) return f_(x);  // not a number: no key of its own
    const auto bits = std::bit_cast<std::uint32_t>(x);
    Slot& slot = slots_[(bits * 2654435761u) >> (32 - kBits)];
    if (slot.key != bits) {
      slot.key = bits;
      slot.value = f_(x);
    }
    return slot.value;
  }

 private:
  static constexpr int kBits = Bits;
  static constexpr std::size_t kSlots = std::size_t{1} << kBits;
  struct Slot {
    std::uint32_t key = 0xFFFFFFFFu;  // a NaN: never the key of a number
    Value value{};
  };
  Value (*f_)(float);
  std::unique_ptr<Slot[]> slots_;
};

}  // namespace ondrik
