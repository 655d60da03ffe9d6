// Readings from a spectrophotometer through ArgyllCMS's spotread, run as a
// child process on a pseudo-terminal: spotread reads single key presses from
// its terminal and only talks freely when its output is one. One child serves
// many readings, so the instrument is opened and calibrated once; each read()
// presses a key at spotread's prompt and waits for its result line
//   " Result is XYZ: X Y Z, D50 Lab: L a b".
//
// Nothing here blocks the event loop. With no instrument attached spotread
// waits for ever without a word, so every wait for spotread has a time-out: a
// deadline from the request, which output short of an answer does not move;
// a wait for the person (a calibration prompt, say) has none. One request
// gives at most one reading. A time-out, a
// garbled answer, cancel() and the destructor all end the child and its
// process group, and QProcess reaps it, so no zombie is left behind.
#pragma once

#include <QByteArray>
#include <QObject>
#include <QString>
#include <QStringList>

class QProcess;
class QSocketNotifier;
class QTimer;

class SpotreadSource : public QObject {
    Q_OBJECT

public:
    enum State {
        Idle,                 // no child
        Starting,             // the child is being started
        WaitingForInstrument, // spotread is opening or calibrating the instrument
        WaitingForUser,       // spotread asks the person to do something, then press Read
        Ready,                // spotread waits for the key that takes a reading
        Reading,              // the key was pressed; the result is on its way
        Error,                // the last attempt failed; message() says why
    };
    Q_ENUM(State)

    // What one line of spotread's output is.
    enum LineKind { OtherLine, ResultLine, GarbledResult, NotD50Result };

    static constexpr int defaultTimeout = 30000;

    explicit SpotreadSource(QObject* parent = nullptr);
    ~SpotreadSource() override;

    // A program name looked up on PATH, or a path. Takes effect at the next start.
    void setProgram(const QString& program);
    QString program() const { return programSetting; }
    void setArguments(const QStringList& arguments) { args = arguments; }
    QStringList arguments() const { return args; }
    void setTimeout(int milliseconds);
    int timeout() const { return timeoutMs; }

    // The executable that the program setting names, or empty when there is none.
    QString executable() const;
    bool isAvailable() const { return !executable().isEmpty(); }

    State state() const { return current; }
    QString message() const { return text; }
    bool isRunning() const;
    qint64 processId() const;

    // Asks for one reading, starting spotread first when needed.
    void read();
    // Ends the child, if any, and returns to Idle.
    void cancel();

    static LineKind parseLine(const QByteArray& line, double* lab);

signals:
    void stateChanged(SpotreadSource::State state, const QString& message);
    void reading(double L, double a, double b);

private:
    void start();
    void readPty();
    void takeText(const QByteArray& chunk);
    void takeLine(const QByteArray& line);
    void takePrompt(const QByteArray& prompt);
    void pressKey();
    void fail(const QString& why);
    void setState(State s, const QString& why);
    void endChild();
    void childFinished(int exitCode, int exitStatus);
    void closePty();
    void armTimeout();

    QString programSetting = QStringLiteral("spotread");
    QStringList args;
    int timeoutMs = defaultTimeout;

    State current = Idle;
    QString text;
    QProcess* process = nullptr;
    QSocketNotifier* notifier = nullptr;
    QTimer* watchdog;
    int master = -1;
    QByteArray pending;      // output after the last line end: a prompt, or a line still arriving
    QByteArray lastLine;     // the last non-empty line, to explain a prompt or an exit
    bool readWanted = false; // read() was asked before spotread was ready for it
};
