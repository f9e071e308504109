#!/usr/bin/python3
"""Reads the running editor through the desktop's accessibility bus (AT-SPI),
as a screen reader does, and fails on anything a blind user could not reach
or would not hear.

Runs inside a private D-Bus session on a private X server (see
tst_accessibilitybus.sh). Usage: atspireader.py EDITOR
"""

import os
import signal
import subprocess
import sys
import tempfile
import time

import pyatspi
from gi.repository import GLib

WAIT_SECONDS = 60

# Roles whose objects a user operates; each must say what it is.
OPERATED_ROLES = {
    "push button", "toggle button", "check box", "combo box", "text",
    "spin button", "radio button", "table", "tree table", "tree", "list", "entry",
}

failures = []


def check(condition, message):
    if not condition:
        failures.append(message)
        print("FAIL: " + message, flush=True)
    return condition


def wait_for(what, find, seconds=WAIT_SECONDS):
    deadline = time.monotonic() + seconds
    while time.monotonic() < deadline:
        pump_events()
        found = find()
        if found:
            return found
        time.sleep(0.2)
    raise SystemExit("FAIL: gave up waiting for " + what)


def children(accessible):
    try:
        return [accessible.getChildAtIndex(i) for i in range(accessible.childCount)]
    except Exception:  # the object went away while it was read
        return []


def descendants(accessible, skip_roles=("list item", "table cell", "menu item")):
    for child in children(accessible):
        if child is None:
            continue
        try:
            role = child.getRoleName()
        except Exception:
            continue
        if role in skip_roles:
            continue
        yield child
        yield from descendants(child, skip_roles)


def showing(accessible):
    """Shown, and so is everything it lies in: Qt's tables say they are
    showing on a tab page that is not."""
    try:
        while accessible is not None and accessible.getRoleName() != "application":
            if not accessible.getState().contains(pyatspi.STATE_SHOWING):
                return False
            accessible = accessible.parent
        return True
    except Exception:
        return False


def spoken_name(accessible):
    """What a screen reader says for the object: its label, else its name."""
    for relation in accessible.getRelationSet():
        if relation.getRelationType() == pyatspi.RELATION_LABELLED_BY:
            for index in range(relation.getNTargets()):
                label = relation.getTarget(index).name.strip()
                if label:
                    return label
    return accessible.name.strip()


def editor_application():
    desktop = pyatspi.Registry.getDesktop(0)
    # The desktop's list of applications is cached from the first look.
    desktop.clear_cache()
    for application in children(desktop):
        if application is not None and application.name == "telvir-editor":
            return application
    return None


def top_level(application, role, name=None):
    for window in children(application):
        if window.getRoleName() == role and (name is None or window.name == name) and showing(window):
            return window
    return None


def pump_events():
    context = GLib.MainContext.default()
    while context.iteration(False):
        pass


def press(accessible):
    actions = accessible.queryAction()
    for index in range(actions.nActions):
        if actions.getName(index) in ("Press", "press", "click"):
            actions.doAction(index)
            return
    raise SystemExit("FAIL: %r cannot be pressed" % accessible.name)


def check_operated_objects(window, where):
    """Every object a user operates has a role and a name to be heard."""
    # A combo box's list is its popup, heard through the combo box itself.
    operated = [o for o in descendants(window)
                if o.getRoleName() in OPERATED_ROLES and showing(o)
                and not (o.getRoleName() == "list" and o.parent.getRoleName() == "combo box")]
    check(len(operated) > 0, where + ": nothing to operate was found")
    for accessible in operated:
        check(spoken_name(accessible) != "",
              "%s: a %s has no name a screen reader can say" % (where, accessible.getRoleName()))
    return operated


focus_events = []


def on_focus(event):
    if event.detail1:
        focus_events.append(event.source)


def focused_one(candidates):
    """The candidate that has the focus, or whose part has it (a table's
    cell)."""
    pump_events()
    accessible = focus_events[-1] if focus_events else None
    while accessible is not None:
        if accessible in candidates:
            return accessible
        accessible = accessible.parent
    # An empty table takes the focus without a cell to announce it.
    for accessible in candidates:
        if accessible.getState().contains(pyatspi.STATE_FOCUSED):
            return accessible
    return None


def tab_through(window, candidates):
    """Presses Tab once for each candidate and a few times more; returns
    the candidates the focus came to."""
    # There is no window manager to give the window the keyboard.
    subprocess.run(["xdotool", "search", "--sync", "--onlyvisible", "--name", "^%s$" % window.name,
                    "windowfocus", "--sync"], check=True)
    reached = []
    for _ in range(len(candidates) + 10):
        subprocess.run(["xdotool", "key", "Tab"], check=True)
        time.sleep(0.05)
        focused = focused_one(candidates)
        if focused is not None:
            reached.append(focused)
    return reached


def publish_bus_address():
    """Puts the accessibility bus's address on the X root window, where Qt
    looks for it first. Found only through the session bus, the editor's
    connection to the accessibility bus was lost in about half the starts
    here."""
    reply = subprocess.run(
        ["dbus-send", "--session", "--print-reply=literal", "--dest=org.a11y.Bus",
         "/org/a11y/bus", "org.a11y.Bus.GetAddress"],
        check=True, capture_output=True, text=True).stdout.strip()
    subprocess.run(["xprop", "-root", "-f", "AT_SPI_BUS", "8s", "-set", "AT_SPI_BUS", reply], check=True)


