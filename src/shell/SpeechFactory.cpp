#include "shell/WindowServices.h"

std::unique_ptr<SpeechControl> makeSpeechControl()
{
    return std::make_unique<SilentSpeech>();
}
