#include "report/PdfJoin.h"

#include <QRegularExpression>
#include <algorithm>
#include <optional>
#include <utility>

// The file structure is that of ISO 32000-1, 7.5 (header, body of indirect
// objects, cross-reference table of 20-byte entries, trailer, startxref).

namespace {

struct PdfFile {
    QByteArray header;          // "%PDF-1.4" and the line after it, up to the first object
    QList<QByteArray> objects;  // by number; [0] and free numbers empty
    int root = 0;
    int info = 0;
};

std::optional<int> referenceAfter(const QByteArray& text, const QByteArray& key) {
    static const QRegularExpression ref(QStringLiteral("^\\s*(\\d+) 0 R"));
    const qsizetype at = text.indexOf(key);
    if (at < 0) return std::nullopt;
    const QRegularExpressionMatch m = ref.match(QString::fromLatin1(text.mid(at + key.size(), 24)));
    if (!m.hasMatch()) return std::nullopt;
    return m.captured(1).toInt();
}

std::optional<PdfFile> readPdf(const QByteArray& pdf) {
    const qsizetype startXref = pdf.lastIndexOf("startxref");
    if (startXref < 0) return std::nullopt;
    bool ok = false;
    const qsizetype xref =
        pdf.mid(startXref + 9, 24).trimmed().split('\n').value(0).trimmed().toLongLong(&ok);
    if (!ok || xref <= 0 || xref >= startXref || !pdf.mid(xref).startsWith("xref")) {
        return std::nullopt;
    }
    qsizetype pos = pdf.indexOf('\n', xref) + 1;
    const qsizetype lineEnd = pdf.indexOf('\n', pos);
    if (pos <= 0 || lineEnd < 0) return std::nullopt;
    const QList<QByteArray> range = pdf.mid(pos, lineEnd - pos).trimmed().split(' ');
    const int first = range.size() == 2 ? range[0].toInt(&ok) : -1;
    const int count = ok ? range[1].toInt(&ok) : 0;
    if (!ok || first != 0 || count < 2) return std::nullopt;
    pos = lineEnd + 1;

    // Offsets of the objects in use, then each object's bytes up to the next
    // one's (or the table).
    std::vector<std::pair<qsizetype, int>> offsets;
    for (int i = 0; i < count; ++i, pos += 20) {
        if (pos + 20 > startXref) return std::nullopt;
        if (pdf.at(pos + 17) != 'n') continue;
        const qsizetype offset = pdf.mid(pos, 10).toLongLong(&ok);
        if (!ok || offset <= 0 || offset >= xref) return std::nullopt;
        offsets.emplace_back(offset, i);
    }
    if (offsets.empty()) return std::nullopt;
    std::sort(offsets.begin(), offsets.end());
    PdfFile file;
    file.header = pdf.left(offsets.front().first);
    file.objects.resize(count);
    for (size_t k = 0; k < offsets.size(); ++k) {
        const auto [offset, number] = offsets[k];
        const qsizetype end = k + 1 < offsets.size() ? offsets[k + 1].first : xref;
        QByteArray object = pdf.mid(offset, end - offset);
        if (!object.startsWith(QByteArray::number(number) + " 0 obj")) return std::nullopt;
        file.objects[number] = std::move(object);
    }
    const QByteArray trailer = pdf.mid(pos, startXref - pos);
    const std::optional<int> root = referenceAfter(trailer, "/Root");
    const std::optional<int> info = referenceAfter(trailer, "/Info");
    if (!root || !info || *root >= count || *info >= count) return std::nullopt;
    file.root = *root;
    file.info = *info;
    return file;
}

// The part of an object before its stream's data: the only part that can
// hold references.
qsizetype dictionaryEnd(const QByteArray& object) {
    const qsizetype stream = object.indexOf(">>\nstream\n");
    return stream < 0 ? object.size() : stream;
}

// Every "n 0 obj" and "n 0 R" before the stream data, numbered on by `shift`.
QByteArray renumbered(const QByteArray& object, int shift) {
    static const QRegularExpression number(
        QStringLiteral("(?<![\\d.])(\\d+) 0 (obj|R)(?![A-Za-z])"));
    const qsizetype end = dictionaryEnd(object);
    const QString head = QString::fromLatin1(object.left(end));
    QByteArray out;
    out.reserve(object.size() + 64);
    qsizetype last = 0;
    for (auto it = number.globalMatch(head); it.hasNext();) {
        const QRegularExpressionMatch m = it.next();
        out += object.mid(last, m.capturedStart(1) - last);
        out += QByteArray::number(m.captured(1).toLongLong() + shift);
        last = m.capturedEnd(1);
    }
    out += object.mid(last);
    return out;
}

// The page tree's kids and count, and the object without them.
struct PageTree {
    QList<int> kids;
    int count = 0;
};
std::optional<PageTree> pageTree(const QByteArray& object) {
    static const QRegularExpression kids(QStringLiteral("/Kids\\s*\\[([^\\]]*)\\]"));
    static const QRegularExpression count(QStringLiteral("/Count\\s+(\\d+)"));
    static const QRegularExpression ref(QStringLiteral("(\\d+) 0 R"));
    const QString text = QString::fromLatin1(object);
    const QRegularExpressionMatch k = kids.match(text);
    const QRegularExpressionMatch c = count.match(text);
    if (!object.contains("/Type /Pages") || !k.hasMatch() || !c.hasMatch()) return std::nullopt;
    PageTree tree;
    for (auto it = ref.globalMatch(k.captured(1)); it.hasNext();)
        tree.kids << it.next().captured(1).toInt();
    tree.count = c.captured(1).toInt();
    if (tree.count != tree.kids.size()) return std::nullopt;  // a tree of one level only
    return tree;
}

QByteArray pageTreeObject(int number, const QList<int>& kids) {
    QByteArray out = QByteArray::number(number) + " 0 obj\n<<\n/Type /Pages\n/Kids \n[\n";
    for (const int kid : kids) out += QByteArray::number(kid) + " 0 R\n";
    out += "]\n/Count " + QByteArray::number(kids.size()) + "\n>>\nendobj\n";
    return out;
}

QByteArray nullObject(int number) { return QByteArray::number(number) + " 0 obj\nnull\nendobj\n"; }

}  // namespace

