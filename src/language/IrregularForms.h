#pragma once

#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>

// A table of forms that follow no ending rule, written one base form a line:
//   "jít: jdu jdeš jde"   the forms of the base form
//   "+jít: ..."           their forms also come after the prefixes of verbs (přijde -> přijít)
//   "~brát: ..."          so do they, and the prefixed verb has a short vowel (vybere -> vybrat)
struct IrregularBase {
    QString base;
    enum Prefixes { Alone, Prefixed, PrefixedShort } prefixes = Alone;
};
using IrregularForms = QHash<QString, QList<IrregularBase>>;

inline IrregularForms parseIrregularForms(const char16_t* text)
{
    IrregularForms forms;
    for (const QString& line : QString::fromUtf16(text).split(QLatin1Char('\n'))) {
        const qsizetype colon = line.indexOf(QLatin1Char(':'));
        if (colon < 0)
            continue;
        QString base = line.left(colon).trimmed();
        auto prefixes = IrregularBase::Alone;
        if (base.startsWith(QLatin1Char('+')))
            prefixes = IrregularBase::Prefixed;
        if (base.startsWith(QLatin1Char('~')))
            prefixes = IrregularBase::PrefixedShort;
        if (prefixes != IrregularBase::Alone)
            base.remove(0, 1);
        for (const QString& form : line.mid(colon + 1).split(QLatin1Char(' '), Qt::SkipEmptyParts))
            forms[form].append({base, prefixes});
    }
    return forms;
}
