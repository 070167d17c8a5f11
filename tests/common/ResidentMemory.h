#pragma once

#include <unistd.h>

#include <QByteArray>
#include <QFile>
#include <QList>

namespace quadrello::test {

// This process's resident memory in MiB, as the system counts it; 0 where it cannot be read.
inline double ResidentMiB() {
    QFile statm(QStringLiteral("/proc/self/statm"));
    if (!statm.open(QIODevice::ReadOnly)) {
        return 0;
    }
    const QList<QByteArray> fields = statm.readAll().split(' ');
    return fields.size() > 1 ? fields[1].toDouble() * double(::sysconf(_SC_PAGESIZE)) / 1048576.0
                             : 0;
}

}  // namespace quadrello::test
