#include "rename/planfile.h"

#include "rename/planmessages.h"
#include "storage/textfile.h"

#include <QCryptographicHash>
#include <QJsonArray>
#include <QJsonDocument>
#include <QSet>
#include <QUtf8StringView>

#include <cerrno>
#include <climits>

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

namespace kesto {

namespace {

// In the order of RowStatus.
constexpr const char16_t *StatusKeys[] = {u"ok",
                                          u"unchanged",
                                          u"duplicate",
                                          u"exists",
                                          u"blank",
                                          u"too_long",
                                          u"not_allowed",
                                          u"impossible",
                                          u"unreadable_folder",
                                          u"unwritable_folder",
                                          u"other_drive",
                                          u"folder_clash",
                                          u"no_name",
                                          u"changed",
                                          u"missing"};

constexpr char ChecksumHead[] = "{\"sha256\":\"";
constexpr qsizetype ChecksumDigits = 64;

bool isUtf8(const QByteArray &bytes)
{
    return QUtf8StringView(bytes).isValidUtf8();
}

void appendHex4(QByteArray &out, char16_t u)
{
    out += "\\u" + QByteArray::number(u, 16).rightJustified(4, '0');
}

// JSON keeps every character but '"', '\' and the control characters as it
// is; a lone surrogate, which has no UTF-8, is written as its escape.
void appendString(QByteArray &out, QStringView text)
{
    out += '"';
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t u = text[i].unicode();
        if (u == u'"' || u == u'\\') {
            out += '\\';
            out += char(u);
        } else if (u == u'\n') {
            out += "\\n";
        } else if (u == u'\t') {
            out += "\\t";
        } else if (u == u'\r') {
            out += "\\r";
        } else if (u < 0x20) {
            appendHex4(out, u);
        } else if (u < 0x80) {
            out += char(u);
        } else if (QChar::isHighSurrogate(u) && i + 1 < text.size() &&
                   text[i + 1].isLowSurrogate()) {
            out += text.sliced(i, 2).toUtf8();
            ++i;
        } else if (QChar::isSurrogate(u)) {
            appendHex4(out, u);
        } else {
            out += text.sliced(i, 1).toUtf8();
        }
    }
    out += '"';
}

void appendKey(QByteArray &out, const char *key, QStringView value)
{
    out += ",\"";
    out += key;
    out += "\":";
    appendString(out, value);
}

// A name that is no UTF-8 is shown as its bytes read as Windows-1252; its
// bytes follow in base64 under \a key.
void appendBytes(QByteArray &out, const char *key, const QByteArray &bytes)
{
    if (!isUtf8(bytes))
        out += ",\"" + QByteArray(key) + "\":\"" + bytes.toBase64() + '"';
}

void appendIdentity(QByteArray &out, const std::optional<PlanIdentity> &id)
{
    out += ",\"file\":";
    if (!id) {
        out += "null";
        return;
    }
    // Device and inode numbers may pass what a JSON reader keeps of a number.
    out += "{\"device\":\"" + QByteArray::number(id->device) + "\",\"inode\":\"" +
           QByteArray::number(id->inode) + "\",\"birth_ns\":" +
           (id->bornNs ? QByteArray::number(*id->bornNs) : QByteArray("null")) +
           ",\"size\":" + QByteArray::number(id->size) +
           ",\"mtime_ns\":" + QByteArray::number(id->modifiedNs) + '}';
}

void appendRow(QByteArray &out, const PlanRow &row, bool withIdentity)
{
    out += "{\"folder\":";
    appendString(out, DecodeTextPart(row.folder));
    appendKey(out, "old", DecodeTextPart(row.oldName));
    appendKey(out, "new", row.newName);
    appendKey(out, "status", StatusKey(row.status));
    appendKey(out, "reason", row.reason);
    appendBytes(out, "folder_bytes", row.folder);
    appendBytes(out, "old_bytes", row.oldName);
    if (row.result != RowResult::None) {
        appendKey(out, "result", ResultKey(row.result));
        appendKey(out, "result_reason", row.resultReason);
    }
    if (withIdentity)
        appendIdentity(out, row.identity);
    out += '}';
}

// The options, then the rows, one a line, and the end of the object.
QByteArray optionsAndRows(const Plan &plan, bool withIdentity)
{
    QByteArray out = "\"options\":" + QJsonDocument(plan.options).toJson(QJsonDocument::Compact) +
                     ",\n\"rows\":[";
    for (qsizetype i = 0; i < plan.rows.size(); ++i) {
        out += i == 0 ? "\n" : ",\n";
        appendRow(out, plan.rows[i], withIdentity);
    }
    out += "\n]}\n";
    return out;
}

// A whole number, and only one (JSON has no other kind of number).
std::optional<qint64> wholeNumber(const QJsonValue &v)
{
    if (!v.isDouble() || v.toInteger(0) != v.toInteger(1))
        return std::nullopt;
    return v.toInteger();
}

std::optional<quint64> numberText(const QJsonValue &v)
{
    bool ok = false;
    const QString text = v.toString();
    const quint64 n = text.toULongLong(&ok);
    // Digits only: toULongLong takes a sign and blanks too.
    if (!ok || text.isEmpty() || !std::all_of(text.begin(), text.end(), [](QChar c) {
            return c >= QLatin1Char('0') && c <= QLatin1Char('9');
        }))
        return std::nullopt;
    return n;
}

// The bytes of a name: its text, or its base64 beside it when the name is no
// UTF-8; none when the two do not agree.
std::optional<QByteArray> nameBytes(const QJsonObject &row, const QString &key,
                                    const QString &bytesKey)
{
    const QJsonValue text = row.value(key);
    if (!text.isString())
        return std::nullopt;
    if (!row.contains(bytesKey))
        return text.toString().toUtf8();
    const QJsonValue base64 = row.value(bytesKey);
    const auto decoded = QByteArray::fromBase64Encoding(base64.toString().toLatin1(),
                                                        QByteArray::AbortOnBase64DecodingErrors);
    if (!base64.isString() || !decoded || DecodeTextPart(*decoded) != text.toString())
        return std::nullopt;
    return *decoded;
}

std::optional<PlanIdentity> identityOf(const QJsonObject &file)
{
    PlanIdentity id;
    const auto device = numberText(file.value(QLatin1String("device")));
    const auto inode = numberText(file.value(QLatin1String("inode")));
    const auto size = wholeNumber(file.value(QLatin1String("size")));
    const auto modified = wholeNumber(file.value(QLatin1String("mtime_ns")));
    const QJsonValue born = file.value(QLatin1String("birth_ns"));
    if (!device || !inode || !size || *size < 0 || !modified ||
        !(born.isNull() || wholeNumber(born)))
        return std::nullopt;
    id.device = *device;
    id.inode = *inode;
    id.size = *size;
    id.modifiedNs = *modified;
    if (!born.isNull())
        id.bornNs = born.toInteger();
    return id;
}

// One row as a plan file holds it; none for one Kesto does not write.
std::optional<PlanRow> rowOf(const QJsonValue &value)
{
    const QJsonObject row = value.toObject();
    const auto folder = nameBytes(row, QStringLiteral("folder"), QStringLiteral("folder_bytes"));
    const auto oldName = nameBytes(row, QStringLiteral("old"), QStringLiteral("old_bytes"));
    const QJsonValue newName = row.value(QLatin1String("new"));
    const QJsonValue reason = row.value(QLatin1String("reason"));
    const QJsonValue file = row.value(QLatin1String("file"));
    const QString statusKey = row.value(QLatin1String("status")).toString();
    qsizetype status = 0;
    while (status < qsizetype(std::size(StatusKeys)) && statusKey != StatusKeys[status])
        ++status;
    if (!value.isObject() || !folder || !folder->startsWith('/') || folder->contains('\0') ||
        !oldName || oldName->isEmpty() || *oldName == "." || *oldName == ".." ||
        oldName->contains('/') || oldName->contains('\0') || !newName.isString() ||
        !reason.isString() || status == qsizetype(std::size(StatusKeys)) ||
        !(file.isNull() || file.isObject()))
        return std::nullopt;
    PlanRow r;
    r.folder = *folder;
    r.oldName = *oldName;
    r.newName = newName.toString();
    r.status = RowStatus(status);
    r.reason = reason.toString();
    if (file.isObject()) {
        r.identity = identityOf(file.toObject());
        if (!r.identity)
            return std::nullopt;
    }
    return r;
}

PlanRead refused(const QString &why)
{
    return {std::nullopt, why};
}

} // namespace

