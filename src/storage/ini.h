#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

// INI files as the masks and keys files use them: "[section]" header lines and
// "key=value" lines. Section and key names are found without regard to letter
// case or to blanks around them, the first of two equal sections wins, and
// values come back exactly as written (no trimming, no quote stripping).
// Every write replaces the file in one step and leaves all lines it does not
// touch byte for byte as they were.
//
// Each file operation takes the full path of the file; an empty path means the
// file used last, as the old profile functions had it.

namespace kesto {

/// Values read from a file are cut to this many characters.
inline constexpr qsizetype IniMaxValueLength = 32766;

struct IniEntry
{
    QString key;
    QString value;
};

class IniSection;

namespace inibytes {
std::optional<IniSection> SectionIn(const QByteArray &file, const QString &section);
} // namespace inibytes

/// The key lines of one section, read in one pass over the file, for reading
/// many keys without reading the file for each.
class IniSection
{
public:
    /// The value of \a key as IniGetString finds it (the first line of that
    /// key), or nothing.
    std::optional<QString> value(const QString &key) const;
    QString value(const QString &key, const QString &defaultValue) const;

private:
    friend std::optional<IniSection> inibytes::SectionIn(const QByteArray &, const QString &);
    QList<IniEntry> m_entries; ///< key names as written, values as read
};

/// The first section called \a section of \a file; nothing when the file or
/// the section is missing or the file cannot be read (\a errorNumber as for
/// ReadFileBytes).
std::optional<IniSection> IniGetSection(const QString &section, const QString &file,
                                        int *errorNumber = nullptr);

/// The value of \a key in \a section, or \a defaultValue when the file, the
/// section or the key is missing or the file cannot be read.
QString IniGetString(const QString &section, const QString &key, const QString &defaultValue,
                     const QString &file);

/// Sets \a key in \a section to \a value, creating the file, the section (at the
/// end of the file) and the key (at the end of its section) as needed.
/// False when the file could not be read or written; it is then unchanged.
bool IniPutString(const QString &section, const QString &key, const QString &value,
                  const QString &file);

/// Sets several keys of one section in a single replacement of the file; the
/// result is that of IniPutString for each entry in order, at the cost of one.
bool IniPutStrings(const QString &section, const QList<IniEntry> &entries, const QString &file);

/// The section names of the file in file order, each once, joined by \a separator
/// (CR LF when empty). Empty for a missing or unreadable file.
QString IniSectionNames(const QString &separator, const QString &file);

/// The section names of the file in file order, each once, as written between
/// the brackets.
QStringList IniSectionList(const QString &file);

/// Removes the first section called \a section with all lines up to the next
/// section header. True when a section was removed.
bool IniDeleteSection(const QString &section, const QString &file);

/// Whether two section or key names name the same thing in an INI file.
bool IniSameName(const QString &a, const QString &b);

/// \a text with every line break (CR LF, CR or LF) turned into a blank, as names
/// and values are written.
QString IniFlattenLineBreaks(const QString &text);

/// The same operations on the bytes of a file, for the file functions above
/// and for tests and fuzzing.
namespace inibytes {

std::optional<QString> ValueIn(const QByteArray &file, const QString &section, const QString &key);
QByteArray WithValue(const QByteArray &file, const QString &section, const QString &key,
                     const QString &value);
/// WithValue for each entry in order, with one pass over the file.
QByteArray WithValues(const QByteArray &file, const QString &section,
                      const QList<IniEntry> &entries);
/// \a file without the first section called \a section; \a found tells whether there was one.
QByteArray WithoutSection(const QByteArray &file, const QString &section, bool *found = nullptr);
QStringList SectionsIn(const QByteArray &file);

} // namespace inibytes

} // namespace kesto
