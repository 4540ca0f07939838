#pragma once

#include "speech/SpeechControl.h"

#include <memory>

class SpeechWorker;

// The speech control of a window, speaking English through the shared speech worker. Each
// window owns its own: it starts with voice 1 at speed 100, and its settings are its own
// although all controls share one engine. Calls only queue the text with the current voice and
// speed and return; destroying the control silences whatever it still had to say.
class QueuedSpeech final : public SpeechControl
{
  public:
    // Plays through the default audio output.
    QueuedSpeech();
    // Speaks through the given worker (tests hand in one that records instead of playing).
    explicit QueuedSpeech(std::shared_ptr<SpeechWorker> worker);
    ~QueuedSpeech() override;

    QueuedSpeech(const QueuedSpeech&) = delete;
    QueuedSpeech& operator=(const QueuedSpeech&) = delete;

    // An empty text says nothing; any other text is spoken as it is, blanks included.
    void speak(const QString& text) override;
    void selectVoice(int voice) override;
    // Any number is accepted; the engine's rate is clamped into its range.
    void setSpeed(int speed) override;
    QString unavailableReason() const override;

    int voice() const { return m_voice; }
    int speed() const { return m_speed; }

  private:
    std::shared_ptr<SpeechWorker> m_worker;
    quint64 m_speaker;
    int m_voice;
    int m_speed;
};
