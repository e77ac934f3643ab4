#include "engine_state.h"

namespace tarvex {

EngineState& engineState() {
  static EngineState state = [] {
    EngineState s;
    setLine(s.sectionName, kDefaultSectionName);
    return s;
  }();
  return state;
}

std::string_view wholeName() { return lineView(engineState().sectionName); }

std::string_view trimmedName() { return trimRight(wholeName()); }

void setSectionName(std::string_view text) { setLine(engineState().sectionName, text); }

}  // namespace tarvex
