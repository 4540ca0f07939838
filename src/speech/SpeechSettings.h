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

// Flite's duration stretch (1 = the recorded speaker's own pace) for a speed. The speeds keep
// the pace users knew from the earlier engine (espeak-ng at 175 words a minute times speed /
// 100), measured on thirty sentences of Debian's manuals spoken one by one: a text lasts
// 0.943 * 100 / speed + 0.057 times as long as at speed 100 (so 50 -> 1.94, 150 -> 0.69,
// 170 -> 0.61), and at 100 the female speaker talks an eighth faster than she was recorded,
// the male one a fifth faster.
constexpr double durationStretch(int voice, int speed)
{
    const int bounded = speed < MinSpeed ? MinSpeed : (speed > MaxSpeed ? MaxSpeed : speed);
    const double normal = voice == MaleVoice ? 0.78 : 0.88;
    return normal * (0.943 * 100.0 / bounded + 0.057);
}

} // namespace speech
