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
    result.status = model.sample();
    if (result.status)
        result.status = model.measure(&cancel);
    if (result.status && !cancel) {
        result.fill = KvGamutFill::paint(model.samples(), monitorPath);
        result.shell = KvGamutShell::outer(model.faces(), model.samples(), model.boundary());
        result.colours = KvGamutFill::colours(model.samples(), monitorPath);
    }
    if (result.status && result.against && !cancel)
        compare();
    done = true;
    if (!cancel)
        QMetaObject::invokeMethod(this, &KvGamutJob::finished, Qt::QueuedConnection);
}

void KvGamutJob::compare() {
    KvGamutModel& a = *result.against;
    result.compared = a.sample();
    if (!result.compared)
        return;
    auto c = KvGamutComparison::measure(a, *result.model, &cancel);
    if (c)
        result.comparison = std::move(*c);
    else
        result.compared = c.status();
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
