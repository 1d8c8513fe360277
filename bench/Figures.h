#pragma once

#include <QByteArray>
#include <QString>

#include <vector>

// What the benchmark makes of its measurements: the spread of a figure over its runs, the
// targets, the resident memory of a process, and what a run in a process of its own reports.

struct Spread
{
    int count = 0; // 0: no figure at all
    double min = 0;
    double median = 0;
    double max = 0;
};

// Of an even number of runs the median is the mean of the two middle ones.
Spread SpreadOf(std::vector<double> values);

// The value that percent of the values are at or below (the nearest rank: of 224 values the 95th
// percentile is the 213th smallest); NaN when there are none.
double PercentileOf(std::vector<double> values, double percent);

// A target is a bound on a figure: "at most" includes the limit, "under" does not.
enum class Bound { AtMost, Under };
bool Meets(double value, Bound bound, double limit);

// VmRSS out of the text of /proc/<pid>/status, in KiB; -1 when it holds none.
qint64 ResidentKibFromStatus(const QByteArray &status);
// A live process's resident memory in KiB (0 for this process); -1 where the system does not
// tell (anything but Linux) or the process is gone.
qint64 ResidentKib(qint64 pid = 0);

// What one run of an operation in a fresh process reports on stdout, one "name=value" a line.
struct ChildFigures
{
    double ms = -1;          // the operation's time
    qint64 growthKib = 0;    // resident memory after the operation less before it
    double cachedShare = -1; // the file's share left in the system's cache after the drop
    QString cacheNote;       // why the file could not be dropped, when it could not
};

// What another PC (korvat-test-peer) printed: the time of each save, "next MS" a line, and last
// "result N DESCRIPTION", N its failure (0 for none).
struct PeerOutput
{
    std::vector<double> nextMs;
    int failure = -1;
    QString description;
};

// False, with the reason in *why, unless out ends with a result and every save's time in it is a
// real figure: a peer that stopped half-way must never pass for one that finished.
bool ParsePeerOutput(const QByteArray &out, PeerOutput *peer, QString *why);

QByteArray FormatChildFigures(const ChildFigures &figures);
// False, with the reason in *why, unless out holds a time that is a real figure (finite, not
// negative): a failed run must never pass for a number.
bool ParseChildFigures(const QByteArray &out, ChildFigures *figures, QString *why);
