#pragma once

// CTest runs some test programs in several shards at once (QIRO_SHARD="k/n"):
// each shard runs every n-th row of the slow functions, so that their device
// sessions run side by side.

#include <QByteArray>
#include <QPair>
#include <QtGlobal>

namespace shard
{

// This program's shard k and the shard count n; 0 and 1 when it runs whole.
inline QPair<int, int> current()
{
    const QByteArray value = qgetenv("QIRO_SHARD");
    const int slash = value.indexOf('/');
    if (slash < 0)
        return {0, 1};
    const int n = value.mid(slash + 1).toInt();
    const int k = value.left(slash).toInt();
    if (n < 2 || k < 0 || k >= n)
        return {0, 1};
    return {k, n};
}

// Whether another shard runs the next sharded row. Called once per row of every
// sharded function, in the order the rows run.
inline bool rowInOtherShard()
{
    static int row = -1;
    ++row;
    const QPair<int, int> s = current();
    return row % s.second != s.first;
}

// Whether this shard runs the functions that are not split (the first does).
inline bool runsUnsplit()
{
    return current().first == 0;
}

} // namespace shard
