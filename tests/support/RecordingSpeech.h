#pragma once

#include "speech/SpeechControl.h"

#include <QStringList>

// Records every call to the speech control as one line: "speed 170", "voice 2", "speak hello".
class RecordingSpeech final : public SpeechControl
{
  public:
    void speak(const QString& text) override { calls.append(QStringLiteral("speak ") + text); }
    void selectVoice(int voice) override { calls.append(QStringLiteral("voice %1").arg(voice)); }
    void setSpeed(int speed) override { calls.append(QStringLiteral("speed %1").arg(speed)); }

    QStringList calls;
};
