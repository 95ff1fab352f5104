#include "core/game/NumberReader.h"

#include <string>

namespace palitra {

namespace {

constexpr int Smallest = -32768;
constexpr int Largest = 32767;
// Magnitudes are not tracked beyond this: anything larger clamps anyway.
constexpr long long Saturated = 1'000'000;

bool isBlank(char c)
{
    return c == ' ' || c == '\t';
}

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

std::string withoutBlanks(std::string_view text)
{
    std::string kept;
    kept.reserve(text.size());
    for (char c : text) {
        if (!isBlank(c))
            kept.push_back(c);
    }
    return kept;
}

// The digits after the decimal point decide the rounding: above a half rounds
// up, below rounds down, exactly a half goes to the even neighbour.
bool roundsUp(std::string_view fraction, long long whole)
{
    if (fraction.empty() || fraction[0] < '5')
        return false;
    if (fraction[0] > '5')
        return true;
    for (char c : fraction.substr(1)) {
        if (c != '0')
            return true;
    }
    return whole % 2 != 0;
}

} // namespace

int readTargetNumber(std::string_view text)
{
    const std::string number = withoutBlanks(text);
    std::size_t at = 0;

    bool negative = false;
    if (at < number.size() && (number[at] == '-' || number[at] == '+')) {
        negative = number[at] == '-';
        ++at;
    }

    long long magnitude = 0;
    for (; at < number.size() && isDigit(number[at]); ++at) {
        magnitude = magnitude * 10 + (number[at] - '0');
        if (magnitude > Saturated)
            magnitude = Saturated;
    }

    if (at < number.size() && number[at] == '.') {
        const std::size_t fractionStart = ++at;
        while (at < number.size() && isDigit(number[at]))
            ++at;
        if (roundsUp(std::string_view(number).substr(fractionStart, at - fractionStart), magnitude))
            ++magnitude;
    }

    const long long value = negative ? -magnitude : magnitude;
    if (value < Smallest)
        return Smallest;
    if (value > Largest)
        return Largest;
    return static_cast<int>(value);
}

} // namespace palitra
