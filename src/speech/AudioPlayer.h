#pragma once

#include "speech/PcmBuffer.h"
#include "speech/SpeechOutput.h"

#include <QThread>

#include <atomic>
#include <memory>

class PlaybackSession;

// Plays synthesised speech through Qt Multimedia's default audio output, on a thread of its
// own so that a busy window never starves the sound. Without an audio output (no sound
// card, no sound server, a remote session) the speech is thrown away quietly; the output
// is looked for again at most every few seconds.
class AudioPlayer final : public SpeechOutput
{
  public:
    explicit AudioPlayer(int sampleRate);
    ~AudioPlayer() override;

    AudioPlayer(const AudioPlayer&) = delete;
    AudioPlayer& operator=(const AudioPlayer&) = delete;

    void begin(const Utterance&) override {}
    void append(quint64 speaker, const qint16* samples, int count) override;
    void end(quint64) override {}
    void drop(quint64 speaker) override;
    double secondsAhead() const override;
    // Whether there was a usable audio output when the player was made (on the
    // user-interface thread; elsewhere nothing is asked and nothing is reported).
    QString unavailableReason() const override { return m_unavailableReason; }

  private:
    void wakePlayback();

    const int m_sampleRate;
    std::shared_ptr<PcmBuffer> m_buffer;
    QThread m_thread;
    PlaybackSession* m_session; // lives on m_thread; deleted there when the thread ends
    std::atomic_bool m_wakePending{false};
    QString m_unavailableReason;
};
