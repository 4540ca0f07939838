#include "language/FormTableWriter.h"

#include "language/Folding.h"

#include <QSaveFile>
#include <algorithm>
#include <numeric>
#include <optional>
#include <unordered_map>
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

// Numbers given to distinct texts in the order they are first seen.
class Numbers
{
  public:
    quint32 of(const QByteArray& text)
    {
        const auto [it, added] = m_numbers.try_emplace(text, quint32(m_numbers.size()));
        if (added)
            m_block.append(text).append('\0');
        return it->second;
    }
    const QByteArray& block() const { return m_block; }

  private:
    QByteArray m_block;
    std::unordered_map<QByteArray, quint32> m_numbers;
};

// The smallest automaton that spells `keys` (sorted, distinct, none empty) as the near arcs
// of FormTableFormat.h: each key is added as a way from the start, and the states the key
// before left behind are merged with an equal one met before (Daciuk's incremental
// construction for sorted words); nothing when the arcs would not fit their numbers.
std::optional<QByteArray> nearArcs(const std::vector<QByteArray>& keys)
{
    struct State {
        std::vector<std::pair<quint8, quint32>> arcs; // byte, target
        bool endsKey = false;
    };
    std::vector<State> states(1);
    std::unordered_map<QByteArray, quint32> merged; // a state's endsKey and arcs -> the state
    std::vector<quint32> path{0}; // the states along the key before, from the start
    const auto merge = [&](std::size_t keep) {
        for (; path.size() > keep + 1; path.pop_back()) {
            State& state = states[path.back()];
            QByteArray identity(1, char(state.endsKey));
            for (const auto& [byte, target] : state.arcs)
                identity.append(char(byte)).append(reinterpret_cast<const char*>(&target), 4);
            const auto [same, added] = merged.try_emplace(identity, path.back());
            if (!added) {
                states[path[path.size() - 2]].arcs.back().second = same->second;
                state = State{};
            }
        }
    };
    QByteArrayView previous;
    for (const QByteArray& key : keys) {
        const auto shared = std::size_t(
            std::mismatch(key.cbegin(), key.cend(), previous.cbegin(), previous.cend()).first -
            key.cbegin());
        merge(shared);
        for (std::size_t i = shared; i < std::size_t(key.size()); ++i) {
            states[path.back()].arcs.emplace_back(quint8(key[qsizetype(i)]),
                                                  quint32(states.size()));
            path.push_back(quint32(states.size()));
            states.emplace_back();
        }
        states[path.back()].endsKey = true;
        previous = key;
    }
    merge(0);

    // Each state's arcs in one run, the start's first, after the unused arc 0; a state's
    // first child follows it, as a search goes down, so that a search reads nearby memory.
    std::vector<quint32> firstArc(states.size(), 0);
    std::vector<quint32> placing{0};
    quint32 arcCount = 1;
    while (!placing.empty()) {
        const quint32 number = placing.back();
        placing.pop_back();
        const State& state = states[number];
        if (state.arcs.empty() || firstArc[number] != 0)
            continue;
        firstArc[number] = arcCount;
        arcCount += quint32(state.arcs.size());
        for (auto arc = state.arcs.crbegin(); arc != state.arcs.crend(); ++arc)
            placing.push_back(arc->second);
    }
    if (arcCount >= MostArcs)
        return std::nullopt;
    if (keys.empty())
        return QByteArray();
    std::vector<quint32> arcs(arcCount, 0);
    for (std::size_t s = 0; s < states.size(); ++s) {
        const State& state = states[s];
        if (firstArc[s] == 0 && s != 0)
            continue;
        for (std::size_t a = 0; a < state.arcs.size(); ++a) {
            const auto [byte, target] = state.arcs[a];
            arcs[firstArc[s] + a] = byte | (a + 1 == state.arcs.size() ? ArcLast : 0) |
                                    (states[target].endsKey ? ArcToKey : 0) |
                                    firstArc[target] << ArcTargetShift;
        }
    }
    return QByteArray(reinterpret_cast<const char*>(arcs.data()), qsizetype(arcs.size() * 4));
}

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

