// Typing into another program's window. The characters are queued to the window without
// waiting, so that it handles the whole batch without a round trip per character. Before each
// one goes a probe, a hit test the window answers in turn: a live window answers it with
// something other than HTNOWHERE, so each answer says the window was still there for the
// character behind it, and a window that closed part-way is told from one that took it all.
#include <windows.h>

#include <memory>
#include <vector>

#include "platform/win32/system.h"

namespace tessarin::platform::win32 {
namespace {

// How long the target may go without answering before the rest count as lost.
constexpr ULONGLONG kProgressTimeoutMs = 1000;
// Between looks at whether the window is still there while its answers are awaited.
constexpr DWORD kLookIntervalMs = 10;

struct Batch;

struct Probe {
  Batch* batch = nullptr;
  bool answered = false;
  bool windowThere = false;
};

// On the heap: if we stop waiting, answers still to come land here, and the last one frees it.
struct Batch {
  explicit Batch(std::size_t size) : probes(size) {
    for (auto& probe : probes) probe.batch = this;
  }
  std::vector<Probe> probes;
  std::size_t outstanding = 0;
  bool abandoned = false;
};

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

}  // namespace

Win32System::TypeResult Win32System::typeChars(WindowId window, std::u16string_view units) {
  const HWND target = reinterpret_cast<HWND>(window);
  RECT rect;
  if (!window || !GetWindowRect(target, &rect)) return {0, SendResult::Lost};
  const LPARAM inside = MAKELPARAM((rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2);
  // One probe before each unit, and one after the last, so that all of them are handled when
  // the answers are in.
  auto batch = std::make_unique<Batch>(units.size() + 1);
  TypeResult typed;
  std::size_t queued = 0;
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
    if (!probe(queued) || !SendNotifyMessageW(target, WM_CHAR, unit, 0)) {
      typed.result = GetLastError() == ERROR_ACCESS_DENIED ? SendResult::Refused : SendResult::Lost;
      break;
    }
    ++queued;
  }
  if (queued == units.size()) probe(queued);
  WaitForAnswers(*batch, target);
  for (std::size_t i = 0; i < queued && batch->probes[i].answered && batch->probes[i].windowThere; ++i)
    ++typed.taken;
  if (typed.taken < units.size() && typed.result == SendResult::Taken) typed.result = SendResult::Lost;
  if (batch->outstanding > 0) batch.release()->abandoned = true;
  return typed;
}

}  // namespace tessarin::platform::win32