QString StatusKey(RowStatus status)
{
    return QString::fromUtf16(StatusKeys[int(status)]);
}

QString ResultKey(RowResult result)
{
    switch (result) {
    case RowResult::Renamed:
        return QStringLiteral("renamed");
    case RowResult::Failed:
        return QStringLiteral("failed");
    case RowResult::Skipped:
        return QStringLiteral("skipped");
    case RowResult::None:
        break;
    }
    return {};
}

RowStatus StatusOf(PairStatus status)
{
    switch (status) {
    case PairStatus::Ok:
        return RowStatus::Ok;
    case PairStatus::Unchanged:
        return RowStatus::Unchanged;
    case PairStatus::Blank:
        return RowStatus::Blank;
    case PairStatus::Duplicate:
        return RowStatus::Duplicate;
    case PairStatus::Exists:
        return RowStatus::Exists;
    case PairStatus::Impossible:
        return RowStatus::Impossible;
    case PairStatus::TooLong:
        return RowStatus::TooLong;
    case PairStatus::NotAllowed:
        return RowStatus::NotAllowed;
    case PairStatus::FolderUnreadable:
        return RowStatus::UnreadableFolder;
    case PairStatus::FolderUnwritable:
        return RowStatus::UnwritableFolder;
    case PairStatus::OtherDrive:
        return RowStatus::OtherDrive;
    case PairStatus::FolderClash:
        return RowStatus::FolderClash;
    }
    return RowStatus::Impossible;
}

