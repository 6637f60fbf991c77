// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quillet developers
#pragma once

// Long work off the window's thread: renders, exports, prints, document imports and scans
// run as jobs of a BackgroundTask while the window goes on answering.

#include <QEventLoop>
#include <QObject>
#include <QString>

#include <exception>
#include <functional>
#include <memory>
#include <optional>
#include <stdexcept>
#include <type_traits>
#include <utility>

class QThread;

namespace Quillet {

class BackgroundTask;

/// What a job sees of its task, on the task's thread.
class TaskControl {
public:
    /// True once BackgroundTask::cancel has been asked for this job.
    bool isCancelled() const;
    /// Reports `step`: the task emits progressed(step) on its own thread. Returns false
    /// once the job is cancelled, so it serves as a core progress callback as it stands.
    /// Any thread may call it while the job runs.
    bool progress(int step);

private:
    friend class BackgroundTask;
    struct Job;
    TaskControl(std::shared_ptr<Job> job, BackgroundTask* task);

    std::shared_ptr<Job> m_job;
    BackgroundTask* m_task;
};

/// How one job ended, handed to the window's thread: the value the job returned, or the
/// exception it threw.
template <typename T> class TaskResult {
public:
    /// The job's value; rethrows what the job threw instead.
    T& value()
    {
        if (m_error)
            std::rethrow_exception(m_error);
        return *m_value;
    }
    std::exception_ptr error() const { return m_error; }

private:
    friend class BackgroundTask;
    std::optional<T> m_value;
    std::exception_ptr m_error;
};

template <> class TaskResult<void> {
public:
    /// Rethrows what the job threw.
    void value()
    {
        if (m_error)
            std::rethrow_exception(m_error);
    }
    std::exception_ptr error() const { return m_error; }

private:
    friend class BackgroundTask;
    std::exception_ptr m_error;
};

/// Runs jobs one at a time on a thread of its own, which lives as long as the task: a
/// library that must be called from the thread it started on (SANE) is served by one
/// task throughout. A job gets a TaskControl for its progress and cancellation; its value
/// or exception comes back on the task's thread (the window's).
class BackgroundTask : public QObject {
    Q_OBJECT
public:
    /// `threadName` names the thread in debuggers and crash reports.
    explicit BackgroundTask(const QString& threadName, QObject* parent = nullptr);
    /// Cancels the job under way, waits until it has returned and drops its outcome.
    ~BackgroundTask() override;

    /// A job has been started and its outcome not yet handed over.
    bool isBusy() const { return m_job != nullptr; }

    /// Starts `work(TaskControl&)` on the task's thread. When it has returned or thrown,
    /// `done(TaskResult<R>&)` runs on this object's thread, R being what `work` returns.
    /// Returns false, starting nothing, while another job is busy.
    template <typename Work, typename Done> bool start(Work work, Done done);

    /// Runs `work(TaskControl&)` on the task's thread and returns its value, rethrowing
    /// what it threw. The calling thread's event loop turns meanwhile, so the window
    /// paints, but it takes no user input. Throws std::logic_error while a job is busy.
    template <typename Work> std::invoke_result_t<Work&, TaskControl&> run(Work work);

    /// Asks the job under way to stop: its TaskControl reports it cancelled from now on.
    /// Nothing when no job is busy.
    void cancel();

    /// Waits, without turning the event loop, until the job under way has returned, and
    /// drops its outcome: its `done` is not called. Nothing when no job is busy.
    void abandon();

Q_SIGNALS:
    /// A job's TaskControl::progress, on this object's thread.
    void progressed(int step);

private:
    using Job = TaskControl::Job;
    friend class TaskControl;

    bool startJob(std::function<void(TaskControl&)> work, std::function<void()> deliver);
    void runJob(const std::shared_ptr<Job>& job);
    void deliver(const std::shared_ptr<Job>& job);
    void reportProgress(const std::shared_ptr<Job>& job, int step);

    std::unique_ptr<QThread> m_thread;
    QObject* m_context = nullptr; // lives on m_thread: jobs are posted to it
    std::shared_ptr<Job> m_job;
};

template <typename Work, typename Done> bool BackgroundTask::start(Work work, Done done)
{
    using Value = std::invoke_result_t<Work&, TaskControl&>;
    auto result = std::make_shared<TaskResult<Value>>();
    // The result is written on the task's thread before the outcome is posted, and read
    // on this one after it arrives: the event queue orders the two.
    return startJob(
        [work = std::move(work), result](TaskControl& control) mutable {
            try {
                if constexpr (std::is_void_v<Value>)
                    work(control);
                else
                    result->m_value.emplace(work(control));
            } catch (...) {
                result->m_error = std::current_exception();
            }
        },
        [done = std::move(done), result]() mutable { done(*result); });
}

template <typename Work> std::invoke_result_t<Work&, TaskControl&> BackgroundTask::run(Work work)
{
    using Value = std::invoke_result_t<Work&, TaskControl&>;
    std::optional<TaskResult<Value>> outcome;
    QEventLoop loop;
    const bool started = start(std::move(work), [&outcome, &loop](TaskResult<Value>& result) {
        outcome.emplace(std::move(result));
        loop.quit();
    });
    if (!started)
        throw std::logic_error("BackgroundTask::run while a job is busy");
    // The outcome arrives as an event of this thread, so not before the loop runs.
    loop.exec(QEventLoop::ExcludeUserInputEvents);
    return outcome->value();
}

} // namespace Quillet
