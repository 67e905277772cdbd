#include "cli/BatchRun.h"

#include "cli/CliSession.h"

#include <QDir>
#include <algorithm>
#include <atomic>
#include <condition_variable>
#include <mutex>
#include <optional>
#include <thread>
#include <vector>

void RunInOrder(qsizetype count, int jobs, const std::function<int(qsizetype, QByteArray& json)>& run,
                const std::function<void(qsizetype, const BatchOutcome&)>& deliver)
{
    std::vector<std::optional<BatchOutcome>> outcomes(size_t(std::max<qsizetype>(count, 0)));
    std::mutex lock;
    std::condition_variable finished;
    std::atomic<qsizetype> next{0};

    auto worker = [&] {
        for (qsizetype i = next++; i < count; i = next++) {
            BatchOutcome outcome;
            {
                // The report file and whatever the run prints stay its own.
                PrivateProgramFolder folder;
                CapturedOutput capture;
                if (folder.IsValid()) {
                    outcome.exitCode = run(i, outcome.json);
                } else {
                    PrintReason(QDir::tempPath(), folder.ErrorString());
                    outcome.exitCode = WriteFailed;
                }
                outcome.out = std::move(capture.out);
                outcome.err = std::move(capture.err);
            }
            const std::lock_guard<std::mutex> guard(lock);
            outcomes[size_t(i)] = std::move(outcome);
            finished.notify_one();
        }
    };
    const qsizetype threads = std::clamp<qsizetype>(jobs, 1, std::max<qsizetype>(count, 1));
    std::vector<std::thread> pool;
    for (qsizetype t = 0; t < threads; ++t)
        pool.emplace_back(worker);

    for (qsizetype i = 0; i < count; ++i) {
        std::unique_lock<std::mutex> guard(lock);
        finished.wait(guard, [&] { return outcomes[size_t(i)].has_value(); });
        BatchOutcome outcome = std::move(*outcomes[size_t(i)]);
        outcomes[size_t(i)].reset();
        guard.unlock();
        deliver(i, outcome);
    }
    for (std::thread& thread : pool)
        thread.join();
}
