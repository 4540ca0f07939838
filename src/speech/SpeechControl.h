#pragma once

#include <QString>

// The speech control a window talks to: speak a text, choose a voice, set a speed.
// Every call returns at once; callers use no result and wait for nothing.
class SpeechControl
{
  public:
    virtual ~SpeechControl() = default;

    virtual void speak(const QString& text) = 0;
    // 1 female, 2 male; any other number keeps the current voice.
    virtual void selectVoice(int voice) = 0;
    // 50, 100, 150 from the pronunciation window, 170 from the translation pass.
    virtual void setSpeed(int speed) = 0;

    // Empty while what the control says can be heard; otherwise, in Czech, why it stays
    // silent (a phrase to follow a colon, e.g. "počítač nemá žádný zvukový výstup").
    virtual QString unavailableReason() const { return {}; }
};

// A speech control that says nothing: for a machine without a speech engine, or for a
// window that wants silence.
class SilentSpeech final : public SpeechControl
{
  public:
    // `reason`: why there is no speech, for the user; empty when silence is all that is asked.
    explicit SilentSpeech(QString reason = {}) : m_reason(std::move(reason)) {}

    void speak(const QString&) override {}
    void selectVoice(int) override {}
    void setSpeed(int) override {}
    QString unavailableReason() const override { return m_reason; }

  private:
    QString m_reason;
};
