#include "language/FormTable.h"

#include "language/Folding.h"
#include "language/GuessRanking.h"

#include <QCoreApplication>
#include <QDir>
#include <algorithm>
#include <bit>
#include <cstring>
#include <sys/mman.h>
#include <vector>

static_assert(std::endian::native == std::endian::little, "the table is read in place");

using namespace FormTableFormat;

namespace
{

// A word this short is one or two edits from too many others to guess at.
constexpr qsizetype ShortestNear = 3;
// Up to this length a word is allowed one edit, beyond it two.
constexpr qsizetype OneEditUpTo = 4;

// Restricted Damerau-Levenshtein distance of a prefix of the table's keys to the query, one
// row per letter of the prefix: row[j] is the distance to the query's first j letters. Only
// the cells within maxEdits of the diagonal are worked out (the others are too far anyway),
// and no prefix grows longer than the query by more than maxEdits.
class NearWalk
{
  public:
    NearWalk(const QByteArray& query, int maxEdits)
        : m_query(query), m_max(maxEdits), m_width(query.size() + 1),
          m_rows(std::size_t(m_width * (query.size() + maxEdits + 1)), maxEdits + 1),
          m_letters(std::size_t(query.size() + maxEdits + 1))
    {
        for (qsizetype j = 0; j < m_width; ++j)
            m_rows[std::size_t(j)] = int(std::min<qsizetype>(j, maxEdits + 1));
    }

    // Adds the prefix's next letter; false when no key under the prefix can be near enough.
    bool push(char letter)
    {
        // pop() undoes every push(), this one too.
        if (++m_depth >= qsizetype(m_letters.size()))
            return false;
        m_letters[std::size_t(m_depth)] = letter;
        const int far = m_max + 1;
        const int* up = row(m_depth - 1);
        const int* upper = m_depth >= 2 ? row(m_depth - 2) : nullptr;
        int* cells = row(m_depth);
        const qsizetype from = std::max<qsizetype>(1, m_depth - m_max);
        const qsizetype to = std::min<qsizetype>(m_width - 1, m_depth + m_max);
        cells[0] = std::min(int(m_depth), far);
        if (from > 1)
            cells[from - 1] = far;
        int least = cells[0];
        for (qsizetype j = from; j <= to; ++j) {
            const int cost = m_query[j - 1] == letter ? 0 : 1;
            int cell = std::min({up[j] + 1, cells[j - 1] + 1, up[j - 1] + cost});
            if (upper && j >= 2 && letter == m_query[j - 2] &&
                m_letters[std::size_t(m_depth - 1)] == m_query[j - 1])
                cell = std::min(cell, upper[j - 2] + 1);
            cells[j] = std::min(cell, far);
            least = std::min(least, cells[j]);
        }
        if (to + 1 < m_width)
            cells[to + 1] = far;
        return least <= m_max;
    }
    void pop() { --m_depth; }
    int distance() const { return row(m_depth)[m_width - 1]; }
    int maxEdits() const { return m_max; }

  private:
    int* row(qsizetype depth) { return m_rows.data() + depth * m_width; }
    const int* row(qsizetype depth) const { return m_rows.data() + depth * m_width; }

    QByteArray m_query;
    int m_max;
    qsizetype m_width;
    std::vector<int> m_rows;
    std::vector<char> m_letters;
    qsizetype m_depth = 0;
};

} // namespace

std::shared_ptr<FormTable> FormTable::open(const QString& path, QString* whyNot)
{
    std::shared_ptr<FormTable> table(new FormTable);
    if (!table->load(path, whyNot))
        return nullptr;
    return table;
}

