#pragma once

#include "dictionary/FileWriter.h"
#include "dictionary/HeadIndex.h"
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
    // What the translation passes have read, kept while the program runs.
    std::shared_ptr<HeadIndex> heads = std::make_shared<HeadIndex>();
};
