#pragma once

#include <QObject>

#include <chrono>
#include <functional>
#include <memory>
#include <optional>
#include <type_traits>
#include <utility>

#include "print_service.h"

class QEventLoop;

// Runs the print service's requests on a thread of its own, one after
// another, and waits for each until its deadline while the window goes on
// repainting and answering the window system. Only while it waits, the
// cursor is the wait cursor, and clicks and key presses are dropped, never
// held back and replayed as new presses once the wait is over.
//
// The service's requests give up at their deadline; the wait allows them a
// moment more to say so. A request still running then is left to end on its
// own, and the next one waits its turn. So a stalled service holds one
// thread at most. When the ServiceWait ends, that thread is given the
// closing limit to end; after it, the thread is left behind, holding what it
// touches (the requests own what they use), so that closing never waits on a
// stalled service. One wait at a time: not for nested use.
class ServiceWait {
 public:
  using Deadline = PrintService::Deadline;

  explicit ServiceWait(std::chrono::milliseconds closingLimit);
  ~ServiceWait();
  ServiceWait(const ServiceWait&) = delete;
  ServiceWait& operator=(const ServiceWait&) = delete;

  // How long after its deadline a request may still answer.
  static constexpr std::chrono::milliseconds kGrace{300};

  template <typename T>
  struct Outcome {
    std::optional<T> result;  // none when the deadline came first
    bool started = false;     // it may have reached the service all the same
  };

  // Runs the request on the worker thread: it must own what it uses.
  template <typename Request, typename T = std::invoke_result_t<Request&>>
  Outcome<T> Run(Deadline deadline, Request request) {
    auto result = std::make_shared<std::optional<T>>();
    const Ended ended = RunTask(
        deadline, [request = std::move(request), result]() mutable { *result = request(); });
    // Read only once the worker has finished with it.
    return {ended.done ? std::move(*result) : std::nullopt, ended.started};
  }

 private:
  struct State;
  struct Task;
  struct Ended {
    bool done = false;
    bool started = false;
  };

  Ended RunTask(Deadline deadline, std::function<void()> request);
  void Wait(const Task& task);
  void Woken();

  std::chrono::milliseconds m_closingLimit;
  std::shared_ptr<State> m_state;
  QObject m_waker;               // on the window's thread: the worker wakes the wait through it
  QEventLoop* m_loop = nullptr;  // the wait going on, if any
  bool m_woken = false;
};
