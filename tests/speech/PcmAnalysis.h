#pragma once

#include <QtGlobal>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <tuple>
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
    const int frame = sampleRate / 25;
    const int minLag = sampleRate / 400;
    const int maxLag = sampleRate / 60;
    const double loudest = peak(samples);
    std::vector<double> estimates;
    for (size_t start = 0; start + frame + maxLag < samples.size(); start += frame / 2) {
        const auto product = [x = samples.data() + start, frame](int lagA, int lagB) {
            double sum = 0;
            for (int i = 0; i < frame; ++i)
                sum += double(x[i + lagA]) * x[i + lagB];
            return sum;
        };
        const double energy = product(0, 0);
        if (std::sqrt(energy / frame) < 0.1 * loudest)
            continue;
        double best = 0.6; // below this the frame is not clearly periodic
        int bestLag = 0;
        for (int lag = minLag; lag <= maxLag; ++lag) {
            const double correlation =
                product(0, lag) / std::sqrt(energy * product(lag, lag) + 1e-9);
            if (correlation > best)
                std::tie(best, bestLag) = std::pair(correlation, lag);
        }
        if (bestLag > 0)
            estimates.push_back(double(sampleRate) / bestLag);
    }
    if (estimates.empty())
        return 0;
    std::nth_element(estimates.begin(), estimates.begin() + estimates.size() / 2, estimates.end());
    return estimates[estimates.size() / 2];
}

} // namespace pcm
