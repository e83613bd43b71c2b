"""A screen reader's view from a second process: a11y_walk.exe reads the main window
through oleacc only, presses Apply by its default action (the monitor logs the apply)
and selects a profile by its default action (its state moves to checked)."""

import subprocess

from harness import MAIN_TITLE, WAITING_TITLE, wait_until
from program import PROFILE_BUTTONS

ROLE_RADIO_BUTTON = 0x2D
STATE_CHECKED = 0x10


def walker(app, *args):
    exe = app.s.stage.parent / "a11y_walk.exe"
    done = subprocess.run(["wine", str(exe), *args], env=app.s.env, capture_output=True, timeout=120)
    out = done.stdout.decode("utf-8", errors="replace").replace("\r", "")
    assert done.returncode == 0, f"a11y_walk {args}: status {done.returncode}: {done.stderr!r}"
    return out


def objects(app):
    """(role text, name) of every object of the main window's tree."""
    found = []
    for line in walker(app, "dump", MAIN_TITLE).splitlines():
        role, _, rest = line.strip().partition(' "')
        found.append((role, rest.split('"')[0]))
    return found


def test_a_screen_reader_names_every_object_presses_apply_and_selects_a_profile(app):
    app.start_monitor()
    app.start()
    tree = objects(app)
    (app.workdir / "main-window-tree.txt").write_text("\n".join(f"{r} {n}" for r, n in tree))
    assert all(name for _, name in tree), [o for o in tree if not o[1]]
    assert ("push button", "Apply") in tree
    assert ("page tab", "Keys") in tree and ("property page", "Keys") in tree
    assert sum(role == "push button" for role, _ in tree) >= 108 + 11, "the keys and the window's push buttons"
    assert ("push button", "Esc") in tree

    walker(app, "press", MAIN_TITLE, "Apply")
    app.monitor_log.wait_for("command", code="MONITOR_APPLY")
    app.monitor_log.wait_for("answer", code="MONITOR_APPLY_DONE")
    app.s.wait_no_window(WAITING_TITLE, 40)

    def state(name):
        return int(walker(app, "state", MAIN_TITLE, name, str(ROLE_RADIO_BUTTON)).strip() or "0", 16)
    assert not state("Profile 2") & STATE_CHECKED
    walker(app, "press", MAIN_TITLE, "Profile 2", str(ROLE_RADIO_BUTTON))
    wait_until(lambda: state("Profile 2") & STATE_CHECKED, 20, "Profile 2 checked")
    app.wait_selected(PROFILE_BUTTONS, 2, "profile")  # captions: Default, Profile 1, Profile 2, Profile 3
    assert not state("Default") & STATE_CHECKED
