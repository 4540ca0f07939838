#include "speech/AudioPlayer.h"

#include <QAudioDevice>
#include <QAudioFormat>
#include <QAudioSink>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QIODevice>
#include <QMediaDevices>

namespace
{

// Retrying a missing or broken output more often would only repeat the sound system's
// complaints on the terminal.
constexpr qint64 RetryAfterMs = 10000;
// A short device buffer, so that a closed window falls silent at once.
constexpr int DeviceBufferMs = 100;

// Mono signed 16-bit, as Flite makes it.
QAudioFormat speechFormat(int sampleRate)
{
    QAudioFormat format;
    format.setSampleRate(sampleRate);
    format.setChannelCount(1);
    format.setSampleFormat(QAudioFormat::Int16);
    return format;
}

// Empty when the device can play the format; otherwise, in Czech, why not.
QString whyUnusable(const QAudioDevice& device, const QAudioFormat& format)
{
    if (device.isNull())
        return QStringLiteral("počítač nemá žádný zvukový výstup");
    if (!device.isFormatSupported(format))
        return QStringLiteral("zvukový výstup %1 neumí přehrát mono 16 bitů při %2 Hz")
            .arg(device.description())
            .arg(format.sampleRate());
    return {};
}

// What the audio sink pulls its bytes from.
class PcmSource final : public QIODevice
{
  public:
    explicit PcmSource(std::shared_ptr<PcmBuffer> buffer) : m_buffer(std::move(buffer))
    {
        open(QIODevice::ReadOnly | QIODevice::Unbuffered);
    }

    bool isSequential() const override { return true; }
    qint64 bytesAvailable() const override
    {
        return m_buffer->size() + QIODevice::bytesAvailable();
    }
    // The sink stops pulling when the buffer runs dry; this sets it going again.
    void announceData() { emit readyRead(); }

  protected:
    qint64 readData(char* data, qint64 maxSize) override { return m_buffer->read(data, maxSize); }
    qint64 writeData(const char*, qint64) override { return -1; }

  private:
    std::shared_ptr<PcmBuffer> m_buffer;
};

} // namespace

// The part of the player that lives on the playback thread: Qt's audio sink needs the event
// loop of the thread it was made on.
class PlaybackSession final : public QObject
{
  public:
    PlaybackSession(std::shared_ptr<PcmBuffer> buffer, int sampleRate)
        : m_buffer(std::move(buffer)), m_sampleRate(sampleRate)
    {
    }

    void dataArrived()
    {
        if (!m_sink && !openSink()) {
            m_buffer->clear();
            return;
        }
        m_source->announceData();
    }

  private:
    bool openSink()
    {
        if (m_lastFailure.isValid() && !m_lastFailure.hasExpired(RetryAfterMs))
            return false;
        m_lastFailure.invalidate();

        const QAudioDevice device = QMediaDevices::defaultAudioOutput();
        const QAudioFormat format = speechFormat(m_sampleRate);
        // Asking Qt for a sink on a null device only makes it print a warning.
        if (!whyUnusable(device, format).isEmpty()) {
            m_lastFailure.start();
            return false;
        }

        if (!m_source)
            m_source = std::make_unique<PcmSource>(m_buffer);
        m_sink = std::make_unique<QAudioSink>(device, format);
        m_sink->setBufferSize(format.bytesForDuration(DeviceBufferMs * 1000));
        QObject::connect(m_sink.get(), &QAudioSink::stateChanged, this,
                         &PlaybackSession::onStateChanged);
        m_sink->start(m_source.get());
        if (m_sink->error() != QAudio::NoError || m_sink->state() == QAudio::StoppedState) {
            m_sink.reset();
            m_lastFailure.start();
            return false;
        }
        return true;
    }

    void onStateChanged(QAudio::State state)
    {
        // Idle with an underrun only means nothing is left to say; a stop with an error
        // means the device is gone. The sink is not deleted inside its own signal.
        if (state == QAudio::StoppedState && m_sink && m_sink->error() != QAudio::NoError)
            QMetaObject::invokeMethod(this, &PlaybackSession::dropSink, Qt::QueuedConnection);
    }

    void dropSink()
    {
        if (!m_sink || m_sink->state() != QAudio::StoppedState)
            return;
        m_sink.reset();
        m_buffer->clear();
        m_lastFailure.start();
    }

    std::shared_ptr<PcmBuffer> m_buffer;
    const int m_sampleRate;
    QElapsedTimer m_lastFailure;
    // The sink reads the source until it is destroyed, so it is declared after it.
    std::unique_ptr<PcmSource> m_source;
    std::unique_ptr<QAudioSink> m_sink;
};

AudioPlayer::AudioPlayer(int sampleRate)
    : m_sampleRate(sampleRate), m_buffer(std::make_shared<PcmBuffer>()),
      m_session(new PlaybackSession(m_buffer, sampleRate))
{
    // Qt's connection to the sound server is made once per process and lives on the thread
    // that first asks for a device. Ask here, on the user-interface thread, so that it
    // never belongs to a playback thread that ends when its window closes.
    const QCoreApplication* app = QCoreApplication::instance();
    if (app && app->thread() == QThread::currentThread())
        m_unavailableReason =
            whyUnusable(QMediaDevices::defaultAudioOutput(), speechFormat(sampleRate));

    m_thread.setObjectName(QStringLiteral("speech playback"));
    m_session->moveToThread(&m_thread);
    QObject::connect(&m_thread, &QThread::finished, m_session, &QObject::deleteLater);
    m_thread.start();
}

AudioPlayer::~AudioPlayer()
{
    m_buffer->clear();
    m_thread.quit();
    m_thread.wait();
}

void AudioPlayer::append(quint64 speaker, const qint16* samples, int count)
{
    m_buffer->append(speaker, reinterpret_cast<const char*>(samples),
                     qint64(count) * qint64(sizeof(qint16)));
    wakePlayback();
}

void AudioPlayer::drop(quint64 speaker)
{
    m_buffer->remove(speaker);
}

double AudioPlayer::secondsAhead() const
{
    return double(m_buffer->size()) / (double(m_sampleRate) * sizeof(qint16));
}

void AudioPlayer::wakePlayback()
{
    // One pending wake-up is enough however many pieces arrive before it runs.
    if (m_wakePending.exchange(true))
        return;
    QMetaObject::invokeMethod(
        m_session,
        [this] {
            m_wakePending = false;
            m_session->dataArrived();
        },
        Qt::QueuedConnection);
}
