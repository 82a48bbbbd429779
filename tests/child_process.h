#pragma once
// Runs a program as a child process and collects what it printed, with a time limit, so that a
// test of a whole program can never hang.

#include <QProcess>
#include <QProcessEnvironment>
#include <QString>
#include <QStringList>

struct ProcessResult {
    int status = -1; // exit status; -1 when it crashed, could not start or ran out of time
    QString out, err;
};

inline ProcessResult runProcess(
    const QString& program, const QStringList& arguments,
    const QProcessEnvironment& environment = QProcessEnvironment::systemEnvironment(),
    int timeoutMs = 30'000) {
    QProcess process;
    process.setProcessEnvironment(environment);
    process.start(program, arguments);
    ProcessResult result;
    if (!process.waitForFinished(timeoutMs)) {
        process.kill();
        process.waitForFinished();
        result.err = program + ": did not finish: " + process.errorString();
        return result;
    }
    result.status = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    result.out = QString::fromUtf8(process.readAllStandardOutput());
    result.err = QString::fromUtf8(process.readAllStandardError());
    return result;
}

// The system environment with Qt's offscreen platform chosen.
inline QProcessEnvironment offscreenEnvironment() {
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    return environment;
}
