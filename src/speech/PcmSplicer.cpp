#include "speech/PcmSplicer.h"

#include <algorithm>

namespace
{

// 3 ms at 16 kHz: long enough that a cut does not click, short enough not to be heard as a fade.
constexpr int FadeSamples = 48;

} // namespace

void speech::PcmSplicer::start(std::vector<SpliceEdit> edits)
{
    std::ranges::stable_sort(edits, {}, &SpliceEdit::at);
    m_edits = std::move(edits);
    m_nextEdit = 0;
    m_position = 0;
    m_dropUntil = 0;
    m_fadeIn = 0;
    m_out.clear();
}

bool speech::PcmSplicer::feed(const qint16* samples, int count, const Output& output)
{
    if (m_edits.empty())
        return output(samples, count);
    for (int i = 0; i < count; ++i, ++m_position) {
        for (; m_nextEdit < m_edits.size() && m_edits[m_nextEdit].at <= m_position; ++m_nextEdit) {
            const SpliceEdit& edit = m_edits[m_nextEdit];
            if (edit.samples < 0) {
                m_dropUntil = std::max(m_dropUntil, edit.at - edit.samples);
                continue;
            }
            const size_t fade = std::min<size_t>(FadeSamples, m_out.size());
            for (size_t k = 0; k < fade; ++k)
                m_out[m_out.size() - 1 - k] = qint16(m_out[m_out.size() - 1 - k] * k / fade);
            m_out.insert(m_out.end(), size_t(edit.samples), 0);
            m_fadeIn = FadeSamples;
        }
        if (m_position < m_dropUntil)
            continue;
        int sample = samples[i];
        if (m_fadeIn > 0)
            sample = sample * (FadeSamples - m_fadeIn--) / FadeSamples;
        m_out.push_back(qint16(sample));
    }
    if (m_out.size() <= FadeSamples)
        return true;
    const size_t ready = m_out.size() - FadeSamples;
    const bool going = output(m_out.data(), int(ready));
    m_out.erase(m_out.begin(), m_out.begin() + qsizetype(ready));
    return going;
}

bool speech::PcmSplicer::finish(const Output& output)
{
    const bool going = m_out.empty() || output(m_out.data(), int(m_out.size()));
    m_out.clear();
    return going;
}
