#pragma once

// The numbers a window sends to its speech control and what they mean to espeak-ng.
namespace speech
{

// Every new speech control starts with these, whatever another control chose before.
constexpr int DefaultVoice = 1; // female
constexpr int DefaultSpeed = 100;

constexpr int FemaleVoice = 1;
constexpr int MaleVoice = 2;

constexpr bool isKnownVoice(int voice)
{
    return voice == FemaleVoice || voice == MaleVoice;
}

// espeak-ng voice name: English with a female or a male variant. Unknown numbers give the
// default voice's name; callers keep the current voice instead of asking.
constexpr const char* espeakVoiceName(int voice)
{
    return voice == MaleVoice ? "en+m3" : "en+f3";
}

// espeak-ng's rate limits and its normal rate, in words per minute.
constexpr int MinWordsPerMinute = 80;
constexpr int MaxWordsPerMinute = 450;
constexpr int NormalWordsPerMinute = 175;

// Speed is a percentage of espeak-ng's normal rate: 50 -> 88, 100 -> 175, 150 -> 263,
// 170 -> 298 words per minute. Anything outside the engine's range is clamped into it.
constexpr int wordsPerMinute(int speed)
{
    // Bounding first keeps the product far from overflow for any int.
    const long long bounded = speed < 0 ? 0 : (speed > 1000 ? 1000 : speed);
    const long long wpm = (bounded * NormalWordsPerMinute + 50) / 100;
    if (wpm < MinWordsPerMinute)
        return MinWordsPerMinute;
    if (wpm > MaxWordsPerMinute)
        return MaxWordsPerMinute;
    return static_cast<int>(wpm);
}

} // namespace speech
