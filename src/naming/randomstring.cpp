#include "naming/randomstring.h"

#include <QList>

#include <cmath>
#include <optional>
#include <random>

namespace kesto {

namespace {

// The one sequence of the whole program; it lives as long as the program and
// is seeded from the random device the first time it is used.
std::optional<std::mt19937> &generator()
{
    static std::optional<std::mt19937> engine;
    return engine;
}

std::mt19937 &seededGenerator()
{
    std::optional<std::mt19937> &engine = generator();
    if (!engine) {
        std::random_device device;
        engine.emplace(device());
    }
    return *engine;
}

// A surrogate pair typed among the extra characters is one character, so a
// draw never puts half of it into a name.
QList<QStringView> characters(const QString &text)
{
    QList<QStringView> result;
    const QStringView view(text);
    for (qsizetype i = 0; i < view.size(); ++i) {
        const bool pair =
            view.at(i).isHighSurrogate() && i + 1 < view.size() && view.at(i + 1).isLowSurrogate();
        result.append(view.sliced(i, pair ? 2 : 1));
        if (pair)
            ++i;
    }
    return result;
}

} // namespace

QString BuildAlphabet(const RandomAlphabet &alphabet)
{
    QString result;
    if (alphabet.upper) {
        for (char16_t c = u'A'; c <= u'Z'; ++c)
            result.append(QChar(c));
    }
    if (alphabet.lower) {
        for (char16_t c = u'a'; c <= u'z'; ++c)
            result.append(QChar(c));
    }
    if (alphabet.digits) {
        for (char16_t c = u'0'; c <= u'9'; ++c)
            result.append(QChar(c));
    }
    if (alphabet.extra)
        result.append(alphabet.extraChars);
    return result;
}

int DrawPosition(float r, int length)
{
    if (length <= 1)
        return 1;
    // Halves go to the even neighbour; this is what gives the first and the
    // last character half the chance of the others.
    const double x = double(r) * (length - 1) + 1;
    double whole = std::floor(x);
    const double fraction = x - whole;
    if (fraction > 0.5 || (fraction == 0.5 && std::fmod(whole, 2.0) != 0.0))
        whole += 1;
    return static_cast<int>(qBound(1.0, whole, double(length)));
}

QString RandomString(int n, const RandomAlphabet &alphabet)
{
    const QString letters = BuildAlphabet(alphabet);
    const QList<QStringView> chars = characters(letters);
    QString result;
    if (chars.isEmpty() || n <= 0)
        return result;
    const int length = static_cast<int>(chars.size());
    for (int i = 0; i < n; ++i)
        result.append(chars.at(DrawPosition(NextRandom(), length) - 1));
    return result;
}

void SeedRandom(quint32 seed)
{
    generator().emplace(seed);
}

float NextRandom()
{
    // 24 random bits fill the float's mantissa exactly, so r never rounds up
    // to 1.
    return float(seededGenerator()() >> 8) / float(1u << 24);
}

} // namespace kesto
