#pragma once

#include <array>
#include <string_view>

namespace palitra {

// The 95 letters the board is dealt from, with Spanish frequencies.
// Positions are 1-based (1..95) as the deal draws them; position 0 is empty.
// Letters are Windows-1252 bytes ('\xD1' is Ñ).
class LetterBag {
public:
    static constexpr int Size = 95;
    // Each entry: a letter followed by its count as two decimal digits.
    static constexpr std::string_view LetterTable = "A12B02C04D05E12F01G02H02I06J01L04M02N05\xD1"
                                                    "01O09P02Q01R05S06T04U05V01X01Y01Z01";

    // The bag filled from LetterTable, in the table's order.
    LetterBag();

    // Letter at position 1..95; 0 for position 0 or out of range.
    char at(int position) const;

private:
    std::array<char, Size + 1> letters_{};
};

} // namespace palitra
