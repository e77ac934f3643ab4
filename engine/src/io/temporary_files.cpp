#include "io/temporary_files.h"

#include <array>
#include <atomic>
#include <cstring>

#if defined(_WIN32)
#include <cstdio>
#else
#include <fcntl.h>
#include <unistd.h>
#endif

namespace tarvex::temporaries {
namespace {

constexpr std::size_t kSlots = 64;
#if defined(_WIN32)
constexpr std::size_t kNameRoom = 4096;
#else
constexpr std::size_t kNameRoom = 256;  // one name within its folder
#endif

enum SlotState : int { kFree = 0, kFilling = 1, kLive = 2 };

struct Slot {
  std::atomic<int> state{kFree};
  int folder = -1;
  char name[kNameRoom];
};

std::array<Slot, kSlots> slots;
static_assert(std::atomic<int>::is_always_lock_free, "the signal handler needs lock-free slots");

}  // namespace

int add(int folder, std::string_view name) noexcept {
  if (name.size() >= kNameRoom) return -1;
  for (std::size_t i = 0; i < kSlots; ++i) {
    int expected = kFree;
    if (slots[i].state.compare_exchange_strong(expected, kFilling)) {
      slots[i].folder = folder;
      std::memcpy(slots[i].name, name.data(), name.size());
      slots[i].name[name.size()] = '\0';
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
    std::remove(slot.name);
#else
    ::unlinkat(slot.folder, slot.name, 0);
#endif
  }
}

}  // namespace tarvex::temporaries
