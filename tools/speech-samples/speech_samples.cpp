// Writes what the speech control says, as WAV files to listen to: each voice at each speed
// the windows use, plus a translation-like run of single words and a line with Czech
// letters. Usage: speech_samples [output directory]

#include "WavFile.h"
#include "speech/FliteEngine.h"
#include "speech/SpeechSettings.h"

#include <QDir>

#include <cstdio>
#include <vector>

namespace
{

const char* const Sentence = "Hello. The quick brown fox jumps over the lazy dog. "
                             "No word to speak. Please try again.";

} // namespace

int main(int argc, char** argv)
{
    const QString directory = QString::fromLocal8Bit(argc > 1 ? argv[1] : SPEECH_SAMPLES_DIR);
    if (!QDir().mkpath(directory)) {
        std::fprintf(stderr, "cannot create %s\n", qPrintable(directory));
        return 1;
    }
    FliteEngine& engine = FliteEngine::instance();
    if (!engine.available()) {
        std::fprintf(stderr, "no speech: %s\n", qPrintable(engine.unavailableReason()));
        return 1;
    }

    struct Sample {
        QString name;
        QStringList utterances;
        int voice;
        int speed;
    };
    std::vector<Sample> samples;
    for (const int voice : {speech::FemaleVoice, speech::MaleVoice}) {
        const char* kind = voice == speech::FemaleVoice ? "female" : "male";
        for (const int speed : {50, 100, 150, 170})
            samples.push_back({QStringLiteral("voice%1-%2-speed%3.wav")
                                   .arg(voice)
                                   .arg(QLatin1String(kind))
                                   .arg(speed, 3, 10, QLatin1Char('0')),
                               {QString::fromUtf8(Sentence)},
                               voice,
                               speed});
    }
    // As the translation window speaks: word after word, each its own utterance.
    samples.push_back({QStringLiteral("word-by-word-voice1-speed170.wav"),
                       QStringLiteral("a big house is not a small house").split(u' '),
                       speech::FemaleVoice, 170});
    // A Czech-to-English translation line as it may come out of the dictionary.
    samples.push_back({QStringLiteral("czech-letters-voice1-speed100.wav"),
                       {QString::fromUtf8("dům; žluťoučký kůň úpěl ďábelské ódy")},
                       speech::FemaleVoice,
                       100});

    for (const Sample& sample : samples) {
        std::vector<qint16> pcm;
        for (const QString& text : sample.utterances) {
            const auto part = engine.synthesize(text, sample.voice, sample.speed);
            pcm.insert(pcm.end(), part.begin(), part.end());
        }
        const QString path = QDir(directory).filePath(sample.name);
        if (!writeWav(path, pcm, engine.sampleRate())) {
            std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
            return 1;
        }
        std::printf("%s  %.2f s  (voice %d, speed %d = duration stretch %.3f)\n", qPrintable(path),
                    double(pcm.size()) / engine.sampleRate(), sample.voice, sample.speed,
                    speech::paceFor(sample.voice, sample.speed).stretch);
    }
    return 0;
}
