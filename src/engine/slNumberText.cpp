#include "engine/slNumberText.h"

#include <algorithm>
#include <charconv>
#include <limits>
#include <system_error>

namespace {

// The power of ten of the first non-zero digit of a decimal number: 2 for "123", -3 for
// "0.00123" and "1.23e-3". Out-of-range numbers have a non-zero digit.
long decimalExponent(std::string_view number) {
    long integerDigits = 0, digitIndex = 0, firstNonZero = -1;
    bool seenPoint = false;
    size_t k = 0;
    for (; k < number.size() && number[k] != 'e' && number[k] != 'E'; ++k) {
        const char c = number[k];
        if (c == '.') seenPoint = true;
        if (c < '0' || c > '9') continue;
        if (!seenPoint) ++integerDigits;
        if (firstNonZero < 0 && c != '0') firstNonZero = digitIndex;
        ++digitIndex;
    }
    long exponent = integerDigits - 1 - std::max(firstNonZero, 0L);
    long written = 0;
    bool minus = false;
    for (size_t m = k + 1; m < number.size(); ++m) {
        if (number[m] == '-') minus = true;
        if (number[m] >= '0' && number[m] <= '9' && written < 100000)
            written = written * 10 + (number[m] - '0');
    }
    return exponent + (minus ? -written : written);
}

}  // namespace

double slReadNumber(std::string_view text) {
    size_t i = text.find_first_not_of(" \t\n\v\f\r");
    if (i == std::string_view::npos) return 0.0;
    // from_chars takes a leading "-" but not "+".
    if (text[i] == '+' && i + 1 < text.size() && text[i + 1] != '-') ++i;
    double value = 0.0;
    const auto [end, error] = std::from_chars(text.data() + i, text.data() + text.size(), value);
    if (error == std::errc::result_out_of_range) {
        // strtod answers an infinity for an overflow and 0 for an underflow; from_chars leaves
        // the value alone. Which one it is follows from the decimal exponent of the first
        // significant digit, whether the exponent is written ("1e-400") or not ("0.000...1").
        const bool negative = text[i] == '-';
        const std::string_view digits = text.substr(i, size_t(end - (text.data() + i)));
        const bool tiny = decimalExponent(digits) < 0;
        if (tiny) return negative ? -0.0 : 0.0;
        const double inf = std::numeric_limits<double>::infinity();
        return negative ? -inf : inf;
    }
    return error == std::errc() ? value : 0.0;
}

std::string slFormatNumber(double value, char style, int precision) {
    const std::chars_format format = style == 'e'   ? std::chars_format::scientific
                                     : style == 'f' ? std::chars_format::fixed
                                                    : std::chars_format::general;
    // %f of 1e308 has 309 digits before the point.
    char buffer[400];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value, format, precision);
    if (result.ec != std::errc()) return std::string();
    return std::string(buffer, result.ptr);
}
