#include "language/Contractions.h"

#include <QHash>

namespace
{

// After these words 's stands for "is" or "has"; after any other it marks a possessive.
bool takesIs(const QString& word)
{
    static const QStringList words = {
        QStringLiteral("it"),    QStringLiteral("he"),       QStringLiteral("she"),
        QStringLiteral("that"),  QStringLiteral("what"),     QStringLiteral("who"),
        QStringLiteral("there"), QStringLiteral("here"),     QStringLiteral("where"),
        QStringLiteral("how"),   QStringLiteral("when"),     QStringLiteral("why"),
        QStringLiteral("this"),  QStringLiteral("everyone"), QStringLiteral("nobody")};
    return words.contains(word);
}

} // namespace

QStringList contractionParts(const QString& loweredWord)
{
    const qsizetype apostrophe = loweredWord.indexOf(QLatin1Char('\''));
    if (apostrophe < 0)
        return {};
    const QString stem = loweredWord.left(apostrophe);
    const QString ending = loweredWord.mid(apostrophe + 1);
    if (loweredWord == QLatin1String("'tis"))
        return {QStringLiteral("it"), QStringLiteral("is")};
    if (ending == QLatin1String("clock"))
        return {QStringLiteral("clock")};
    if (ending == QLatin1String("t")) {
        // The three whose first word is spelt otherwise before n't; "ain't" stands for the
        // forms of "be".
        static const QHash<QString, QString> irregular = {
            {QStringLiteral("ca"), QStringLiteral("can")},
            {QStringLiteral("wo"), QStringLiteral("will")},
            {QStringLiteral("sha"), QStringLiteral("shall")},
            {QStringLiteral("ai"), QStringLiteral("be")}};
        const QString first = stem.chopped(1);
        return {irregular.value(first, first), QStringLiteral("not")};
    }
    if (ending == QLatin1String("s")) {
        if (stem == QLatin1String("let"))
            return {stem, QStringLiteral("us")};
        if (takesIs(stem))
            return {stem, QStringLiteral("is"), QStringLiteral("has")};
        return {stem};
    }
    static const QHash<QString, QString> verbs = {{QStringLiteral("m"), QStringLiteral("am")},
                                                  {QStringLiteral("re"), QStringLiteral("are")},
                                                  {QStringLiteral("ve"), QStringLiteral("have")},
                                                  {QStringLiteral("ll"), QStringLiteral("will")},
                                                  {QStringLiteral("d"), QStringLiteral("would")}};
    return {stem, verbs.value(ending, ending)};
}
