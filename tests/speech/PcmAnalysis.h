#pragma once

#include <QtGlobal>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <vector>

// Measurements of synthesised speech for the tests.
namespace pcm
{

inline double seconds(const std::vector<qint16>& samples, int sampleRate)
{
    return double(samples.size()) / sampleRate;
}

inline int peak(const std::vector<qint16>& samples)
{
    int loudest = 0;
    for (const qint16 s : samples)
        loudest = std::max(loudest, std::abs(int(s)));
    return loudest;
}

// Median fundamental frequency in Hz over the voiced part: 40 ms frames at least a tenth as
// loud as the loudest part, whose normalised autocorrelation peaks clearly somewhere
// between 60 and 400 Hz. Returns 0 when nothing is voiced.
inline double fundamentalFrequency(const std::vector<qint16>& samples, int sampleRate)
{
    const int frame = sampleRate * 40 / 1000;
    const int minLag = sampleRate / 400;
    const int maxLag = sampleRate / 60;
    const double loudest = peak(samples);
    std::vector<double> estimates;
    for (size_t start = 0; start + frame + maxLag < samples.size(); start += frame / 2) {
        const qint16* x = samples.data() + start;
        double energy = 0;
        for (int i = 0; i < frame; ++i)
            energy += double(x[i]) * x[i];
        if (std::sqrt(energy / frame) < 0.1 * loudest)
            continue;
        double best = 0;
        int bestLag = 0;
        for (int lag = minLag; lag <= maxLag; ++lag) {
            double product = 0;
            double shiftedEnergy = 0;
            for (int i = 0; i < frame; ++i) {
                product += double(x[i]) * x[i + lag];
                shiftedEnergy += double(x[i + lag]) * x[i + lag];
            }
            const double correlation = product / std::sqrt(energy * shiftedEnergy + 1e-9);
            if (correlation > best) {
                best = correlation;
                bestLag = lag;
            }
        }
        if (best > 0.6)
            estimates.push_back(double(sampleRate) / bestLag);
    }
    if (estimates.empty())
        return 0;
    std::nth_element(estimates.begin(), estimates.begin() + estimates.size() / 2, estimates.end());
    return estimates[estimates.size() / 2];
}

} // namespace pcm
