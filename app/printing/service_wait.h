#pragma once

#include <QObject>

#include <chrono>
#include <condition_variable>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <thread>

#include "print_service.h"

class QEventLoop;

// Runs the print service's requests on a thread of its own, one after
// another, and waits for each until its deadline while the window goes on
// repainting and answering the window system. Clicks and key presses that
// come meanwhile are dropped, never held back and replayed as new presses
// once the wait is over.
//
// The service's requests give up at their deadline; the wait allows them a
// moment more to say so. A request still running then is left to end on its
// own, and the next one waits its turn.
// So a stalled service holds one thread at most, and that thread is joined
// when the ServiceWait ends. One wait at a time: not for nested use.
class ServiceWait {
 public:
  using Deadline = PrintService::Deadline;

  ServiceWait();
  ~ServiceWait();
  ServiceWait(const ServiceWait&) = delete;
  ServiceWait& operator=(const ServiceWait&) = delete;

  // How long after its deadline a request may still answer.
  static constexpr std::chrono::milliseconds kGrace{300};

  struct Outcome {
    std::optional<PrintReply> reply;  // none when the deadline came first
    bool started = false;             // it may have reached the service all the same
  };

  // The request runs on the worker thread: it must own what it uses.
  Outcome Run(Deadline deadline, std::function<PrintReply()> request);

 private:
  struct Task {
    Deadline deadline;
    std::function<PrintReply()> request;
    std::optional<PrintReply> reply;  // under m_mutex
    bool started = false;             // under m_mutex
  };

  void Work();
  void Wait(const Task& task);

  std::mutex m_mutex;
  std::condition_variable m_wake;
  std::deque<std::shared_ptr<Task>> m_queue;  // under m_mutex
  bool m_stopping = false;                    // under m_mutex
  QObject m_waker;               // on the window's thread: the worker wakes the wait through it
  QEventLoop* m_loop = nullptr;  // the wait going on, if any
  bool m_woken = false;
  std::thread m_worker;  // last: started once everything above exists
};
