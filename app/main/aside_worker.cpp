// SPDX-FileCopyrightText: 2026 The Zembrel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "aside_worker.h"

#include <QMetaObject>
#include <QObject>

#include <memory>
#include <utility>

namespace zembrel {

AsideWorker::AsideWorker(QObject& receiver) : receiver_(receiver) { pool_.setMaxThreadCount(1); }

AsideWorker::~AsideWorker()
{
    waiting_.reset();
    pool_.waitForDone();
}

void AsideWorker::ask(Task task)
{
    waiting_ = std::move(task);
    startWaiting();
}

void AsideWorker::startWaiting()
{
    if (running_ || !waiting_)
        return;
    running_ = true;
    auto task = std::make_shared<const Task>(std::move(*waiting_));
    waiting_.reset();
    // The result is posted to the receiver, whose destruction drops it; this
    // worker lives as long as the receiver and waits for the task.
    pool_.start([this, task] {
        std::function<void()> deliver = (*task)();
        QMetaObject::invokeMethod(
            &receiver_,
            [this, deliver = std::move(deliver)] {
                running_ = false;
                deliver();
                startWaiting();
            },
            Qt::QueuedConnection);
    });
}

} // namespace zembrel
