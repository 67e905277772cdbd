#pragma once

#include <QByteArray>
#include <functional>

// What one run of a batch printed and how it ended.
struct BatchOutcome {
    int exitCode = 0;
    QByteArray out;
    QByteArray err;
    QByteArray json;
};

// Calls run(0) … run(count − 1) on up to `jobs` threads, each call with its own private
// program folder and its printing captured into the outcome, and hands every outcome to
// deliver on the calling thread in index order, as soon as it and all before it are done.
// run fills json itself; out, err and exitCode are set from the capture and its result.
void RunInOrder(qsizetype count, int jobs, const std::function<int(qsizetype, QByteArray& json)>& run,
                const std::function<void(qsizetype, const BatchOutcome&)>& deliver);
