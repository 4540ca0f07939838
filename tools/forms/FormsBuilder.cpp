#include "FormsBuilder.h"

#include "dictionary/FileReader.h"
#include "dictionary/LetterFile.h"
#include "language/BaseFormList.h"
#include "language/CzechEndings.h"

#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QStringDecoder>
#include <QTemporaryDir>

using FormTableFormat::Kind;

namespace
{

// Put between the roots given to unmunch, so that its output falls into one group per root:
// it is no word and has no affix classes, so it comes out as it went in.
const QString Separator = QStringLiteral("@@@");

const QStringList& letters()
{
    static const QStringList all = [] {
        QStringList out;
        for (char c = 'a'; c <= 'z'; ++c)
            out.append(QString(QLatin1Char(c)));
        return out;
    }();
    return all;
}

std::optional<QString> readText(const QString& path, QString* whyNot)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        *whyNot = path + QStringLiteral(": ") + file.errorString();
        return std::nullopt;
    }
    // Debian's dictionaries are UTF-8 (their SET line says so).
    return QString::fromUtf8(file.readAll());
}

// The affix file without prefixes but the Czech superlative's (nej-: nejlepší is a form of
// lepší), and for English without the suffixes that derive.
QString affixesToExpand(const QString& aff, Language language)
{
    static const QStringList inflecting{QStringLiteral("S"), QStringLiteral("D"),
                                        QStringLiteral("G"), QStringLiteral("T")};
    QStringList kept;
    for (const QString& line : aff.split(QLatin1Char('\n'))) {
        const QStringList fields = line.simplified().split(QLatin1Char(' '));
        const bool affix = fields.size() >= 2 &&
                           (fields[0] == QLatin1String("PFX") || fields[0] == QLatin1String("SFX"));
        const bool superlative = language == Language::Czech && fields[1] == QLatin1String("E");
        if (affix && ((fields[0] == QLatin1String("PFX") && !superlative) ||
                      (language == Language::English && !inflecting.contains(fields[1]))))
            continue;
        kept.append(line);
    }
    return kept.join(QLatin1Char('\n'));
}

} // namespace

QList<FormsBuilder::Source> FormsBuilder::sources()
{
    return {{Language::Czech, LetterFile::CzechToEnglish, LetterFile::EnglishToCzech,
             QStringLiteral("cs_CZ")},
            {Language::English, LetterFile::EnglishToCzech, LetterFile::CzechToEnglish,
             QStringLiteral("en_US")}};
}

void FormsBuilder::forEachEntry(const QString& dictExt,
                                const std::function<void(const LetterFile::Entry&)>& use) const
{
    for (const QString& letter : letters()) {
        const auto bytes =
            LetterFile::readFile(m_dictionaryDir + QLatin1Char('/') + letter + dictExt);
        if (!bytes)
            continue;
        for (const LetterFile::Entry& entry : LetterFile::readEntries(*bytes, dictExt).entries)
            use(entry);
    }
}

QHash<QString, int> FormsBuilder::headWords(const QString& dictExt) const
{
    QHash<QString, int> heads;
    forEachEntry(dictExt, [&](const LetterFile::Entry& entry) { ++heads[entry.head.toLower()]; });
    return heads;
}

QHash<QString, int> FormsBuilder::wordCounts(const QString& dictExt) const
{
    // Unicode word characters: by ASCII rules "být" would count as "b" and "t".
    static const QRegularExpression notLetter(QStringLiteral("\\W+"),
                                              QRegularExpression::UseUnicodePropertiesOption);
    QHash<QString, int> counts;
    forEachEntry(dictExt, [&](const LetterFile::Entry& entry) {
        for (const QString& word : entry.translation.toLower().split(notLetter, Qt::SkipEmptyParts))
            ++counts[word];
    });
    return counts;
}

