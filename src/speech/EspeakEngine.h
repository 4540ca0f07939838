#pragma once

#include <QString>
#include <QtGlobal>

#include <functional>
#include <mutex>
#include <vector>

// The espeak-ng of the process. espeak-ng keeps its voice, rate and buffers in globals, so
// every synthesis goes through this object, one at a time. It only makes PCM in memory:
// playing it is someone else's job, which keeps espeak-ng away from the sound system.
class EspeakEngine
{
  public:
    // Receives the samples as they are made; returning false stops the synthesis early.
    using PcmReceiver = std::function<bool(const qint16* samples, int count)>;

    // The engine of the program, on the data where espeak-ng was installed; never destroyed.
    static EspeakEngine& instance();

    // espeak-ng on the data in `dataPath` (a directory holding espeak-ng-data, or that
    // directory itself), or, when it is empty, on the data where espeak-ng was installed.
    // espeak-ng's state is global: while one engine is alive, another one stays unavailable.
    explicit EspeakEngine(const QString& dataPath = {});
    ~EspeakEngine();

    EspeakEngine(const EspeakEngine&) = delete;
    EspeakEngine& operator=(const EspeakEngine&) = delete;

    // False when espeak-ng could not start (its data is missing or broken); synthesis then
    // makes nothing.
    bool available() const { return m_sampleRate > 0; }
    // Empty while available; otherwise, in Czech, why not (a phrase to put after a colon).
    const QString& unavailableReason() const { return m_unavailableReason; }
    // Mono signed 16-bit samples at this rate.
    int sampleRate() const { return m_sampleRate > 0 ? m_sampleRate : 22050; }

    // Speaks `text` with voice number `voice` (1 or 2) at `speed` (see wordsPerMinute).
    // Returns false if nothing could be synthesised or the receiver stopped it.
    bool synthesize(const QString& text, int voice, int speed, const PcmReceiver& receiver);
    // The same, collected into one buffer.
    std::vector<qint16> synthesize(const QString& text, int voice, int speed);

  private:
    QString start(const QString& dataPath);
    void applySettings(int voice, int speed);

    std::mutex m_mutex;
    bool m_ownsEspeak = false; // this engine initialised espeak-ng and terminates it
    QString m_unavailableReason;
    int m_sampleRate = 0;
    int m_voice = 0; // what espeak-ng currently has, 0 before the first synthesis
    int m_wordsPerMinute = 0;
};
