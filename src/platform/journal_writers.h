#pragma once

#include <QString>

// Tells a recovery file that a running window is still writing from one left by a window that
// ended: only those are offered back at start, set aside or written over.
class JournalWriters
{
public:
    virtual ~JournalWriters() = default;
    virtual bool isBeingWritten(const QString &journalPath) const = 0;
};