QByteArray joinPdfs(const QList<QByteArray>& documents) {
    if (documents.isEmpty()) return {};
    if (documents.size() == 1) return documents.front();
    std::optional<PdfFile> joined = readPdf(documents.front());
    if (!joined) return {};
    const std::optional<int> pagesNumber = referenceAfter(joined->objects[joined->root], "/Pages");
    if (!pagesNumber || *pagesNumber >= joined->objects.size()) return {};
    std::optional<PageTree> pages = pageTree(joined->objects[*pagesNumber]);
    if (!pages) return {};

    for (qsizetype d = 1; d < documents.size(); ++d) {
        std::optional<PdfFile> part = readPdf(documents[d]);
        if (!part) return {};
        const std::optional<int> partPages = referenceAfter(part->objects[part->root], "/Pages");
        if (!partPages || *partPages >= part->objects.size()) return {};
        const std::optional<PageTree> tree = pageTree(part->objects[*partPages]);
        if (!tree) return {};
        const int shift = static_cast<int>(joined->objects.size()) - 1;
        const QByteArray oldParent = "/Parent " + QByteArray::number(*partPages + shift) + " 0 R";
        const QByteArray newParent = "/Parent " + QByteArray::number(*pagesNumber) + " 0 R";
        for (int i = 1; i < part->objects.size(); ++i) {
            const int number = i + shift;
            const QByteArray& object = part->objects[i];
            if (i == part->root || i == part->info || i == *partPages || object.isEmpty()) {
                joined->objects.append(nullObject(number));
                continue;
            }
            QByteArray moved = renumbered(object, shift);
            if (moved.contains("/Type /Page\n")) {
                const qsizetype at = moved.indexOf(oldParent);
                if (at < 0 || at > dictionaryEnd(moved)) return {};
                moved.replace(at, oldParent.size(), newParent);
            }
            joined->objects.append(moved);
        }
        for (const int kid : tree->kids) pages->kids << kid + shift;
    }
    joined->objects[*pagesNumber] = pageTreeObject(*pagesNumber, pages->kids);

    QByteArray out = joined->header;
    std::vector<qsizetype> offsets(joined->objects.size(), 0);
    for (int i = 1; i < joined->objects.size(); ++i) {
        if (joined->objects[i].isEmpty()) joined->objects[i] = nullObject(i);
        offsets[i] = out.size();
        out += joined->objects[i];
    }
    const qsizetype xref = out.size();
    out += "xref\n0 " + QByteArray::number(joined->objects.size()) + "\n";
    out += "0000000000 65535 f \n";
    for (int i = 1; i < joined->objects.size(); ++i)
        out += QByteArray::number(offsets[i]).rightJustified(10, '0') + " 00000 n \n";
    out += "trailer\n<<\n/Size " + QByteArray::number(joined->objects.size()) + "\n/Info " +
           QByteArray::number(joined->info) + " 0 R\n/Root " + QByteArray::number(joined->root) +
           " 0 R\n>>\nstartxref\n" + QByteArray::number(xref) + "\n%%EOF\n";
    return out;
}
