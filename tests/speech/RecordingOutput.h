#pragma once

#include "speech/SpeechOutput.h"

#include <chrono>
#include <condition_variable>
#include <functional>
#include <memory>
#include <mutex>
#include <vector>

// A speech output that keeps every utterance with its PCM instead of playing it. The test
// keeps the shared log while the worker owns the output.
struct SpeechLog {
    struct Record {
        Utterance utterance;
        std::vector<qint16> pcm;
        bool finished = false;
    };

    std::mutex mutex;
    std::condition_variable changed;
    std::vector<Record> records;
    std::vector<quint64> dropped;
    // While set, the output claims to be far ahead, so the worker holds synthesis back.
    bool holding = false;

    // Waits until `done` holds for the log (called with the mutex held); false on timeout.
    bool waitUntil(const std::function<bool()>& done)
    {
        std::unique_lock lock(mutex);
        return changed.wait_for(lock, std::chrono::seconds(20), done);
    }

    void setHolding(bool hold)
    {
        std::lock_guard lock(mutex);
        holding = hold;
    }

    std::vector<Record> snapshot()
    {
        std::lock_guard lock(mutex);
        return records;
    }
};

class RecordingOutput final : public SpeechOutput
{
  public:
    explicit RecordingOutput(std::shared_ptr<SpeechLog> log) : m_log(std::move(log)) {}

    void begin(const Utterance& utterance) override
    {
        change([&] { m_log->records.push_back({utterance, {}, false}); });
    }
    void append(quint64, const qint16* samples, int count) override
    {
        change([&] {
            auto& pcm = m_log->records.back().pcm;
            pcm.insert(pcm.end(), samples, samples + count);
        });
    }
    void end(quint64) override
    {
        change([&] { m_log->records.back().finished = true; });
    }
    void drop(quint64 speaker) override
    {
        change([&] { m_log->dropped.push_back(speaker); });
    }
    double secondsAhead() const override
    {
        std::lock_guard lock(m_log->mutex);
        return m_log->holding ? 1e9 : 0.0;
    }

  private:
    void change(const std::function<void()>& update)
    {
        {
            std::lock_guard lock(m_log->mutex);
            update();
        }
        m_log->changed.notify_all();
    }

    std::shared_ptr<SpeechLog> m_log;
};
