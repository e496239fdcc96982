# SPDX-License-Identifier: MIT
"""Drops files on a window of the X display as a file manager does, by the XDnD protocol: Wine's X
driver turns such a drop into the WM_DROPFILES of the Windows window under the point.

    drop_files(title, [path, ...], x, y)   # x, y on the screen; True once the drop was taken

The display is $DISPLAY. Every wait is bounded; the target's requests for the data are answered
while it waits."""

import select
import time
from pathlib import Path
from urllib.parse import quote

from Xlib import X, display
from Xlib.protocol import event

ATOMS = ("XdndAware", "XdndSelection", "XdndEnter", "XdndPosition", "XdndStatus", "XdndDrop",
         "XdndFinished", "XdndLeave", "XdndActionCopy", "text/uri-list")


def _find_window(root, title: str):
    for child in root.query_tree().children:
        try:
            if child.get_wm_name() == title:
                return child
        except Exception:  # a window that went away while the tree was read
            continue
    return None


def drop_files(title: str, paths: list, x: int, y: int, seconds: float = 20) -> bool:
    screen = display.Display()
    try:
        atoms = {name: screen.intern_atom(name) for name in ATOMS}
        root = screen.screen().root
        target = _find_window(root, title)
        if target is None:
            raise RuntimeError(f"no X window named {title!r}")
        source = root.create_window(0, 0, 1, 1, 0, X.CopyFromParent)
        source.set_selection_owner(atoms["XdndSelection"], X.CurrentTime)
        uris = "".join(f"file://{quote(str(Path(p).resolve()))}\r\n" for p in paths).encode()

        def send(kind: str, data: list):
            target.send_event(event.ClientMessage(window=target, client_type=atoms[kind],
                                                  data=(32, data + [0] * (5 - len(data)))),
                              event_mask=0)
            screen.flush()

        def answer(request):
            known = request.target == atoms["text/uri-list"]
            if known:
                request.requestor.change_property(request.property, atoms["text/uri-list"], 8,
                                                  uris)
            request.requestor.send_event(event.SelectionNotify(
                time=request.time, requestor=request.requestor, selection=request.selection,
                target=request.target, property=request.property if known else X.NONE))
            screen.flush()

        def wait_for(kind: str):
            """The target's next message of that kind, answering its data requests meanwhile."""
            deadline = time.monotonic() + seconds
            while time.monotonic() < deadline:
                if not screen.pending_events():
                    select.select([screen.fileno()], [], [], 0.1)
                    continue
                message = screen.next_event()
                if message.type == X.SelectionRequest:
                    answer(message)
                elif message.type == X.ClientMessage and message.client_type == atoms[kind]:
                    return message.data[1]
            return None

        send("XdndEnter", [source.id, 5 << 24, atoms["text/uri-list"]])
        send("XdndPosition", [source.id, 0, (x << 16) | y, X.CurrentTime,
                              atoms["XdndActionCopy"]])
        status = wait_for("XdndStatus")
        if status is None or not status[1] & 1:
            send("XdndLeave", [source.id])
            return False
        send("XdndDrop", [source.id, 0, X.CurrentTime])
        return wait_for("XdndFinished") is not None
    finally:
        screen.close()
