#include "speech/QueuedSpeech.h"

#include "speech/SpeechSettings.h"
#include "speech/SpeechWorker.h"

QueuedSpeech::QueuedSpeech() : QueuedSpeech(SpeechWorker::shared()) {}

QueuedSpeech::QueuedSpeech(std::shared_ptr<SpeechWorker> worker)
    : m_worker(std::move(worker)), m_speaker(m_worker->addSpeaker()), m_voice(speech::DefaultVoice),
      m_speed(speech::DefaultSpeed)
{
}

QueuedSpeech::~QueuedSpeech()
{
    m_worker->dropSpeaker(m_speaker);
}

void QueuedSpeech::speak(const QString& text)
{
    if (text.isEmpty())
        return;
    m_worker->enqueue({m_speaker, text, m_voice, m_speed});
}

void QueuedSpeech::selectVoice(int voice)
{
    if (speech::isKnownVoice(voice))
        m_voice = voice;
}

void QueuedSpeech::setSpeed(int speed)
{
    m_speed = speed;
}

QString QueuedSpeech::unavailableReason() const
{
    return m_worker->unavailableReason();
}
