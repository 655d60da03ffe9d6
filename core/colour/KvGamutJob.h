// Samples a gamut, measures its volume and paints its fill on a thread of its
// own, so a window showing it stays responsive. finished() arrives on the
// thread that owns the job (queued), after which take() hands over the
// results.
#pragma once

#include "KvGamutModel.h"

#include <QObject>
#include <QString>

#include <atomic>
#include <cstdint>
#include <memory>
#include <thread>
#include <vector>

class KvGamutJob : public QObject {
    Q_OBJECT
public:
    struct Result {
        std::unique_ptr<KvGamutModel> model; // sampled, volume measured
        bool usable = false;                 // false: model->error() says why
        std::vector<std::uint32_t> fill;     // see KvGamutFill
    };

    explicit KvGamutJob(QObject* parent = nullptr);
    // Stops a job still running and waits for its thread.
    ~KvGamutJob() override;

    // Starts work on an opened model; the job owns it until take().
    void start(std::unique_ptr<KvGamutModel> model, const QString& monitorPath);
    bool running() const { return worker.joinable() && !done; }
    // The results, once finished() has arrived; empty before.
    Result take();

signals:
    void finished();

private:
    void run(const QString& monitorPath);
    void stop();

    std::thread worker;
    std::atomic<bool> cancel{false};
    std::atomic<bool> done{false};
    Result result;
};
