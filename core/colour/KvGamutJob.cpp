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

void KvGamutJob::start(std::unique_ptr<KvGamutModel> model, const QString& monitorPath) {
    stop();
    done = false;
    result = Result();
    result.model = std::move(model);
    worker = std::thread([this, monitorPath] { run(monitorPath); });
}

// Only this thread touches `result` until `done` is set; the owner's thread
// reads it only after the queued finished() has arrived.
void KvGamutJob::run(const QString& monitorPath) {
    KvGamutModel& model = *result.model;
    result.usable = model.sample();
    if (result.usable) {
        model.volume(&cancel);
        if (!cancel)
            result.fill = KvGamutFill::paint(model.samples(), monitorPath);
    }
    done = true;
    if (!cancel)
        QMetaObject::invokeMethod(this, &KvGamutJob::finished, Qt::QueuedConnection);
}

KvGamutJob::Result KvGamutJob::take() {
    if (!done)
        return Result();
    if (worker.joinable())
        worker.join();
    return std::move(result);
}
