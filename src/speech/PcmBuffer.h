#pragma once

#include <QByteArray>
#include <QtGlobal>

#include <deque>
#include <mutex>

// Mono 16-bit PCM bytes waiting to be played, in arrival order, each piece marked with the speaker
// it belongs to so that a closed window's speech can be taken out. Filled by the synthesis thread,
// read by the playback thread, cut by whoever drops a speaker.
class PcmBuffer
{
  public:
    void append(quint64 speaker, const char* data, qint64 size);
    // Moves up to maxSize bytes from the front into data; returns how many.
    qint64 read(char* data, qint64 maxSize);
    // Removes every byte of the speaker; returns whether there were any.
    bool remove(quint64 speaker);
    void clear();
    qint64 size() const;

  private:
    struct Piece {
        quint64 speaker;
        QByteArray bytes;
        qsizetype consumed = 0;
    };

    mutable std::mutex m_mutex;
    std::deque<Piece> m_pieces;
    qint64 m_size = 0;
};
