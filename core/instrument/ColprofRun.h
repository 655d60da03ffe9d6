// One run of ArgyllCMS's colprof, which makes an ICC profile from a .ti3 of
// measurements, as a child process. colprof reads BASE.ti3 in its working
// folder and writes the profile there; the caller hands it a folder of its
// own, so that nothing colprof writes can land anywhere that matters.
//
// Nothing here blocks the event loop. colprof leads a session and process
// group of its own, so cancel(), a time-out and the destructor end it and
// whatever it started. Its verbose output (-v) gives the progress: the stage
// it is in and the percentages it prints while it works. A time-out counts
// from its last word: a large chart at high quality takes many minutes, but
// colprof never stays silent that long unless something is wrong.
#pragma once

#include <QByteArray>
#include <QObject>
#include <QString>
#include <QStringList>

class QProcess;
class QTimer;

class ColprofRun : public QObject {
    Q_OBJECT

public:
    static constexpr int defaultTimeout = 10 * 60 * 1000;

    explicit ColprofRun(QObject* parent = nullptr);
    ~ColprofRun() override;

    // A program name looked up on PATH, or a path.
    void setProgram(const QString& program) { programSetting = program.trimmed(); }
    QString program() const { return programSetting; }
    void setTimeout(int milliseconds);
    int timeout() const { return timeoutMs; }
    // The executable that the program setting names, or empty when there is none.
    QString executable() const;

    // Starts colprof with `options`, -O BASE.icc and BASE, in `folder`. False,
    // with message() saying why, when it cannot even be started (it is not
    // installed); finished() follows only a start that returned true.
    bool start(const QString& folder, const QString& base, const QStringList& options);
    // Ends the child and its group; finished() does not follow.
    void cancel();

    bool isRunning() const;
    qint64 processId() const;
    QString message() const { return text; }

    // What colprof says it is doing (a line of its verbose output), as a
    // stage of the work: where the stage starts and ends on the way from 0
    // to 1, and its name for the user. False for any other line.
    static bool stageOf(const QByteArray& line, double* from, double* to, QString* name);

signals:
    // `fraction` of the work done, 0 to 1, never going back.
    void progress(double fraction, const QString& stage);
    // The run ended by itself: `ok` when colprof succeeded and the profile is there.
    void finished(bool ok, const QString& message);

private:
    void readOutput();
    void takeLine(const QByteArray& line);
    void takePercent(int percent);
    void childFinished(int exitCode, int exitStatus);
    void stop(const QString& why);

    QString programSetting = QStringLiteral("colprof");
    int timeoutMs = defaultTimeout;
    QProcess* process = nullptr;
    QTimer* watchdog;
    QString output; // the profile colprof is to write
    QString text;
    QByteArray pending;
    QByteArray lastLine;  // the last line that said something
    QByteArray errorLine; // colprof's own "Error - ..." line, the best reason for a failure
    double stageFrom = 0, stageTo = 0, done = 0;
    QString stage;
    bool starting = false; // inside start(): a failure is its answer, not a signal
};
