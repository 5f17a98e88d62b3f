// libFuzzer target for the INI layer: arbitrary bytes as an INI file, read,
// written and cut by the file functions. The first bytes of the input choose a
// section, a key and a value. Besides not crashing, the file functions must
// agree with the byte functions, and a written value must read back.
#include "storage/ini.h"
#include "storage/textfile.h"

#include <QByteArray>
#include <QFile>
#include <QString>
#include <QTemporaryDir>

#include <fuzzer/FuzzedDataProvider.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>

using namespace kesto;

namespace {

QTemporaryDir *&folder()
{
    static QTemporaryDir *dir = nullptr;
    return dir;
}

struct Case
{
    QString section;
    QString key;
    QString value;
    QByteArray file;
};

const Case *&currentCase()
{
    static const Case *current = nullptr;
    return current;
}

void check(bool ok, const char *what)
{
    if (ok)
        return;
    std::fprintf(stderr, "fuzz_ini: %s\n", what);
    if (const Case *c = currentCase())
        std::fprintf(stderr, "section \"%s\" key \"%s\" value \"%s\" file %s\n",
                     qPrintable(c->section), qPrintable(c->key), qPrintable(c->value),
                     c->file.toHex(' ').constData());
    std::abort();
}

QByteArray fileBytes(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// A key written as "key=value" reads back unless the key itself holds "=" or
// makes the line look like a section header.
bool keyReadsBack(const QString &key)
{
    const QString flat = IniFlattenLineBreaks(key);
    QStringView trimmed(flat);
    while (!trimmed.isEmpty() && (trimmed.front() == u' ' || trimmed.front() == u'\t'))
        trimmed = trimmed.sliced(1);
    return !flat.contains(u'=') && !trimmed.startsWith(u'[');
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    folder() = new QTemporaryDir;
    check(folder()->isValid(), "no temporary folder");
    std::atexit([] { delete folder(); });
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    FuzzedDataProvider input(data, size);
    const QString section =
        DecodeText(QByteArray::fromStdString(input.ConsumeRandomLengthString(24)));
    const QString key = DecodeText(QByteArray::fromStdString(input.ConsumeRandomLengthString(16)));
    const QString value =
        DecodeText(QByteArray::fromStdString(input.ConsumeRandomLengthString(48)));
    const std::vector<uint8_t> rest = input.ConsumeRemainingBytes<uint8_t>();
    const QByteArray original(reinterpret_cast<const char *>(rest.data()), qsizetype(rest.size()));

    const Case thisCase{section, key, value, original};
    currentCase() = &thisCase;
    const QString path = folder()->filePath(QStringLiteral("fuzz.ini"));
    {
        QFile f(path);
        check(f.open(QIODevice::WriteOnly | QIODevice::Truncate), "cannot write the input file");
        f.write(original);
    }

    const QString def = QStringLiteral("\x01"
                                       "default");
    const QString read = IniGetString(section, key, def, path);
    check(read == inibytes::ValueIn(original, section, key).value_or(def), "get disagrees");
    const QStringList sections = IniSectionList(path);
    check(IniSectionNames(QStringLiteral("\t"), QString()) == sections.join(u'\t'),
          "section names disagree");

    const QByteArray written = inibytes::WithValue(original, section, key, value);
    check(IniPutString(section, key, value, path), "put failed");
    check(fileBytes(path) == written, "put wrote other bytes");
    if (keyReadsBack(key))
        check(IniGetString(section, key, def, path) == IniFlattenLineBreaks(value),
              "a written value does not read back");
    const QStringList after = IniSectionList(path);
    check(std::any_of(after.cbegin(), after.cend(),
                      [&](const QString &n) { return IniSameName(n, section); }),
          "a written section is not listed");

    // Two keys at once give what writing them one by one gives.
    const QList<IniEntry> twice = {{key, value}, {value, key}};
    check(inibytes::WithValues(original, section, twice) ==
              inibytes::WithValue(written, section, value, key),
          "several keys at once disagree with one by one");

    bool found = false;
    const QByteArray cut = inibytes::WithoutSection(written, section, &found);
    check(found, "a written section is not found");
    check(IniDeleteSection(section, path), "delete failed");
    check(fileBytes(path) == cut, "delete wrote other bytes");
    check(cut.size() < written.size(), "delete removed nothing");
    currentCase() = nullptr;
    return 0;
}