bool FormTable::load(const QString& path, QString* whyNot)
{
    const auto fail = [&](const QString& why) {
        if (whyNot)
            *whyNot = path + QStringLiteral(": ") + why;
        return false;
    };
    m_file = std::make_unique<QFile>(path);
    if (!m_file->open(QIODevice::ReadOnly))
        return fail(m_file->errorString());
    m_size = m_file->size();
    if (m_size < qint64(sizeof(Header)) || m_size > qint64(UINT32_MAX))
        return fail(QStringLiteral("není tabulka tvarů slov"));
    m_data = m_file->map(0, m_size);
    if (!m_data)
        return fail(m_file->errorString());
    // Lookups jump through the file: reading ahead would only fill memory.
    madvise(const_cast<uchar*>(m_data), size_t(m_size), MADV_RANDOM);
    Header header;
    std::memcpy(&header, m_data, sizeof header);
    if (header.magic != Magic || header.version != Version)
        return fail(QStringLiteral("není tabulka tvarů slov této verze programu"));
    // Every array lies inside the file, aligned, and the strings end with their NUL: no
    // lookup can then read outside the file, whatever the numbers inside the arrays say.
    const auto fits = [&](quint32 offset, quint64 count, quint64 size) {
        return offset % 4 == 0 && offset + count * size <= quint64(m_size);
    };
    for (const Section& s : header.sections) {
        if (!fits(s.keys, quint64(s.keyCount) + 1, sizeof(Key)) ||
            !fits(s.entries, s.entryCount, sizeof(Entry)) ||
            !fits(s.bases, s.baseCount, sizeof(Base)) || !fits(s.strings, s.stringsSize, 1) ||
            !fits(s.known, s.knownCount, sizeof(quint32)) ||
            (s.stringsSize > 0 && m_data[s.strings + s.stringsSize - 1] != 0))
            return fail(QStringLiteral("tabulka tvarů slov je poškozená"));
    }
    return true;
}

QStringList FormTable::installedFiles()
{
    const QString program = QCoreApplication::applicationDirPath() + QLatin1Char('/');
    const QString name = QStringLiteral(SLOVNIK_FORMS_NAME);
    return {program + name, QDir::cleanPath(program + QStringLiteral(SLOVNIK_FORMS_FROM_PROGRAM) +
                                            QLatin1Char('/') + name)};
}

std::shared_ptr<FormTable> FormTable::openInstalled()
{
    const QStringList files = installedFiles();
    for (const QString& file : files) {
        if (QFile::exists(file))
            return open(file);
    }
    qWarning("Tabulka tvarů slov chybí (hledána jako %s).",
             qUtf8Printable(files.join(QStringLiteral(", "))));
    return nullptr;
}

const Section& FormTable::section(Language language) const
{
    return reinterpret_cast<const Header*>(m_data)->sections[language == Language::Czech ? 0 : 1];
}

const char* FormTable::text(const Section& s, quint32 offset) const
{
    if (offset >= s.stringsSize)
        return "";
    return reinterpret_cast<const char*>(m_data + s.strings + offset);
}

const char* FormTable::keyText(const Section& s, quint32 key) const
{
    return text(s, reinterpret_cast<const Key*>(m_data + s.keys)[key].text);
}

QList<FormTable::Form> FormTable::formsOfKey(const Section& s, quint32 key) const
{
    const auto* keys = reinterpret_cast<const Key*>(m_data + s.keys);
    const auto* entries = reinterpret_cast<const Entry*>(m_data + s.entries);
    const auto* bases = reinterpret_cast<const Base*>(m_data + s.bases);
    const quint32 end = std::min(keys[key + 1].firstEntry, s.entryCount);
    QList<Form> forms;
    const QString folded = QString::fromUtf8(text(s, keys[key].text));
    for (quint32 i = keys[key].firstEntry; i < end; ++i) {
        const quint32 base = entries[i].baseAndKind >> 2;
        if (base >= s.baseCount)
            continue;
        forms.append({formOf(folded, QString::fromUtf8(text(s, entries[i].form))),
                      QString::fromUtf8(text(s, bases[base].text)),
                      Kind(entries[i].baseAndKind & 3), bases[base].weight});
    }
    return forms;
}

quint32 FormTable::findKey(const Section& s, const QByteArray& utf8) const
{
    quint32 low = 0;
    quint32 high = s.keyCount;
    while (low < high) {
        const quint32 middle = low + (high - low) / 2;
        if (std::strcmp(keyText(s, middle), utf8.constData()) < 0)
            low = middle + 1;
        else
            high = middle;
    }
    return low < s.keyCount && utf8 == keyText(s, low) ? low : s.keyCount;
}

QList<FormTable::Form> FormTable::formsFolded(Language language, const QString& folded) const
{
    const Section& s = section(language);
    const quint32 key = findKey(s, folded.toUtf8());
    return key < s.keyCount ? formsOfKey(s, key) : QList<Form>();
}

