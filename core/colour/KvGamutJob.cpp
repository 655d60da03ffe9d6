#include "KvGamutJob.h"
#include "KvGamutFill.h"

KvGamutJob::KvGamutJob(QObject* parent) : QObject(parent) {}

KvGamutJob::~KvGamutJob() {
    stop();
}

void KvGamutJob::stop() {
    cancel = true;
    if (worker.joinable())
        worker.join();
    cancel = false;
}

void KvGamutJob::start(std::unique_ptr<KvGamutModel> model, const QString& monitorPath,
                       std::unique_ptr<KvGamutModel> against) {
    stop();
    done = false;
    result = Result();
    result.model = std::move(model);
    result.against = std::move(against);
    worker = std::thread([this, monitorPath] { run(monitorPath); });
}

// Only this thread touches `result` until `done` is set; the owner's thread
// reads it only after the queued finished() has arrived.
void KvGamutJob::run(const QString& monitorPath) {
    KvGamutModel& model = *result.model;
    result.usable = model.sample();
    if (result.usable) {
        model.volume(&cancel);
        result.usable = cancel || !model.boundary().empty();
    }
    if (result.usable && !cancel) {
        result.fill = KvGamutFill::paint(model.samples(), monitorPath);
        result.shell = KvGamutShell::outer(model.faces(), model.samples(), model.boundary());
        result.colours = KvGamutFill::colours(model.samples(), monitorPath);
    }
    if (result.usable && result.against && !cancel)
        compare();
    done = true;
    if (!cancel)
        QMetaObject::invokeMethod(this, &KvGamutJob::finished, Qt::QueuedConnection);
}

void KvGamutJob::compare() {
    KvGamutModel& a = *result.against;
    if (!a.sample()) {
        result.comparisonProblem = a.error();
        return;
    }
    auto c = KvGamutComparison::measure(a, *result.model, &cancel);
    if (c)
        result.comparison = std::move(*c);
    else
        result.comparisonProblem = QString::fromStdString(c.failure().text());
}

void KvGamutJob::abandon() {
    stop();
    result = Result();
    done = false;
}

KvGamutJob::Result KvGamutJob::take() {
    if (!done)
        return Result();
    if (worker.joinable())
        worker.join();
    return std::move(result);
}
