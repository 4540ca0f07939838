#pragma once

// The numbers a window sends to its speech control and what they mean to Flite.
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

// Flite's duration stretch (1 = the recorded speaker's own pace) for a speed. The speeds kept
// the pace users knew from the earlier engine: a text lasts 1.08 * 100 / speed - 0.08 times
// as long as at speed 100 (so 50 -> 2.08, 150 -> 0.64, 170 -> 0.555), and at 100 each voice
// speaks at about 175 words per minute, which takes the female speaker a little slower and
// the male one a little faster than they were recorded.
constexpr double durationStretch(int voice, int speed)
{
    const int bounded = speed < MinSpeed ? MinSpeed : (speed > MaxSpeed ? MaxSpeed : speed);
    const double normal = voice == MaleVoice ? 0.96 : 1.08;
    return normal * (1.08 * 100.0 / bounded - 0.08);
}

} // namespace speech
