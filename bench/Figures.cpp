#include "Figures.h"

#include <QFile>
#include <QList>

#include <algorithm>
#include <cmath>

Spread SpreadOf(std::vector<double> values)
{
    Spread spread;
    if (values.empty())
        return spread;
    std::sort(values.begin(), values.end());
    const size_t n = values.size();
    spread.count = int(n);
    spread.min = values.front();
    spread.max = values.back();
    spread.median = n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
    return spread;
}

bool Meets(double value, Bound bound, double limit)
{
    if (!std::isfinite(value))
        return false;
    return bound == Bound::AtMost ? value <= limit : value < limit;
}

qint64 ResidentKibFromStatus(const QByteArray &status)
{
    for (const QByteArray &line : status.split('\n')) {
        if (!line.startsWith("VmRSS:"))
            continue;
        QByteArray value = line.mid(6).trimmed();
        if (!value.endsWith("kB"))
            return -1;
        bool ok = false;
        const qint64 kib = value.chopped(2).trimmed().toLongLong(&ok);
        return ok && kib >= 0 ? kib : -1;
    }
    return -1;
}

qint64 ResidentKib(qint64 pid)
{
#if defined(Q_OS_LINUX)
    QFile status(pid > 0 ? QStringLiteral("/proc/%1/status").arg(pid)
                         : QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    return ResidentKibFromStatus(status.readAll());
#else
    Q_UNUSED(pid);
    return -1;
#endif
}

QByteArray FormatChildFigures(const ChildFigures &figures)
{
    QByteArray out = "ms=" + QByteArray::number(figures.ms, 'f', 4) + '\n';
    out += "growth-kib=" + QByteArray::number(figures.growthKib) + '\n';
    out += "cached-share=" + QByteArray::number(figures.cachedShare, 'f', 4) + '\n';
    if (!figures.cacheNote.isEmpty())
        out += "cache-note=" + figures.cacheNote.simplified().toUtf8() + '\n';
    return out;
}

bool ParseChildFigures(const QByteArray &out, ChildFigures *figures, QString *why)
{
    ChildFigures parsed;
    bool haveTime = false;
    auto fail = [why](const QString &reason) {
        if (why)
            *why = reason;
        return false;
    };
    for (const QByteArray &line : out.split('\n')) {
        const int equals = line.indexOf('=');
        if (equals <= 0)
            continue; // anything else the process printed
        const QByteArray name = line.left(equals);
        const QByteArray value = line.mid(equals + 1).trimmed();
        bool ok = true;
        if (name == "ms") {
            parsed.ms = value.toDouble(&ok);
            if (!ok || !std::isfinite(parsed.ms) || parsed.ms < 0)
                return fail(QStringLiteral("not a time: \"%1\"").arg(QString::fromUtf8(value)));
            haveTime = true;
        } else if (name == "growth-kib") {
            parsed.growthKib = value.toLongLong(&ok);
        } else if (name == "cached-share") {
            parsed.cachedShare = value.toDouble(&ok);
        } else if (name == "cache-note") {
            parsed.cacheNote = QString::fromUtf8(value);
        }
        if (!ok)
            return fail(QStringLiteral("not a number: \"%1\"").arg(QString::fromUtf8(line)));
    }
    if (!haveTime)
        return fail(QStringLiteral("no time reported"));
    *figures = parsed;
    return true;
}
