#pragma once

#include "dictionary/FileWriter.h"
#include "dictionary/HeadIndex.h"
#include "language/BaseFormSource.h"
#include "speech/SpeechControl.h"
#include "state/Module1.h"
#include "translate/PhraseFinder.h"
#include "translate/TranslateHandler.h"
#include "translate/TranslationView.h"

#include <QStringList>

// One press of the translate button over a data directory, with no window, no voice and no
// answers to learning's questions: what the user would read. Base forms are looked up when
// a source of them is given; letter files are read through `heads`, or afresh when none is given;
// phrases are looked for when a phrase finder is given.
struct TranslationRun {
    QStringList lines;   // the result lines
    QStringList unknown; // the words shown as not found
    QList<WordLookup> lookups;
    bool otherLanguage = false;
};

inline TranslationRun translate(const QString& dataPath, const QString& dictExt,
                                const QString& text, const BaseFormSource* baseForms = nullptr,
                                HeadIndex* heads = nullptr, const FormLookup* forms = nullptr,
                                PhraseFinder* phrases = nullptr)
{
    struct View final : TranslationView {
        QString inputText() const override { return input; }
        void setInputText(const QString&) override {}
        void setOutputText(const QString&) override {}
        void setMousePointer(MousePointer) override {}
        QString input;
    } view;
    struct NoAnswers final : TranslationQuestion {
        QString ask(const QString&, const QString&) override { return {}; }
    } answers;

    Module1::resetAll();
    Module1::DataPath = dataPath;
    Module1::DictExt = dictExt;
    view.input = text;
    SilentSpeech speech;
    SafeFileWriter writer; // never used: nothing is answered, so nothing is learned
    HeadIndex pressHeads;
    TranslateHandler handler(view, speech, answers, writer, heads ? *heads : pressHeads, baseForms,
                             forms, phrases);
    handler.run();

    TranslationRun run{{}, {}, handler.lookups(), handler.otherLanguage()};
    run.lines = handler.resultText().split(QStringLiteral("\r\n"), Qt::SkipEmptyParts);
    for (const QString& line : run.lines) {
        if (line.endsWith(TranslateHandler::ResultSeparator + TranslateHandler::NotFound))
            run.unknown.append(line.section(u' ', 0, 0));
    }
    return run;
}
