#include "cli/cliplan.h"

#include "cli/clitexts.h"
#include "rename/planmessages.h"
#include "rename/planrun.h"
#include "rename/session.h"
#include "storage/textfile.h"

#include <QFile>
#include <QFileInfo>
#include <QJsonArray>

#include <cerrno>
#include <cstdio>

namespace kesto::cli {

namespace {

// A list position as its stable key; out of the list, the position itself.
QJsonValue keyAt(std::initializer_list<const char *> keys, int position)
{
    if (position < 0 || position >= int(keys.size()))
        return position;
    return QLatin1String(keys.begin()[position]);
}

QJsonArray setsOf(const RenameOptions &o)
{
    QJsonArray sets;
    for (const SearchReplaceSet &s : o.sets) {
        if (!isOn(s.active))
            continue;
        sets.append(QJsonObject{{QStringLiteral("search"), s.search},
                                {QStringLiteral("replace"), s.replace},
                                {QStringLiteral("in_new_name"), isOn(s.inNewName)},
                                {QStringLiteral("regex"), isOn(s.regex)},
                                {QStringLiteral("match_case"), isOn(s.matchCase)}});
    }
    return sets;
}

QJsonObject companionsOf(const RenameOptions &o)
{
    const bool byType = isOn(o.companions) && !o.companionsMain.isEmpty();
    return {{QStringLiteral("on"), isOn(o.companions)},
            {QStringLiteral("main"), byType ? QJsonValue(o.companionsMain) : QJsonValue()}};
}

} // namespace

QJsonObject UsedOptions(const Session &session, const Arguments &a)
{
    const RenameOptions &o = session.options();
    const QJsonObject counter{
        {QStringLiteral("start"), o.counterStart.toLongLong()},
        {QStringLiteral("step"), o.counterStep.toLongLong()},
        {QStringLiteral("digits"), session.digitChoices().chosenText().toInt()},
        {QStringLiteral("lead"), keyAt({"none", "zero", "space", "underscore"}, o.leadChar)},
        {QStringLiteral("per_folder"), isOn(o.counterPerFolder)}};
    const QJsonObject random{{QStringLiteral("upper"), isOn(o.randomUpper)},
                             {QStringLiteral("lower"), isOn(o.randomLower)},
                             {QStringLiteral("digits"), isOn(o.randomDigits)},
                             {QStringLiteral("extra"),
                              isOn(o.randomExtra) ? QJsonValue(o.randomExtraChars) : QJsonValue()}};
    const QJsonObject sort{
        {QStringLiteral("column"), keyAt({"old_name", "new_name", "folder", "size", "type",
                                          "modified", "created", "captured"},
                                         a.sortColumn - 1)},
        {QStringLiteral("descending"), a.sortDescending}};
    return {{QStringLiteral("mask"), o.mask},
            {QStringLiteral("counter"), counter},
            {QStringLiteral("case"),
             keyAt({"keep", "upper", "lower", "first_upper", "alternate_1", "alternate_2"},
                   o.letterCase)},
            {QStringLiteral("transliterate"), isOn(o.transliterate)},
            {QStringLiteral("companions"), companionsOf(o)},
            {QStringLiteral("number_clashes"), isOn(o.numberClashes)},
            {QStringLiteral("random"), random},
            {QStringLiteral("replace"), setsOf(o)},
            {QStringLiteral("sort"), sort}};
}

QList<PlanRow> TestedRows(Session &session, bool withIdentity)
{
    // Only names built from a usable mask and sets are tested.
    const bool named = session.renameEnabled();
    const RenamePlan tested = named ? TestRows(session.list()) : RenamePlan();
    const MaskCheck &mask = session.maskCheck();
    return PlanRowsOf(session.list(), named ? &tested : nullptr,
                      mask.ok ? session.status().panel2() : mask.statusText, withIdentity);
}

bool WritePlan(const QByteArray &path, const Plan &plan, QTextStream &err)
{
    SetSaveFailureHandler(
        [&err](const QString &message) { err << "kesto-cli: " << message << Qt::endl; });
    return WriteFileBytes(QFile::decodeName(path), PlanFileText(plan));
}

std::optional<Plan> ReadPlan(const QByteArray &path, QTextStream &err)
{
    const QString name = EscapedName(DecodeTextPart(path));
    const QFileInfo file(QFile::decodeName(path));
    std::optional<SkipReason> unreadable = !file.exists() ? SkipReason::Missing
                                           : file.isDir() ? SkipReason::Folder
                                           : !file.isFile()
                                               ? std::optional(SkipReason::NotRegularFile)
                                               : std::nullopt;
    const bool tooLarge = file.size() > MaxPlanBytes;
    QByteArray text;
    int error = 0;
    if (!unreadable && !tooLarge) {
        text = ReadFileBytes(file.filePath(), &error);
        if (error != 0)
            unreadable = SkipReason::Unreadable;
    }
    if (unreadable) {
        err << texts::planUnreadable(name, *unreadable) << Qt::endl;
        return std::nullopt;
    }
    PlanRead read =
        tooLarge ? PlanRead{std::nullopt, planmessages::tooLarge()} : ReadPlanText(text);
    if (!read.plan)
        err << texts::planRefused(name, read.error) << Qt::endl;
    return std::move(read.plan);
}

QByteArray PlanNamesText(const QList<PlanRow> &rows)
{
    QString text = NamesHeader + u'\n';
    for (const PlanRow &row : rows)
        text += EscapedName(DecodeTextPart(row.oldName)) + u'\t' + EscapedName(row.newName) + u'\n';
    return text.toUtf8();
}

int TellRowsLeft(const QList<PlanRow> &rows, QTextStream &err)
{
    QString lines;
    int left = 0;
    for (const PlanRow &row : rows) {
        if (row.status == RowStatus::Ok || row.status == RowStatus::Unchanged)
            continue;
        ++left;
        lines += EscapedName(DecodeTextPart(row.oldName)) + u'\t' + EscapedName(row.newName) +
                 u'\t' + row.reason + u'\n';
    }
    if (left > 0)
        err << texts::planRowsLeft(left) << '\n' << lines << Qt::flush;
    return left;
}

int PrintBytes(const QByteArray &bytes)
{
    if (std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stdout) != size_t(bytes.size()) ||
        std::fflush(stdout) != 0)
        return errno;
    return 0;
}

} // namespace kesto::cli
