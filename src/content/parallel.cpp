#include "content/parallel.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <thread>
#include <vector>

namespace lumora::content {

bool RunInParallel(int count, const std::function<void(int)>& work, const core::Pump& pump) {
  std::atomic<int> next{0};
  std::atomic<bool> stop{false};
  std::mutex mutex;
  std::condition_variable finished;
  const int threads = std::clamp(static_cast<int>(std::thread::hardware_concurrency()), 1, 8);
  int running = std::min(threads, std::max(count, 0));

  auto worker = [&] {
    for (int i = next++; i < count && !stop; i = next++) work(i);
    const std::lock_guard lock(mutex);
    --running;
    finished.notify_all();
  };
  std::vector<std::thread> pool;
  pool.reserve(static_cast<size_t>(running));
  for (int t = running; t > 0; --t) pool.emplace_back(worker);

  bool completed = true;
  auto keepGoing = [&] {
    if (completed && pump && !pump()) {
      completed = false;
      stop = true;
    }
  };
  keepGoing();
  std::unique_lock lock(mutex);
  while (!finished.wait_for(lock, std::chrono::milliseconds(15), [&] { return running == 0; })) {
    lock.unlock();
    keepGoing();
    lock.lock();
  }
  lock.unlock();
  for (std::thread& thread : pool) thread.join();
  return completed;
}

}  // namespace lumora::content
