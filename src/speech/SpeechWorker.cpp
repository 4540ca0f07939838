#include "speech/SpeechWorker.h"

#include "speech/AudioPlayer.h"
#include "speech/FliteEngine.h"

#include <algorithm>
#include <chrono>

SpeechWorker::SpeechWorker(std::unique_ptr<SpeechOutput> output, FliteEngine& engine)
    : m_output(std::move(output)), m_engine(engine), m_thread([this] { run(); })
{
}

SpeechWorker::~SpeechWorker()
{
    {
        std::lock_guard lock(m_mutex);
        m_stopping = true;
        m_queue.clear();
    }
    m_wake.notify_all();
    m_thread.join();
}

std::shared_ptr<SpeechWorker> SpeechWorker::shared()
{
    static std::mutex mutex;
    static std::weak_ptr<SpeechWorker> current;
    std::lock_guard lock(mutex);
    auto worker = current.lock();
    if (!worker) {
        FliteEngine& engine = FliteEngine::instance();
        worker = std::make_shared<SpeechWorker>(std::make_unique<AudioPlayer>(engine.sampleRate()),
                                                engine);
        current = worker;
    }
    return worker;
}

quint64 SpeechWorker::addSpeaker()
{
    std::lock_guard lock(m_mutex);
    return ++m_lastSpeaker;
}

void SpeechWorker::enqueue(Utterance utterance)
{
    {
        std::lock_guard lock(m_mutex);
        m_queue.push_back(std::move(utterance));
    }
    m_wake.notify_all();
}

void SpeechWorker::dropSpeaker(quint64 speaker)
{
    {
        std::lock_guard lock(m_mutex);
        std::erase_if(m_queue, [speaker](const Utterance& u) { return u.speaker == speaker; });
        if (m_currentSpeaker == speaker)
            m_currentDropped = true;
    }
    m_wake.notify_all();
    std::lock_guard lock(m_outputMutex);
    m_output->drop(speaker);
}

QString SpeechWorker::unavailableReason()
{
    if (!m_engine.available())
        return m_engine.unavailableReason();
    std::lock_guard lock(m_outputMutex);
    return m_output->unavailableReason();
}

void SpeechWorker::run()
{
    for (;;) {
        Utterance utterance;
        {
            std::unique_lock lock(m_mutex);
            m_wake.wait(lock, [this] { return m_stopping || !m_queue.empty(); });
            if (m_stopping)
                return;
            utterance = std::move(m_queue.front());
            m_queue.pop_front();
            m_currentSpeaker = utterance.speaker;
            m_currentDropped = false;
        }
        {
            std::lock_guard lock(m_outputMutex);
            if (!currentDropped())
                m_output->begin(utterance);
        }
        speakOne(utterance);
        {
            std::lock_guard lock(m_outputMutex);
            if (!currentDropped())
                m_output->end(utterance.speaker);
        }
        std::lock_guard lock(m_mutex);
        m_currentSpeaker = 0;
    }
}

void SpeechWorker::speakOne(const Utterance& utterance)
{
    using namespace std::chrono_literals;
    m_engine.synthesize(utterance.text, utterance.voice, utterance.speed,
                        [&](const qint16* samples, int count) {
                            {
                                std::lock_guard lock(m_outputMutex);
                                if (currentDropped())
                                    return false;
                                m_output->append(utterance.speaker, samples, count);
                            }
                            // A long text need not sit in memory whole: wait while the
                            // output is far ahead of the listener.
                            const auto farAhead = [this] {
                                std::lock_guard lock(m_outputMutex);
                                return m_output->secondsAhead() > MaxSecondsAhead;
                            };
                            std::unique_lock lock(m_mutex);
                            while (farAhead()) {
                                m_wake.wait_for(lock, 50ms);
                                if (currentDropped())
                                    return false;
                            }
                            return true;
                        });
}
