#include "platform/sim/sim_world.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <utility>

namespace tessary {
namespace {

constexpr double kNever = std::numeric_limits<double>::infinity();
// A message loop that keeps posting to itself is a bug in the test or the program.
constexpr int kMaxMessagesPerPump = 1'000'000;

}  // namespace

void SimWorld::Count(std::string_view kind) {
  auto found = calls.find(kind);
  if (found == calls.end()) {
    calls.emplace(std::string(kind), 1);
  } else {
    ++found->second;
  }
}

void SimWorld::Post(std::function<void()> message) { messages.push_back(std::move(message)); }

void SimWorld::QueueEvent(WindowEventKind kind, WindowId window) {
  // Out-of-context hooks only report what happens while they are installed, and the
  // program installs them skipping its own process (its surfaces' windows).
  if (!eventSink) return;
  if (const SimWindow* w = Find(window); w && w->setup.process == own) return;
  Post([this, kind, window] {
    if (eventSink) eventSink(WindowEvent{kind, window});
  });
}

void SimWorld::Schedule(double time, std::function<void()> action) {
  scheduled.emplace(std::make_pair(time, sequence++), std::move(action));
}

void SimWorld::AdvanceClockTo(double time) {
  while (true) {
    // The earliest thing another process does: a scheduled action or a late move.
    double next = kNever;
    SimWindow* mover = nullptr;
    for (auto& [id, w] : windows) {
      if (!w.pending.empty() && w.pending.front().due < next) {
        next = w.pending.front().due;
        mover = &w;
      }
    }
    bool action = !scheduled.empty() && scheduled.begin()->first.first < next;
    if (action) next = scheduled.begin()->first.first;
    if (next > time) break;
    now = std::max(now, next);
    if (action) {
      auto first = scheduled.begin();
      std::function<void()> run = std::move(first->second);
      scheduled.erase(first);
      run();
    } else {
      Rect frame = mover->pending.front().frame;
      mover->pending.pop_front();
      SetFrame(*mover, frame);
    }
  }
  now = std::max(now, time);
}

void SimWorld::Pump() {
  for (int i = 0; i < kMaxMessagesPerPump && !messages.empty(); ++i) {
    std::function<void()> message = std::move(messages.front());
    messages.pop_front();
    message();
  }
}

void SimWorld::RunLoop(double seconds) {
  double end = OnTimerGrid(now + seconds);
  while (true) {
    Pump();
    // Timers come after every other message, as WM_TIMER does; one that fell behind
    // fires once and starts its next period from now.
    auto due = timers.end();
    for (auto it = timers.begin(); it != timers.end(); ++it) {
      if (due == timers.end() || it->second.due < due->second.due ||
          (it->second.due == due->second.due && it->second.order < due->second.order)) {
        due = it;
      }
    }
    double timerTime = due == timers.end() ? kNever : due->second.due;
    double worldTime = kNever;
    for (auto& [id, w] : windows) {
      if (!w.pending.empty()) worldTime = std::min(worldTime, w.pending.front().due);
    }
    if (!scheduled.empty()) worldTime = std::min(worldTime, scheduled.begin()->first.first);
    double frameTime = framesWanted && framesWanted() ? NextFrameTime() : kNever;

    if (worldTime <= timerTime && worldTime <= frameTime && worldTime <= end) {
      AdvanceClockTo(worldTime);
      continue;
    }
    if (frameTime < timerTime && frameTime <= end) {
      AdvanceClockTo(frameTime);
      if (runFrame) runFrame();
      continue;
    }
    if (timerTime > end) break;
    int id = due->first;
    AdvanceClockTo(timerTime);
    // Another process's action may have changed the timers meanwhile (tests can stop
    // them from scheduled actions); look again.
    auto timer = timers.find(id);
    if (timer == timers.end() || timer->second.due > now) continue;
    timer->second.due = OnTimerGrid(now + timer->second.periodMs / 1000.0);
    if (timerHandler) timerHandler(id);
  }
  AdvanceClockTo(end);
  Pump();
}

double SimWorld::NextFrameTime() const {
  // The next vertical blank on a 60 Hz display whose frames start at clock zero.
  return (std::floor(now / kFramePeriod + 1e-9) + 1) * kFramePeriod;
}

bool SimWorld::WaitForFrame() {
  if (!compositionAvailable) return false;
  AdvanceClockTo(NextFrameTime());
  ++framesWaited;
  return true;
}

}  // namespace tessary
