// Writing the address list to a text file: every address followed by the delimiter.
#pragma once

#include <optional>
#include <string>

#include "base/email_list.h"

namespace korvex {

struct SaveOutcome {
  std::optional<std::string> message;  // set when nothing was written
  std::string path;                    // the file written
};

// A name without any "." gets ".txt"; an existing file is overwritten. The delimiter is used
// trimmed of spaces. No line end follows the last delimiter.
SaveOutcome saveResults(const std::string& fileName, const EmailList& emails,
                        const std::string& delimiter);

}  // namespace korvex
