#include "render/worker_threads.h"

#include <QThread>
#include <QVector>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <new>
#include <vector>

namespace runemill {

namespace {

// The address space a thread takes beyond the calling one's: its stack, the
// C library's memory arena of its own (64 MB on 64-bit Linux) and its font
// engines. Under a limit on address space (ulimit -v) a thread that cannot
// have it fails somewhere inside the font libraries, where no one can catch it.
constexpr size_t kThreadHeadroom = size_t(96) << 20;

// How many of `wanted` threads the address space has room for, each with
// kThreadHeadroom: tried by reserving that much for all of them at once.
int ThreadsWithRoom(int wanted) {
    std::vector<std::unique_ptr<char[]>> reserved;
    while (int(reserved.size()) < wanted) {
        std::unique_ptr<char[]> block(new (std::nothrow) char[kThreadHeadroom]);
        if (!block) break;
        reserved.push_back(std::move(block));
    }
    return int(reserved.size());
}

}  // namespace

void RunParts(int parts, const std::function<void(int part)>& work,
              const std::function<void()>& poll) {
    std::atomic<bool> outOfMemory{false};
    auto guarded = [&](int part) {
        try {
            work(part);
        } catch (const std::bad_alloc&) {
            outOfMemory = true;
        }
    };
    std::mutex mutex;
    std::condition_variable finishedSignal;
    int finished = 0;
    std::vector<std::unique_ptr<QThread>> workers;
    QVector<int> here;  // the parts the calling thread takes
    const int room = ThreadsWithRoom(parts);
    for (int part = 0; part < parts; ++part) {
        if (part >= room) {
            here << part;
            continue;
        }
        workers.emplace_back(QThread::create([&, part] {
            guarded(part);
            {
                std::lock_guard<std::mutex> lock(mutex);
                ++finished;
            }
            finishedSignal.notify_one();
        }));
        workers.back()->start();
        // A thread that could not start is neither running nor finished.
        if (!workers.back()->isRunning() && !workers.back()->isFinished()) {
            workers.pop_back();
            here << part;
        }
    }
    for (const int part : here) guarded(part);
    {
        std::unique_lock<std::mutex> lock(mutex);
        while (finished < int(workers.size())) {
            finishedSignal.wait_for(lock, std::chrono::milliseconds(50));
            lock.unlock();
            if (poll) poll();
            lock.lock();
        }
    }
    for (const std::unique_ptr<QThread>& worker : workers) worker->wait();
    if (outOfMemory) throw std::bad_alloc();
}

}  // namespace runemill
