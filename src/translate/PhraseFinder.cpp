#include "translate/PhraseFinder.h"

#include "dictionary/Cp1250.h"
#include "dictionary/FileReader.h"
#include "dictionary/HeadIndex.h"
#include "dictionary/LetterFile.h"
#include "dictionary/LineReader.h"
#include "dictionary/WordSplitter.h"
#include "translate/BaseFormFallback.h"
#include "translate/LetterTables.h"

#include <algorithm>

namespace
{

// Typed words remembered before the memory starts afresh.
constexpr std::size_t TypedMemoLimit = 50000;

// The number of the sentence each of the first `count` words of `text` is in.
std::vector<int> sentenceNumbers(QStringView text, qsizetype count)
{
    std::vector<int> numbers;
    numbers.reserve(std::size_t(count));
    int sentence = 0;
    bool inWord = false;
    for (QChar c : text) {
        // Most characters are ASCII, which needs no call.
        const char16_t code = c.unicode();
        const bool wordCharacter =
            code < 128 ? code >= 65 && code <= 122 : WordSplitter::isWordCharacter(c);
        if (wordCharacter && !inWord) {
            if (qsizetype(numbers.size()) == count)
                break;
            numbers.push_back(sentence);
        }
        inWord = wordCharacter;
        if (!wordCharacter && PhraseFinder::endsSentence(c))
            ++sentence;
    }
    numbers.resize(std::size_t(count), sentence);
    return numbers;
}

quint64 edge(int node, int word)
{
    return (quint64(quint32(node)) << 32) | quint32(word);
}

} // namespace

struct PhraseFinder::Search {
    std::span<const QString> words;
    std::vector<WordInfo*> info;
    std::vector<int> sentences;
    LetterTables& tables;
    const BaseFormSource* baseForms;
    Language language;

    bool inSentence(qsizetype j, qsizetype of) const
    {
        return j < qsizetype(words.size()) &&
               sentences[std::size_t(j)] == sentences[std::size_t(of)];
    }
};

bool PhraseFinder::endsSentence(QChar c)
{
    return c == u'.' || c == u'!' || c == u'?' || c == QChar(0x2026); // …
}

int PhraseFinder::wordId(const QString& word)
{
    const auto it = m_wordIds.constFind(word);
    if (it != m_wordIds.cend())
        return *it;
    const int id = int(m_wordIds.size());
    m_wordIds.insert(word, id);
    return id;
}

int PhraseFinder::idOf(QStringView word) const
{
    // Base forms are asked about as views of their spellings: looked up without a copy.
    return m_wordIds.value(QString::fromRawData(word.data(), word.size()), -1);
}

int PhraseFinder::child(int node, int word) const
{
    if (word < 0)
        return -1;
    if (node == 0) // most words are looked for here, so the first words need no hashing
        return std::size_t(word) < m_firstNodes.size() ? m_firstNodes[std::size_t(word)] : -1;
    const auto it = m_edges.find(edge(node, word));
    return it == m_edges.end() ? -1 : it->second;
}

void PhraseFinder::read(const QString& dataPath, const QString& dictExt)
{
    m_dataPath = dataPath;
    m_dictExt = dictExt;
    m_wordIds.clear();
    m_laterWords.clear();
    m_edges.clear();
    m_firstNodes.clear();
    m_headOf.assign(1, QString());
    m_runsOn.assign(1, true);
    m_typed.clear();
    for (char letter = 'a'; letter <= 'z'; ++letter) {
        const QString path = LetterFile::fileName(dataPath, QString(QLatin1Char(letter)), dictExt);
        const QByteArray bytes = LetterFile::readFile(path).value_or(QByteArray());
        LetterFile::LineReader lines(bytes);
        QByteArrayView head;
        QByteArrayView translation;
        // The heads the lookup reaches: up to where it stops reading.
        while (lines.next(head) && !LetterFile::endsLookup(head) && lines.next(translation)) {
            if (!head.contains(' '))
                continue;
            const QString lowered = Cp1250::decode(head).toLower();
            const QStringList words = WordSplitter::split(lowered);
            // Only a head written as its words, one blank between them, can be met in a text.
            if (words.size() < 2 || words.join(u' ') != lowered)
                continue;
            int node = 0;
            for (qsizetype i = 0; i < words.size(); ++i) {
                const int word = wordId(words[i]);
                if (i > 0)
                    m_laterWords.insert(word);
                const auto [it, added] =
                    m_edges.try_emplace(edge(node, word), int(m_headOf.size()));
                if (added) {
                    m_headOf.emplace_back();
                    m_runsOn.push_back(false);
                    m_runsOn[std::size_t(node)] = true;
                }
                if (node == 0) {
                    m_firstNodes.resize(std::max(m_firstNodes.size(), std::size_t(word) + 1), -1);
                    m_firstNodes[std::size_t(word)] = it->second;
                }
                node = it->second;
            }
            m_headOf[std::size_t(node)] = lowered;
        }
    }
}

