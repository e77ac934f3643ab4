#include "io/temporary_files.h"

#include <array>
#include <atomic>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <random>

#if defined(_WIN32)
#include <windows.h>
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

#if defined(_WIN32)
using NameChar = wchar_t;  // what DeleteFileW takes, converted beforehand
#else
using NameChar = char;
#endif

struct Slot {
  std::atomic<int> state{kFree};
  int folder = -1;
  NameChar name[kNameRoom];
};

std::array<Slot, kSlots> slots;
static_assert(std::atomic<int>::is_always_lock_free, "the signal handler needs lock-free slots");

}  // namespace

// A per-process seed from the system's random source, spread by a counter,
// so that each name costs no system call.
std::string newName() {
  static const std::uint64_t seed = [] {
    std::random_device device;
    return (static_cast<std::uint64_t>(device()) << 32) ^ device();
  }();
  static std::atomic<std::uint64_t> counter{0};
  std::uint64_t z = seed + 0x9E3779B97F4A7C15ULL * (counter.fetch_add(1) + 1);
  z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
  z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
  z ^= z >> 31;
  char text[17];
  std::snprintf(text, sizeof text, "%016llx", static_cast<unsigned long long>(z));
  // The short name fits beside any output name.
  return ".tarvex-" + std::string(text) + ".tmp";
}

int add(int folder, std::string_view name) noexcept {
  if (name.size() >= kNameRoom) return -1;
  for (std::size_t i = 0; i < kSlots; ++i) {
    int expected = kFree;
    if (slots[i].state.compare_exchange_strong(expected, kFilling)) {
      slots[i].folder = folder;
#if defined(_WIN32)
      // The UTF-8 name in UTF-16, written straight into the slot.
      const int length =
          name.empty() ? 0
                       : MultiByteToWideChar(CP_UTF8, 0, name.data(), static_cast<int>(name.size()),
                                             slots[i].name, static_cast<int>(kNameRoom) - 1);
      if (length <= 0) {
        slots[i].state.store(kFree);
        return -1;
      }
      slots[i].name[length] = L'\0';
#else
      std::memcpy(slots[i].name, name.data(), name.size());
      slots[i].name[name.size()] = '\0';
#endif
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
    DeleteFileW(slot.name);
#else
    ::unlinkat(slot.folder, slot.name, 0);
#endif
  }
}

}  // namespace tarvex::temporaries
