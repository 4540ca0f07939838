// How long a speak call keeps the window waiting, and how fast espeak-ng makes speech.
// Run by hand: build-dir/tools/bench/speech_bench

#include "speech/EspeakEngine.h"
#include "speech/EspeakSpeech.h"

#include <QCoreApplication>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <memory>
#include <thread>
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

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    EspeakEngine& engine = EspeakEngine::instance();
    if (!engine.available()) {
        std::fprintf(stderr, "espeak-ng did not start\n");
        return 1;
    }

    {
        // A translation pass: speed 170, then 1024 words one by one while the worker is
        // already synthesising the first ones.
        auto speech = std::make_unique<EspeakSpeech>();
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

    for (const auto& [text, label] :
         {std::pair{QStringLiteral("hello"), "a word"},
          std::pair{QStringLiteral("The quick brown fox jumps over the lazy dog."),
                    "a sentence"}}) {
        std::vector<double> times;
        double spoken = 0;
        for (int i = 0; i < 20; ++i) {
            const auto start = Clock::now();
            const auto pcm = engine.synthesize(text, 1 + i % 2, 100);
            times.push_back(microseconds(Clock::now() - start) / 1000.0);
            spoken = double(pcm.size()) / engine.sampleRate();
        }
        std::sort(times.begin(), times.end());
        std::printf("synthesis of %-31s median %.2f ms for %.2f s of speech (%.0fx real time)\n",
                    label, times[times.size() / 2], spoken,
                    spoken * 1000.0 / times[times.size() / 2]);
    }
    return 0;
}
