#pragma once

// The numbers a window sends to its speech control and what they mean to Flite.
#include <cmath>

namespace speech
{

// Every new speech control starts with these, whatever another control chose before.
constexpr int DefaultVoice = 1; // female
constexpr int DefaultSpeed = 100;

constexpr int FemaleVoice = 1; // cmu_us_slt
constexpr int MaleVoice = 2;   // cmu_us_rms

constexpr bool isKnownVoice(int voice)
{
    return voice == FemaleVoice || voice == MaleVoice;
}

// Speeds outside this range are taken as its nearest end: slower than 45 drags each word
// apart, faster than 260 runs the sounds together.
constexpr int MinSpeed = 45;
constexpr int MaxSpeed = 260;

// How a speed is spoken: the speaker's sounds drawn out by `stretch` (1 = the pace the speaker
// was recorded at), `wordGap` seconds of silence put between words, and the pauses Flite makes
// within a sentence (at commas and the like) scaled by `pauseScale`.
struct Pace {
    double stretch = 1.0;
    double wordGap = 0.0;
    double pauseScale = 1.0;
};

// The pace of a speed for a voice. At 100 each speaker talks at about the pace they were
// recorded at, where a listener follows them best (the female one a tenth faster, as she was
// recorded unhurried). The other speeds keep the relation users knew from the earlier engine
// (espeak-ng at 175 words a minute times speed / 100: a text lasted 0.943 * 100 / speed + 0.057
// times as long as at 100, so 50 -> 1.94, 150 -> 0.69, 170 -> 0.61), taken to the power 0.9:
// within a tenth of it (1.82, 0.71, 0.64), on the side of the speaker's own pace. Measured on
// thirty sentences of Debian's manuals with a recogniser built from human speech
// (tools/bench/intelligibility --try), drawing the sounds out much beyond the speaker's pace
// blurs them, the female voice most; so slower speech is part drawn-out sounds, part silence
// between words (per unit of slowing, 0.36 s for her and 0.44 s for him: what makes the thirty
// sentences come out at the length intended), and she takes far more of it as silence.
// Faster speech shortens the pauses inside a sentence more than the sounds.
inline Pace paceFor(int voice, int speed)
{
    const int bounded = speed < MinSpeed ? MinSpeed : (speed > MaxSpeed ? MaxSpeed : speed);
    const double relative = std::pow(0.943 * 100.0 / bounded + 0.057, 0.9);
    const bool female = voice != MaleVoice;
    const double normal = female ? 0.9 : 1.0;
    if (relative <= 1.0)
        return {normal * relative, 0.0, relative * relative};
    const double stretchShare = female ? 0.15 : 0.5;
    const double gapSeconds = female ? 0.36 : 0.44;
    const double slower = relative - 1.0;
    return {normal * (1.0 + stretchShare * slower), slower * (1.0 - stretchShare) * gapSeconds,
            relative};
}

} // namespace speech
