#pragma once

#include <QString>
#include <QtGlobal>

#include <functional>
#include <mutex>
#include <vector>

// The one espeak-ng of the process. espeak-ng keeps its voice, rate and buffers in globals,
// so every synthesis goes through this object, one at a time. It only makes PCM in memory:
// playing it is someone else's job, which keeps espeak-ng away from the sound system.
class EspeakEngine
{
  public:
    // Receives the samples as they are made; returning false stops the synthesis early.
    using PcmReceiver = std::function<bool(const qint16* samples, int count)>;

    static EspeakEngine& instance();

    EspeakEngine(const EspeakEngine&) = delete;
    EspeakEngine& operator=(const EspeakEngine&) = delete;

    // False when espeak-ng could not start (its data is missing); synthesis then makes nothing.
    bool available() const { return m_sampleRate > 0; }
    // Mono signed 16-bit samples at this rate.
    int sampleRate() const { return m_sampleRate > 0 ? m_sampleRate : 22050; }

    // Speaks `text` with voice number `voice` (1 or 2) at `speed` (see wordsPerMinute).
    // Returns false if nothing could be synthesised or the receiver stopped it.
    bool synthesize(const QString& text, int voice, int speed, const PcmReceiver& receiver);
    // The same, collected into one buffer.
    std::vector<qint16> synthesize(const QString& text, int voice, int speed);

  private:
    EspeakEngine();
    ~EspeakEngine() = default;

    void applySettings(int voice, int speed);

    std::mutex m_mutex;
    int m_sampleRate = 0;
    int m_voice = 0; // what espeak-ng currently has, 0 before the first synthesis
    int m_wordsPerMinute = 0;
};