def check_tab_order(window, operated, where):
    reached = tab_through(window, operated)
    for accessible in operated:
        if accessible.getState().contains(pyatspi.STATE_ENABLED):
            check(accessible in reached, "%s: Tab never reaches the %s %r"
                  % (where, accessible.getRoleName(), spoken_name(accessible)))


def main():
    editor = sys.argv[1]
    home = tempfile.mkdtemp(prefix="telvir-atspi-")
    environment = dict(os.environ)
    environment.update({
        "QT_QPA_PLATFORM": "xcb",
        "QT_LINUX_ACCESSIBILITY_ALWAYS_ON": "1",
        "QT_ACCESSIBILITY": "1",
        # No MIDI system answers: the editor starts with its box.
        "JACK_DEFAULT_SERVER": "telvir-atspi-none-%d" % os.getpid(),
        "XDG_CONFIG_HOME": os.path.join(home, "config"),
        "XDG_DATA_HOME": os.path.join(home, "data"),
        "JACK_NO_START_SERVER": "1", "LANGUAGE": "en", "LC_ALL": "C.UTF-8",
    })
    # The registry must be up before the editor starts, or the editor's
    # announcement of itself goes nowhere: asking it for the desktop's
    # applications waits until it answers.
    pyatspi.Registry.getDesktop(0).childCount
    pyatspi.Registry.registerEventListener(on_focus, "object:state-changed:focused")
    publish_bus_address()
    process = subprocess.Popen([editor], env=environment,
                               stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    try:
        run_checks()
    finally:
        process.send_signal(signal.SIGKILL)
        process.wait()
    if failures:
        print("%d checks failed" % len(failures))
        return 1
    print("Every object a screen reader reaches has a role and a name.")
    return 0


def run_checks():
    application = wait_for("the editor on the accessibility bus", editor_application)

    # The start-up box, read as a screen reader reads it.
    alert = wait_for("the start-up box", lambda: top_level(application, "alert"))
    texts = [o.name for o in descendants(alert) if o.getRoleName() == "label"]
    check("Could not connect to midi deivce." in texts,
          "the start-up box's text is not readable: %r" % texts)
    check(alert.name == "Error", "the start-up box's title is %r" % alert.name)
    ok = [o for o in descendants(alert) if o.getRoleName() == "push button"]
    check(len(ok) == 1 and ok[0].name == "OK", "the start-up box's buttons: %r" % [o.name for o in ok])
    press(ok[0])

    window = wait_for("the main window", lambda: top_level(application, "frame"))
    operated = check_operated_objects(window, "main window")
    # The markers lie on the keyboard picture, beside the panels.
    picture = next((o.parent for o in operated if o.name == "Cutoff"), None)
    check(picture is not None, "no marker is called 'Cutoff'")
    markers = [o for o in children(picture) if o.getRoleName() in ("push button", "toggle button")]
    check(len(markers) == 30, "%d markers lie on the picture, not 30" % len(markers))
    names = {m.name for m in markers}
    for expected in ("Cutoff", "Substain", "Pad #1 / Pad #9", "Pad Bank", "Pitch", "OCT +"):
        check(expected in names, "no marker is called %r" % expected)

    # Selecting a marker is heard: it alone is checked.
    cutoff = next(m for m in markers if m.name == "Cutoff")
    press(cutoff)
    wait_for("Cutoff to be checked", lambda: cutoff.getState().contains(pyatspi.STATE_CHECKED), 10)
    others = [m.name for m in markers if m is not cutoff and m.getState().contains(pyatspi.STATE_CHECKED)]
    check(not others, "markers checked beside the selected one: %r" % others)
    selected_control = [o for o in operated if o.getRoleName() == "text"]
    check(any(o.queryText().getText(0, -1) == "Cutoff" for o in selected_control),
          "the selected control's field does not say Cutoff")

    # The Tab key reaches every field, marker, button and check box.
    check_tab_order(window, operated, "main window")

    # The windows beside the main one, opened from the View menu.
    bar = next((o for o in descendants(window) if o.getRoleName() == "menu bar"), None)
    check(bar is not None, "the main window has no menu bar")
    if bar is None:
        return
    menus = {o.name: o for o in children(bar)}
    check(set(menus) >= {"File", "Edit", "Keyboard", "View", "Help"}, "the menu bar holds %r" % sorted(menus))
    for item_name in ("All Controls", "MIDI Monitor", "Library"):
        item = menu_item(menus.get("View"), item_name)
        check(item is not None, "no menu item %r under View" % item_name)
        if item is None:
            continue
        before = {w.name for w in children(application) if showing(w)}
        press(item)
        opened = wait_for("the window of " + item_name,
                          lambda: next((w for w in children(application)
                                        if showing(w) and w.name not in before), None), 15)
        check(opened.name != "", "the window opened by %r has no title" % item_name)
        check_tab_order(opened, check_operated_objects(opened, opened.name or item_name), opened.name)


def menu_item(menu, name, depth=3):
    """The item called `name` somewhere under a menu of the menu bar, which
    need not be open."""
    if menu is None or depth == 0:
        return None
    for child in children(menu):
        if child is None:
            continue
        if child.name == name and child.getRoleName() in ("menu item", "check menu item"):
            return child
        found = menu_item(child, name, depth - 1)
        if found is not None:
            return found
    return None

if __name__ == "__main__":
    sys.exit(main())
