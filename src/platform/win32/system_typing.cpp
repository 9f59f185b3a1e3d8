// Typing into another program's window. The characters are queued to the window without
// waiting, so that it handles a whole batch without a round trip per character, and the next
// batch is queued while the window still handles the one before, so that it never waits for
// us. Before each character goes a probe, a hit test the window answers in turn: a live window
// answers it with something other than HTNOWHERE, so each answer says the window was still
// there for the character behind it, and a window that closed part-way is told from one that
// took it all.
#include <windows.h>

#include <deque>
#include <memory>
#include <vector>

#include "platform/win32/system.h"

namespace tessarin::platform::win32 {
namespace {

// How long the target may go without answering before the rest count as lost.
constexpr ULONGLONG kProgressTimeoutMs = 1000;
// Between looks at whether the window is still there while its answers are awaited.
constexpr DWORD kLookIntervalMs = 10;
// Batches handed over and not yet answered: the one the window handles, and the next.
constexpr std::size_t kBatchesInFlight = 2;

struct Batch;

struct Probe {
  Batch* batch = nullptr;
  bool answered = false;
  bool windowThere = false;
};

// On the heap: if we stop waiting, answers still to come land here, and the last one frees it.
struct Batch {
  explicit Batch(std::size_t units) : probes(units + 1), units(units) {
    for (auto& probe : probes) probe.batch = this;
  }
  std::vector<Probe> probes;
  std::size_t outstanding = 0;
  const std::size_t units;
  // Units handed over; the probe after the last of them is the batch's last one.
  std::size_t queued = 0;
  bool abandoned = false;
};

// Answers still to come land in a batch that is no longer waited for; the last one frees it.
void Abandon(std::unique_ptr<Batch> batch) {
  if (batch->outstanding > 0) batch.release()->abandoned = true;
}

void CALLBACK ProbeAnswered(HWND, UINT, ULONG_PTR data, LRESULT hit) {
  auto& probe = *reinterpret_cast<Probe*>(data);
  probe.answered = true;
  probe.windowThere = hit != HTNOWHERE;
  Batch* batch = probe.batch;
  if (--batch->outstanding == 0 && batch->abandoned) delete batch;
}

// Answers arrive as sent messages; taking them runs ProbeAnswered and nothing else.
void TakeAnswers() {
  MSG msg;
  PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
}

// Until every probe is answered, the window is gone (probes to it are then dropped unanswered)
// or it made no progress for a while.
void WaitForAnswers(const Batch& batch, HWND target) {
  std::size_t seen = batch.outstanding;
  ULONGLONG deadline = GetTickCount64() + kProgressTimeoutMs;
  for (TakeAnswers(); batch.outstanding > 0; TakeAnswers()) {
    const ULONGLONG now = GetTickCount64();
    if (batch.outstanding < seen) {
      seen = batch.outstanding;
      deadline = now + kProgressTimeoutMs;
    }
    if (now >= deadline || !IsWindow(target)) {
      TakeAnswers();  // those that came before it went
      return;
    }
    const auto wait = static_cast<DWORD>(std::min<ULONGLONG>(deadline - now, kLookIntervalMs));
    MsgWaitForMultipleObjectsEx(0, nullptr, wait, QS_SENDMESSAGE, MWMO_INPUTAVAILABLE);
  }
}

// Queues a probe before each unit and one after the last, so that all of them are handled
// when the answers are in; stops at the first the system refuses and says why.
std::unique_ptr<Batch> Queue(HWND target, LPARAM inside, std::u16string_view units,
                             System::SendResult& refusal) {
  auto batch = std::make_unique<Batch>(units.size());
  const auto probe = [&](std::size_t index) {
    // Counted first: a window of this thread answers before the call returns.
    ++batch->outstanding;
    if (SendMessageCallbackW(target, WM_NCHITTEST, 0, inside, ProbeAnswered,
                             reinterpret_cast<ULONG_PTR>(&batch->probes[index])))
      return true;
    --batch->outstanding;
    return false;
  };
  for (char16_t unit : units) {
    SetLastError(ERROR_SUCCESS);
    if (!probe(batch->queued) || !SendNotifyMessageW(target, WM_CHAR, unit, 0)) {
      refusal = GetLastError() == ERROR_ACCESS_DENIED ? System::SendResult::Refused : System::SendResult::Lost;
      break;
    }
    ++batch->queued;
  }
  if (batch->queued == units.size()) probe(batch->queued);
  return batch;
}

// The units of the batch the window took: those whose probe found it there.
std::size_t Taken(const Batch& batch) {
  std::size_t taken = 0;
  while (taken < batch.queued && batch.probes[taken].answered && batch.probes[taken].windowThere) ++taken;
  return taken;
}

}  // namespace

Win32System::TypeResult Win32System::typeChars(WindowId window, std::span<const std::u16string_view> batches,
                                               const std::function<bool()>& keepGoing) {
  const HWND target = reinterpret_cast<HWND>(window);
  RECT rect;
  if (!window || !GetWindowRect(target, &rect)) return {0, SendResult::Lost};
  const LPARAM inside = MAKELPARAM((rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2);
  TypeResult typed;
  std::deque<std::unique_ptr<Batch>> inFlight;
  std::size_t next = 0;
  bool queuing = true;
  const auto queueNext = [&] {
    const std::u16string_view units = batches[next++];
    inFlight.push_back(Queue(target, inside, units, typed.result));
    queuing = typed.result == SendResult::Taken && next < batches.size();
  };
  if (!batches.empty()) queueNext();
  while (!inFlight.empty()) {
    if (queuing && inFlight.size() < kBatchesInFlight) {
      if (keepGoing()) {
        queueNext();
      } else {
        typed.result = SendResult::Stopped;
        queuing = false;
      }
    }
    std::unique_ptr<Batch> batch = std::move(inFlight.front());
    inFlight.pop_front();
    WaitForAnswers(*batch, target);
    const std::size_t taken = Taken(*batch);
    typed.taken += taken;
    const bool whole = taken == batch->units;
    Abandon(std::move(batch));
    if (!whole) {
      if (typed.result != SendResult::Refused) typed.result = SendResult::Lost;
      // Nothing after a unit the window did not take counts.
      for (auto& later : inFlight) Abandon(std::move(later));
      break;
    }
  }
  return typed;
}

}  // namespace tessarin::platform::win32