bool FormTable::knows(Language language, const QString& loweredWord, const QList<Form>& forms) const
{
    const bool isForm = std::any_of(forms.cbegin(), forms.cend(),
                                    [](const Form& form) { return form.kind != Kind::HeadWord; });
    if (isForm)
        return true;
    const Section& s = section(language);
    const auto* known = reinterpret_cast<const quint32*>(m_data + s.known);
    return std::binary_search(known, known + s.knownCount, wordHash(loweredWord.toUtf8()));
}

QList<FormTable::Form> FormTable::formsOf(Language language, const QString& loweredWord) const
{
    QList<Form> forms = formsFolded(language, foldDiacritics(loweredWord));
    forms.removeIf([&](const Form& form) { return form.form != loweredWord; });
    return forms;
}

// The keys are walked as the trie they are sorted into: the keys under one prefix form a
// range, split by their next byte into smaller ranges found by binary search, and a range
// is left as soon as no key in it can be near enough.
void FormTable::forEachNear(Language language, const QString& folded, int maxEdits,
                            const std::function<void(quint32, int)>& found) const
{
    const Section& s = section(language);
    NearWalk walk(folded.toUtf8(), maxEdits);
    const auto byteAt = [&](quint32 key, qsizetype depth) { return uchar(keyText(s, key)[depth]); };
    const QByteArray query = folded.toUtf8();
    const std::function<void(quint32, quint32, qsizetype)> visit = [&](quint32 low, quint32 high,
                                                                       qsizetype depth) {
        while (low < high) {
            const uchar letter = byteAt(low, depth);
            // The end of the letter's range, galloping from its start: most ranges are short.
            quint32 same = low;
            quint32 step = 1;
            while (low + step < high && byteAt(low + step, depth) == letter) {
                same = low + step;
                step *= 2;
            }
            quint32 first = same + 1;
            quint32 last = std::min(high, low + step);
            while (first < last) {
                const quint32 middle = first + (last - first) / 2;
                if (byteAt(middle, depth) == letter)
                    first = middle + 1;
                else
                    last = middle;
            }
            // A typo seldom touches the first letter but by swapping it with the second.
            const bool firstLetterFits = depth > 0 || query.size() < 2 ||
                                         letter == uchar(query[0]) || letter == uchar(query[1]);
            if (letter == 0) {
                // The key ends here: the prefix is the whole key.
                if (walk.distance() <= walk.maxEdits())
                    found(low, walk.distance());
            } else if (firstLetterFits) {
                if (walk.push(char(letter)))
                    visit(low, first, depth + 1);
                walk.pop();
            }
            low = first;
        }
    };
    visit(0, s.keyCount, 0);
}

QList<FormMatch> FormTable::best(QList<std::pair<FormMatch, Form>> candidates, int limit) const
{
    QList<RankedForm> ranked;
    ranked.reserve(candidates.size());
    for (auto& [match, form] : candidates)
        ranked.append({std::move(match), form.kind, form.weight});
    return bestForms(std::move(ranked), limit);
}

QList<FormMatch> FormTable::folded(const QString& loweredWord, Language language, int limit) const
{
    QList<std::pair<FormMatch, Form>> candidates;
    for (const Form& form : formsFolded(language, foldDiacritics(loweredWord)))
        candidates.append({{form.base, form.form, 0}, form});
    return best(std::move(candidates), limit);
}

QList<FormMatch> FormTable::near(const QString& loweredWord, Language language, int limit) const
{
    const QString folded = foldDiacritics(loweredWord);
    if (folded.size() < ShortestNear)
        return {};
    const Section& s = section(language);
    QList<std::pair<FormMatch, Form>> candidates;
    forEachNear(language, folded, folded.size() <= OneEditUpTo ? 1 : 2,
                [&](quint32 key, int edits) {
                    if (edits == 0)
                        return;
                    for (const Form& form : formsOfKey(s, key))
                        candidates.append({{form.base, form.form, edits}, form});
                });
    return best(std::move(candidates), limit);
}

bool FormTable::isWord(const QString& loweredWord, Language language) const
{
    return knows(language, loweredWord, formsOf(language, loweredWord));
}
