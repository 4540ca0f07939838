#include "language/HunspellDictionary.h"

#include <QFile>
#include <hunspell.hxx>

namespace
{

// Hunspell spells the ISO encodings without the first hyphen ("ISO8859-2").
QString converterName(QString hunspellName)
{
    hunspellName = hunspellName.trimmed();
    if (hunspellName.startsWith(QLatin1String("ISO8859"), Qt::CaseInsensitive))
        hunspellName.insert(3, QLatin1Char('-'));
    return hunspellName;
}

} // namespace

std::unique_ptr<HunspellDictionary>
HunspellDictionary::open(const QString& affPath, const QString& dicPath, QString* whyNot)
{
    for (const QString& path : {affPath, dicPath}) {
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly)) {
            if (whyNot)
                *whyNot = QStringLiteral("soubor %1 nelze číst").arg(path);
            return nullptr;
        }
    }
    auto hunspell = std::make_unique<Hunspell>(QFile::encodeName(affPath).constData(),
                                               QFile::encodeName(dicPath).constData());
    const QString name = converterName(QString::fromLatin1(hunspell->get_dic_encoding()));
    if (!QStringEncoder(name.toLatin1().constData()).isValid()) {
        if (whyNot)
            *whyNot = QStringLiteral("neznámé kódování %1 slovníku %2").arg(name, dicPath);
        return nullptr;
    }
    return std::unique_ptr<HunspellDictionary>(new HunspellDictionary(std::move(hunspell), name));
}

HunspellDictionary::HunspellDictionary(std::unique_ptr<Hunspell> hunspell,
                                       const QString& encodingName)
    : m_hunspell(std::move(hunspell)), m_encoder(encodingName.toLatin1().constData()),
      m_decoder(encodingName.toLatin1().constData())
{
}

HunspellDictionary::~HunspellDictionary() = default;

std::optional<std::string> HunspellDictionary::toDictionary(const QString& text)
{
    m_encoder.resetState();
    const QByteArray bytes = m_encoder.encode(text);
    if (m_encoder.hasError())
        return std::nullopt;
    return std::string(bytes.constData(), bytes.size());
}

QString HunspellDictionary::fromDictionary(const std::string& bytes)
{
    return m_decoder.decode(QByteArrayView(bytes.data(), qsizetype(bytes.size())));
}

bool HunspellDictionary::knows(const QString& word)
{
    const auto encoded = toDictionary(word);
    return encoded && m_hunspell->spell(*encoded);
}

QList<HunspellDictionary::Stem> HunspellDictionary::stems(const QString& word)
{
    QList<Stem> result;
    // A word the dictionary's encoding cannot hold has no stems there.
    const auto encoded = toDictionary(word);
    if (!encoded)
        return result;
    for (const std::string& analysis : m_hunspell->analyze(*encoded)) {
        // An analysis is a row of fields: " st:člun fl:H"; anything before "st:" is a prefix.
        const QStringList fields =
            fromDictionary(analysis).split(QLatin1Char(' '), Qt::SkipEmptyParts);
        Stem stem;
        for (const QString& field : fields) {
            if (field.startsWith(QLatin1String("st:"))) {
                if (!stem.word.isEmpty())
                    break;
                stem.word = field.mid(3);
            } else if (stem.word.isEmpty()) {
                stem.prefixed = true;
            } else if (field.startsWith(QLatin1String("fl:"))) {
                stem.suffixFlags.append(field.mid(3));
            }
        }
        if (!stem.word.isEmpty())
            result.append(stem);
    }
    return result;
}
