"""Keeps the WM_STATE property of a display's top-level windows as a window manager would:
NormalState once a window is mapped, WithdrawnState once it is unmapped.

Wine lets a window manager manage its top-level windows, and before it hides one it waits up
to 2 s for the manager to have taken the window in (WM_STATE no longer WithdrawnState). The
private Xvfb of the tests has no window manager, so every window that closed cost 2 s. This
does that one part of a manager's work and nothing else: no frames, no placement, no focus.

Usage: /usr/bin/python3 tools/wm_state.py (on $DISPLAY; runs until the display ends).
"""
from Xlib import X, display, error

NORMAL_STATE = 1
WITHDRAWN_STATE = 0


def main():
    screen = display.Display()
    root = screen.screen().root
    wm_state = screen.intern_atom("WM_STATE")
    # A window may be gone by the time its state is set: nothing to do then.
    ignore = error.CatchError(error.BadWindow)
    root.change_attributes(event_mask=X.SubstructureNotifyMask)
    screen.sync()
    while True:
        event = screen.next_event()
        if event.type == X.MapNotify and not event.override:
            state = NORMAL_STATE
        elif event.type == X.UnmapNotify and event.window != root:
            state = WITHDRAWN_STATE
        else:
            continue
        # WM_STATE's second field names the icon window: there is none.
        event.window.change_property(wm_state, wm_state, 32, [state, X.NONE], onerror=ignore)
        screen.flush()


if __name__ == "__main__":
    try:
        main()
    except (error.ConnectionClosedError, KeyboardInterrupt):
        pass
