// The entry points of the speech module (see SpeechModule.h).
#include "speech/SpeechModule.h"

#include "speech/QueuedSpeech.h"

#include <QtGlobal>

extern "C" Q_DECL_EXPORT int slovnik_speech_interface()
{
    return SpeechModule::InterfaceVersion;
}

extern "C" Q_DECL_EXPORT void slovnik_make_speech_control(std::unique_ptr<SpeechControl>& control)
{
    control = std::make_unique<QueuedSpeech>();
}
