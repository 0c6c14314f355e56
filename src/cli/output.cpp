#include "cli/output.h"

#include "base/text.h"

namespace korvex::cli {

std::string csvField(const std::string& text) {
  return "\"" + replaceAll(text, "\"", "\"\"") + "\"";
}

}  // namespace korvex::cli
