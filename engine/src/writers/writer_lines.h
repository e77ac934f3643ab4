// Small pieces shared by the writers of the aerodynamic, drawing and
// source-code formats.
#pragma once

#include <initializer_list>
#include <string_view>

#include "writers/output_writer.h"

namespace tarvex::writers {

// Writes the lines in order; false at the first one that fails, so the
// caller can stop with kWriteFailed.
inline bool writeLines(const WriterContext& ctx, std::initializer_list<std::string_view> lines) {
  for (const auto text : lines) {
    if (!ctx.line(text)) return false;
  }
  return true;
}

}  // namespace tarvex::writers
