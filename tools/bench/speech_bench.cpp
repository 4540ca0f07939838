// How long a speak call keeps the window waiting, how soon the first sample of what it asked
// for reaches the sound output, and how fast Flite makes speech with each voice at each speed.
// Run by hand: build-dir/tools/bench/speech_bench

#include "speech/FliteEngine.h"
#include "speech/QueuedSpeech.h"
#include "speech/SpeechWorker.h"

#include <QCoreApplication>

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <memory>
#include <optional>
#include <thread>

#include <time.h>
#include <vector>

namespace
{

using Clock = std::chrono::steady_clock;

double microseconds(Clock::duration d)
{
    return std::chrono::duration<double, std::micro>(d).count();
}

void printCalls(const char* what, std::vector<double> times)
{
    std::sort(times.begin(), times.end());
    double sum = 0;
    for (const double t : times)
        sum += t;
    std::printf("%-44s n=%zu  median %.2f us  mean %.2f us  99%% %.2f us  max %.2f us\n", what,
                times.size(), times[times.size() / 2], sum / times.size(),
                times[times.size() * 99 / 100], times.back());
}

// What the benchmark speaks: a word of a translation pass, and sentences of the pronunciation
// window (from the Debian Administrator's Handbook).
const std::pair<const char*, int> Texts[] = {
    {"house", 170},
    {"Each user must authenticate before accessing any share.", 100},
    {"The reason why we use a real port rather than the named socket is that the daemons "
     "often run in a restricted environment.",
     100},
};

double threadCpuMilliseconds()
{
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return double(now.tv_sec) * 1e3 + double(now.tv_nsec) / 1e6;
}

// A sound output that notes when the first sample of an utterance arrives and when the
// utterance ends, and throws the samples away.
class FirstSampleOutput final : public SpeechOutput
{
  public:
    void expect()
    {
        std::lock_guard lock(m_mutex);
        m_first.reset();
        m_ended = false;
    }
    Clock::time_point firstSample()
    {
        std::unique_lock lock(m_mutex);
        m_changed.wait(lock, [this] { return m_first.has_value(); });
        return *m_first;
    }
    void waitUntilEnded()
    {
        std::unique_lock lock(m_mutex);
        m_changed.wait(lock, [this] { return m_ended; });
    }

    // The synthesis thread's own processor time until the first sample: what the wait would
    // be on a machine with nothing else to do.
    double cpuMilliseconds()
    {
        std::lock_guard lock(m_mutex);
        return m_firstCpu - m_beginCpu;
    }

    void begin(const Utterance&) override { m_beginCpu = threadCpuMilliseconds(); }
    void append(quint64, const qint16*, int) override
    {
        const auto now = Clock::now();
        const double cpu = threadCpuMilliseconds();
        std::lock_guard lock(m_mutex);
        if (!m_first) {
            m_first = now;
            m_firstCpu = cpu;
        }
        m_changed.notify_all();
    }
    void end(quint64) override
    {
        std::lock_guard lock(m_mutex);
        m_ended = true;
        m_changed.notify_all();
    }
    void drop(quint64) override {}
    double secondsAhead() const override { return 0; }

  private:
    std::mutex m_mutex;
    std::condition_variable m_changed;
    std::optional<Clock::time_point> m_first;
    double m_beginCpu = 0;
    double m_firstCpu = 0;
    bool m_ended = false;
};

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    FliteEngine& engine = FliteEngine::instance();
    if (!engine.available()) {
        std::fprintf(stderr, "no speech: %s\n", qPrintable(engine.unavailableReason()));
        return 1;
    }

