// libFuzzer target for the plan reader: arbitrary bytes as a plan file, as
// they come and behind a checksum that matches them, so that the reader
// behind the checksum sees them too. Besides not crashing, whatever the
// reader hands a run must be safe to rename (every file a plain name in an
// absolute folder, none twice) and must read back the same once written.
#include "rename/planfile.h"

#include <QCryptographicHash>

#include <cstdint>
#include <cstdio>
#include <cstdlib>

using namespace kesto;

namespace {

void check(bool ok, const char *what, const QByteArray &input)
{
    if (ok)
        return;
    std::fprintf(stderr, "fuzz_plan: %s\n%s\n", what, input.toHex(' ').constData());
    std::abort();
}

bool plain(const QByteArray &name)
{
    return !name.isEmpty() && name != "." && name != ".." && !name.contains('/') &&
           !name.contains('\0');
}

bool same(const PlanRow &a, const PlanRow &b)
{
    return a.folder == b.folder && a.oldName == b.oldName && a.newName == b.newName &&
           a.status == b.status && a.reason == b.reason && a.identity == b.identity;
}

void read(const QByteArray &input)
{
    const PlanRead read = ReadPlanText(input);
    check(read.plan.has_value() == read.error.isEmpty(), "a plan and an error, or neither", input);
    if (!read.plan)
        return;
    QSet<QByteArray> paths;
    for (const PlanRow &row : read.plan->rows) {
        check(row.folder.startsWith('/') && !row.folder.contains('\0'),
              "a folder that is no absolute path", input);
        check(plain(row.oldName), "a name that leaves its folder", input);
        check(!paths.contains(row.path()), "a file twice", input);
        paths.insert(row.path());
    }
    const PlanRead again = ReadPlanText(PlanFileText(*read.plan));
    check(again.plan && again.plan->options == read.plan->options &&
              std::equal(again.plan->rows.begin(), again.plan->rows.end(), read.plan->rows.begin(),
                         read.plan->rows.end(), same),
          "a plan written is read back otherwise", input);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray input(reinterpret_cast<const char *>(data), qsizetype(size));
    read(input);
    read("{\"sha256\":\"" + QCryptographicHash::hash(input, QCryptographicHash::Sha256).toHex() +
         "\",\n" + input);
    return 0;
}
