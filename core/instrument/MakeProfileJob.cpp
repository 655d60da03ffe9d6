#include "MakeProfileJob.h"

#include "ChartSession.h"
#include "ColprofRun.h"
#include "ProfilePrediction.h"
#include "RegularFile.h"
#include "WholeFile.h"

#include <QFile>
#include <QTemporaryDir>

#include <cerrno>
#include <cstring>

namespace {

constexpr std::size_t largestProfile = 64u << 20;
// Of the way from 0 to 100, the profile made from every patch takes this
// much when a second one, without separation tables, follows for the check.
constexpr int wholeShare = 70;

} // namespace

MakeProfileJob::MakeProfileJob(QObject* parent) : QObject(parent), run(new ColprofRun(this)) {
    connect(run, &ColprofRun::finished, this, &MakeProfileJob::runFinished);
    connect(run, &ColprofRun::progress, this, [this](double fraction, const QString& stage) {
        const bool checking = !held.empty();
        const int from = phase == Unseen ? wholeShare : 0;
        const int to = !checking ? 99 : (phase == Unseen ? 99 : wholeShare);
        const QString text = phase == Unseen ? tr("Check on unseen patches: %1").arg(stage) : stage;
        emit progress(from + int(fraction * (to - from)), text);
    });
}

MakeProfileJob::~MakeProfileJob() = default;

void MakeProfileJob::setProgram(const QString& program) {
    run->setProgram(program);
}

void MakeProfileJob::setTimeout(int milliseconds) {
    run->setTimeout(milliseconds);
}

QString MakeProfileJob::executable() const {
    return run->executable();
}

bool MakeProfileJob::isRunning() const {
    return phase != Idle;
}

qint64 MakeProfileJob::processId() const {
    return run->processId();
}

Status MakeProfileJob::check(const MeasuredSet& set, const std::string& path) const {
    if (Status s = set.enough(); !s)
        return s;
    // Checked now, not after minutes of work.
    if (Status target = WholeFile::checkTarget(path); !target)
        return target;
    if (executable().isEmpty())
        return Status::failed("colprof",
                              "not installed (Debian package argyll), or the program setting is wrong");
    return {};
}

Status MakeProfileJob::start(const MeasuredSet& set, const std::string& path, const MakeProfileOptions& how,
                             std::time_t now) {
    cancel();
    if (Status s = check(set, path); !s)
        return s;
    work = std::make_unique<QTemporaryDir>();
    if (!work->isValid()) {
        const std::string why = work->errorString().toStdString();
        work.reset();
        return Status::failed("a temporary folder for colprof", why);
    }
    measured = set;
    target = path;
    options = how;
    started = now;
    result = ProfileAccuracy{};
    held = options.checksUnseen(set.size()) ? set.heldOut() : std::vector<std::size_t>();
    phase = Whole;
    if (Status s = startRun("profile", measured, false); !s) {
        end();
        return s;
    }
    return {};
}

void MakeProfileJob::cancel() {
    if (phase != Idle)
        end();
}

std::string MakeProfileJob::workFile(const std::string& base, const char* suffix) const {
    return QFile::encodeName(work->path()).toStdString() + "/" + base + suffix;
}

Status MakeProfileJob::startRun(const std::string& base, const MeasuredSet& patches, bool onlyForTheCheck) {
    // colprof takes the file's descriptor for nothing; the profile's own
    // description is given with -D.
    if (Status written = WholeFile::write(workFile(base, ".ti3"), patches.ti3(measured.source)); !written)
        return written;
    if (!run->start(work->path(), QString::fromStdString(base),
                    options.colprofArguments(measured, started, onlyForTheCheck)))
        return Status::failed("colprof", run->message().toStdString());
    return {};
}

void MakeProfileJob::runFinished(bool ok, const QString& message) {
    if (!ok) {
        fail(message);
        return;
    }
    if (phase == Whole) {
        if (Status s = checkWhole(); !s) {
            fail(QString::fromStdString(s.failure().text()));
            return;
        }
        if (held.empty()) {
            succeed();
            return;
        }
        phase = Unseen;
        if (Status s = startRun("unseen", measured.without(held), true); !s)
            fail(QString::fromStdString(s.failure().text()));
        return;
    }
    if (Status s = checkUnseen(); !s) {
        fail(QString::fromStdString(s.failure().text()));
        return;
    }
    succeed();
}

Status MakeProfileJob::checkWhole() {
    const std::string made = workFile("profile", ".icc");
    if (Status s = ProfilePrediction::check(made); !s)
        return Status::failed("colprof",
                              "it wrote no CMYK printer profile LittleCMS can use (" + s.failure().why + ")");
    ChartSession chart;
    Result<ChartVerdict> fit = ProfilePrediction::judge(made, measured, {}, chart);
    if (!fit)
        return fit.status();
    result.patches = measured.size();
    result.fit = *fit;
    return {};
}

Status MakeProfileJob::checkUnseen() {
    const std::string made = workFile("unseen", ".icc");
    if (Status s = ProfilePrediction::check(made); !s)
        return Status::failed("colprof",
                              "for the check on unseen patches it wrote no CMYK printer profile (" +
                                  s.failure().why + ")");
    ChartSession chart;
    Result<ChartVerdict> unseen = ProfilePrediction::judge(made, measured, held, chart);
    if (!unseen)
        return unseen.status();
    result.unseenChecked = true;
    result.unseen = *unseen;
    return {};
}

void MakeProfileJob::succeed() {
    std::string bytes;
    int error = 0;
    if (RegularFile::readAll(workFile("profile", ".icc").c_str(), largestProfile, bytes, &error) !=
        RegularFile::Read) {
        fail(tr("The profile colprof made cannot be read: %1")
                 .arg(QString::fromLocal8Bit(std::strerror(error))));
        return;
    }
    if (Status written = WholeFile::write(target, bytes); !written) {
        fail(QString::fromStdString(written.failure().text()));
        return;
    }
    result.profile = target;
    end();
    emit progress(100, tr("Done"));
    emit finished(true, QString());
}

void MakeProfileJob::fail(const QString& why) {
    end();
    emit finished(false, why);
}

void MakeProfileJob::end() {
    run->cancel();
    work.reset();
    phase = Idle;
}
