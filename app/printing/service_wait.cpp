#include "service_wait.h"

#include <QCoreApplication>
#include <QEvent>
#include <QEventLoop>
#include <QTimer>

#include <algorithm>
#include <utility>

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

}  // namespace

ServiceWait::ServiceWait() : m_worker([this] { Work(); }) {}

ServiceWait::~ServiceWait() {
  {
    const std::lock_guard lock(m_mutex);
    m_stopping = true;
    m_queue.clear();
  }
  m_wake.notify_one();
  m_worker.join();
}

ServiceWait::Outcome ServiceWait::Run(Deadline deadline, std::function<PrintReply()> request) {
  auto task = std::make_shared<Task>(Task{deadline, std::move(request), std::nullopt, false});
  {
    const std::lock_guard lock(m_mutex);
    m_queue.push_back(task);
  }
  m_wake.notify_one();
  Wait(*task);
  const std::lock_guard lock(m_mutex);
  // Given up before it started: it never will.
  if (!task->started)
    m_queue.erase(std::remove(m_queue.begin(), m_queue.end(), task), m_queue.end());
  return {task->reply, task->started};
}

void ServiceWait::Wait(const Task& task) {
  const DroppedPresses droppedPresses;
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
      const std::lock_guard lock(m_mutex);
      if (task.reply) break;
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

void ServiceWait::Work() {
  for (;;) {
    std::shared_ptr<Task> task;
    {
      std::unique_lock lock(m_mutex);
      m_wake.wait(lock, [this] { return m_stopping || !m_queue.empty(); });
      if (m_stopping) return;
      task = std::move(m_queue.front());
      m_queue.pop_front();
      // Nobody waits for a request whose deadline has passed.
      if (Clock::now() >= task->deadline) continue;
      task->started = true;
    }
    const PrintReply reply = task->request();
    {
      const std::lock_guard lock(m_mutex);
      task->reply = reply;
    }
    QMetaObject::invokeMethod(
        &m_waker,
        [this] {
          if (m_loop == nullptr) return;
          m_woken = true;
          m_loop->quit();
        },
        Qt::QueuedConnection);
  }
}