std::optional<QList<QStringList>> FormsBuilder::expand(const QStringList& dicLines,
                                                       const QString& aff, Language language,
                                                       QString* whyNot) const
{
    QTemporaryDir dir;
    QFile dic(dir.filePath(QStringLiteral("roots.dic")));
    QFile affix(dir.filePath(QStringLiteral("roots.aff")));
    QStringList lines{QString::number(dicLines.size() * 2)};
    for (const QString& line : dicLines)
        lines << line << Separator;
    if (!dic.open(QIODevice::WriteOnly) || !affix.open(QIODevice::WriteOnly) ||
        dic.write(lines.join(QLatin1Char('\n')).toUtf8() + '\n') < 0 ||
        affix.write(affixesToExpand(aff, language).toUtf8()) < 0) {
        *whyNot = dir.path() + QStringLiteral(": cannot be written");
        return std::nullopt;
    }
    dic.close();
    affix.close();

    QProcess unmunch;
    unmunch.setProcessChannelMode(QProcess::SeparateChannels);
    unmunch.setStandardErrorFile(QProcess::nullDevice());
    unmunch.start(m_unmunch, {dic.fileName(), affix.fileName()});
    if (!unmunch.waitForFinished(-1) || unmunch.exitStatus() != QProcess::NormalExit) {
        *whyNot = m_unmunch + QStringLiteral(": ") + unmunch.errorString();
        return std::nullopt;
    }
    QList<QStringList> groups{{}};
    for (const QString& line : QString::fromUtf8(unmunch.readAllStandardOutput()).split('\n')) {
        if (line == Separator)
            groups.append(QStringList());
        else if (!line.isEmpty())
            groups.back().append(line.toLower());
    }
    groups.removeIf([](const QStringList& group) { return group.isEmpty(); });
    return groups;
}

bool FormsBuilder::add(const Source& source, FormTableWriter& writer, QString* whyNot)
{
    const QHash<QString, int> heads = headWords(source.dictExt);
    if (heads.isEmpty()) {
        *whyNot = m_dictionaryDir + QStringLiteral(": no head words of ") + source.dictExt;
        return false;
    }
    const QHash<QString, int> counts = wordCounts(source.otherDictExt);
    for (auto it = heads.cbegin(); it != heads.cend(); ++it) {
        writer.add(source.language, it.key(), it.key(), Kind::HeadWord);
        writer.setWeight(source.language, it.key(), quint32(it.value() + counts.value(it.key())));
    }

    const QString base = m_hunspellDir + QLatin1Char('/') + source.hunspellName;
    const auto dic = readText(base + QStringLiteral(".dic"), whyNot);
    const auto aff = readText(base + QStringLiteral(".aff"), whyNot);
    if (!dic || !aff)
        return false;

    // The roots to expand, each with the head word its forms belong to: the root itself, or
    // the likeliest base form the language's own analyser makes of it that is a head word
    // (byl -> být, odeslaný -> odeslat).
    QStringList toExpand;
    QList<std::pair<QString, Kind>> headOf;
    const QStringList dicLines = dic->split(QLatin1Char('\n'));
    for (qsizetype i = 1; i < dicLines.size(); ++i) {
        const QString line = dicLines[i].section(QLatin1Char('\t'), 0, 0).trimmed();
        const QString root = line.section(QLatin1Char('/'), 0, 0).toLower();
        if (root.isEmpty())
            continue;
        writer.addKnown(source.language, root);
        if (heads.contains(root)) {
            toExpand.append(line);
            headOf.append({root, Kind::Inflected});
            continue;
        }
        for (const BaseForm& guess : ownBaseForms(source.language, root)) {
            if (heads.contains(guess.word)) {
                toExpand.append(line);
                headOf.append({guess.word, Kind::Derived});
                break;
            }
        }
    }
    const auto groups = expand(toExpand, *aff, source.language, whyNot);
    if (!groups)
        return false;
    if (groups->size() != toExpand.size()) {
        *whyNot = m_unmunch + QStringLiteral(" gave %1 groups of forms for %2 roots")
                                  .arg(groups->size())
                                  .arg(toExpand.size());
        return false;
    }
    for (qsizetype i = 0; i < groups->size(); ++i) {
        const auto& [head, kind] = headOf[i];
        for (const QString& form : groups->at(i)) {
            // Hunspell makes the nouns in -ost of adjectives: another word (zkušenost).
            if (form != head && !CzechEndings::isQualityOf(form, groups->at(i).front()))
                writer.add(source.language, form, head, kind);
        }
    }
    return true;
}
