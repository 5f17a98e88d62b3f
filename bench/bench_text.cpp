// Times what the text options add to a preview, and the sort of the name
// columns in natural order.
//
//   bench_text preview [ROWS]   preview with three plain sets, with and without
//                               transliteration and with a formatted date (10,000)
//   bench_text sort [ROWS]      sort by the old name, against the same sort
//                               without numeric order (100,000)
//
// Prints the median of several runs and the ratios against the reference, all
// from one run of the program.

#include "benchsupport.h"
#include "rename/session.h"

#include <QCollator>
#include <QCollatorSortKey>
#include <QCoreApplication>
#include <QRandomGenerator>

#include <cstdio>
#include <numeric>

using namespace kesto;
using namespace kesto::bench;

namespace {

// Names from a journey, words with umlauts repeated as they are in a list;
// \a distinct gives every row a word of its own, which no cache helps with.
QList<FileEntry> journeyRows(int rows, bool distinct)
{
    QList<FileEntry> entries;
    entries.reserve(rows);
    for (int i = 0; i < rows; ++i) {
        QString word = QStringLiteral("Grüße");
        for (int n = i; distinct && n > 0; n /= 26)
            word += QChar(u'a' + n % 26);
        FileEntry e = FileEntry::fromPath(QStringLiteral("/bilder/reise/IMG_%1 %2 aus Köln.JPG")
                                              .arg(i, 6, 10, QLatin1Char('0'))
                                              .arg(word));
        e.size = 2345 * 1024; // shown as "2345 KB"
        e.sizeShown = true;
        e.modifiedAt = ChangeDate;
        entries.append(e);
    }
    return entries;
}

double timePreview(const QList<FileEntry> &rows, const QString &mask, bool transliterate,
                   QString *last)
{
    NoQuestions q;
    Session s(q);
    s.list().setKeepSorted(false);
    s.list().insertRows(0, rows);
    s.setMaskText(mask);
    const char16_t *sets[3][3] = {{u"img", u"Foto"}, {u"_", u" "}, {u"aus", u"von"}};
    for (int k = 0; k < 3; ++k) {
        s.setSearchActive(k, Checked);
        s.setSearchText(k, QString::fromUtf16(sets[k][0]));
        s.setReplaceText(k, QString::fromUtf16(sets[k][1]));
        s.setSearchInNewName(k, k == 2 ? Checked : Unchecked);
    }
    s.setTransliterate(transliterate ? Checked : Unchecked);
    s.refreshTimer().stop();
    std::vector<double> times;
    for (int run = 0; run < 7; ++run) {
        const auto t = Clock::now();
        s.refresh();
        times.push_back(msSince(t));
    }
    *last = s.list().at(rows.size() - 1).newName;
    return median(times);
}

int preview(int rows)
{
    const QString plain = QStringLiteral("[name]_[zahl].[typ]");
    const QString dated = QStringLiteral("[name] [DATUM dd. MMMM yyyy].[typ]");
    std::printf("preview of %d rows, three plain sets (median of 7):\n", rows);
    for (const bool distinct : {false, true}) {
        const QList<FileEntry> entries = journeyRows(rows, distinct);
        QString last;
        const double reference = timePreview(entries, plain, false, &last);
        std::printf(" %s\n  %-34s %7.1f ms  (reference) -> %s\n",
                    distinct ? "a word of its own in every name:" : "words repeated across names:",
                    "mask [name]_[zahl].[typ]", reference, last.toUtf8().constData());
        const double ascii = timePreview(entries, plain, true, &last);
        std::printf("  %-34s %7.1f ms  ratio %.2f -> %s\n", "the same, transliterated", ascii,
                    ascii / reference, last.toUtf8().constData());
        const double date = timePreview(entries, dated, false, &last);
        std::printf("  %-34s %7.1f ms  ratio %.2f -> %s\n", "[DATUM dd. MMMM yyyy] for [zahl]",
                    date, date / reference, last.toUtf8().constData());
    }
    return 0;
}

int sort(int rows)
{
    QList<FileEntry> entries;
    entries.reserve(rows);
    for (int i = 0; i < rows; ++i)
        entries.append(FileEntry::fromPath(QStringLiteral("/bilder/IMG_%1.JPG").arg(i)));
    std::shuffle(entries.begin(), entries.end(), *QRandomGenerator::global());

    std::vector<double> listTimes, plainTimes;
    for (int run = 0; run < 5; ++run) {
        FileList list;
        list.setKeepSorted(false);
        list.insertRows(0, entries);
        auto t = Clock::now();
        list.setKeepSorted(true);
        listTimes.push_back(msSince(t));

        // The same keys and sort without numeric order.
        t = Clock::now();
        QCollator collator{QLocale(QLocale::German, QLocale::Germany)};
        collator.setCaseSensitivity(Qt::CaseInsensitive);
        std::vector<QCollatorSortKey> keys;
        keys.reserve(entries.size());
        for (const FileEntry &e : std::as_const(entries))
            keys.push_back(collator.sortKey(e.oldName));
        std::vector<int> order(entries.size());
        std::iota(order.begin(), order.end(), 0);
        std::stable_sort(order.begin(), order.end(),
                         [&](int a, int b) { return keys[a].compare(keys[b]) < 0; });
        plainTimes.push_back(msSince(t));
    }
    const double plain = median(plainTimes);
    const double natural = median(listTimes);
    std::printf("sort of %d shuffled names by the old name (median of 5):\n", rows);
    std::printf("  keys and sort without numeric order %7.1f ms  (reference)\n", plain);
    std::printf("  the list's sort, natural order      %7.1f ms  ratio %.2f\n", natural,
                natural / plain);
    return 0;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    return runModes(argc, argv, {{"preview", preview, 10000}, {"sort", sort, 100000}});
}
