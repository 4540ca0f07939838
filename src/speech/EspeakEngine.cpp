#include "speech/EspeakEngine.h"

#include "speech/SpeechSettings.h"

#include <espeak-ng/espeak_ng.h>
#include <espeak-ng/speak_lib.h>

#include <QDir>
#include <QFileInfo>

#include <atomic>

namespace
{

// The synthesis in progress. espeak-ng's callback carries no pointer of ours that is
// reliable in every event list, and only one synthesis runs at a time (the engine's mutex).
struct Synthesis {
    const EspeakEngine::PcmReceiver* receiver = nullptr;
    bool stopped = false;
};
Synthesis* running = nullptr;

// espeak-ng has one state per process; this says whether an engine has it.
std::atomic_bool espeakTaken = false;

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

EspeakEngine::EspeakEngine(const QString& dataPath)
{
    if (espeakTaken.exchange(true)) {
        m_unavailableReason = QStringLiteral("hlasový syntetizátor espeak-ng už používá jiná část "
                                             "programu");
        return;
    }
    m_ownsEspeak = true;
    m_unavailableReason = start(dataPath);
    if (!m_unavailableReason.isEmpty())
        m_sampleRate = 0;
}

EspeakEngine::~EspeakEngine()
{
    if (!m_ownsEspeak)
        return;
    espeak_ng_Terminate();
    espeakTaken = false;
}

QString EspeakEngine::start(const QString& dataPath)
{
    const auto broken = [](const QString& folder) {
        return QStringLiteral("data hlasového syntetizátoru espeak-ng ve složce %1 chybí nebo "
                              "jsou poškozená")
            .arg(QDir::toNativeSeparators(folder));
    };
    // espeak-ng would quietly fall back to its usual place for a folder that does not exist.
    if (!dataPath.isEmpty() && !QFileInfo(dataPath).isDir())
        return broken(dataPath);
    const QByteArray path = QFile::encodeName(dataPath);
    espeak_ng_InitializePath(dataPath.isEmpty() ? nullptr : path.constData());
    const char* folder = nullptr;
    espeak_Info(&folder);

    // The status tells what went wrong; espeak_Initialize would print it on the terminal.
    espeak_ng_ERROR_CONTEXT context = nullptr;
    const espeak_ng_STATUS status = espeak_ng_Initialize(&context);
    espeak_ng_ClearErrorContext(&context);
    if (status != ENS_OK)
        return broken(QFile::decodeName(folder));

    // Synchronous: espeak_Synth returns when the text is done, handing PCM to onSamples on
    // the calling thread.
    if (espeak_ng_InitializeOutput(ENOUTPUT_MODE_SYNCHRONOUS, 0, nullptr) != ENS_OK)
        return broken(QFile::decodeName(folder));
    m_sampleRate = espeak_ng_GetSampleRate();
    // Data without the English voices speaks nothing this program asks for.
    for (const int voice : {speech::FemaleVoice, speech::MaleVoice}) {
        if (espeak_ng_SetVoiceByName(speech::espeakVoiceName(voice)) != ENS_OK)
            return broken(QFile::decodeName(folder));
    }
    m_voice = speech::MaleVoice;
    espeak_SetSynthCallback(&onSamples);
    return {};
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
