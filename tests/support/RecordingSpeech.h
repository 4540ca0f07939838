#pragma once

#include "speech/SpeechControl.h"

#include <QStringList>
#include <memory>

// Every call made on speech controls, in order, as one line each: "speed 170", "speak house",
// "voice 2"; `controls` counts the controls created. The controls say they cannot be heard
// when `unavailable` holds a reason.
struct SpeechLog {
    QStringList calls;
    int controls = 0;
    QString unavailable;
};

class RecordingSpeech final : public SpeechControl
{
  public:
    explicit RecordingSpeech(std::shared_ptr<SpeechLog> log = std::make_shared<SpeechLog>())
        : log(std::move(log))
    {
        ++this->log->controls;
    }
    void speak(const QString& text) override { log->calls << "speak " + text; }
    void selectVoice(int voice) override { log->calls << QStringLiteral("voice %1").arg(voice); }
    void setSpeed(int speed) override { log->calls << QStringLiteral("speed %1").arg(speed); }
    QString unavailableReason() const override { return log->unavailable; }

    const std::shared_ptr<SpeechLog> log;
};
