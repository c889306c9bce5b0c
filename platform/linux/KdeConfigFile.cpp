#include "KdeConfigFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QSaveFile>

namespace KdeConfigFile {
namespace {

// KConfig's own lock beside the file: what KWin, System Settings and kwriteconfig take too.
constexpr char LockSuffix[] = ".lock";
constexpr int LockTimeoutMs = 5000;
constexpr char ImmutableOption[] = "$i";
constexpr char HexDigits[] = "0123456789abcdef";

void appendHexEscape(QByteArray &out, uchar byte) {
    out += "\\x";
    out += HexDigits[byte >> 4];
    out += HexDigits[byte & 0x0f];
}

// KConfig's escapes: \s \t \n \r \\ and \xNN.
QByteArray unescape(QByteArrayView text) {
    QByteArray out;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] != '\\' || i + 1 == text.size()) {
            out += text[i];
            continue;
        }
        const char c = text[++i];
        if (c == 's')
            out += ' ';
        else if (c == 't')
            out += '\t';
        else if (c == 'n')
            out += '\n';
        else if (c == 'r')
            out += '\r';
        else if (c == '\\')
            out += '\\';
        else if (c == 'x' && i + 2 < text.size()) {
            out += char(QByteArray(text.data() + i + 1, 2).toInt(nullptr, 16));
            i += 2;
        } else
            out += '\\' + QByteArray(1, c);
    }
    return out;
}

enum class Text { Group, Value };

QByteArray escape(const QByteArray &utf8, Text kind) {
    QByteArray out;
    for (qsizetype i = 0; i < utf8.size(); ++i) {
        const uchar c = uchar(utf8[i]);
        if (c == '\\')
            out += "\\\\";
        else if (c == '\n')
            out += "\\n";
        else if (c == '\t')
            out += "\\t";
        else if (c == '\r')
            out += "\\r";
        else if (c < 32 || (kind == Text::Group && (c == '[' || c == ']')))
            appendHexEscape(out, c);
        // A group part starting with '$' would read as an option such as [$i].
        else if (kind == Text::Group && i == 0 && c == '$')
            appendHexEscape(out, c);
        else
            out += char(c);
    }
    // Values keep their outer spaces only escaped: the reader trims.
    if (kind == Text::Value && out.startsWith(' '))
        out.replace(0, 1, "\\s");
    if (kind == Text::Value && out.endsWith(' '))
        out.replace(out.size() - 1, 1, "\\s");
    return out;
}

struct Header {
    bool valid = false;
    QList<QByteArray> parts; // decoded
    bool immutable = false;  // ends in [$i]
};

// "[A][B][$i]" as KConfig reads it: parts until one is not followed by '['.
Header parseHeader(QByteArrayView line) {
    Header h;
    qsizetype start = 0;
    while (start < line.size() && line[start] == '[') {
        const qsizetype end = line.indexOf(']', start + 1);
        if (end < 0)
            return {};
        const QByteArrayView part = line.sliced(start + 1, end - start - 1);
        if (part == ImmutableOption && end + 1 == line.size())
            h.immutable = true;
        else
            h.parts.append(unescape(part));
        start = end + 1;
    }
    h.valid = true;
    return h;
}

QList<QByteArray> encoded(const QStringList &group) {
    QList<QByteArray> parts;
    for (const QString &part : group)
        parts.append(part.toUtf8());
    return parts;
}

// The key of an entry line, with its options ("Key[$i]" gives "Key" and "$i").
QByteArrayView entryKey(QByteArrayView line, QByteArrayView *options) {
    const qsizetype eq = line.indexOf('=');
    QByteArrayView key = (eq < 0 ? line : line.first(eq)).trimmed();
    *options = {};
    if (key.endsWith(']')) {
        const qsizetype open = key.lastIndexOf('[');
        if (open > 0 && key.sliced(open + 1).startsWith('$')) {
            *options = key.sliced(open + 1, key.size() - open - 2);
            key = key.first(open);
        }
    }
    return key;
}

struct Scan {
    bool fileImmutable = false;
    bool groupImmutable = false;
    bool groupFound = false;
    qsizetype lastGroupLine = -1; // last line of the group's last occurrence
};

