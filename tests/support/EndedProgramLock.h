#pragma once

#include "TempFolder.h"

#include <QByteArray>
#include <QLockFile>
#include <QString>

#include <gtest/gtest.h>

namespace TestSupport {

// The lock file a program that is no longer running left behind: written
// like a live one, but naming a process id above the largest the kernel
// hands out. `scratch` is a free path for a probe lock.
inline QByteArray lockOfEndedProgram(const QString &scratch)
{
    QLockFile probe(scratch);
    EXPECT_TRUE(probe.tryLock(0));
    const QByteArray text = TempFolder::read(scratch);
    probe.unlock();
    return QByteArray::number((1 << 22) + 7) + text.mid(text.indexOf('\n'));
}

} // namespace TestSupport
