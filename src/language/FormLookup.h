#pragma once

#include "language/BaseFormSource.h"

#include <QList>
#include <QString>

// A head word of the dictionary that a typed word may stand for: `form` is the spelling that
// matched (the head word itself or one of its inflected forms), `edits` how many letters had
// to change (0 when only the diacritics differ).
struct FormMatch {
    QString base;
    QString form;
    int edits = 0;
    bool operator==(const FormMatch&) const = default;
};

// What the dictionary's own words and their inflected forms say about a word that has no
// entry and no base form: the words it may have been meant as.
class FormLookup
{
  public:
    virtual ~FormLookup() = default;

    // Head words whose spelling, or one of whose inflected forms, equals the word once the
    // diacritics of both are folded away (kocku -> kočka, kun -> kůň before kuna); best first,
    // at most `limit`.
    virtual QList<FormMatch> folded(const QString& loweredWord, Language language,
                                    int limit) const = 0;

    // Up to this many letters (diacritics folded) a word is allowed one edit, beyond it two.
    static constexpr qsizetype OneEditUpTo = 4;

    // Head words or inflected forms one or two edits from the word (hosue -> house), never
    // more than mostEdits; nearest and likeliest first, at most `limit`.
    virtual QList<FormMatch> near(const QString& loweredWord, Language language, int limit,
                                  int mostEdits = 2) const = 0;

    // Whether the language's spelling dictionary knows the word as typed, as a word of its own
    // or as a form of one: a real word, even if the dictionary has no entry for it.
    virtual bool isWord(const QString& loweredWord, Language language) const = 0;
};
