#include "storage/savedmasks.h"

#include "storage/ini.h"
#include "storage/messages.h"

#include <cmath>

namespace kesto {

namespace {

// Written only once it is on, so that a mask saved without it keeps the bytes
// it always had.
const QString NumberClashesKey = QStringLiteral("DoppelteNummerieren");

QString setKey(const char16_t *base, int set)
{
    QString key = QString::fromUtf16(base);
    if (set > 0)
        key += QString::number(set);
    return key;
}

QString checkText(int state)
{
    return QString::number(state);
}

// The keys of a saved mask, in the order in which they are written.
QList<IniEntry> maskEntries(const RenameOptions &o)
{
    QList<IniEntry> entries = {
        {QStringLiteral("Maske"), o.mask},
        {QStringLiteral("Start"), o.counterStart},
        {QStringLiteral("Step"), o.counterStep},
        {QStringLiteral("Digits"), QString::number(o.digitCount)},
        {QStringLiteral("LeadZeros"), QString::number(o.leadChar)},
        {QStringLiteral("LetterCase"), QString::number(o.letterCase)},
    };
    for (int n = 0; n < int(o.sets.size()); ++n) {
        const SearchReplaceSet &s = o.sets[n];
        entries.append({setKey(u"SearchAktiv", n), checkText(s.active)});
        entries.append({setKey(u"Search", n), s.search});
        entries.append({setKey(u"Replace", n), s.replace});
        entries.append({setKey(u"SearchInNeu", n), checkText(s.inNewName)});
        entries.append({setKey(u"SearchRegEx", n), checkText(s.regex)});
        entries.append({setKey(u"SearchMatchCase", n), checkText(s.matchCase)});
    }
    entries.append({QStringLiteral("ZufallGross"), checkText(o.randomUpper)});
    entries.append({QStringLiteral("ZufallKlein"), checkText(o.randomLower)});
    entries.append({QStringLiteral("ZufallZahl"), checkText(o.randomDigits)});
    entries.append({QStringLiteral("ZufallExtra"), checkText(o.randomExtra)});
    entries.append({QStringLiteral("ZufallExtraChars"), o.randomExtraChars});
    entries.append({QStringLiteral("Umschreiben"), checkText(o.transliterate)});
    entries.append({QStringLiteral("ZaehlerJeOrdner"), checkText(o.counterPerFolder)});
    entries.append({QStringLiteral("Begleitdateien"), checkText(o.companions)});
    return entries;
}

// The length of the number at the start of \a s (after blanks): sign, digits,
// a decimal point with digits, an exponent; 0 when there is none.
qsizetype leadingNumberLength(QStringView s)
{
    qsizetype i = 0;
    auto digits = [&] {
        const qsizetype from = i;
        while (i < s.size() && s[i] >= u'0' && s[i] <= u'9')
            ++i;
        return i > from;
    };
    if (i < s.size() && (s[i] == u'+' || s[i] == u'-'))
        ++i;
    const qsizetype numberStart = i;
    digits();
    if (i < s.size() && s[i] == u'.') {
        const qsizetype dot = i++;
        if (!digits())
            i = dot;
    }
    if (i == numberStart)
        return 0;
    const qsizetype mantissaEnd = i;
    if (i < s.size() && (s[i] == u'e' || s[i] == u'E')) {
        ++i;
        if (i < s.size() && (s[i] == u'+' || s[i] == u'-'))
            ++i;
        if (!digits())
            i = mantissaEnd;
    }
    return i;
}

// Reads the keys of one saved mask from a single reading of the file.
class MaskReader
{
public:
    MaskReader(const QString &name, const QString &file)
        : m_section(IniGetSection(name, file))
    {}

    void text(const QString &key, QString &field, const QString &def = QString()) const
    {
        field = stored(key, def);
    }

    void position(const QString &key, int &field, int listSize) const
    {
        bool ok = false;
        const short value = stored(key, QStringLiteral("0")).trimmed().toShort(&ok);
        if (ok && value >= -1 && value < listSize)
            field = value;
    }

    void check(const QString &key, int &field) const
    {
        const int state = StoredCheckState(stored(key, QString()));
        if (state >= 0)
            field = state;
    }

private:
    QString stored(const QString &key, const QString &def) const
    {
        return m_section ? m_section->value(key, def) : def;
    }

