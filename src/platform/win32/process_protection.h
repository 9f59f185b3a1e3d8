#pragma once
// Closes this process to other programs of the same user, so that none can read or write its
// memory, start a thread in it or change that rule: they may only wait for it, ask its name and
// end it. An administrator or a debugger holding SeDebugPrivilege still gets in on Windows.

namespace tessarin::platform::win32 {

// Gives the process and the calling thread (the one that holds the password) a DACL that leaves
// the user only those rights and the owner only the right to read it. Call before any window
// exists. Returns false when the system refused; the program then runs as before.
bool closeProcessToOtherPrograms();

}  // namespace tessarin::platform::win32
