#include "speech/FliteEngine.h"

#include "speech/PcmSplicer.h"
#include "speech/SpeechText.h"

#include <flite/flite.h>

#include <cmath>

extern "C" {
cst_voice* register_cmu_us_slt(const char* voxdir);
void unregister_cmu_us_slt(cst_voice* voice);
cst_voice* register_cmu_us_rms(const char* voxdir);
void unregister_cmu_us_rms(cst_voice* voice);
}

namespace
{

// The synthesis in progress, reached from Flite's streaming callback.
struct Synthesis {
    const FliteEngine::PcmReceiver* receiver = nullptr;
    speech::Pace pace;
    speech::PcmSplicer splicer;
    const cst_utterance* utterance = nullptr; // whose timing the splicer has
    bool stopped = false;
    bool spoke = false;
};

qint64 samplesAt(const cst_item* segment, const char* path)
{
    return std::lround(double(ffeature_float(segment, path)) * FliteEngine::SampleRate);
}

// Where silence goes into or out of an utterance whose segments Flite has timed: a gap after
// every word but the last, and each pause inside the utterance scaled (plus the gap). The
// pauses before and after the whole utterance stay as they are.
std::vector<speech::SpliceEdit> timingEdits(const cst_utterance* utterance,
                                            const speech::Pace& pace)
{
    std::vector<speech::SpliceEdit> edits;
    const qint64 gap = std::lround(pace.wordGap * FliteEngine::SampleRate);
    for (const cst_item* word = utt_rel_head(utterance, "Word"); word && item_next(word);
         word = item_next(word)) {
        const cst_item* last = path_to_item(word, "R:SylStructure.daughtern.daughtern");
        if (!last)
            continue;
        const qint64 end = samplesAt(last, "end");
        if (!cst_streq(ffeature_string(last, "R:Segment.n.name"), "pau")) {
            if (gap > 0)
                edits.push_back({end, gap});
            continue;
        }
        const qint64 pause = samplesAt(last, "R:Segment.n.end") - end;
        const qint64 change = std::lround(double(pause) * (pace.pauseScale - 1.0)) + gap;
        if (change != 0) // in the middle of the pause, well away from the sounds around it
            edits.push_back({end + pause / 2, change});
    }
    return edits;
}

int onSamples(const cst_wave* wave, int start, int size, int, cst_audio_streaming_info* info)
{
    auto* synthesis = static_cast<Synthesis*>(info->userdata);
    if (!synthesis || synthesis->stopped)
        return CST_AUDIO_STREAM_STOP;
    if (size <= 0)
        return CST_AUDIO_STREAM_CONT;
    if (synthesis->utterance != info->utt) {
        synthesis->utterance = info->utt;
        synthesis->splicer.start(timingEdits(info->utt, synthesis->pace));
    }
    synthesis->spoke = true;
    if (!synthesis->splicer.feed(wave->samples + start, size, *synthesis->receiver)) {
        synthesis->stopped = true;
        return CST_AUDIO_STREAM_STOP;
    }
    return CST_AUDIO_STREAM_CONT;
}

cst_audio_streaming_info* streamingOf(cst_voice* voice)
{
    return val_audio_streaming_info(feat_val(voice->features, "streaming_info"));
}

} // namespace

FliteEngine& FliteEngine::instance()
{
    // Never destroyed: a speech control that outlives main() must still find it whole.
    static FliteEngine& engine = *new FliteEngine;
    return engine;
}

FliteEngine::FliteEngine()
{
    static const int initialised = flite_init(); // registers the languages, once per process
    Q_UNUSED(initialised);
    m_voices = {register_cmu_us_slt(nullptr), register_cmu_us_rms(nullptr)};
    for (cst_voice* voice : m_voices) {
        if (!voice) {
            m_unavailableReason =
                QStringLiteral("hlasy syntetizátoru Flite (cmu_us_slt, cmu_us_rms) nelze načíst");
            continue;
        }
        // Samples reach the receiver as Flite makes them, a few milliseconds at a time,
        // instead of after the whole piece.
        cst_audio_streaming_info* streaming = new_audio_streaming_info();
        streaming->asc = &onSamples;
        feat_set(voice->features, "streaming_info", audio_streaming_info_val(streaming));
    }
}

FliteEngine::~FliteEngine()
{
    if (m_voices[0])
        unregister_cmu_us_slt(m_voices[0]);
    if (m_voices[1])
        unregister_cmu_us_rms(m_voices[1]);
}

bool FliteEngine::synthesize(const QString& text, int voice, int speed, const PcmReceiver& receiver)
{
    return synthesize(text, voice, speech::paceFor(voice, speed), receiver);
}

bool FliteEngine::synthesize(const QString& text, int voice, const speech::Pace& pace,
                             const PcmReceiver& receiver)
{
    const QByteArrayList pieces = speech::utterancePieces(text);
    if (pieces.isEmpty())
        return false;

    std::lock_guard lock(m_mutex);
    if (!available())
        return false;
    if (!speech::isKnownVoice(voice))
        voice = speech::DefaultVoice;
    cst_voice* flite = m_voices[voice == speech::MaleVoice ? 1 : 0];
    feat_set_float(flite->features, "duration_stretch", float(pace.stretch));
    Synthesis synthesis;
    synthesis.receiver = &receiver;
    synthesis.pace = pace;
    streamingOf(flite)->userdata = &synthesis;
    for (const QByteArray& piece : pieces) {
        synthesis.utterance = nullptr;
        delete_utterance(flite_synth_text(piece.constData(), flite));
        if (!synthesis.stopped && !synthesis.splicer.finish(receiver))
            synthesis.stopped = true;
        if (synthesis.stopped)
            break;
    }
    streamingOf(flite)->userdata = nullptr;
    return synthesis.spoke && !synthesis.stopped;
}

std::vector<qint16> FliteEngine::synthesize(const QString& text, int voice, int speed)
{
    std::vector<qint16> pcm;
    synthesize(text, voice, speed, [&pcm](const qint16* samples, int count) {
        pcm.insert(pcm.end(), samples, samples + count);
        return true;
    });
    return pcm;
}
