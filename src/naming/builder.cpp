#include "naming/builder.h"

#include "mask/dateformat.h"
#include "metadata/imagefacts.h"
#include "naming/messages.h"
#include "naming/textcase.h"
#include "naming/transliterate.h"

#include <algorithm>

namespace kesto {

namespace {

// A piece of at most c characters of s from position a (counted from 1); empty
// when a lies beyond the end.
QStringView Sub(QStringView s, qsizetype a, qsizetype c)
{
    if (a < 1 || a > s.size() || c <= 0)
        return {};
    return s.mid(a - 1, std::min(c, s.size() - a + 1));
}

void appendJoined(QString &out, QStringView a, QStringView b, QStringView c)
{
    out.append(a).append(u'-').append(b).append(u'-').append(c);
}

// The time-stamp placeholders of one family (modification, creation or
// capture), by the kind code of the modification twin.
void appendTimePart(QString &out, int baseKind, QStringView t)
{
    switch (baseKind) {
    case KindDatum:
        return appendJoined(out, Sub(t, 1, 4), Sub(t, 6, 2), Sub(t, 9, 2));
    case KindRDatum:
        return appendJoined(out, Sub(t, 9, 2), Sub(t, 6, 2), Sub(t, 1, 4));
    case KindTag:
        out.append(Sub(t, 9, 2));
        return;
    case KindMonat:
        out.append(Sub(t, 6, 2));
        return;
    case KindJahr:
        out.append(Sub(t, 1, 4));
        return;
    case KindZeit:
        return appendJoined(out, Sub(t, 12, 2), Sub(t, 15, 2), Sub(t, 18, 2));
    case KindStunde:
        out.append(Sub(t, 12, 2));
        return;
    case KindMinute:
        out.append(Sub(t, 15, 2));
        return;
    case KindSekunde:
        out.append(Sub(t, 18, 2));
        return;
    default:
        return;
    }
}

const QString *audioValue(const AudioTags &tags, int kind)
{
    if (kind < KindTitle || kind > KindGenre)
        return nullptr;
    // In the order of the kinds.
    const QString *const values[] = {&tags.title, &tags.artist, &tags.album,
                                     &tags.track, &tags.year,   &tags.genre};
    return values[kind - KindTitle];
}

const QString *photoValue(const PhotoFacts &photo, int kind)
{
    if (kind < KindMake || kind > KindOrientation)
        return nullptr;
    // In the order of the kinds.
    const QString *const values[] = {
        &photo.make,     &photo.model,       &photo.lens,     &photo.iso,       &photo.aperture,
        &photo.exposure, &photo.focalLength, &photo.latitude, &photo.longitude, &photo.orientation};
    return values[kind - KindMake];
}

// FileEntry::emptyValues keeps one bit for each of them.
static_assert(KindOrientation - KindTitle < 32);

bool isContentKind(int kind)
{
    return kind >= KindTitle && kind <= KindOrientation;
}

bool isPhotoKind(int kind)
{
    return kind >= KindMake && kind <= KindOrientation;
}

QString contentValue(const FileEntry &row, int kind)
{
    if (const QString *value = audioValue(row.audioTags(), kind))
        return *value;
    if (const QString *value = photoValue(row.photoFacts(), kind))
        return *value;
    return kind == KindChecksum ? row.checksum() : row.duration();
}

bool isTimeKind(int kind)
{
    return (kind >= KindDatum && kind <= KindJahr) || (kind >= KindZeit && kind <= KindSekunde);
}

// A date placeholder's text: with a format of its own, or one of the fixed parts.
void appendDate(QString &out, const MaskToken &token, const FileEntry &row)
{
    if (!token.text.isEmpty()) {
        out.append(FormatTimeStamp(row.text(token.kind >= KindCaptureOffset    ? ColCaptured
                                            : token.kind >= KindCreationOffset ? ColCreated
                                                                               : ColModified),
                                   token.text));
    } else if (isTimeKind(token.kind)) {
        appendTimePart(out, token.kind, row.text(ColModified));
    } else if (isTimeKind(token.kind - KindCreationOffset)) {
        appendTimePart(out, token.kind - KindCreationOffset, row.text(ColCreated));
    } else if (isTimeKind(token.kind - KindCaptureOffset)) {
        // Only the capture date may be missing as a whole; an empty text then
        // gives nothing rather than the bare separators.
        if (!row.captured().isEmpty())
            appendTimePart(out, token.kind - KindCaptureOffset, row.captured());
    }
}

// Appends what one token contributes. Working on views and one growing result
// keeps a pass over many rows free of a temporary text per token.
void appendToken(QString &out, const MaskToken &token, const FileEntry &row, int p,
                 QStringView name, const NamingContext &context, const SuppliedValues &supplied)
{
    const qsizetype L = name.size();
    switch (token.kind) {
    case KindLiteral:
        out.append(token.text);
        return;
    case KindName:
        out.append(name);
        return;
    case KindExtension:
        out.append(row.type());
        return;
    case KindDir:
        out.append(LastPathPart(row.folder));
        return;
    case KindCounter:
        out.append(FormatCounter(CounterValue(context.counterStart, context.counterStep, p),
                                 context.digitCount, context.leadChar));
        return;
    case KindRandom:
        out.append(RandomString(token.first, context.alphabet));
        return;
    case KindBreite:
        if (row.imageSize.isValid())
            out.append(QString::number(row.imageSize.width()));
        return;
    case KindHoehe:
        if (row.imageSize.isValid())
            out.append(QString::number(row.imageSize.height()));
        return;
    case KindChecksum:
        out.append(Sub(row.checksum(), 1, token.first));
        return;
    case KindListName:
        out.append(supplied.listName);
        return;
    case KindColumn:
        if (supplied.cells && token.first <= supplied.cells->size())
            out.append(supplied.cells->at(token.first - 1));
        return;
    case KindRange:
        out.append(Sub(name, token.first, qsizetype(token.second) - token.first + 1));
        return;
    case KindRangeRight: {
        if (token.first > L)
            return;
        const qsizetype e = std::min<qsizetype>(token.second, L);
        out.append(Sub(name, L - e + 1, e - token.first + 1));
        return;
    }
    case KindChars:
        out.append(Sub(name, token.first, token.second));
        return;
    case KindCharsRight: {
        if (token.first > L)
            return;
        const qsizetype m = std::min<qsizetype>(token.second, L - token.first + 1);
        out.append(Sub(name, L - token.first - m + 2, m));
        return;
    }
    default:
        break;
    }

    if (isContentKind(token.kind))
        out.append(contentValue(row, token.kind));
    else
        appendDate(out, token, row);
}

// File systems hand names over in any normalization form; below U+0300 every
// text is composed already, which spares most names a copy.
QStringView composed(QStringView name, QString &store)
{
    if (std::all_of(name.begin(), name.end(), [](QChar c) { return c.unicode() < 0x300; }))
        return name;
    store = name.toString().normalized(QString::NormalizationForm_C);
    return store;
}

// Letter case, replacements in the new name and transliteration, in this
// order, for one part of the new name; the set PCRE2 broke off, or -1.
int finishPart(QString &part, const NamingContext &context)
{
    int failed = -1;
    part = ApplyLetterCase(part, context.letterCase);
    if (context.sets.searchIn(true)) {
        // The new-name sets search the composed form, as the old name's do;
        // the transliteration reads either form.
        part = part.normalized(QString::NormalizationForm_C);
        failed = context.sets.apply(part, true);
    }
    if (context.transliterate)
        part = TransliterateToAscii(part);
    // The mask, the folder, the type and the replacements may come decomposed.
    part = part.normalized(QString::NormalizationForm_C);
    return failed;
}

} // namespace

QString ExpandToken(const MaskToken &token, const FileEntry &row, int p, const QString &name,
                    const NamingContext &context, const SuppliedValues &supplied)
{
    QString out;
    appendToken(out, token, row, p, name, context, supplied);
    return out;
}

QString BuildNewName(const FileEntry &row, int p, const NamingContext &context, int *failedSet,
                     const SuppliedValues &supplied)
{
    // Most masks replace nothing in the old name: then a view of it will do.
    QString replaced;
    QStringView name = composed(row.baseName(), replaced);
    int failed = -1;
    if (context.sets.searchIn(false)) {
        replaced = name.toString();
        failed = context.sets.apply(replaced, false);
        name = replaced;
    }

    QString result;
    if (failed < 0) {
        // Only a "/" typed in the mask separates folders: each part is made
        // on its own, and a "/" that a value, a random string or a
        // replacement puts into it becomes "_", so that it moves nothing.
        QString part;
        part.reserve(name.size() + 32);
        qsizetype literalEnd = -1;
        for (auto token = context.tokens.begin(); failed < 0; ++token) {
            if (token != context.tokens.end() && token->kind != KindFolder) {
                // A folder has no type, and no dot for one: "[NAME].[TYP]" keeps its name.
                if (row.isFolder && token->kind == KindExtension && literalEnd == part.size() &&
                    part.endsWith(QLatin1Char('.')))
                    part.chop(1);
                appendToken(part, *token, row, p, name, context, supplied);
                literalEnd = token->kind == KindLiteral ? part.size() : -1;
                continue;
            }
            failed = finishPart(part, context);
            if (part.contains(u'/'))
                part.replace(u'/', u'_');
            result += part;
            if (token == context.tokens.end())
                break;
            result += u'/';
            part.clear();
            literalEnd = -1;
        }
    }
    if (failedSet)
        *failedSet = failed;
    // The reserve is not kept: every row keeps its name for long. A copy of
    // the name's own size, rather than a reserve shrunk in place, leaves no
    // gap between the names of neighbouring rows.
    if (result.capacity() > result.size())
        result = QString(result.constData(), result.size());
    return result;
}

bool NeedsImageSize(const QList<MaskToken> &tokens)
{
    return std::any_of(tokens.begin(), tokens.end(), [](const MaskToken &t) {
        return t.kind == KindBreite || t.kind == KindHoehe;
    });
}

WantedFacts FactsUsedBy(const QList<MaskToken> &tokens, int sortColumn)
{
    WantedFacts used;
    used.times = sortColumn == ColModified || sortColumn == ColCreated;
    used.sizeText = false; // a list sorted by size compares the lengths themselves
    used.captureDate = sortColumn == ColCaptured;
    bool captureKinds = false;
    for (const MaskToken &t : tokens) {
        used.times = used.times || isTimeKind(t.kind) || isTimeKind(t.kind - KindCreationOffset);
        captureKinds = captureKinds || isTimeKind(t.kind - KindCaptureOffset);
    }
    // A mask with photo facts reads its capture date with them, in one
    // opening of each file (see ContentUsedBy()); a sort needs it at once.
    used.captureDate = used.captureDate || (captureKinds && !ContentUsedBy(tokens).photo);
    return used;
}

ContentUse ContentUsedBy(const QList<MaskToken> &tokens)
{
    ContentUse used;
    for (const MaskToken &t : tokens) {
        used.audio = used.audio || (t.kind >= KindTitle && t.kind <= KindGenre);
        used.checksum = used.checksum || t.kind == KindChecksum;
        used.duration = used.duration || t.kind == KindDuration;
        used.photo = used.photo || isPhotoKind(t.kind);
        used.photoWithCaptureDate =
            used.photoWithCaptureDate || isTimeKind(t.kind - KindCaptureOffset);
    }
    used.photoWithCaptureDate = used.photoWithCaptureDate && used.photo;
    return used;
}

quint32 EmptyValues(const FileEntry &row, const QList<MaskToken> &tokens)
{
    quint32 empty = 0;
    for (const MaskToken &t : tokens) {
        if (isContentKind(t.kind) && contentValue(row, t.kind).isEmpty())
            empty |= 1u << (t.kind - KindTitle);
    }
    return empty;
}

QString HintWithEmptyValues(const QString &reason, quint32 emptyValues)
{
    if (emptyValues == 0)
        return reason;
    QStringList placeholders;
    for (int kind = KindTitle; kind <= KindOrientation; ++kind) {
        if (emptyValues & (1u << (kind - KindTitle)))
            placeholders.append(PlaceholderText(kind));
    }
    const QString note = namingmessages::noValue(placeholders.join(QStringLiteral(", ")));
    return reason.isEmpty() ? note : reason + QStringLiteral("; ") + note;
}

bool UsesCounter(const QList<MaskToken> &tokens)
{
    return std::any_of(tokens.begin(), tokens.end(),
                       [](const MaskToken &t) { return t.kind == KindCounter; });
}

} // namespace kesto
