#include "speech/EspeakEngine.h"

#include "speech/SpeechSettings.h"

#include <espeak-ng/speak_lib.h>

namespace
{

// The synthesis in progress. espeak-ng's callback carries no pointer of ours that is
// reliable in every event list, and only one synthesis runs at a time (the engine's mutex).
struct Synthesis {
    const EspeakEngine::PcmReceiver* receiver = nullptr;
    bool stopped = false;
};
Synthesis* running = nullptr;

int onSamples(short* samples, int count, espeak_EVENT*)
{
    if (!running || running->stopped)
        return 1;
    if (samples && count > 0 && !(*running->receiver)(samples, count)) {
        running->stopped = true;
        return 1;
    }
    return 0;
}

} // namespace

EspeakEngine& EspeakEngine::instance()
{
    // Never destroyed: a speech control that outlives main() must still find it whole.
    // The process's end frees espeak-ng's memory.
    static EspeakEngine& engine = *new EspeakEngine;
    return engine;
}

EspeakEngine::EspeakEngine()
{
    // Synchronous: espeak_Synth returns when the text is done, handing PCM to onSamples on
    // the calling thread. A null path lets espeak-ng find its data where it was installed.
    // DONT_EXIT: without its data espeak-ng would otherwise end the whole program.
    m_sampleRate =
        espeak_Initialize(AUDIO_OUTPUT_SYNCHRONOUS, 0, nullptr, espeakINITIALIZE_DONT_EXIT);
    if (m_sampleRate <= 0) {
        m_sampleRate = 0;
        return;
    }
    espeak_SetSynthCallback(&onSamples);
}

void EspeakEngine::applySettings(int voice, int speed)
{
    if (voice != m_voice) {
        if (espeak_SetVoiceByName(speech::espeakVoiceName(voice)) != EE_OK)
            espeak_SetVoiceByName("en");
        m_voice = voice;
        m_wordsPerMinute = 0; // set the rate again rather than rely on the voice keeping it
    }
    const int wpm = speech::wordsPerMinute(speed);
    if (wpm != m_wordsPerMinute) {
        espeak_SetParameter(espeakRATE, wpm, 0);
        m_wordsPerMinute = wpm;
    }
}

bool EspeakEngine::synthesize(const QString& text, int voice, int speed,
                              const PcmReceiver& receiver)
{
    if (text.isEmpty())
        return false;
    // espeak-ng reads UTF-8, so Czech letters in a translation reach it as letters.
    const QByteArray utf8 = text.toUtf8();

    std::lock_guard lock(m_mutex);
    if (!available())
        return false;
    applySettings(speech::isKnownVoice(voice) ? voice : speech::DefaultVoice, speed);
    Synthesis synthesis{&receiver};
    running = &synthesis;
    // ENDPAUSE: a short silence after each text, so words spoken one by one stay apart.
    const espeak_ERROR result = espeak_Synth(utf8.constData(), utf8.size() + 1, 0, POS_CHARACTER, 0,
                                             espeakCHARS_UTF8 | espeakENDPAUSE, nullptr, nullptr);
    running = nullptr;
    return result == EE_OK && !synthesis.stopped;
}

std::vector<qint16> EspeakEngine::synthesize(const QString& text, int voice, int speed)
{
    std::vector<qint16> pcm;
    synthesize(text, voice, speed, [&pcm](const qint16* samples, int count) {
        pcm.insert(pcm.end(), samples, samples + count);
        return true;
    });
    return pcm;
}
