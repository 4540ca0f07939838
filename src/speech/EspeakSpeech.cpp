#include "speech/EspeakSpeech.h"

#include "speech/SpeechSettings.h"
#include "speech/SpeechWorker.h"

EspeakSpeech::EspeakSpeech() : EspeakSpeech(SpeechWorker::shared()) {}

EspeakSpeech::EspeakSpeech(std::shared_ptr<SpeechWorker> worker)
    : m_worker(std::move(worker)), m_speaker(m_worker->addSpeaker()), m_voice(speech::DefaultVoice),
      m_speed(speech::DefaultSpeed)
{
}

EspeakSpeech::~EspeakSpeech()
{
    m_worker->dropSpeaker(m_speaker);
}

void EspeakSpeech::speak(const QString& text)
{
    if (text.isEmpty())
        return;
    m_worker->enqueue({m_speaker, text, m_voice, m_speed});
}

void EspeakSpeech::selectVoice(int voice)
{
    if (speech::isKnownVoice(voice))
        m_voice = voice;
}

void EspeakSpeech::setSpeed(int speed)
{
    m_speed = speed;
}

QString EspeakSpeech::unavailableReason() const
{
    return m_worker->unavailableReason();
}
