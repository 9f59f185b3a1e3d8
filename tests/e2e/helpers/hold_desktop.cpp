// hold_desktop: keeps the Wine session's desktop in use for as long as it runs.
//
// Wine closes a desktop a second after the last program on it, other than the desktop's own
// explorer, has ended; the next program then gets a new desktop. A program that starts in that
// second can be left on the closing one, and every later look from outside (wintree) lands on
// the new one and finds none of its windows. The journeys' streams run one program after
// another in one Wine session, so each stream keeps one of these running; the session's end
// (wineserver -k) ends it.
#include <windows.h>

int wmain() {
  GetDesktopWindow();  // joins the desktop, as a program with windows would
  Sleep(INFINITE);
  return 0;
}
