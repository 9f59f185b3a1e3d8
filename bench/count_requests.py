"""Counts, in a Wine server's trace (wineserver -d1), the requests each start of a program made
from its main thread until its window with the given title was shown. Prints one count a line,
in the order of the starts.

    count_requests.py TRACE EXE_NAME TITLE

A start is a new_process whose image path ends with EXE_NAME; its main thread is the first one
the new process initialises. The window is the one that thread gave the title (Wine sets a
window's title with set_window_text as it creates it), and it is shown by the set_window_pos
that carries SWP_SHOWWINDOW for it.
"""
import re
import sys

SWP_SHOWWINDOW = 0x40
REQUEST = re.compile(r"^([0-9a-f]{4}): (\w+)\( (.*)")
FIRST_THREAD = re.compile(r"init_first_thread\(\) = 0 \{ pid=([0-9a-f]+), tid=([0-9a-f]+)")


class Start:
    def __init__(self):
        self.requests = 1  # init_first_thread itself
        self.window = None
        self.shown = False

    def take(self, name, args, title):
        """Counts one request of the thread; True once it showed the window."""
        self.requests += 1
        if self.window is None and name == "set_window_text" and f'text=L"{title}"' in args:
            self.window = re.search(r"handle=([0-9a-f]+)", args).group(1)
        elif self.window and name == "set_window_pos" and f"handle={self.window}," in args:
            flags = int(re.search(r"swp_flags=([0-9a-f]+)", args).group(1), 16)
            self.shown = bool(flags & SWP_SHOWWINDOW)
        return self.shown


def counts(lines, exe_name, title):
    image = re.compile(r'imagepath=L"[^"]*' + re.escape(exe_name) + '"', re.IGNORECASE)
    creators, new_pids, starts = set(), set(), {}
    for line in lines:
        if "new_process(" in line and image.search(line):
            creators.add(line[:4])
        elif "new_process() = 0" in line and line[:4] in creators:
            creators.discard(line[:4])
            new_pids.add(re.search(r"pid=([0-9a-f]+)", line).group(1))
        elif (first := FIRST_THREAD.search(line)) and first.group(1) in new_pids:
            new_pids.discard(first.group(1))
            starts[first.group(2)] = Start()
        elif (request := REQUEST.match(line)) and request.group(1) in starts:
            start = starts[request.group(1)]
            if start.take(request.group(2), request.group(3), title):
                yield start.requests
                del starts[request.group(1)]


if __name__ == "__main__":
    trace, exe_name, title = sys.argv[1:4]
    with open(trace, errors="replace") as f:
        for count in counts(f, exe_name, title):
            print(count)
