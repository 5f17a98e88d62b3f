#include "storage/language.h"

#include <gtest/gtest.h>

#include <tuple>

namespace {

// LANGUAGE, LC_ALL, LC_MESSAGES, LANG: the first locale set decides, LANGUAGE's
// first entry before it unless the locale is C.
TEST(Language, EnglishWhenTheLocaleOrLanguageBeforeItStartsWithEn)
{
    const std::tuple<const char *, const char *, const char *, const char *, bool> cases[] = {
        {"", "", "", "en_US.UTF-8", true},
        {"", "", "en_GB.UTF-8", "de_DE.UTF-8", true},
        {"", "de_DE", "en_GB", "en_US", false},
        {"en_US:de", "", "", "de_DE.UTF-8", true},
        {"de:en", "", "", "en_US.UTF-8", false},
        {"en", "C.UTF-8", "", "en_US.UTF-8", false},
        {"en", "", "", "", false},
    };
    for (const auto &[language, lcAll, lcMessages, lang, english] : cases) {
        EXPECT_EQ(kesto::EnglishWanted(language, lcAll, lcMessages, lang), english)
            << language << '|' << lcAll << '|' << lcMessages << '|' << lang;
    }
}

} // namespace
