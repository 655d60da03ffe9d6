// Samples a gamut, measures its volume and paints its colours on a thread of
// its own, so a window showing it stays responsive; given a second gamut to
// compare against, it measures both and how they overlap. finished() arrives
// on the thread that owns the job (queued), after which take() hands over
// the results.
#pragma once

#include "KvGamutComparison.h"
#include "KvGamutModel.h"
#include "KvGamutShell.h"

#include <QObject>
#include <QString>

#include <atomic>
#include <cstdint>
#include <memory>
#include <optional>
#include <thread>
#include <vector>

class KvGamutJob : public QObject {
    Q_OBJECT
public:
    struct Result {
        std::unique_ptr<KvGamutModel> model; // sampled, volume measured
        Status status;                       // failed: why the gamut cannot be drawn
        std::vector<std::uint32_t> fill;     // the a*b* plane, see KvGamutFill
        KvGamutShell shell;                  // what of model's samples to draw
        std::vector<std::uint32_t> colours;  // per sample of model, through the monitor
        // When started with a gamut to compare against: that gamut (A) and
        // the comparison of A with `model` (B), or in `compared` why there
        // is none.
        std::unique_ptr<KvGamutModel> against;
        std::optional<KvGamutComparison> comparison;
        Status compared;
    };

    explicit KvGamutJob(QObject* parent = nullptr);
    // Stops a job still running and waits for its thread.
    ~KvGamutJob() override;

    // Starts work on an opened model, and on an opened `against` when given;
    // the job owns them until take().
    void start(std::unique_ptr<KvGamutModel> model, const QString& monitorPath,
               std::unique_ptr<KvGamutModel> against = nullptr);
    // Ends a job still running and drops its results, so that nothing
    // arrives from it, not even a finished() already on its way.
    void abandon();
    bool running() const { return worker.joinable() && !done; }
    // The results, once finished() has arrived; empty before.
    Result take();

signals:
    void finished();

private:
    void run(const QString& monitorPath);
    void compare();
    void stop();

    std::thread worker;
    std::atomic<bool> cancel{false};
    std::atomic<bool> done{false};
    Result result;
};
