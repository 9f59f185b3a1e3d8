// A stand-in for a sound library planted beside a program: it lacks the function the program
// plays its sounds with, and leaves a file beside itself when it is loaded, so that a test sees
// it was.
#define WIN32_LEAN_AND_MEAN
#include <windows.h>

#include <string>

extern "C" BOOL WINAPI DllMain(HINSTANCE self, DWORD reason, LPVOID) {
  if (reason != DLL_PROCESS_ATTACH) return TRUE;
  std::wstring path(MAX_PATH, L'\0');
  path.resize(GetModuleFileNameW(self, path.data(), MAX_PATH));
  path.replace(path.find_last_of(L'\\') + 1, std::wstring::npos, L"planted-winmm-was-loaded");
  CloseHandle(CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
  return TRUE;
}

// Something to export, as a real library would; not the function the program needs.
extern "C" __declspec(dllexport) UINT WINAPI waveOutGetNumDevs() { return 0; }
