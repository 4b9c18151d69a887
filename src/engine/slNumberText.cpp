#include "engine/slNumberText.h"

#include <charconv>
#include <limits>
#include <system_error>

double slReadNumber(std::string_view text) {
    size_t i = text.find_first_not_of(" \t\n\v\f\r");
    if (i == std::string_view::npos) return 0.0;
    // from_chars takes a leading "-" but not "+".
    if (text[i] == '+' && i + 1 < text.size() && text[i + 1] != '-') ++i;
    double value = 0.0;
    const auto [end, error] = std::from_chars(text.data() + i, text.data() + text.size(), value);
    if (error == std::errc::result_out_of_range) {
        // strtod answers an infinity for an overflow and 0 for an underflow; from_chars leaves
        // the value alone, so read the digits again with the exponent clamped.
        const bool negative = text[i] == '-';
        const std::string_view digits = text.substr(i, size_t(end - (text.data() + i)));
        const size_t e = digits.find_first_of("eE");
        const bool tiny =
            e != std::string_view::npos && digits.find('-', e) != std::string_view::npos;
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
