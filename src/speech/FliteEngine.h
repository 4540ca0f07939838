#pragma once

#include "speech/SpeechSettings.h"

#include <QString>
#include <QtGlobal>

#include <array>
#include <functional>
#include <mutex>
#include <vector>

struct cst_voice_struct;

// Flite with its two English voices, built into the program: voice 1 is cmu_us_slt (a
// female speaker), voice 2 cmu_us_rms (a male one). A voice keeps its settings in itself,
// so every synthesis goes through this object, one at a time. It only makes PCM in memory:
// playing it is someone else's job, which keeps Flite away from the sound system.
class FliteEngine
{
  public:
    // Receives the samples as they are made; returning false stops the synthesis early.
    using PcmReceiver = std::function<bool(const qint16* samples, int count)>;

    // The engine of the program; never destroyed.
    static FliteEngine& instance();

    FliteEngine();
    ~FliteEngine();

    FliteEngine(const FliteEngine&) = delete;
    FliteEngine& operator=(const FliteEngine&) = delete;

    // False when a voice could not be set up; synthesis then makes nothing.
    bool available() const { return m_unavailableReason.isEmpty(); }
    // Empty while available; otherwise, in Czech, why not (a phrase to put after a colon).
    const QString& unavailableReason() const { return m_unavailableReason; }
    // Mono signed 16-bit samples at this rate (both voices were recorded at it).
    static constexpr int SampleRate = 16000;
    int sampleRate() const { return SampleRate; }

    // Speaks `text` with voice number `voice` (1 or 2; others mean voice 1) at `speed`
    // (see speech::paceFor), piece by piece (see speech::utterancePieces).
    // Returns false if nothing was synthesised or the receiver stopped it.
    bool synthesize(const QString& text, int voice, int speed, const PcmReceiver& receiver);
    // The same at a pace of the caller's own (for measuring other paces than the speeds').
    bool synthesize(const QString& text, int voice, const speech::Pace& pace,
                    const PcmReceiver& receiver);
    // The same, collected into one buffer.
    std::vector<qint16> synthesize(const QString& text, int voice, int speed);

  private:
    std::mutex m_mutex;
    std::array<cst_voice_struct*, 2> m_voices{}; // female, male
    QString m_unavailableReason;
};