PhraseFinder::WordInfo& PhraseFinder::infoOf(const QString& word)
{
    if (m_typed.size() >= TypedMemoLimit)
        m_typed.clear();
    const auto [it, added] = m_typed.try_emplace(word);
    if (added) {
        it->second.id = idOf(word);
        it->second.later = m_laterWords.contains(it->second.id);
    }
    return it->second;
}

const std::vector<int>& PhraseFinder::basesOf(const QString& word, WordInfo& info, bool first,
                                              const Search& search)
{
    bool& asked = first ? info.firstAsked : info.laterAsked;
    std::vector<int>& bases = first ? info.firstBases : info.laterBases;
    if (asked)
        return bases;
    asked = true;
    const QStringList found =
        search.baseForms->baseFormsOf(word, search.language, [&](QStringView base) {
            const int id = idOf(base);
            return first ? child(0, id) > 0 : m_laterWords.contains(id);
        });
    for (const QString& base : found)
        bases.push_back(idOf(base));
    return bases;
}

void PhraseFinder::collect(const Search& search, int node, qsizetype next,
                           std::vector<Found>& phrases)
{
    if (!m_headOf[std::size_t(node)].isEmpty())
        phrases.push_back({next, node});
    if (!search.inSentence(next, next - 1))
        return;
    WordInfo& word = *search.info[std::size_t(next)];
    if (const int typed = child(node, word.id); typed > 0) {
        collect(search, typed, next + 1, phrases);
        return;
    }
    // The base forms of the word after a phrase that no longer one starts with are not needed.
    if (!search.baseForms || !m_runsOn[std::size_t(node)])
        return;
    for (const int base : basesOf(search.words[std::size_t(next)], word, false, search)) {
        if (const int inflected = child(node, base); inflected > 0)
            collect(search, inflected, next + 1, phrases);
    }
}

std::optional<PhraseFinder::Found> PhraseFinder::longestAt(const Search& search, qsizetype i)
{
    // Every phrase has a second word, in the same sentence.
    if (!search.inSentence(i + 1, i))
        return std::nullopt;
    WordInfo& word = *search.info[std::size_t(i)];
    std::vector<Found> candidates;
    if (const int typed = child(0, word.id); typed > 0)
        collect(search, typed, i + 1, candidates);
    // An inflected first word is looked for only when the next word may follow it.
    if (search.baseForms && search.info[std::size_t(i + 1)]->later) {
        for (const int base : basesOf(search.words[std::size_t(i)], word, true, search)) {
            if (const int inflected = child(0, base); inflected > 0)
                collect(search, inflected, i + 1, candidates);
        }
    }
    // The longest that the head index still has (as typed first among equals).
    std::stable_sort(candidates.begin(), candidates.end(),
                     [](const Found& a, const Found& b) { return a.end > b.end; });
    const auto best = std::find_if(candidates.begin(), candidates.end(), [&](const Found& found) {
        const QString& head = m_headOf[std::size_t(found.node)];
        return search.tables.of(head).contains(head);
    });
    return best == candidates.end() ? std::nullopt : std::optional(*best);
}

QList<PhraseMatch> PhraseFinder::find(QStringView scanText, std::span<const QString> words,
                                      const QString& dataPath, const QString& dictExt,
                                      HeadIndex& heads, const BaseFormSource* baseForms)
{
    if (dataPath != m_dataPath || dictExt != m_dictExt)
        read(dataPath, dictExt);
    if (m_typed.size() + words.size() >= TypedMemoLimit)
        m_typed.clear();
    LetterTables tables(heads, dataPath, dictExt);
    Search search{words,  {},        sentenceNumbers(scanText, qsizetype(words.size())),
                  tables, baseForms, languageOf(dictExt)};
    search.info.reserve(words.size());
    for (const QString& word : words)
        search.info.push_back(&infoOf(word));

    QList<PhraseMatch> found;
    for (qsizetype i = 0; i < qsizetype(words.size());) {
        const std::optional<Found> best = longestAt(search, i);
        if (!best) {
            ++i;
            continue;
        }
        // A longer phrase that starts inside this one and runs on past it comes first:
        // "are in charge of" is "in charge of", not "be in".
        qsizetype later = i + 1;
        for (; later < best->end; ++later) {
            const std::optional<Found> other = longestAt(search, later);
            if (other && other->end > best->end && other->end - later > best->end - i)
                break;
        }
        if (later < best->end) {
            i = later;
            continue;
        }
        QStringList typed;
        for (qsizetype k = i; k < best->end; ++k)
            typed.append(words[std::size_t(k)]);
        const QString& head = m_headOf[std::size_t(best->node)];
        found.append({typed.join(u' '), head, search.tables.of(head).translationsOf(head)});
        i = best->end;
    }
    return found;
}
