#include "Preflight.h"

#include "ArticleParser.h"

#include <QDir>
#include <QFileInfo>
#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <unistd.h>

namespace Import
{

namespace
{

// Articles enough to tell the languages apart, and a share that is a clear sign.
constexpr qsizetype SampleSize = 2000;
constexpr double ClearShare = 0.2;

bool hasCzechLetter(QStringView text)
{
    static const QString letters = QStringLiteral("áčďéěíňóřšťúůýž");
    return std::any_of(text.begin(), text.end(),
                       [](QChar c) { return letters.contains(c.toLower()); });
}

QString percent(double share)
{
    return QString::number(qRound(share * 100));
}

} // namespace

CzechShares czechShares(const Dictd::Dictionary& dictionary)
{
    const qsizetype count = dictionary.articles.size();
    const qsizetype step = std::max<qsizetype>(1, count / SampleSize);
    qsizetype sampled = 0;
    qsizetype czechHeads = 0;
    qsizetype czechMeanings = 0;
    for (qsizetype i = 0; i < count; i += step) {
        const Dictd::Article& article = dictionary.articles[i];
        const ParsedArticle parsed = parseArticle(article.head, article.body);
        ++sampled;
        czechHeads += hasCzechLetter(parsed.head);
        czechMeanings += std::any_of(parsed.senses.begin(), parsed.senses.end(),
                                     [](const Sense& sense) { return hasCzechLetter(sense.core); });
    }
    if (sampled == 0)
        return {};
    return {static_cast<double>(czechHeads) / static_cast<double>(sampled),
            static_cast<double>(czechMeanings) / static_cast<double>(sampled)};
}

std::optional<QString> whyWrongDirection(const Dictd::Dictionary& dictionary, bool englishCzech)
{
    const CzechShares shares = czechShares(dictionary);
    const double given = englishCzech ? shares.meanings : shares.heads;
    const double other = englishCzech ? shares.heads : shares.meanings;
    if (other < ClearShare || other <= 2 * given)
        return std::nullopt;
    return QStringLiteral("%1 vypadá jako %2 slovník (písmena s českou diakritikou má %3 % hesel "
                          "a %4 % překladů); takový slovník zadejte volbou %5")
        .arg(dictionary.indexPath,
             englishCzech ? QStringLiteral("česko-anglický") : QStringLiteral("anglicko-český"),
             percent(shares.heads), percent(shares.meanings),
             englishCzech ? QStringLiteral("--czech-english") : QStringLiteral("--english-czech"));
}

std::optional<QString> whyNotWritable(const QString& folder)
{
    const QString path = QDir::cleanPath(QDir(folder).absolutePath());
    QString existing = path;
    while (!QFileInfo::exists(existing) && QFileInfo(existing).path() != existing)
        existing = QFileInfo(existing).path();
    const QString native = QDir::toNativeSeparators(existing);
    const QString where = existing == path ? QString() : QStringLiteral(" do %1").arg(native);
    const auto refused = [&](const QString& reason) {
        return (existing == path ? QStringLiteral("Do složky %1 nelze zapisovat: %2.")
                                 : QStringLiteral("Složku %1 nelze vytvořit: %2."))
            .arg(QDir::toNativeSeparators(path), reason);
    };
    if (!QFileInfo(existing).isDir())
        return refused(QStringLiteral("%1 není složka, ale soubor").arg(native));

    // The one sure test is to try: a file made and removed at once. access() would let root
    // pass where the file system itself refuses.
    QByteArray probe = QFile::encodeName(existing + QStringLiteral("/.slovnik-import-XXXXXX"));
    const int fd = ::mkstemp(probe.data());
    if (fd >= 0) {
        ::close(fd);
        ::unlink(probe.constData());
        return std::nullopt;
    }
    switch (errno) {
    case EROFS:
        return refused(QStringLiteral("systém souborů je jen pro čtení"));
    case EACCES:
    case EPERM:
        return refused(QStringLiteral("chybí oprávnění k zápisu") + where);
    case ENOSPC:
    case EDQUOT:
        return refused(QStringLiteral("na disku není místo"));
    default:
        return refused(
            QStringLiteral("systém zápis%1 odmítl (chyba systému č. %2)").arg(where).arg(errno));
    }
}

} // namespace Import