    {
        // A translation pass: speed 170, then 1024 words one by one while the worker is
        // already synthesising the first ones.
        auto speech = std::make_unique<QueuedSpeech>();
        speech->setSpeed(170);
        std::vector<double> times;
        for (int i = 0; i < 1024; ++i) {
            const QString word = QStringLiteral("word%1").arg(i);
            const auto start = Clock::now();
            speech->speak(word);
            times.push_back(microseconds(Clock::now() - start));
        }
        printCalls("speak() of one word, 1024 in a row", times);

        // Calls spread out, so that they meet the worker in the middle of its synthesis.
        times.clear();
        for (int i = 0; i < 300; ++i) {
            std::this_thread::sleep_for(std::chrono::microseconds(700));
            const auto start = Clock::now();
            speech->speak(QStringLiteral("house"));
            times.push_back(microseconds(Clock::now() - start));
        }
        printCalls("speak() while the worker synthesises", times);

        // The pronunciation window: voice, speed and a sentence per press.
        times.clear();
        for (int i = 0; i < 200; ++i) {
            const auto start = Clock::now();
            speech->selectVoice(1 + i % 2);
            speech->setSpeed(50 + 50 * (i % 3));
            speech->speak(QStringLiteral("The quick brown fox jumps over the lazy dog."));
            times.push_back(microseconds(Clock::now() - start));
        }
        printCalls("voice + speed + speak() of a sentence", times);

        // Closing the window with most of that still queued.
        const auto start = Clock::now();
        speech.reset();
        std::printf("%-44s %.1f us\n", "closing a control with a full queue",
                    microseconds(Clock::now() - start));
    }

    // speak() -> first sample handed to the sound output, as the audio player receives it,
    // for a word of the translation pass and sentences of the pronunciation window.
    auto first = std::make_unique<FirstSampleOutput>();
    FirstSampleOutput& output = *first;
    {
        QueuedSpeech speech(std::make_shared<SpeechWorker>(std::move(first), engine));
        for (const auto& [text, speed] : Texts) {
            for (const int voice : {1, 2}) {
                speech.selectVoice(voice);
                speech.setSpeed(speed);
                std::vector<double> times, cpu;
                for (int i = 0; i < 20; ++i) {
                    output.expect();
                    const auto start = Clock::now();
                    speech.speak(QString::fromLatin1(text));
                    times.push_back(microseconds(output.firstSample() - start) / 1000.0);
                    output.waitUntilEnded();
                    cpu.push_back(output.cpuMilliseconds());
                }
                std::sort(times.begin(), times.end());
                std::sort(cpu.begin(), cpu.end());
                std::printf("speak() -> first sample, voice %d speed %3d, %2d words: median "
                            "%5.1f ms  max %5.1f ms  (synthesis thread's own time %4.1f ms; "
                            "goal <= 33 ms)\n",
                            voice, speed, int(QByteArray(text).count(' ')) + 1,
                            times[times.size() / 2], times.back(), cpu[cpu.size() / 2]);
            }
        }
    }

    // Synthesis alone, in memory, on the longest text.
    const QString text = QString::fromLatin1(Texts[2].first);
    for (const int voice : {1, 2}) {
        for (const int speed : {50, 100, 150, 170}) {
            std::vector<double> times, cpu;
            double spoken = 0;
            for (int i = 0; i < 7; ++i) {
                const auto start = Clock::now();
                const double cpuStart = threadCpuMilliseconds();
                const auto pcm = engine.synthesize(text, voice, speed);
                times.push_back(microseconds(Clock::now() - start) / 1000.0);
                cpu.push_back(threadCpuMilliseconds() - cpuStart);
                spoken = double(pcm.size()) / engine.sampleRate();
            }
            std::sort(times.begin(), times.end());
            std::sort(cpu.begin(), cpu.end());
            std::printf("synthesis, voice %d speed %3d: median %6.1f ms for %5.2f s of speech "
                        "(%3.0fx real time, %3.0fx on its own processor time; goal >= 20x)\n",
                        voice, speed, times[times.size() / 2], spoken,
                        spoken * 1000.0 / times[times.size() / 2],
                        spoken * 1000.0 / cpu[cpu.size() / 2]);
        }
    }
    return 0;
}
