#pragma once

#include <QtGlobal>

#include <functional>
#include <vector>

namespace speech
{

// A change to the timing of one utterance's sound, at a sample position of the sound as made:
// `samples` > 0 puts that much silence there, < 0 leaves out that many samples from there.
struct SpliceEdit {
    qint64 at = 0;
    qint64 samples = 0;
};

// Applies such changes to a sound that arrives in pieces, passing each piece on at once. Where
// silence is put into running speech, the sound fades out just before it and in just after, so
// that the cut does not click; for that the last few milliseconds are held back until the next
// piece (or finish()) shows whether a cut follows. Without edits nothing is held back.
class PcmSplicer
{
  public:
    using Output = std::function<bool(const qint16* samples, int count)>;

    // Starts a new sound with these edits (in any order; leaving-out ranges must not overlap).
    void start(std::vector<SpliceEdit> edits);
    // The next `count` samples of the sound; false when the output stopped.
    bool feed(const qint16* samples, int count, const Output& output);
    // Passes on what is held back; false when the output stopped.
    bool finish(const Output& output);

  private:
    std::vector<SpliceEdit> m_edits; // sorted by position
    size_t m_nextEdit = 0;
    qint64 m_position = 0;     // of the next incoming sample, in the sound as made
    qint64 m_dropUntil = 0;    // incoming samples before this are left out
    int m_fadeIn = 0;          // samples still to fade in
    std::vector<qint16> m_out; // ready to pass on, the last ones held back
};

} // namespace speech
