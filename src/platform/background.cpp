#include "platform/background.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QThread>
#include <QTimer>
#include <memory>

namespace background {

void Run(const std::function<void()>& work, const std::function<void()>& poll) {
    if (!QCoreApplication::instance()) {
        work();
        if (poll) poll();
        return;
    }
    QEventLoop loop;
    std::unique_ptr<QThread> thread(QThread::create(work));
    QObject::connect(thread.get(), &QThread::finished, &loop, &QEventLoop::quit,
                     Qt::QueuedConnection);
    QTimer timer;
    timer.setInterval(100);
    if (poll) QObject::connect(&timer, &QTimer::timeout, &loop, poll);
    timer.start();
    thread->start();
    // The quit is queued, so it is heard even when the work ends first.
    loop.exec();
    thread->wait();
    if (poll) poll();
}

} // namespace background
