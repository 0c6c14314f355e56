// Messages and Yes/No questions to the user: message boxes in the window, stderr and the
// command line's own arguments in korvex-cli.
#pragma once

#include <string_view>

namespace korvex {

class Dialogs {
 public:
  virtual ~Dialogs() = default;
  virtual void message(std::string_view text) = 0;
  // True only for Yes; No is the default answer.
  virtual bool ask(std::string_view question) = 0;
};

}  // namespace korvex
