#pragma once

#include "dictionary/FileWriter.h"
#include "dictionary/HeadIndex.h"
#include "language/BaseForms.h"
#include "language/FormTable.h"
#include "language/TableBaseForms.h"
#include "speech/SpeechControl.h"

#include <QStringList>

#include <functional>
#include <memory>

// Creates the speech control of one loaded window (hlas1, hlas2).
using SpeechFactory = std::function<std::unique_ptr<SpeechControl>()>;

// The speech controls of the program, made by the speech module, which is loaded from the
// first of `moduleFiles` that exists (speechModuleFiles() when empty) when the first control
// is asked for. Where the module cannot be loaded, the controls are silent and say why.
SpeechFactory speechFromModule(QStringList moduleFiles = {});
// Where the program looks for its speech module: beside itself, then where it is installed.
QStringList speechModuleFiles();

// What the secondary windows need from the machine. The program uses the defaults; tests
// pass recording fakes.
struct WindowServices {
    SpeechFactory makeSpeech = speechFromModule();
    std::shared_ptr<FileWriter> writer = std::make_shared<SafeFileWriter>();
    // Whether the user has been told in this run that speech is not available.
    std::shared_ptr<bool> speechNoticeGiven = std::make_shared<bool>(false);
    // The word-form table of the dictionary's head words: null when the program's table is
    // missing. Opening it reads only its small indexes.
    std::shared_ptr<const FormTable> formTable = FormTable::openInstalled();
    // Base forms of inflected words for the lookup; null for none. From the table, which is
    // ready at once and needs no spelling dictionary in memory; from Hunspell (read when
    // first asked) only where the table is missing.
    std::shared_ptr<BaseFormSource> baseForms =
        formTable ? std::shared_ptr<BaseFormSource>(std::make_shared<TableBaseForms>(formTable))
                  : std::make_shared<BaseForms>();
    // The dictionary's head words and their inflected forms, for words typed without
    // diacritics or mistyped; null when the table is missing.
    std::shared_ptr<const FormLookup> forms = formTable;
    // What the translation passes have read, kept while the program runs.
    std::shared_ptr<HeadIndex> heads = std::make_shared<HeadIndex>();
};

// The speech control of a window being loaded (a silent one when none can be made), and
// the notice the window shows when speech cannot be heard and the user has not been told so
// yet in this run.
struct WindowSpeech {
    std::unique_ptr<SpeechControl> control;
    QString notice;
};
WindowSpeech loadWindowSpeech(const WindowServices& services);
