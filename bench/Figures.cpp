#include "Figures.h"

#include <QFile>
#include <QList>

#include <algorithm>
#include <cmath>
#include <limits>

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

double PercentileOf(std::vector<double> values, double percent)
{
    if (values.empty())
        return std::numeric_limits<double>::quiet_NaN();
    std::sort(values.begin(), values.end());
    const double rank = std::ceil(percent / 100 * double(values.size()));
    return values[size_t(std::clamp(rank, 1.0, double(values.size()))) - 1];
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

bool ParsePeerOutput(const QByteArray &out, PeerOutput *peer, QString *why)
{
    PeerOutput parsed;
    auto fail = [why](const QString &reason) {
        if (why)
            *why = reason;
        return false;
    };
    QList<QByteArray> lines = out.trimmed().split('\n');
    const QByteArray last = lines.takeLast().trimmed();
    if (!last.startsWith("result "))
        return fail(QStringLiteral("no result at the end: \"%1\"").arg(QString::fromUtf8(last)));
    bool ok = false;
    const int space = last.indexOf(' ', 7);
    parsed.failure = last.mid(7, space < 0 ? -1 : space - 7).toInt(&ok);
    if (!ok || parsed.failure < 0)
        return fail(QStringLiteral("not a result: \"%1\"").arg(QString::fromUtf8(last)));
    parsed.description = space < 0 ? QString() : QString::fromUtf8(last.mid(space + 1));
    for (const QByteArray &line : std::as_const(lines)) {
        if (!line.startsWith("next "))
            continue; // "ready", or anything else the peer printed
        const double ms = line.mid(5).trimmed().toDouble(&ok);
        if (!ok || !std::isfinite(ms) || ms < 0)
            return fail(QStringLiteral("not a time: \"%1\"").arg(QString::fromUtf8(line)));
        parsed.nextMs.push_back(ms);
    }
    *peer = parsed;
    return true;
}
