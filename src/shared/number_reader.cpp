#include "shared/number_reader.h"

#include <cctype>
#include <cstdlib>
#include <cstring>
#include <string>

namespace kesma {

namespace {

// What a reading takes beside decimal numbers.
struct Syntax {
    const char* skipped;  // characters skipped wherever they are
    bool radixPrefixes;   // "&H" hexadecimal, "&O" octal
};

// The text without the characters the reading skips.
std::string Compact(std::string_view text, const char* skipped) {
    std::string out;
    out.reserve(text.size());
    for (char c : text) {
        if (c == 0 || std::strchr(skipped, c) == nullptr) out.push_back(c);
    }
    return out;
}

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

double ReadRadix(const std::string& text, std::size_t at, int radix) {
    double value = 0;
    for (; at < text.size(); ++at) {
        const char c = static_cast<char>(std::tolower(static_cast<unsigned char>(text[at])));
        int digit = -1;
        if (IsDigit(c)) digit = c - '0';
        if (c >= 'a' && c <= 'f') digit = c - 'a' + 10;
        if (digit < 0 || digit >= radix) break;
        value = value * radix + digit;
    }
    return value;
}

double Read(std::string_view raw, Syntax syntax) {
    const std::string text = Compact(raw, syntax.skipped);
    if (syntax.radixPrefixes && !text.empty() && text[0] == '&') {
        const char kind = text.size() > 1 ? static_cast<char>(std::toupper(static_cast<unsigned char>(text[1]))) : 0;
        if (kind == 'H') return ReadRadix(text, 2, 16);
        if (kind == 'O') return ReadRadix(text, 2, 8);
        return 0;
    }
    // Only what a decimal number may hold goes to strtod, so that it reads nothing else
    // ("0x", "inf", a locale's separators).
    std::string number;
    std::size_t i = 0;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) number.push_back(text[i++]);
    bool digits = false;
    for (; i < text.size() && IsDigit(text[i]); ++i, digits = true) number.push_back(text[i]);
    if (i < text.size() && text[i] == '.') {
        number.push_back(text[i++]);
        for (; i < text.size() && IsDigit(text[i]); ++i, digits = true) number.push_back(text[i]);
    }
    if (!digits) return 0;
    if (i < text.size() && text[i] != 0 && std::strchr("EeDd", text[i]) != nullptr) {
        std::size_t j = i + 1;
        std::string exponent = "e";
        if (j < text.size() && (text[j] == '+' || text[j] == '-')) exponent.push_back(text[j++]);
        const std::size_t first = j;
        for (; j < text.size() && IsDigit(text[j]); ++j) exponent.push_back(text[j]);
        if (j > first) number += exponent;
    }
    return std::strtod(number.c_str(), nullptr);
}

}  // namespace

double ReadNumber(std::string_view text) { return Read(text, {" \t\n", true}); }

double ReadDecimalNumber(std::string_view text) { return Read(text, {" \t\r\n", false}); }

}  // namespace kesma
