#include "language/FormTableWriter.h"

#include "language/Folding.h"

#include <QSaveFile>
#include <algorithm>
#include <vector>

namespace
{

using namespace FormTableFormat;

int indexOf(Language language)
{
    return language == Language::Czech ? 0 : 1;
}

template <typename T> void append(QByteArray& out, const T& value)
{
    out.append(reinterpret_cast<const char*>(&value), sizeof value);
}

// The string block: each distinct text once.
class Strings
{
  public:
    quint32 offsetOf(const QByteArray& utf8)
    {
        const auto it = m_offsets.constFind(utf8);
        if (it != m_offsets.cend())
            return *it;
        const auto offset = quint32(m_block.size());
        m_block.append(utf8);
        m_block.append('\0');
        m_offsets.insert(utf8, offset);
        return offset;
    }
    const QByteArray& block() const { return m_block; }

  private:
    QByteArray m_block;
    QHash<QByteArray, quint32> m_offsets;
};

} // namespace

quint32 FormTableWriter::baseIndex(Pairs& pairs, const QString& base)
{
    const auto it = pairs.bases.constFind(base);
    if (it != pairs.bases.cend())
        return *it;
    const auto index = quint32(pairs.baseTexts.size());
    pairs.bases.insert(base, index);
    pairs.baseTexts.append(base);
    pairs.weights.append(0);
    return index;
}

void FormTableWriter::add(Language language, const QString& form, const QString& base, Kind kind)
{
    Pairs& pairs = m_languages[indexOf(language)];
    const quint32 index = baseIndex(pairs, base);
    const auto key = std::make_pair(form, index);
    const auto it = pairs.kinds.find(key);
    if (it == pairs.kinds.end())
        pairs.kinds.insert(key, quint8(kind));
    else
        *it = std::min(*it, quint8(kind));
}

void FormTableWriter::addKnown(Language language, const QString& word)
{
    m_languages[indexOf(language)].known.insert(wordHash(word.toUtf8()));
}

void FormTableWriter::setWeight(Language language, const QString& base, quint32 weight)
{
    Pairs& pairs = m_languages[indexOf(language)];
    pairs.weights[baseIndex(pairs, base)] = weight;
}

qsizetype FormTableWriter::formCount(Language language) const
{
    return m_languages[indexOf(language)].kinds.size();
}

QByteArray FormTableWriter::section(const Pairs& pairs, quint32 start, Section& header) const
{
    struct Row {
        QByteArray folded;
        quint8 kind;
        QByteArray form;
        quint32 base;
    };
    std::vector<Row> rows;
    rows.reserve(pairs.kinds.size());
    for (auto it = pairs.kinds.cbegin(); it != pairs.kinds.cend(); ++it) {
        const QString& form = it.key().first;
        const QString folded = foldDiacritics(form);
        QByteArray pattern = markPattern(form);
        if (formOf(folded, QString::fromUtf8(pattern)) != form)
            pattern = WholeForm + form.toUtf8();
        rows.push_back({folded.toUtf8(), it.value(), pattern, it.key().second});
    }
    std::sort(rows.begin(), rows.end(), [](const Row& a, const Row& b) {
        return std::tie(a.folded, a.kind, a.form, a.base) <
               std::tie(b.folded, b.kind, b.form, b.base);
    });

    Strings strings;
    QByteArray keys, entries, bases, known;
    quint32 keyCount = 0;
    for (std::size_t i = 0; i < rows.size(); ++i) {
        if (i == 0 || rows[i].folded != rows[i - 1].folded) {
            append(keys, Key{strings.offsetOf(rows[i].folded), quint32(i)});
            ++keyCount;
        }
        append(entries, Entry{strings.offsetOf(rows[i].form), rows[i].base << 2 | rows[i].kind});
    }
    append(keys, Key{0, quint32(rows.size())});
    std::vector<quint32> hashes(pairs.known.cbegin(), pairs.known.cend());
    std::sort(hashes.begin(), hashes.end());
    for (const quint32 hash : hashes)
        append(known, hash);
    for (qsizetype i = 0; i < pairs.baseTexts.size(); ++i)
        append(bases, Base{strings.offsetOf(pairs.baseTexts[i].toUtf8()), pairs.weights[i]});

    // Each array starts on a four-byte boundary, as its numbers are read in place.
    QByteArray out;
    const auto place = [&](const QByteArray& bytes) {
        while ((start + out.size()) % 4 != 0)
            out.append('\0');
        const auto offset = quint32(start + out.size());
        out.append(bytes);
        return offset;
    };
    header.keyCount = keyCount;
    header.keys = place(keys);
    header.entryCount = quint32(rows.size());
    header.entries = place(entries);
    header.baseCount = quint32(pairs.baseTexts.size());
    header.bases = place(bases);
    header.strings = place(strings.block());
    header.stringsSize = quint32(strings.block().size());
    header.knownCount = quint32(hashes.size());
    header.known = place(known);
    return out;
}

bool FormTableWriter::write(const QString& path, QString* whyNot) const
{
    Header header{Magic, Version, 0, {}};
    QByteArray body;
    for (int i = 0; i < 2; ++i)
        body.append(
            section(m_languages[i], quint32(sizeof header + body.size()), header.sections[i]));
    QSaveFile file(path);
    const bool written = file.open(QIODevice::WriteOnly) &&
                         file.write(reinterpret_cast<const char*>(&header), sizeof header) ==
                             qint64(sizeof header) &&
                         file.write(body) == body.size() && file.commit();
    if (!written && whyNot)
        *whyNot = file.errorString();
    return written;
}
