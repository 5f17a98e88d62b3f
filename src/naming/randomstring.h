#pragma once

#include <QString>

namespace kesto {

/// The characters a random string is drawn from.
struct RandomAlphabet
{
    bool Upper = false;  ///< "A" to "Z"
    bool Lower = false;  ///< "a" to "z"
    bool Digits = false; ///< "0" to "9"
    bool Extra = false;  ///< the extra characters, exactly as typed
    QString ExtraChars;
};

/// Capitals, small letters, digits, extra characters, in that order.
QString BuildAlphabet(const RandomAlphabet &alphabet);

/// \a n characters drawn from the alphabet, or the empty text when it is empty.
/// Every character consumes one value of the program's generator.
QString RandomString(int n, const RandomAlphabet &alphabet);

/// Restarts the program's generator at a fixed state (for tests). Without it
/// the generator is seeded once from a random device.
void SeedRandom(quint32 seed);

/// The next value r of the program's generator, 0 <= r < 1.
float NextRandom();

} // namespace kesto
