// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quillet developers

#include "gui/app/BackgroundTask.h"

#include <QThread>

#include <atomic>
#include <condition_variable>
#include <mutex>

namespace Quillet {

struct TaskControl::Job {
    std::function<void(TaskControl&)> work;
    std::function<void()> deliver;
    std::atomic<bool> cancelled{false};
    std::mutex mutex;
    std::condition_variable returnedChanged;
    bool returned = false;
};

TaskControl::TaskControl(std::shared_ptr<Job> job, BackgroundTask* task)
    : m_job(std::move(job)), m_task(task)
{
}

bool TaskControl::isCancelled() const
{
    return m_job->cancelled;
}

bool TaskControl::progress(int step)
{
    // The task outlives its job (its destructor waits for the job), so it is there to
    // post to.
    QMetaObject::invokeMethod(
        m_task, [task = m_task, job = m_job, step] { task->reportProgress(job, step); },
        Qt::QueuedConnection);
    return !m_job->cancelled;
}

BackgroundTask::BackgroundTask(const QString& threadName, QObject* parent)
    : QObject(parent), m_thread(std::make_unique<QThread>()), m_context(new QObject)
{
    m_thread->setObjectName(threadName);
    m_context->moveToThread(m_thread.get());
}

BackgroundTask::~BackgroundTask()
{
    cancel();
    abandon();
    m_thread->quit();
    m_thread->wait();
    delete m_context;
}

void BackgroundTask::cancel()
{
    if (m_job != nullptr)
        m_job->cancelled = true;
}

void BackgroundTask::abandon()
{
    const std::shared_ptr<Job> job = std::exchange(m_job, nullptr);
    if (job == nullptr)
        return;
    std::unique_lock lock(job->mutex);
    job->returnedChanged.wait(lock, [&job] { return job->returned; });
}

bool BackgroundTask::startJob(std::function<void(TaskControl&)> work, std::function<void()> deliver)
{
    if (isBusy())
        return false;
    auto job = std::make_shared<Job>();
    job->work = std::move(work);
    job->deliver = std::move(deliver);
    m_job = job;
    // Started with the first job: most sessions never print or scan.
    if (!m_thread->isRunning())
        m_thread->start();
    QMetaObject::invokeMethod(
        m_context, [this, job] { runJob(job); }, Qt::QueuedConnection);
    return true;
}

void BackgroundTask::runJob(const std::shared_ptr<Job>& job)
{
    TaskControl control(job, this);
    job->work(control); // catches what the work throws into the result
    // Posted before the job counts as returned: abandon() waits for that, so this object is
    // still there.
    QMetaObject::invokeMethod(
        this, [this, job] { deliver(job); }, Qt::QueuedConnection);
    {
        const std::lock_guard lock(job->mutex);
        job->returned = true;
    }
    job->returnedChanged.notify_all();
}

void BackgroundTask::deliver(const std::shared_ptr<Job>& job)
{
    if (job != m_job)
        return; // abandoned
    m_job.reset();
    // `done` may start the next job at once.
    job->deliver();
}

void BackgroundTask::reportProgress(const std::shared_ptr<Job>& job, int step)
{
    if (job == m_job)
        Q_EMIT progressed(step);
}

} // namespace Quillet