// Walks the lines; for each entry line of the group calls visit(index, key, options).
template <typename Visit>
Scan scan(const QList<QByteArray> &lines, const QList<QByteArray> &group, Visit visit) {
    Scan s;
    bool inGroup = false;
    bool seenGroup = false;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const QByteArrayView line = QByteArrayView(lines[i]).trimmed();
        if (line.isEmpty() || line.startsWith('#'))
            continue;
        if (line.startsWith('[')) {
            const Header h = parseHeader(line);
            if (!h.valid)
                continue; // KConfig skips it and stays in the group it was in
            if (h.parts.isEmpty()) {
                s.fileImmutable = s.fileImmutable || (h.immutable && !seenGroup);
                continue;
            }
            seenGroup = true;
            inGroup = h.parts == group;
            if (inGroup) {
                s.groupFound = true;
                s.groupImmutable = s.groupImmutable || h.immutable;
                s.lastGroupLine = i;
            }
            continue;
        }
        if (!inGroup)
            continue;
        s.lastGroupLine = i;
        QByteArrayView options;
        const QByteArrayView key = entryKey(line, &options);
        visit(i, key, options);
    }
    return s;
}

QList<QByteArray> splitLines(const QByteArray &content) {
    QList<QByteArray> lines = content.split('\n');
    if (content.endsWith('\n') || content.isEmpty())
        lines.removeLast();
    return lines;
}

} // namespace

QByteArray header(const QStringList &group) {
    QByteArray out;
    for (const QString &part : group)
        out += '[' + escape(part.toUtf8(), Text::Group) + ']';
    return out;
}

bool write(const QString &path, const QStringList &group, const QList<Entry> &entries,
           QString *error) {
    const QString name = QFileInfo(path).fileName();
    const auto failed = [&](const QString &why) {
        if (error)
            *error = QStringLiteral("%1: %2").arg(name, why);
        return false;
    };
    if (!QDir().mkpath(QFileInfo(path).absolutePath()))
        return failed(QStringLiteral("its folder cannot be made"));
    QLockFile lock(path + QLatin1String(LockSuffix));
    if (!lock.tryLock(LockTimeoutMs))
        return failed(QStringLiteral("another program holds its lock"));

    QFile in(path);
    if (in.exists() && !in.open(QIODevice::ReadOnly))
        return failed(in.errorString());
    QList<QByteArray> lines = splitLines(in.isOpen() ? in.readAll() : QByteArray());
    in.close();

    QList<bool> written(entries.size(), false);
    QString lockedKey;
    const Scan s =
        scan(lines, encoded(group), [&](qsizetype i, QByteArrayView key, QByteArrayView options) {
            for (qsizetype e = 0; e < entries.size(); ++e) {
                if (key != entries[e].key.toUtf8())
                    continue;
                if (options.contains('i'))
                    lockedKey = entries[e].key;
                else if (options.isEmpty()) {
                    lines[i] = entries[e].key.toUtf8() + '=' +
                               escape(entries[e].value.toUtf8(), Text::Value);
                    written[e] = true;
                }
            }
        });
    if (s.fileImmutable || s.groupImmutable || !lockedKey.isEmpty())
        return failed(
            QStringLiteral("locked against changes ([$i]%1)")
                .arg(lockedKey.isEmpty() ? QString() : QStringLiteral(" on ") + lockedKey));

    QList<QByteArray> added;
    for (qsizetype e = 0; e < entries.size(); ++e)
        if (!written[e])
            added.append(entries[e].key.toUtf8() + '=' +
                         escape(entries[e].value.toUtf8(), Text::Value));
    if (s.groupFound) {
        for (qsizetype a = 0; a < added.size(); ++a)
            lines.insert(s.lastGroupLine + 1 + a, added[a]);
    } else {
        // A blank line before each group, as KConfig writes them.
        if (!lines.isEmpty() && !lines.last().trimmed().isEmpty())
            lines.append(QByteArray());
        lines.append(header(group));
        lines += added;
    }

    // A link (a dotfiles folder) stays a link: its target is what gets replaced.
    const QFileInfo info(path);
    QSaveFile out(info.isSymLink() ? info.canonicalFilePath() : path);
    if (!out.open(QIODevice::WriteOnly))
        return failed(out.errorString());
    for (const QByteArray &line : lines)
        out.write(line + '\n');
    if (!out.commit())
        return failed(out.errorString());
    return true;
}

std::optional<QString> read(const QString &path, const QStringList &group, const QString &key) {
    QFile in(path);
    if (!in.open(QIODevice::ReadOnly))
        return std::nullopt;
    const QList<QByteArray> lines = splitLines(in.readAll());
    std::optional<QString> value;
    // Later entries win, as KConfig reads them.
    scan(lines, encoded(group), [&](qsizetype i, QByteArrayView k, QByteArrayView options) {
        const qsizetype eq = lines[i].indexOf('=');
        if (k == key.toUtf8() && !options.contains('d') && eq >= 0)
            value = QString::fromUtf8(unescape(QByteArrayView(lines[i]).sliced(eq + 1).trimmed()));
    });
    return value;
}

} // namespace KdeConfigFile