    std::optional<IniSection> m_section;
};

} // namespace

int StoredCheckState(const QString &text)
{
    QStringView s(text);
    while (!s.isEmpty() && (s.front() == u' ' || s.front() == u'\t'))
        s = s.sliced(1);
    const qsizetype length = leadingNumberLength(s);
    if (length == 0)
        return Unchecked;
    bool ok = false;
    const double value = s.first(length).toDouble(&ok);
    if (!ok)
        return -1;
    // Rounded as the check box takes a number: half to even.
    const double rounded = std::nearbyint(value);
    return rounded >= 0 && rounded <= 2 ? int(rounded) : -1;
}

bool SaveMask(const QString &name, const RenameOptions &options, const QString &masksIni,
              UserQuestions &questions)
{
    QString section = StandardMaskName();
    if (name.isEmpty()) {
        section = questions.askText(storagemessages::saveMaskPrompt(),
                                    storagemessages::saveMaskTitle(), QString());
        if (section.isEmpty())
            return false;
        // The file finds sections without regard to letter case, so a name that
        // differs only in case would silently replace the stored mask.
        const QStringList names = SavedMaskNames(masksIni);
        const bool exists = std::any_of(names.cbegin(), names.cend(),
                                        [&](const QString &n) { return IniSameName(n, section); });
        if (exists && !questions.askYesNo(storagemessages::maskExists(section),
                                          storagemessages::saveMaskTitle()))
            return false;
    }
    QList<IniEntry> entries = maskEntries(options);
    const std::optional<IniSection> stored = IniGetSection(section, masksIni);
    if (isOn(options.numberClashes) || (stored && stored->value(NumberClashesKey)))
        entries.append({NumberClashesKey, checkText(options.numberClashes)});
    return IniPutStrings(section, entries, masksIni);
}

void LoadMask(const QString &name, RenameOptions &options, const QString &masksIni,
              const OptionListSizes &sizes)
{
    const MaskReader read(name, masksIni);
    read.text(QStringLiteral("Maske"), options.mask, DefaultMask());
    read.text(QStringLiteral("Start"), options.counterStart, QStringLiteral("1"));
    read.text(QStringLiteral("Step"), options.counterStep, QStringLiteral("1"));
    read.position(QStringLiteral("Digits"), options.digitCount, sizes.digitCount);
    read.position(QStringLiteral("LeadZeros"), options.leadChar, sizes.leadChars);
    read.position(QStringLiteral("LetterCase"), options.letterCase, sizes.letterCases);
    for (int n = 0; n < int(options.sets.size()); ++n) {
        SearchReplaceSet &s = options.sets[n];
        read.check(setKey(u"SearchAktiv", n), s.active);
        read.text(setKey(u"Search", n), s.search);
        read.text(setKey(u"Replace", n), s.replace);
        read.check(setKey(u"SearchInNeu", n), s.inNewName);
        read.check(setKey(u"SearchRegEx", n), s.regex);
        read.check(setKey(u"SearchMatchCase", n), s.matchCase);
    }
    read.check(QStringLiteral("ZufallGross"), options.randomUpper);
    read.check(QStringLiteral("ZufallKlein"), options.randomLower);
    read.check(QStringLiteral("ZufallZahl"), options.randomDigits);
    read.check(QStringLiteral("ZufallExtra"), options.randomExtra);
    read.text(QStringLiteral("ZufallExtraChars"), options.randomExtraChars);
    read.check(QStringLiteral("Umschreiben"), options.transliterate);
    read.check(QStringLiteral("ZaehlerJeOrdner"), options.counterPerFolder);
    read.check(QStringLiteral("Begleitdateien"), options.companions);
    read.check(NumberClashesKey, options.numberClashes);
}

bool DeleteMask(const QString &name, const QString &masksIni, UserQuestions &questions)
{
    if (!questions.askYesNo(storagemessages::deleteMaskQuestion(name),
                            storagemessages::deleteMaskTitle()))
        return false;
    return IniDeleteSection(name, masksIni);
}

QStringList SavedMaskNames(const QString &masksIni)
{
    return IniSectionList(masksIni);
}

} // namespace kesto
