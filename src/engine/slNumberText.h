// Numbers read from and written as text in the C notation ("2.5", "1e+20"), whatever the
// process locale: Qt sets the user's locale at start-up, after which strtod and printf read
// and write "2,5" under a German locale.
#pragma once

#include <string>
#include <string_view>

// The value of the leading decimal number of text, as strtod reads it in the C locale
// (leading blanks and a sign allowed, "0." is 0, "1e3" is 1000, an overflow is infinite and
// an underflow, "1e-400" or "0.000...1", is 0);
// 0 when text starts with no number.
double slReadNumber(std::string_view text);

// printf's "%.<precision>e", "%.<precision>f" or "%.<precision>g" (style 'e', 'f' or 'g')
// in the C locale.
std::string slFormatNumber(double value, char style, int precision);
