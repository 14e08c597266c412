// The lenient number reading of the setup files' values.
#pragma once

#include <string_view>

namespace kesma::setup {

// The number a text begins with: blanks, tabs and line feeds are skipped wherever they
// are; then an optional sign, digits, a decimal point and an exponent (E or D), or "&H"
// and hexadecimal digits, or "&O" and octal digits. Reading stops at the first other
// character; a text that does not start with a number gives 0.
double ReadNumber(std::string_view text);

}  // namespace kesma::setup
