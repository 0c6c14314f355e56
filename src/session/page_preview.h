// One URL processed as a scan processes a start page, with the window's start-up settings, and
// documents read when `documents` is set.
#pragma once

#include <string>

#include "base/page_result.h"

namespace korvex {

PageResult previewPage(const std::string& url, bool documents = false);

}  // namespace korvex
