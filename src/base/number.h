// "The number in a text": how every numeric field of the window is read.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace korvex {

// Blanks, tabs and line feeds are skipped anywhere; the rest is read from its start for as long
// as it forms a number (sign, digits, one decimal point, E or D exponent, or &H / &O with their
// digits). A text that does not begin with a number gives 0. Too large a number gives infinity.
double val(std::string_view text);

// True when the whole text, apart from surrounding blanks, is one number.
bool isNumeric(std::string_view text);

// Plain decimal text without a leading blank: "12", "-3", "2.5".
std::string formatNumber(double value);

}  // namespace korvex