std::optional<PlanIdentity> ReadPlanIdentity(const QByteArray &path, int *error,
                                             FileIdentity *identity, bool *isFolder)
{
    struct statx st;
    if (::statx(AT_FDCWD, path.constData(), AT_SYMLINK_NOFOLLOW, STATX_BASIC_STATS | STATX_BTIME,
                &st) != 0) {
        if (error)
            *error = errno;
        return std::nullopt;
    }
    if (identity)
        *identity = IdentityOf(st);
    if (isFolder)
        *isFolder = S_ISDIR(st.stx_mode);
    PlanIdentity id;
    id.device = makedev(st.stx_dev_major, st.stx_dev_minor);
    id.inode = st.stx_ino;
    if (st.stx_mask & STATX_BTIME)
        id.bornNs = qint64(st.stx_btime.tv_sec) * 1000000000 + st.stx_btime.tv_nsec;
    id.size = qint64(st.stx_size);
    id.modifiedNs = qint64(st.stx_mtime.tv_sec) * 1000000000 + st.stx_mtime.tv_nsec;
    return id;
}

QByteArray PlanRow::path() const
{
    return (folder == "/" ? folder : folder + '/') + oldName;
}

QByteArray AbsoluteFolder(const QByteArray &folder)
{
    QByteArray path = folder;
    if (!path.startsWith('/')) {
        char here[PATH_MAX];
        path.prepend(::getcwd(here, sizeof here) ? QByteArray(here) + '/' : QByteArray("/"));
    }
    // "a/./b/" is "a/b"; ".." stays, as a link may stand before it.
    QList<QByteArray> parts = path.split('/');
    parts.removeIf([](const QByteArray &part) { return part.isEmpty() || part == "."; });
    return '/' + parts.join('/');
}

QByteArray PlanJson(const Plan &plan)
{
    return '{' + optionsAndRows(plan, false);
}

QByteArray PlanFileText(const Plan &plan)
{
    const QByteArray body = "\"format\":\"" + QByteArray(PlanFormat) +
                            "\",\"version\":" + QByteArray::number(PlanVersion) + ",\n" +
                            optionsAndRows(plan, true);
    return ChecksumHead + QCryptographicHash::hash(body, QCryptographicHash::Sha256).toHex() +
           "\",\n" + body;
}

PlanRead ReadPlanText(const QByteArray &text)
{
    const qsizetype headSize = qsizetype(sizeof ChecksumHead) - 1;
    const qsizetype bodyAt = headSize + ChecksumDigits + 3;
    if (!text.startsWith(ChecksumHead) || text.mid(bodyAt - 3, 3) != "\",\n")
        return refused(planmessages::notAPlan());
    const QByteArray sum =
        QCryptographicHash::hash(QByteArrayView(text).sliced(bodyAt), QCryptographicHash::Sha256)
            .toHex();
    if (sum != QByteArrayView(text).sliced(headSize, ChecksumDigits))
        return refused(planmessages::checksumWrong());
    const QJsonObject top = QJsonDocument::fromJson(text).object();
    if (top.value(QLatin1String("format")).toString() != QLatin1String(PlanFormat))
        return refused(planmessages::notAPlan());
    if (top.value(QLatin1String("version")) != PlanVersion)
        return refused(planmessages::unknownVersion());
    const QJsonValue options = top.value(QLatin1String("options"));
    const QJsonValue rows = top.value(QLatin1String("rows"));
    if (!options.isObject() || !options.toObject().value(QLatin1String("mask")).isString() ||
        !rows.isArray())
        return refused(planmessages::notAPlan());
    Plan plan{options.toObject(), {}};
    QSet<QByteArray> paths;
    for (const QJsonValue &value : rows.toArray()) {
        std::optional<PlanRow> row = rowOf(value);
        const qsizetype number = plan.rows.size() + 1;
        if (!row)
            return refused(planmessages::faultyRow(number));
        if (paths.contains(row->path()))
            return refused(planmessages::rowTwice(number));
        paths.insert(row->path());
        plan.rows.append(std::move(*row));
    }
    return {std::move(plan), {}};
}

} // namespace kesto
