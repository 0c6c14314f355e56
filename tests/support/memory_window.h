// The window held in memory, for the tests.
#pragma once

#include <array>
#include <string>

#include "window/window.h"

namespace korvex {

class MemoryWindow final : public Window {
 public:
  std::string text(Field field) const override { return texts_[index(field)]; }
  void setText(Field field, std::string text) override { texts_[index(field)] = std::move(text); }
  void appendText(Field field, std::string_view text) override {
    texts_[index(field)].append(text);
  }
  bool hasSelection(Field combo) const override;
  void focus(Field field) override { focused_ = field; }
  Field focused() const { return focused_; }

  bool option(Option option) const override { return options_[index(option)]; }
  void setOption(Option option, bool selected) override;

  bool enabled(Button button) const override { return enabled_[index(button)]; }
  void setEnabled(Button button, bool enabled) override { enabled_[index(button)] = enabled; }
  std::string caption(Button button) const override { return captions_[index(button)]; }
  void setCaption(Button button, std::string caption) override {
    captions_[index(button)] = std::move(caption);
  }

  std::string gridFormat() const override { return gridFormat_; }
  void setGridFormat(std::string format) override { gridFormat_ = std::move(format); }
  void showResults(const ScanResults& results) override { results_ = &results; }
  // Reads the newest rows as a view would, on this thread while the scan's adds more.
  void resultsAdded() override;
  int resultsTold() const { return resultsTold_; }
  void setDomainAnswer(const std::string&, const std::string&) override {}

 private:
  template <typename E>
  static size_t index(E e) {
    return static_cast<size_t>(e);
  }

  std::array<std::string, kFieldCount> texts_{};
  std::array<bool, kOptionCount> options_{};
  std::array<bool, kButtonCount> enabled_{};
  std::array<std::string, kButtonCount> captions_{};
  Field focused_ = Field::txtBaseURL;
  std::string gridFormat_;
  const ScanResults* results_ = nullptr;
  std::string newestRows_;
  int resultsTold_ = 0;
};

}  // namespace korvex
