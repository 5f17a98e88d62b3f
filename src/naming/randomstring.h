#pragma once

#include <QString>

namespace kesto {

/// The characters a random string is drawn from.
struct RandomAlphabet
{
    bool upper = false;  ///< "A" to "Z"
    bool lower = false;  ///< "a" to "z"
    bool digits = false; ///< "0" to "9"
    bool extra = false;  ///< the extra characters, exactly as typed
    QString extraChars;
};

/// Capitals, small letters, digits, extra characters, in that order.
QString BuildAlphabet(const RandomAlphabet &alphabet);

/// \a n characters drawn from the alphabet (a surrogate pair is one character),
/// or the empty text when it is empty; each draw consumes one generator value.
QString RandomString(int n, const RandomAlphabet &alphabet);

/// The position (from 1) in an alphabet of \a length characters that the value
/// \a r picks: r * (length - 1) + 1 rounded, halves to the even neighbour.
int DrawPosition(float r, int length);

/// Restarts the program's generator at a fixed state (for tests). Without it
/// the generator is seeded once from a random device.
void SeedRandom(quint32 seed);

/// The next value r of the program's generator, 0 <= r < 1.
float NextRandom();

} // namespace kesto
