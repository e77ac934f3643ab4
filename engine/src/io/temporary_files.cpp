#include "io/temporary_files.h"

#include <array>
#include <atomic>
#include <cstring>

#if defined(_WIN32)
#include <cstdio>
#else
#include <unistd.h>
#endif

namespace tarvex::temporaries {
namespace {

constexpr std::size_t kSlots = 64;
constexpr std::size_t kPathRoom = 4096;

enum SlotState : int { kFree = 0, kFilling = 1, kLive = 2 };

struct Slot {
  std::atomic<int> state{kFree};
  char path[kPathRoom];
};

std::array<Slot, kSlots> slots;
static_assert(std::atomic<int>::is_always_lock_free, "the signal handler needs lock-free slots");

}  // namespace

int add(const std::string& path) noexcept {
  if (path.size() >= kPathRoom) return -1;
  for (std::size_t i = 0; i < kSlots; ++i) {
    int expected = kFree;
    if (slots[i].state.compare_exchange_strong(expected, kFilling)) {
      std::memcpy(slots[i].path, path.c_str(), path.size() + 1);
      slots[i].state.store(kLive);
      return static_cast<int>(i);
    }
  }
  return -1;
}

void forget(int slot) noexcept {
  if (slot >= 0 && static_cast<std::size_t>(slot) < kSlots) {
    slots[static_cast<std::size_t>(slot)].state.store(kFree);
  }
}

void removeAll() noexcept {
  for (Slot& slot : slots) {
    if (slot.state.load() != kLive) continue;
#if defined(_WIN32)
    std::remove(slot.path);
#else
    ::unlink(slot.path);
#endif
  }
}

}  // namespace tarvex::temporaries
