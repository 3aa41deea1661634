#pragma once

// The requests a simulated detector received, as short text for comparing
// whole sequences in tests: "fn/page/reg/count" per frame with a good CRC.

#include "simdetector.h"

#include <QStringList>

#include <algorithm>

inline QStringList frameSequence(const SimDetector& sim)
{
    QStringList out;
    for (const SimRequest& r : sim.requests()) {
        if (r.crcOk)
            out << QStringLiteral("%1/%2/%3/%4")
                       .arg(r.function)
                       .arg(r.page)
                       .arg(r.reg)
                       .arg(r.count);
    }
    return out;
}

// How many frames with a good CRC the log holds.
inline int frameCount(const QVector<SimRequest>& log)
{
    return int(std::count_if(log.begin(), log.end(), [](const SimRequest& r) { return r.crcOk; }));
}

inline int frameCount(const SimDetector& sim)
{
    return frameCount(sim.requests());
}

// Consecutive repeats folded: the retries of one request show once.
inline QStringList folded(QStringList s)
{
    s.erase(std::unique(s.begin(), s.end()), s.end());
    return s;
}

// The blocks repeated for each channel, "ch" standing for the channel's page.
inline QStringList perChannel(int channels, const QStringList& blocks)
{
    QStringList out;
    for (int ch = 0; ch < channels; ++ch)
        for (const QString& b : blocks)
            out << QString(b).replace(QLatin1String("ch"), QString::number(ch));
    return out;
}
