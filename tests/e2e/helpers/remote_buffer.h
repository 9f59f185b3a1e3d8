#pragma once
// Memory inside another process, for control messages that answer through a pointer
// (TB_GETBUTTON, TB_GETITEMRECT, TBM_GETTHUMBRECT): the control writes into its own address
// space, so the buffer has to live there and be read back across. Tessarin lets no other program
// open it so far, so for it the handle comes from the launcher that started it.
#include <windows.h>

#include <cstddef>

#include "launched_process.h"

class RemoteBuffer {
 public:
  // The process that owns the window; valid() is false when it cannot be opened.
  RemoteBuffer(HWND owner, std::size_t size) : size_(size) {
    DWORD pid = 0;
    GetWindowThreadProcessId(owner, &pid);
    process_ = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, pid);
    if (!process_) process_ = e2e::handleFromLauncher(pid);
    if (process_) memory_ = VirtualAllocEx(process_, nullptr, size, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
  }
  ~RemoteBuffer() {
    if (memory_) VirtualFreeEx(process_, memory_, 0, MEM_RELEASE);
    if (process_) CloseHandle(process_);
  }
  RemoteBuffer(const RemoteBuffer&) = delete;
  RemoteBuffer& operator=(const RemoteBuffer&) = delete;

  bool valid() const { return memory_ != nullptr; }
  LPARAM address() const { return reinterpret_cast<LPARAM>(memory_); }

  // Copies the buffer's start into out; false when it could not be read whole.
  template <typename T>
  bool read(T& out) const {
    SIZE_T got = 0;
    return sizeof(T) <= size_ && ReadProcessMemory(process_, memory_, &out, sizeof(T), &got) && got == sizeof(T);
  }

 private:
  std::size_t size_;
  HANDLE process_ = nullptr;
  void* memory_ = nullptr;
};
