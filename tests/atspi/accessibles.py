"""Finding and pressing the program's controls through AT-SPI, as an assistive tool does."""

import subprocess

import pyatspi

from desktop import wait_for


def application(pid, timeout=60):
    def find():
        desktop = pyatspi.Registry.getDesktop(0)
        for i in range(desktop.childCount):
            app = desktop.getChildAtIndex(i)
            try:
                if app is not None and app.get_process_id() == pid:
                    return app
            except Exception:
                continue
        return None
    return wait_for(find, timeout, "the program on the accessibility bus")


def states(acc):
    return acc.getState()


def showing(acc):
    s = states(acc)
    return s.contains(pyatspi.STATE_SHOWING) and s.contains(pyatspi.STATE_VISIBLE)


def sensitive(acc):
    s = states(acc)
    return s.contains(pyatspi.STATE_SENSITIVE) and s.contains(pyatspi.STATE_ENABLED)


def checked(acc):
    return states(acc).contains(pyatspi.STATE_CHECKED)


class Window:
    """The program's accessible tree; every lookup reads it afresh."""

    def __init__(self, app):
        self.app = app

    def all(self, role=None, name=None, only_showing=True):
        self.app.clearCache()
        found = []

        def walk(acc):
            for i in range(acc.childCount):
                child = acc.getChildAtIndex(i)
                if child is None:
                    continue
                if ((role is None or child.getRole() == role) and (name is None or child.name == name)
                        and (not only_showing or showing(child))):
                    found.append(child)
                walk(child)
        walk(self.app)
        return found

    def find(self, role, name, timeout=20, ready=True):
        """The one showing control of that role and name; waits for it to be usable."""
        def look():
            hits = self.all(role, name)
            if len(hits) > 1:
                raise AssertionError("%d showing controls %s %r" % (len(hits), role, name))
            if hits and (not ready or sensitive(hits[0])):
                return hits[0]
            return None
        return wait_for(look, timeout, "a usable %s named %r" % (role, name))

    def gone(self, role, name, timeout=20):
        wait_for(lambda: not self.all(role, name), timeout, "%s %r to go" % (role, name))

    def press(self, role, name, action="press"):
        act(self.find(role, name), action)


def act(acc, action="press"):
    actions = acc.queryAction()
    for i in range(actions.nActions):
        if actions.getName(i).lower() == action:
            if not actions.doAction(i):
                raise AssertionError("%s refused %s" % (acc.name, action))
            return
    raise AssertionError("%r offers no %s action (only %s)" % (
        acc.name, action, [actions.getName(i) for i in range(actions.nActions)]))


def value(acc):
    acc.clearCache()
    return acc.queryValue().currentValue


def text(acc):
    acc.clearCache()
    t = acc.queryText()
    return t.getText(0, t.characterCount)


def extents(acc):
    return acc.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)


def xdotool(display, *args):
    env = {"DISPLAY": display, "PATH": "/usr/bin:/bin"}
    return subprocess.run(["xdotool", *args], env=env, check=True, timeout=20, capture_output=True,
                          text=True).stdout


def click_at(display, x, y, button=1):
    """A real pointer click on the X server."""
    xdotool(display, "mousemove", "--sync", str(int(x)), str(int(y)), "click", str(button))


def type_keys(display, window_title, *keys):
    """Real key strokes on the X server, into the program's window."""
    window = xdotool(display, "search", "--sync", "--onlyvisible", "--name", window_title).split()[0]
    xdotool(display, "windowfocus", "--sync", window)
    xdotool(display, "key", "--delay", "40", *keys)


def type_into(display, window_title, field, text):
    """Clicks a text field, replaces what it holds with `text` by real key strokes, then Return."""
    box = extents(field)
    click_at(display, box.x + box.width // 2, box.y + box.height // 2)
    type_keys(display, window_title, "ctrl+a", *text, "Return")
