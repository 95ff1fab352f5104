#pragma once

#include <string_view>

namespace palitra {

// Reads the target score typed in the options dialog: blanks are ignored
// wherever they stand; an optional sign, digits and one decimal point are
// read up to the first character that cannot continue the number; no number
// reads as 0. The value is rounded half to even (12.5 -> 12, 13.5 -> 14) and
// clamped to -32768..32767, the range of the option.
int readTargetNumber(std::string_view text);

} // namespace palitra