std::optional<QByteArray> FormTableWriter::section(const Pairs& pairs, quint32 start,
                                                   Section& header) const
{
    // Base forms are numbered in their sorted order, so that their numbers rank as their
    // texts do.
    std::vector<quint32> byText(std::size_t(pairs.baseTexts.size()));
    std::iota(byText.begin(), byText.end(), 0u);
    std::sort(byText.begin(), byText.end(), [&](quint32 a, quint32 b) {
        return pairs.baseTexts[a].toUtf8() < pairs.baseTexts[b].toUtf8();
    });
    std::vector<quint32> number(byText.size());
    for (std::size_t i = 0; i < byText.size(); ++i)
        number[byText[i]] = quint32(i);

    struct Row {
        QByteArray folded;
        quint8 kind;
        QByteArray form; // its mark pattern
        quint32 base;
        QString formText;
        quint32 baseIndex;
    };
    std::vector<Row> rows;
    rows.reserve(pairs.kinds.size());
    for (auto it = pairs.kinds.cbegin(); it != pairs.kinds.cend(); ++it) {
        const QString& form = it.key().first;
        const QString folded = foldDiacritics(form);
        QByteArray pattern = markPattern(form);
        if (formOf(folded, QString::fromUtf8(pattern)) != form)
            pattern = WholeForm + form.toUtf8();
        rows.push_back(
            {folded.toUtf8(), it.value(), pattern, number[it.key().second], form, it.key().second});
    }
    std::sort(rows.begin(), rows.end(), [](const Row& a, const Row& b) {
        return std::tie(a.folded, a.kind, a.form, a.base) <
               std::tie(b.folded, b.kind, b.form, b.base);
    });

    Numbers patterns;
    patterns.of(QByteArray());
    QByteArray blocks, blockIndex, firstKeys;
    std::vector<QByteArray> nearKeys;
    quint32 keyCount = 0;
    QByteArray previous;
    for (std::size_t i = 0; i < rows.size();) {
        const QByteArray& key = rows[i].folded;
        std::size_t end = i;
        while (end < rows.size() && rows[end].folded == key)
            ++end;
        if (keyCount % KeysPerBlock == 0) {
            append(blockIndex, quint32(blocks.size()));
            firstKeys.append(key).append('\0');
            previous.clear();
        }
        qsizetype shared = 0;
        while (shared < std::min<qsizetype>({previous.size(), key.size(), 255}) &&
               previous[shared] == key[shared])
            ++shared;
        blocks.append(char(shared));
        appendVarint(blocks, quint32(key.size() - shared));
        blocks.append(key.mid(shared));
        QByteArray entries;
        for (; i < end; ++i) {
            const Row& row = rows[i];
            appendEntry(entries, patterns.of(row.form), row.base << 2 | row.kind,
                        pairs.weights[row.baseIndex], row.formText, pairs.baseTexts[row.baseIndex]);
        }
        appendVarint(blocks, quint32(entries.size()));
        blocks.append(entries);
        if (!key.isEmpty() && key.size() < MostNearLength)
            nearKeys.push_back(key);
        previous = key;
        ++keyCount;
    }
    append(blockIndex, quint32(blocks.size()));

    QByteArray known, knownIndex;
    std::vector<quint32> hashes(pairs.known.cbegin(), pairs.known.cend());
    std::sort(hashes.begin(), hashes.end());
    for (std::size_t i = 0; i < hashes.size(); ++i) {
        append(known, hashes[i]);
        if (i % KnownStride == 0)
            append(knownIndex, hashes[i]);
    }

    // Each array of numbers starts on a four-byte boundary; offsets inside a part are made
    // offsets from the file's start once the part has its place.
    QByteArray out;
    const auto place = [&](const QByteArray& bytes) {
        while ((start + out.size()) % 4 != 0)
            out.append('\0');
        const auto offset = quint32(start + out.size());
        out.append(bytes);
        return offset;
    };
    const auto rebase = [](QByteArray offsets, quint32 by) {
        auto* numbers = reinterpret_cast<quint32*>(offsets.data());
        for (qsizetype i = 0; i < offsets.size() / 4; ++i)
            numbers[i] += by;
        return offsets;
    };
    header.keyCount = keyCount;
    header.blockCount = quint32(blockIndex.size() / 4 - 1);
    header.blockIndex = place(rebase(blockIndex, place(blocks)));
    header.firstKeys = place(firstKeys);
    header.firstKeysSize = quint32(firstKeys.size());
    header.patterns = place(patterns.block());
    header.patternsSize = quint32(patterns.block().size());
    header.knownCount = quint32(hashes.size());
    header.known = place(known);
    header.knownIndex = place(knownIndex);
    const std::optional<QByteArray> arcs = nearArcs(nearKeys);
    if (!arcs)
        return std::nullopt;
    header.arcCount = quint32(arcs->size() / 4);
    header.arcs = place(*arcs);
    return out;
}

bool FormTableWriter::write(const QString& path, QString* whyNot) const
{
    Header header{Magic, Version, 0, {}};
    QByteArray body;
    for (int i = 0; i < 2; ++i) {
        const auto part =
            section(m_languages[i], quint32(sizeof header + body.size()), header.sections[i]);
        if (!part) {
            if (whyNot)
                *whyNot = QStringLiteral("too many word forms for one table");
            return false;
        }
        body.append(*part);
    }
    QSaveFile file(path);
    const bool written = file.open(QIODevice::WriteOnly) &&
                         file.write(reinterpret_cast<const char*>(&header), sizeof header) ==
                             qint64(sizeof header) &&
                         file.write(body) == body.size() && file.commit();
    if (!written && whyNot)
        *whyNot = file.errorString();
    return written;
}
