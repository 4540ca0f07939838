#include "language/FormTable.h"

#include "language/Folding.h"
#include "language/FormTableNear.h"
#include "language/GuessRanking.h"

#include <QCoreApplication>
#include <QDir>
#include <algorithm>
#include <bit>
#include <cerrno>
#include <cstring>
#include <sys/mman.h>
#include <unistd.h>

static_assert(std::endian::native == std::endian::little, "the table's numbers are copied as read");

using namespace FormTableFormat;

namespace
{

// A shorter word is one edit from too many others to guess at.
constexpr qsizetype ShortestNear = 2;
// Blocks kept between lookups: a few presses' worth (the same words come back), never the
// whole table.
constexpr qint64 CacheBudget = 256 << 10;
// Blocks this close to each other are read at once, in runs of at most this many bytes.
constexpr quint32 MostGapRead = 16 << 10;
constexpr quint32 MostRunRead = 64 << 10;
// The keys whose forms are kept decoded.
constexpr qsizetype DecodedKeys = 512;

// The NUL-terminated strings of a block, where each starts.
std::vector<quint32> startsOf(const QByteArray& strings)
{
    std::vector<quint32> starts;
    for (qsizetype at = 0; at < strings.size(); at = strings.indexOf('\0', at) + 1)
        starts.push_back(quint32(at));
    return starts;
}

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
    m_fd = m_file->handle();
    m_size = m_file->size();
    Header header;
    const QByteArray head = read(0, sizeof header);
    if (m_size > qint64(UINT32_MAX) || head.size() != qsizetype(sizeof header))
        return fail(QStringLiteral("není tabulka tvarů slov"));
    std::memcpy(&header, head.constData(), sizeof header);
    if (header.magic != Magic || header.version != Version)
        return fail(QStringLiteral("není tabulka tvarů slov této verze programu"));
    for (std::size_t i = 0; i < m_indexes.size(); ++i) {
        m_indexes[i].section = header.sections[i];
        if (!loadIndex(m_indexes[i]))
            return fail(QStringLiteral("tabulka tvarů slov je poškozená"));
    }
    return true;
}

// Every index read lies inside the file and says of each block that it does: no lookup can
// then read outside the file, whatever the numbers inside the blocks say.
bool FormTable::loadIndex(Index& index)
{
    const Section& s = index.section;
    const auto numbers = [&](quint32 offset, quint64 count, std::vector<quint32>& out) {
        const QByteArray bytes = read(offset, count * 4);
        if (offset % 4 != 0 || bytes.size() != qsizetype(count * 4))
            return false;
        out.resize(count);
        std::memcpy(out.data(), bytes.constData(), bytes.size());
        return true;
    };
    const auto blocks = [&](const std::vector<quint32>& offsets) {
        for (std::size_t i = 0; i + 1 < offsets.size(); ++i) {
            if (offsets[i] > offsets[i + 1] || offsets[i + 1] - offsets[i] > MostBlockBytes ||
                offsets[i + 1] > m_size)
                return false;
        }
        return true;
    };
    if (!numbers(s.blockIndex, quint64(s.blockCount) + 1, index.blockOffsets) ||
        !blocks(index.blockOffsets) ||
        !numbers(s.knownIndex, (quint64(s.knownCount) + KnownStride - 1) / KnownStride,
                 index.knownSample) ||
        s.known % 4 != 0 || s.known + quint64(s.knownCount) * 4 > quint64(m_size))
        return false;

    index.firstKeys = read(s.firstKeys, s.firstKeysSize);
    index.patterns = read(s.patterns, s.patternsSize);
    const QByteArray& patterns = index.patterns;
    if (s.arcs % 4 != 0 || s.arcs + quint64(s.arcCount) * 4 > quint64(m_size))
        return false;
    if (index.firstKeys.size() != qsizetype(s.firstKeysSize) ||
        patterns.size() != qsizetype(s.patternsSize) || !index.firstKeys.endsWith('\0') ||
        !patterns.endsWith('\0'))
        return s.blockCount == 0 && s.firstKeysSize == 0;
    index.firstKeyAt = startsOf(index.firstKeys);
    if (index.firstKeyAt.size() != s.blockCount)
        return false;
    index.patternAt = startsOf(patterns);
    return true;
}

