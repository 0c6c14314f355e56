// Standard output for results, written so that a failure is never reported as success.
#pragma once

#include <optional>
#include <ostream>
#include <string>
#include <string_view>

#include "output/result_formats.h"

namespace korvex::cli {

// Called first thing: a standard descriptor that is closed gets /dev/null, so that no file or
// socket opened later takes its number and receives what was meant for it; a closed standard
// output is still reported as not writable.
void guardStandardDescriptors();

// Standard output for results: written straight to file descriptor 1 through a buffer of its
// own, so the reason of the first failed write is kept.
std::ostream& standardOutput();
// Whoever read standard output has gone (a closed pipe): nothing written now reaches anyone.
bool standardOutputReaderGone();
// Flushes and closes standard output: why it could not be written, or nothing.
std::optional<std::string> closeStandardOutput();

}  // namespace korvex::cli
