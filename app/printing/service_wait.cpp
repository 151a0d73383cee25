#include "service_wait.h"

#include <QCoreApplication>
#include <QEvent>
#include <QEventLoop>
#include <QGuiApplication>
#include <QTimer>

#include <algorithm>
#include <condition_variable>
#include <deque>
#include <mutex>
#include <thread>

namespace {

using Clock = std::chrono::steady_clock;

// Drops the presses that reach the program while it waits: mouse buttons,
// keys, the wheel, touches, pens, context menus and shortcuts. Releases and
// moves go through, so that no button is left held down; a release alone
// clicks nothing.
class DroppedPresses final : public QObject {
 public:
  DroppedPresses() { QCoreApplication::instance()->installEventFilter(this); }
  ~DroppedPresses() override { QCoreApplication::instance()->removeEventFilter(this); }
  DroppedPresses(const DroppedPresses&) = delete;
  DroppedPresses& operator=(const DroppedPresses&) = delete;

 protected:
  bool eventFilter(QObject* /*watched*/, QEvent* event) override {
    switch (event->type()) {
      case QEvent::MouseButtonPress:
      case QEvent::MouseButtonDblClick:
      case QEvent::KeyPress:
      case QEvent::Shortcut:
      case QEvent::Wheel:
      case QEvent::TouchBegin:
      case QEvent::TabletPress:
      case QEvent::ContextMenu:
        return true;
      default:
        return false;
    }
  }
};

// The wait cursor for as long as it lives.
class WaitCursor {
 public:
  WaitCursor() { QGuiApplication::setOverrideCursor(Qt::WaitCursor); }
  ~WaitCursor() { QGuiApplication::restoreOverrideCursor(); }
  WaitCursor(const WaitCursor&) = delete;
  WaitCursor& operator=(const WaitCursor&) = delete;
};

}  // namespace

struct ServiceWait::Task {
  Deadline deadline;
  std::function<void()> request;
  bool done = false;     // under State::mutex
  bool started = false;  // under State::mutex
};

// What the worker thread touches, shared with it: it outlives the
// ServiceWait when the worker is left behind.
struct ServiceWait::State {
  std::mutex mutex;
  std::condition_variable wake;      // the worker: a task, or stop
  std::condition_variable finished;  // the closing: the worker has ended
  std::deque<std::shared_ptr<Task>> queue;
  bool stopping = false;
  bool workerEnded = false;
  std::thread worker;
};

ServiceWait::ServiceWait(std::chrono::milliseconds closingLimit)
    : m_closingLimit(closingLimit), m_state(std::make_shared<State>()) {
  // Started once everything it may touch exists.
  m_state->worker = std::thread([state = m_state, this] {
    for (;;) {
      std::shared_ptr<Task> task;
      {
        std::unique_lock lock(state->mutex);
        state->wake.wait(lock, [&state] { return state->stopping || !state->queue.empty(); });
        if (state->stopping) break;
        task = std::move(state->queue.front());
        state->queue.pop_front();
        // Nobody waits for a request whose deadline has passed.
        if (Clock::now() >= task->deadline) continue;
        task->started = true;
      }
      task->request();
      // Under the lock: once stopping, the ServiceWait may be gone.
      const std::lock_guard lock(state->mutex);
      task->done = true;
      if (state->stopping) break;
      QMetaObject::invokeMethod(
          &m_waker, [this] { Woken(); }, Qt::QueuedConnection);
    }
    const std::lock_guard lock(state->mutex);
    state->workerEnded = true;
    state->finished.notify_all();
  });
}

ServiceWait::~ServiceWait() {
  std::unique_lock lock(m_state->mutex);
  m_state->stopping = true;
  m_state->queue.clear();
  m_state->wake.notify_all();
  const bool ended =
      m_state->finished.wait_for(lock, m_closingLimit, [this] { return m_state->workerEnded; });
  lock.unlock();
  if (ended) {
    m_state->worker.join();
  } else {
    // Stalled in the service: it ends on its own, or with the process.
    m_state->worker.detach();
  }
}

void ServiceWait::Woken() {
  if (m_loop == nullptr) return;
  m_woken = true;
  m_loop->quit();
}

ServiceWait::Ended ServiceWait::RunTask(Deadline deadline, std::function<void()> request) {
  // From before the request may start until the wait is over.
  const DroppedPresses droppedPresses;
  const WaitCursor waiting;
  auto task = std::make_shared<Task>(Task{deadline, std::move(request)});
  {
    const std::lock_guard lock(m_state->mutex);
    m_state->queue.push_back(task);
  }
  m_state->wake.notify_one();
  Wait(*task);
  const std::lock_guard lock(m_state->mutex);
  // Given up before it started: it never will.
  if (!task->started) {
    auto& queue = m_state->queue;
    queue.erase(std::remove(queue.begin(), queue.end(), task), queue.end());
  }
  return {task->done, task->started};
}

void ServiceWait::Wait(const Task& task) {
  QEventLoop loop;
  QTimer deadlineTimer;
  deadlineTimer.setSingleShot(true);
  QObject::connect(&deadlineTimer, &QTimer::timeout, &loop, [this, &loop] {
    m_woken = true;
    loop.quit();
  });
  m_loop = &loop;
  for (;;) {
    {
      const std::lock_guard lock(m_state->mutex);
      if (task.done) break;
    }
    const auto left =
        std::chrono::ceil<std::chrono::milliseconds>(task.deadline + kGrace - Clock::now());
    if (left.count() <= 0) break;
    deadlineTimer.start(left);
    m_woken = false;
    loop.exec();
    // Ended by neither the worker nor the deadline: the program is quitting.
    if (!m_woken) break;
  }
  m_loop = nullptr;
}
