#include "shell/WindowServices.h"

#include "speech/EspeakSpeech.h"

std::unique_ptr<SpeechControl> makeSpeechControl()
{
    return std::make_unique<EspeakSpeech>();
}
