// The lenient reading of numbers in outside text: the number a text begins with.
#pragma once

#include <string_view>

namespace kesma {

// A value of the setup files: blanks, tabs and line feeds are skipped wherever they are;
// then an optional sign, digits, a decimal point and an exponent (E or D), or "&H" and
// hexadecimal digits, or "&O" and octal digits. Reading stops at the first other
// character; a text that does not start with a number gives 0.
double ReadNumber(std::string_view text);

// The number in a device's name: as ReadNumber, but carriage returns are skipped too and
// the number is decimal only ("&H" is no number).
double ReadDecimalNumber(std::string_view text);

}  // namespace kesma
