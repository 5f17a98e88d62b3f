// Times the preview of a long list with three regular-expression sets against
// the same preview with three plain sets that do the same work: "IMG_" to
// "Foto-", the zeros after it away, ".JPG" to ".jpg" in the new name. The
// expressions are compiled once per change, so they may cost at most twice
// the plain sets. A third line, for comparison only, adds a case change
// ("\L") to the last set, which the plain sets cannot do; a fourth spells
// the names in ASCII after the sets ("Umlaute und Akzente umschreiben"),
// which the goal counts in.
//
//   bench_replace [ROWS] [PREFIX]   (default 10000, no prefix)
//
// A PREFIX such as "Grüße_" puts words with umlauts before every name, which
// the fourth turn spells in ASCII; the other three keep it.
//
// Prints the median processor time of several previews of each, in turns,
// and the ratios against the plain sets, all from one run.

#include "benchsupport.h"
#include "rename/session.h"

#include <QCoreApplication>

#include <algorithm>
#include <array>
#include <cstdio>
#include <ctime>
#include <memory>
#include <vector>

using namespace kesto;
using namespace kesto::bench;

namespace {

struct Variant
{
    const char *name;
    std::array<SearchReplaceSet, 3> sets;
    bool transliterate = false;
    std::unique_ptr<Session> session = nullptr;
    std::vector<double> times = {};
};

SearchReplaceSet set(const char *search, const char *replace, int inNewName, int regex)
{
    return {Checked, QString::fromUtf8(search), QString::fromUtf8(replace), inNewName, regex};
}

// A session over \a rows generated rows with \a sets, previewed once so that
// its expressions are compiled, as the first preview after a change does.
std::unique_ptr<Session> sessionWith(NoQuestions &questions, int rows, const QString &prefix,
                                     const Variant &v)
{
    auto session = std::make_unique<Session>(questions, Session::Preview::OnDemand);
    session->list().setKeepSorted(false);
    QList<FileEntry> entries = generatedRows(rows);
    for (FileEntry &e : entries)
        e.oldName.prepend(prefix);
    session->list().insertRows(0, std::move(entries));
    RenameOptions options;
    options.sets = v.sets;
    options.transliterate = v.transliterate ? Checked : Unchecked;
    session->applyOptions(options);
    session->refresh();
    return session;
}

// The processor time of one preview in milliseconds: on a busy machine the
// time on the clock would mostly say how long the preview waited.
double timedPreview(Session &session)
{
    const auto cpuMs = [] {
        timespec t{};
        clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
        return double(t.tv_sec) * 1000 + double(t.tv_nsec) / 1e6;
    };
    const double start = cpuMs();
    session.refresh();
    return cpuMs() - start;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const int rows = argc > 1 ? std::max(1, QByteArray(argv[1]).toInt()) : 10000;
    const QString prefix = argc > 2 ? QString::fromUtf8(argv[2]) : QString();
    Variant variants[] = {
        {"three plain sets",
         {set("IMG_", "Foto-", Unchecked, Unchecked), set("Foto-00", "Foto-", Unchecked, Unchecked),
          set(".JPG", ".jpg", Checked, Unchecked)}},
        {"three regular-expression sets",
         {set("IMG_(\\d+)$", "Foto-$1", Unchecked, Checked),
          set("(?<=Foto-)00", "", Unchecked, Checked), set("\\.JPG$", ".jpg", Checked, Checked)}},
        {"the same, last with \\L$1",
         {set("IMG_(\\d+)$", "Foto-$1", Unchecked, Checked),
          set("(?<=Foto-)00", "", Unchecked, Checked),
          set("\\.(JPG)$", ".\\L$1", Checked, Checked)}},
        {"the same, spelt in ASCII",
         {set("IMG_(\\d+)$", "Foto-$1", Unchecked, Checked),
          set("(?<=Foto-)00", "", Unchecked, Checked), set("\\.JPG$", ".jpg", Checked, Checked)},
         true},
    };
    NoQuestions questions;
    for (Variant &v : variants)
        v.session = sessionWith(questions, rows, prefix, v);
    // The variants take turns, so that all meet the same load of the machine.
    for (int run = 0; run < 15; ++run) {
        for (Variant &v : variants)
            v.times.push_back(timedPreview(*v.session));
    }

    const double reference = median(variants[0].times);
    bool sameNames = true;
    std::printf("preview of %d rows, mask [name].[typ] (median of 15, processor time):\n", rows);
    for (const Variant &v : variants) {
        const double ms = median(v.times);
        const QString last = v.session->list().at(rows - 1).newName;
        sameNames = sameNames && (&v == &variants[3] ||
                                  last == variants[0].session->list().at(rows - 1).newName);
        std::printf("  %-32s %7.1f ms  ratio %.2f  last: %s\n", v.name, ms, ms / reference,
                    last.toUtf8().constData());
    }
    const double ratio = std::max(median(variants[1].times), median(variants[3].times)) / reference;
    std::printf("  goal: regular-expression sets, also spelt in ASCII, at most 2 times the plain "
                "ones\n");
    return ratio <= 2 && sameNames ? 0 : 1;
}
