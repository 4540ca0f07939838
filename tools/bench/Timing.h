#pragma once

#include <QElapsedTimer>
#include <QList>
#include <algorithm>

// The median of a benchmark's timings (0 for none).
inline double median(QList<double> values)
{
    std::sort(values.begin(), values.end());
    return values.isEmpty() ? 0 : values[values.size() / 2];
}

// How long one run takes, in milliseconds.
inline double timed(const auto& run)
{
    QElapsedTimer timer;
    timer.start();
    run();
    return double(timer.nsecsElapsed()) / 1e6;
}
