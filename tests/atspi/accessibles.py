"""Finding and pressing the program's controls through AT-SPI, as an assistive tool does."""

import pyatspi

from desktop import wait_for

# libatspi gives up on a call after 800 ms; a program on a loaded machine may take longer to
# answer, and a press that timed out may still have been carried out.
pyatspi.setTimeout(30000, 60000)


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


def descendants(top, role=None, name=None, only_showing=True):
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
    walk(top)
    return found


class Window:
    """The program's accessible tree; every lookup reads it afresh."""

    def __init__(self, app, title):
        self.app = app
        self.title = title
        self.pid = app.get_process_id()

    def origin(self):
        """Where the program believes its window is: the point its coordinates count from."""
        self.app.clearCache()
        for i in range(self.app.childCount):
            child = self.app.getChildAtIndex(i)
            if child is not None and child.name == self.title:
                box = extents(child)
                return box.x, box.y
        raise AssertionError("no accessible named %r at the top of the program" % self.title)

    def all(self, role=None, name=None, only_showing=True):
        self.app.clearCache()
        return descendants(self.app, role, name, only_showing)

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
