#!/usr/bin/python3
"""Starts the window program under the running window manager and checks, from outside through
X11, what a user sees: the outer frame (the window manager's _NET_FRAME_EXTENTS around the client)
is 381 x 267, centred on the screen; the window can be neither resized nor maximised; and it is
mapped at its final size and place, so it never visibly resizes or jumps after it is shown.

    window_manager_check.py PROGRAM [ARGUMENT...]

Exit status 0 when every check holds; each failed check prints one line starting with FAIL."""

import subprocess
import sys
import time

from Xlib import X, display

FRAME_WIDTH, FRAME_HEIGHT = 381, 267
TITLE = "Korimbo"
failures = 0


def check(ok, what):
    global failures
    if not ok:
        failures += 1
        print("FAIL: " + what, flush=True)
    return ok


def cardinals(d, window, name):
    prop = window.get_full_property(d.intern_atom(name), X.AnyPropertyType)
    return list(prop.value) if prop else []


def main():
    d = display.Display()
    root = d.screen().root
    screen_width, screen_height = d.screen().width_in_pixels, d.screen().height_in_pixels
    root.change_attributes(event_mask=X.SubstructureNotifyMask)
    d.sync()
    program = subprocess.Popen(sys.argv[1:])

    # Every top-level window the program creates is watched from its creation on; the client is
    # the one titled "Korimbo" when it is mapped. What the user sees of it is its size and its
    # place on the screen: the place comes from the window manager's synthetic ConfigureNotify
    # events, which give root coordinates (ICCCM 4.1.5), and from a query when it is mapped.
    sizes = {}
    client = None
    mapped = None  # (size, place) when the client was mapped
    seen = None  # (size, place) as last reported
    changes_after_map = []
    deadline = time.monotonic() + 30
    settled_at = None
    while time.monotonic() < deadline:
        while d.pending_events():
            event = d.next_event()
            if event.type == X.CreateNotify and event.parent == root:
                event.window.change_attributes(event_mask=X.StructureNotifyMask)
                sizes[event.window.id] = (event.width, event.height)
            elif event.type == X.ConfigureNotify and event.window.id in sizes:
                sizes[event.window.id] = (event.width, event.height)
                if client is not None and event.window.id == client.id:
                    place = (event.x, event.y) if event.send_event else seen[1]
                    if (sizes[client.id], place) != seen:
                        seen = (sizes[client.id], place)
                        changes_after_map.append(seen)
                        settled_at = time.monotonic()
            elif event.type == X.MapNotify and client is None and event.window.id in sizes:
                try:
                    title = event.window.get_full_property(d.intern_atom("_NET_WM_NAME"), X.AnyPropertyType)
                    origin = event.window.translate_coords(root, 0, 0)
                except Exception:
                    continue
                if title is not None and title.value in (TITLE, TITLE.encode()):
                    client = event.window
                    mapped = seen = (sizes[client.id], (-origin.x, -origin.y))
                    settled_at = time.monotonic()
        if mapped is not None and time.monotonic() - settled_at > 1.5:
            break
        time.sleep(0.005)

    if check(mapped is not None, "the window was mapped within 30 s"):
        extents = cardinals(d, client, "_NET_FRAME_EXTENTS")
        if check(len(extents) == 4, "the window manager gives _NET_FRAME_EXTENTS"):
            left, right, top, bottom = extents
            geometry = client.get_geometry()
            origin = client.translate_coords(root, 0, 0)
            client_x, client_y = -origin.x, -origin.y
            outer = (geometry.width + left + right, geometry.height + top + bottom)
            check(outer == (FRAME_WIDTH, FRAME_HEIGHT), "outer frame %dx%d, expected %dx%d (client %dx%d, extents %s)"
                  % (outer + (FRAME_WIDTH, FRAME_HEIGHT, geometry.width, geometry.height, extents)))
            frame_x, frame_y = client_x - left, client_y - top
            centred = ((screen_width - FRAME_WIDTH) // 2, (screen_height - FRAME_HEIGHT) // 2)
            check((frame_x, frame_y) == centred, "outer frame at %d,%d, expected %d,%d (centred on %dx%d)"
                  % (frame_x, frame_y, centred[0], centred[1], screen_width, screen_height))
        hints = client.get_wm_normal_hints()
        size = client.get_geometry()
        check(hints and hints.min_width == hints.max_width == size.width
              and hints.min_height == hints.max_height == size.height,
              "the size hints fix the size (min = max = the window's size)")
        actions = {d.get_atom_name(atom) for atom in cardinals(d, client, "_NET_WM_ALLOWED_ACTIONS")}
        for refused in ("_NET_WM_ACTION_RESIZE", "_NET_WM_ACTION_MAXIMIZE_HORZ", "_NET_WM_ACTION_MAXIMIZE_VERT"):
            check(refused not in actions, "the window manager does not allow " + refused)
        for allowed in ("_NET_WM_ACTION_MOVE", "_NET_WM_ACTION_MINIMIZE", "_NET_WM_ACTION_CLOSE"):
            check(allowed in actions, "the window manager allows " + allowed)
        check(not changes_after_map, "mapped with size and place %s, then changed to %s" % (mapped, changes_after_map))

    program.terminate()
    program.wait(10)
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
