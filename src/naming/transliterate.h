#pragma once

#include <QString>

namespace kesto {

/// \a name in ASCII letters: German umlauts and ß spelt out (ä → ae, Ä → Ae,
/// in a word in capitals AE; ß → ss, after a capital SS), accents dropped
/// (é → e, ø → o, Ł → L), other scripts in Latin letters (Москва → Moskva).
/// A character without an ASCII form a name can hold keeps its own form, and
/// a name with text never loses all of it.
QString TransliterateToAscii(const QString &name);

} // namespace kesto
