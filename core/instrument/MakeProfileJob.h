// Making a printer profile from measurements, and checking it honestly: the
// work behind "Make profile from measurements..." and tintry-chart
// --make-profile.
//
// colprof makes the profile from every patch in a folder of the job's own;
// the profile is then checked (ProfilePrediction: the fit), and with the
// check on unseen patches a second profile is made from all but a fixed
// tenth of them, to see how well it predicts that tenth. Only when all of
// that succeeded is the profile put in place, whole; a refusal, a failure or
// Cancel leaves the target as it was, and the folder goes with the job.
//
// What can be known before the work starts is refused at once with the
// reason: too few patches, a target that cannot be written, no colprof.
#pragma once

#include "MakeProfileOptions.h"
#include "MeasuredSet.h"
#include "Outcome.h"
#include "ProfileAccuracy.h"

#include <QObject>
#include <QString>

#include <ctime>
#include <memory>
#include <string>
#include <vector>

class ColprofRun;
class QTemporaryDir;

class MakeProfileJob : public QObject {
    Q_OBJECT

public:
    explicit MakeProfileJob(QObject* parent = nullptr);
    ~MakeProfileJob() override;

    void setProgram(const QString& program);
    void setTimeout(int milliseconds);
    QString executable() const;

    // Whether the work could start now; the failure says why not.
    Status check(const MeasuredSet& set, const std::string& target) const;
    // Starts the work. A failure means nothing was started and finished()
    // does not follow.
    Status start(const MeasuredSet& set, const std::string& target, const MakeProfileOptions& options,
                 std::time_t now = std::time(nullptr));
    // Ends the work; the target stays as it was, and finished() does not follow.
    void cancel();

    bool isRunning() const;
    qint64 processId() const; // the colprof running now, or 0
    // After a successful finish: the profile's figures (profile is the target).
    const ProfileAccuracy& accuracy() const { return result; }

signals:
    void progress(int percent, const QString& stage);
    // `message` says why when the work failed.
    void finished(bool ok, const QString& message);

private:
    enum Phase { Idle, Whole, Unseen };

    Status startRun(const std::string& base, const MeasuredSet& patches, bool onlyForTheCheck);
    void runFinished(bool ok, const QString& message);
    Status checkWhole();
    Status checkUnseen();
    void succeed();
    void fail(const QString& why);
    void end();
    std::string workFile(const std::string& base, const char* suffix) const;

    ColprofRun* run;
    std::unique_ptr<QTemporaryDir> work;
    Phase phase = Idle;
    MeasuredSet measured;
    std::vector<std::size_t> held;
    std::string target;
    MakeProfileOptions options;
    std::time_t started = 0;
    ProfileAccuracy result;
};
