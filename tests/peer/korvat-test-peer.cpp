// Another PC of the clinic, for the tests and the benchmark of the shared register: a process of
// its own that opens the register of a program folder (its server.ini names the server) and does
// what an examiner's program does there, through the register's own operations.
//
//     korvat-test-peer FOLDER register CODE [GO_FILE]   registers CODE (when GO_FILE appears)
//     korvat-test-peer FOLDER answer CODE OPTION        answers all 56, one save each
//     korvat-test-peer FOLDER toggle CODE MS            stores every answer as option 1, then 5,
//                                                       ... (one save each set) for MS ms
//     korvat-test-peer FOLDER examiner CODE OPTION [GO_FILE]
//                                                       registers, answers all 56, scores (when
//                                                       GO_FILE appears, once it has said "ready")
//
// Prints "next MS" for each answer's save, and last "result N DESCRIPTION" (N the failure, 0 for
// none). Exits 0 when it could do what it was told, whatever the register answered.
#include "common/ProgramFolder.h"
#include "data/Cursor.h"
#include "data/Database.h"
#include "register/Register.h"
#include "scoring/ScoringKey.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QThread>

#include <cstdio>

namespace {
int report(const Result &result)
{
    std::printf("result %d %s\n", int(result.failure()), qUtf8Printable(result.description()));
    std::fflush(stdout);
    return 0;
}

Result registerSubject(const QString &code)
{
    Cursor subjects(QStringLiteral("IDE"));
    Cursor answers(QStringLiteral("Answer"));
    Cursor::OpenEach({&subjects, &answers});
    if (Result added = subjects.add(); !added)
        return added;
    if (Result set = subjects.setField(QStringLiteral("Code"), code); !set)
        return set;
    if (Result set = subjects.setField(QStringLiteral("FName"), QStringLiteral("peer")); !set)
        return set;
    return Register::RegisterSubject(subjects, answers, code);
}

// The subject's two rows, as the test window and scoring find them.
Result findSubject(const QString &code, Cursor &details, Cursor &answers)
{
    SubjectRows rows;
    return Register::FindSubject(code, &rows, &details, &answers);
}

// Answers every statement with the option, saving each as the test window does.
Result answerAll(const QString &code, int option)
{
    Cursor details(QStringLiteral("IDE"));
    Cursor answers(QStringLiteral("Answer"));
    if (Result found = findSubject(code, details, answers); !found)
        return found;
    for (int n = 1; n <= ScoringKey::StatementCount; ++n) {
        QElapsedTimer timer;
        timer.start();
        if (Result set = answers.setField(QString::number(n), ScoringKey::StoredAnswer(option, n));
            !set)
            return set;
        if (Result stored = Register::StoreAnswers(answers, details); !stored)
            return stored;
        std::printf("next %.3f\n", timer.nsecsElapsed() / 1e6);
    }
    return {};
}

Result toggle(const QString &code, int ms)
{
    Cursor details(QStringLiteral("IDE"));
    Cursor answers(QStringLiteral("Answer"));
    if (Result found = findSubject(code, details, answers); !found)
        return found;
    QElapsedTimer timer;
    timer.start();
    int rounds = 0;
    while (timer.elapsed() < ms) {
        const int option = rounds % 2 ? 5 : 1;
        for (int n = 1; n <= ScoringKey::StatementCount; ++n)
            if (Result set =
                    answers.setField(QString::number(n), ScoringKey::StoredAnswer(option, n));
                !set)
                return set;
        // Answers only: the details row is the scorer's to change meanwhile.
        if (Result stored = answers.save(); !stored)
            return stored;
        ++rounds;
    }
    std::printf("rounds %d\n", rounds);
    return {};
}

Result score(const QString &code)
{
    Cursor details(QStringLiteral("IDE"));
    Cursor answers(QStringLiteral("Answer"));
    if (Result found = findSubject(code, details, answers); !found)
        return found;
    QStringList stored;
    for (int n = 1; n <= ScoringKey::StatementCount; ++n)
        stored << answers.field(QString::number(n));
    return Register::StoreScores(details, ScoringKey::Compute(stored));
}
} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() < 4) {
        std::fprintf(stderr,
                     "usage: korvat-test-peer FOLDER register|answer|toggle|examiner CODE ...\n");
        return 2;
    }
    SetProgramFolder(args.at(1));
    if (Result opened = OpenDatabase(DatabaseFilePath()); !opened)
        return report(opened);
    const QString command = args.at(2);
    const QString code = args.at(3);
    const QString extra = args.value(4);
    Result result;
    if (command == QStringLiteral("register")) {
        // Started together, the peers register at the same moment: when the file appears.
        while (!extra.isEmpty() && !QFileInfo::exists(extra))
            QThread::usleep(200);
        result = registerSubject(code);
    } else if (command == QStringLiteral("answer")) {
        result = answerAll(code, extra.toInt());
    } else if (command == QStringLiteral("toggle")) {
        result = toggle(code, extra.toInt());
    } else if (command == QStringLiteral("examiner")) {
        // Connected: several examiners begin at the same moment, when they all are.
        if (const QString go = args.value(5); !go.isEmpty()) {
            std::printf("ready\n");
            std::fflush(stdout);
            while (!QFileInfo::exists(go))
                QThread::usleep(200);
        }
        result = registerSubject(code);
        if (result)
            result = answerAll(code, extra.toInt());
        if (result)
            result = score(code);
    } else {
        std::fprintf(stderr, "korvat-test-peer: unknown command %s\n", qPrintable(command));
        return 2;
    }
    const int status = report(result);
    CloseDatabase();
    return status;
}
