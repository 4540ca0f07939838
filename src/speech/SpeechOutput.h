#pragma once

#include <QString>
#include <QtGlobal>

// One speak call: the text and the voice and speed its speech control had at that moment.
struct Utterance {
    quint64 speaker = 0; // which speech control asked
    QString text;
    int voice = 0;
    int speed = 0;
};

// Where synthesised speech goes, in the order it was asked for. For each utterance the
// speech worker calls begin, append for each piece of PCM, then end, from its synthesis
// thread; when the speaker is dropped (from the thread that closes its window) the
// utterance stops wherever it was and nothing of it follows. Calls never overlap.
class SpeechOutput
{
  public:
    virtual ~SpeechOutput() = default;

    virtual void begin(const Utterance& utterance) = 0;
    virtual void append(quint64 speaker, const qint16* samples, int count) = 0;
    virtual void end(quint64 speaker) = 0;
    // The speaker is gone: forget what it still had to say and silence it.
    virtual void drop(quint64 speaker) = 0;
    // How many seconds of PCM wait to be heard; the worker holds synthesis back when far ahead.
    virtual double secondsAhead() const = 0;
    // Empty while the sound can be heard; otherwise, in Czech, why not.
    virtual QString unavailableReason() const { return {}; }
};