QByteArray FormTable::read(quint64 offset, quint64 size) const
{
    QByteArray out;
    return read(offset, size, out) ? out : QByteArray();
}

bool FormTable::read(quint64 offset, quint64 size, QByteArray& out) const
{
    if (offset + size > quint64(m_size))
        return false;
    out.resize(qsizetype(size));
    qsizetype done = 0;
    while (done < out.size()) {
        const ssize_t n = ::pread(m_fd, out.data() + done, std::size_t(out.size() - done),
                                  off_t(offset + quint64(done)));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        done += n;
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

const FormTable::Index& FormTable::index(Language language) const
{
    return m_indexes[language == Language::Czech ? 0 : 1];
}

void FormTable::keep(QHash<quint32, QByteArray>& cache, quint32 number,
                     const QByteArray& bytes) const
{
    if (m_cachedBytes > CacheBudget) {
        for (const Index& each : m_indexes) {
            each.keyBlocks.clear();
            each.knownStretches.clear();
        }
        m_cachedBytes = 0;
    }
    m_cachedBytes += bytes.size();
    cache.insert(number, bytes);
}

QByteArray FormTable::block(const Index& index, quint32 number) const
{
    const std::vector<quint32>& offsets = index.blockOffsets;
    if (std::size_t(number) + 1 >= offsets.size())
        return {};
    if (const auto kept = index.keyBlocks.constFind(number); kept != index.keyBlocks.cend())
        return *kept;
    const QByteArray bytes = read(offsets[number], offsets[number + 1] - offsets[number]);
    keep(index.keyBlocks, number, bytes);
    return bytes;
}

QHash<quint32, QByteArray> FormTable::blocks(const Index& index, std::vector<quint32> numbers) const
{
    std::sort(numbers.begin(), numbers.end());
    numbers.erase(std::unique(numbers.begin(), numbers.end()), numbers.end());
    const std::vector<quint32>& offsets = index.blockOffsets;
    QHash<quint32, QByteArray> out;
    std::vector<quint32> missing;
    for (const quint32 number : numbers) {
        if (std::size_t(number) + 1 >= offsets.size())
            continue;
        if (const auto kept = index.keyBlocks.constFind(number); kept != index.keyBlocks.cend())
            out.insert(number, *kept);
        else
            missing.push_back(number);
    }
    // A read costs the machine far more than the bytes it copies: blocks that lie close are
    // read at once, with the few between them.
    QByteArray run;
    for (std::size_t first = 0, last = 0; first < missing.size(); first = last + 1) {
        const quint32 start = offsets[missing[first]];
        for (last = first; last + 1 < missing.size() &&
                           offsets[missing[last + 1]] - offsets[missing[last] + 1] <= MostGapRead &&
                           offsets[missing[last + 1] + 1] - start <= MostRunRead;
             ++last) {
        }
        if (!read(start, offsets[missing[last] + 1] - start, run))
            continue;
        for (std::size_t i = first; i <= last; ++i) {
            const quint32 number = missing[i];
            const QByteArray bytes =
                run.sliced(offsets[number] - start, offsets[number + 1] - offsets[number]);
            keep(index.keyBlocks, number, bytes);
            out.insert(number, bytes);
        }
    }
    return out;
}

std::optional<quint32> FormTable::blockOf(const Index& index, const QByteArray& folded) const
{
    const auto after = std::upper_bound(
        index.firstKeyAt.cbegin(), index.firstKeyAt.cend(), folded,
        [&](const QByteArray& key, quint32 at) {
            return std::strcmp(key.constData(), index.firstKeys.constData() + at) < 0;
        });
    if (after == index.firstKeyAt.cbegin())
        return std::nullopt;
    return quint32(after - index.firstKeyAt.cbegin() - 1);
}

QString FormTable::formOfKey(const Index& index, const QString& folded, quint32 pattern) const
{
    // Pattern 0, spelt as folded, is the commonest.
    if (pattern == 0)
        return folded;
    return formOf(folded, QString::fromUtf8(index.patterns.constData() + index.patternAt[pattern]));
}

template <typename Use>
void FormTable::entriesIn(const Index& index, const QByteArray& block, const QByteArray& folded,
                          const Use& use) const
{
    KeyBlockReader reader(block);
    if (reader.find(folded)) {
        reader.entries([&](const Entry& entry) {
            if (entry.pattern < index.patternAt.size())
                use(entry);
        });
    }
}

QList<FormTable::Form> FormTable::formsOfKey(const Index& index, const QByteArray& folded) const
{
    const std::lock_guard lock(m_lock);
    // A word is asked for several times in a row (its folded matches, its base forms, whether
    // the spelling dictionary knows it): its forms are decoded once.
    if (const auto known = index.decoded.constFind(folded); known != index.decoded.cend())
        return *known;
    if (index.decoded.size() >= DecodedKeys)
        index.decoded.clear();
    QList<Form>& forms = index.decoded[folded];
    const std::optional<quint32> number = blockOf(index, folded);
    if (!number)
        return forms;
    const QString key = QString::fromUtf8(folded);
    entriesIn(index, block(index, *number), folded, [&](const Entry& entry) {
        const QString form = formOfKey(index, key, entry.pattern);
        forms.append({form, entry.baseText(form), entry.kind(), entry.weight});
    });
    return forms;
}

QList<FormTable::Form> FormTable::formsFolded(Language language, const QString& folded) const
{
    return formsOfKey(index(language), folded.toUtf8());
}

bool FormTable::knows(Language language, const QString& loweredWord, const QList<Form>& forms) const
{
    const bool isForm = std::any_of(forms.cbegin(), forms.cend(),
                                    [](const Form& form) { return form.kind != Kind::HeadWord; });
    if (isForm)
        return true;
    const Index& in = index(language);
    const quint32 hash = wordHash(loweredWord.toUtf8());
    const auto after = std::upper_bound(in.knownSample.cbegin(), in.knownSample.cend(), hash);
    if (after == in.knownSample.cbegin())
        return false;
    const auto number = quint32(after - in.knownSample.cbegin() - 1);
    const std::lock_guard lock(m_lock);
    QByteArray bytes = in.knownStretches.value(number);
    if (bytes.isEmpty()) {
        const quint32 first = number * KnownStride;
        const quint32 count = std::min(KnownStride, in.section.knownCount - first);
        bytes = read(in.section.known + quint64(first) * 4, quint64(count) * 4);
        keep(in.knownStretches, number, bytes);
    }
    std::vector<quint32> stretch(std::size_t(bytes.size() / 4));
    if (!stretch.empty())
        std::memcpy(stretch.data(), bytes.constData(), stretch.size() * 4);
    return std::binary_search(stretch.cbegin(), stretch.cend(), hash);
}

QList<FormTable::Form> FormTable::formsOf(Language language, const QString& loweredWord) const
{
    QList<Form> forms = formsFolded(language, foldDiacritics(loweredWord));
    forms.removeIf([&](const Form& form) { return form.form != loweredWord; });
    return forms;
}

std::span<const quint32> FormTable::arcs(const Index& index) const
{
    std::call_once(index.arcsRead, [&] {
        const quint32 count = index.section.arcCount;
        if (count == 0)
            return;
        uchar* at = nullptr;
        {
            const std::lock_guard lock(m_lock); // the file keeps its maps: one at a time
            at = m_file->map(index.section.arcs, qint64(count) * 4);
        }
        if (!at) {
            qWarning("Tabulka tvarů slov se nedá namapovat: překlepy se nehledají.");
            return;
        }
#ifdef MADV_POPULATE_READ
        // Its pages are all entered at once: one by one, each would cost a fault.
        const auto page = quintptr(sysconf(_SC_PAGESIZE));
        const quintptr start = quintptr(at) & ~(page - 1);
        madvise(reinterpret_cast<void*>(start), quintptr(at) + quintptr(count) * 4 - start,
                MADV_POPULATE_READ);
#endif
        index.arcs = {reinterpret_cast<const quint32*>(at), count};
    });
    return index.arcs;
}

std::vector<std::pair<QByteArray, int>>
FormTable::keysNear(Language language, const QString& folded, int maxEdits) const
{
    std::vector<std::pair<QByteArray, int>> near;
    NearKeys(arcs(index(language)))
        .search(folded.toUtf8(), maxEdits, [&](QByteArrayView key, int edits) {
            near.emplace_back(key.toByteArray(), edits);
        });
    return near;
}

QList<FormMatch> FormTable::folded(const QString& loweredWord, Language language, int limit) const
{
    QList<RankedForm> ranked;
    for (const Form& form : formsFolded(language, foldDiacritics(loweredWord)))
        ranked.append({{form.base, form.form, 0}, form.kind, form.weight});
    return bestForms(std::move(ranked), limit);
}

// The candidates are ranked as bestForms() ranks them, by what their keys' entries say (the
// base forms are numbered in their sorted order), and only those shown are decoded: a typo
// is near dozens of forms.
QList<FormMatch> FormTable::near(const QString& loweredWord, Language language, int limit,
                                 int mostEdits) const
{
    const QString folded = foldDiacritics(loweredWord);
    if (folded.size() < ShortestNear)
        return {};
    const auto keys =
        keysNear(language, folded, std::min(mostEdits, folded.size() <= OneEditUpTo ? 1 : 2));
    struct Candidate {
        int edits;
        quint32 base;
        Entry entry;
        const QByteArray* key;
    };
    std::vector<Candidate> candidates;
    const Index& in = index(language);
    const std::lock_guard lock(m_lock);
    std::vector<quint32> numbers(keys.size(), quint32(-1));
    for (std::size_t i = 0; i < keys.size(); ++i) {
        if (keys[i].second > 0)
            numbers[i] = blockOf(in, keys[i].first).value_or(quint32(-1));
    }
    // Kept here while the cache may drop them.
    const QHash<quint32, QByteArray> blocks = this->blocks(in, numbers);
    for (std::size_t i = 0; i < keys.size(); ++i) {
        const auto block = blocks.constFind(numbers[i]);
        if (block == blocks.cend())
            continue;
        const QByteArray& key = keys[i].first;
        const int edits = keys[i].second;
        entriesIn(in, *block, key, [&](const Entry& entry) {
            candidates.push_back({edits, entry.base(), entry, &key});
        });
    }
    const auto rank = [](const Candidate& c) {
        return formRank(c.edits, c.entry.kind(), c.entry.weight, c.base);
    };
    // Stable, so that of a base's forms as near the first in the keys' order stands for it,
    // whatever else is near: the search one edit away then agrees with the one two away.
    std::stable_sort(candidates.begin(), candidates.end(),
                     [&](const Candidate& a, const Candidate& b) { return rank(a) < rank(b); });
    QList<FormMatch> out;
    std::vector<quint32> shown;
    for (const Candidate& candidate : candidates) {
        if (out.size() >= limit)
            break;
        if (std::find(shown.cbegin(), shown.cend(), candidate.base) != shown.cend())
            continue;
        shown.push_back(candidate.base);
        const QString form =
            formOfKey(in, QString::fromUtf8(*candidate.key), candidate.entry.pattern);
        out.append({candidate.entry.baseText(form), form, candidate.edits});
    }
    return out;
}

bool FormTable::isWord(const QString& loweredWord, Language language) const
{
    return knows(language, loweredWord, formsOf(language, loweredWord));
}
