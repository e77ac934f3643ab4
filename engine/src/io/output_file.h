// The output file of a conversion, changed as a whole or not at all.
//
// The target is examined, and a temporary file made in its folder, before
// anything is read, so that an output that cannot be written is known at
// once and nothing is touched. The text goes into the temporary file, and
// commit() puts it in place: a new file is linked into place (it appears
// only then), an existing regular file is replaced by renaming (its
// permissions, and where allowed its owner, are kept), and an appended file
// is rebuilt beside the old one from the old content and the new text, then
// renamed over it. Replacing and appending take an advisory lock on the
// target, so runs into the same file follow one another. The target's folder
// is opened once, and every later step works in that open folder, so a link
// on the way turned elsewhere during the run cannot split it between two
// folders. Devices, pipes and the standard streams are written straight
// through. A transaction that is not committed leaves nothing behind.
#pragma once

#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "io/input_file.h"
#include "tarvex.hpp"

namespace tarvex {

class OutputTransaction {
 public:
  // Nothing, with error set (outputNotWritable), when the output cannot be
  // written: a missing folder, a folder in its place, a file or folder the
  // user may not write, or the input file itself.
  static std::unique_ptr<OutputTransaction> open(const std::string& path, bool append,
                                                 std::span<const FileKey> inputs, Error& error);
  ~OutputTransaction();
  OutputTransaction(const OutputTransaction&) = delete;
  OutputTransaction& operator=(const OutputTransaction&) = delete;

  // Adds text after what was added before (writeFailed on failure, after
  // which the transaction can only be abandoned).
  Error write(std::string_view text);
  // Puts the text in place; the old file stays as it was on failure.
  Error commit();

  class State;
  explicit OutputTransaction(std::unique_ptr<State> state);

 private:
  std::unique_ptr<State> state_;
};

}  // namespace tarvex
