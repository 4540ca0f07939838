#pragma once

#include "speech/SpeechOutput.h"

#include <atomic>
#include <condition_variable>
#include <deque>
#include <memory>
#include <mutex>
#include <thread>

class FliteEngine;

// The one synthesis thread behind every speech control. Speech controls queue utterances
// and return at once; the thread synthesises them in queue order and hands the PCM to the
// output. The engine synthesises one text at a time, so all controls share one worker.
class SpeechWorker
{
  public:
    SpeechWorker(std::unique_ptr<SpeechOutput> output, FliteEngine& engine);
    ~SpeechWorker();

    SpeechWorker(const SpeechWorker&) = delete;
    SpeechWorker& operator=(const SpeechWorker&) = delete;

    // The worker that plays through the default audio output. It lives while some speech
    // control holds it and is made afresh after the last one has gone.
    static std::shared_ptr<SpeechWorker> shared();

    // A new speaker id for a speech control.
    quint64 addSpeaker();
    void enqueue(Utterance utterance);
    // Forgets everything the speaker still had queued, stops its utterance in progress and
    // silences what of it the output still holds.
    void dropSpeaker(quint64 speaker);

    // Empty while speech can be heard; otherwise, in Czech, why not: the engine's reason
    // first, then the output's.
    QString unavailableReason();

    // Synthesis may run this far ahead of what has been heard.
    static constexpr double MaxSecondsAhead = 10.0;

  private:
    void run();
    void speakOne(const Utterance& utterance);
    bool currentDropped() const { return m_stopping || m_currentDropped; }

    std::unique_ptr<SpeechOutput> m_output;
    FliteEngine& m_engine;

    // Guards the queue and the speakers. Speak calls take only this one, briefly.
    std::mutex m_mutex;
    std::condition_variable m_wake;
    std::deque<Utterance> m_queue;
    quint64 m_lastSpeaker = 0;
    quint64 m_currentSpeaker = 0; // whose utterance is being synthesised, 0 for none

    // Set under m_mutex; read under m_outputMutex too.
    std::atomic_bool m_currentDropped = false;
    std::atomic_bool m_stopping = false;

    // Every call into m_output, so that the flags above and the output agree: no piece of a
    // dropped utterance can reach the output after its drop.
    std::mutex m_outputMutex;

    std::thread m_thread; // last: it starts once everything above exists
};
