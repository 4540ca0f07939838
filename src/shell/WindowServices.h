#pragma once

#include "dictionary/FileWriter.h"
#include "language/BaseForms.h"
#include "speech/SpeechControl.h"

#include <functional>
#include <memory>

// Creates the speech control of one loaded window (hlas1, hlas2).
using SpeechFactory = std::function<std::unique_ptr<SpeechControl>()>;

// The speech engine of the program: every window that speaks gets its control from here.
std::unique_ptr<SpeechControl> makeSpeechControl();

// What the secondary windows need from the machine. The program uses the defaults; tests
// pass recording fakes.
struct WindowServices {
    SpeechFactory makeSpeech = makeSpeechControl;
    std::shared_ptr<FileWriter> writer = std::make_shared<SafeFileWriter>();
    // Base forms of inflected words for the lookup; null for none. Reads nothing until asked.
    std::shared_ptr<BaseFormSource> baseForms = std::make_shared<BaseForms>();
};
