// One URL processed as a scan processes a start page, with the window's start-up settings.
#pragma once

#include <string>

#include "base/page_result.h"

namespace korvex {

PageResult previewPage(const std::string& url);

}  // namespace korvex
