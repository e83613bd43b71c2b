"""Faults of the monitor process, end to end: it dies during an apply, holds its mutex
for ten seconds, never answers, reports an unplugged keyboard, or is absent. The
program never crashes, keeps the section and the files whole, and behaves as its
monitor link says: the waiting dialog runs the apply and stays until the answer, an
apply without a monitor saves and ends the program three seconds later."""

import time

from harness import MONITOR_TITLE, WAITING_TITLE, decode_struct, read_ini, wait_until
from program import BTN_APPLY, PROFILE_BUTTONS, profile_value

MACRO_SIZE = 308


def assert_files_whole(app, name):
    """Every file of the data folder reads back complete: the settings, the four
    profile files with every structure intact, the macro library; no temporary file
    of a replacement is left; profile 1 carries `name`."""
    settings = app.settings()
    assert int(settings["setting"]["currentprofile"]) in range(4)
    assert "keyboardplugin" in settings["setting"]
    for k in range(4):
        entries = app.profile_entries(k)
        assert entries is not None, f"profile file {k} is missing"
        values = entries["setting"]
        assert "profilename" in values and "gkey" in values
        for key, value in values.items():
            if key.startswith("macrokeyinfo") or key in ("gkey", "apmlightinfo"):
                decode_struct(value)  # raises on a torn or damaged structure
    assert profile_value(app.profile_entries(0), "ProFileName") == name
    library = read_ini(app.data / "sequence.dat")["macros"]
    number = int(library["number"])
    for i in range(number):
        assert len(decode_struct(library[str(i)])) == MACRO_SIZE
    assert not list(app.data.rglob("*.~new")), "a temporary file was left behind"


# The waiting dialog's text colour and the rectangle its message is drawn in.
TEXT_COLOUR = (163, 25, 48)
MESSAGE_RECT = (5, 67, 300, 117)


def waiting_message_pixels(app, window):
    """Pixels of the message's colour inside its rectangle: none before the dialog paints."""
    ox, oy = app.s.window_origin(window)
    screen = app.s.screen()
    left, top, right, bottom = MESSAGE_RECT
    count = 0
    for y in range(oy + top, min(oy + bottom, screen.height)):
        for x in range(ox + left, min(ox + right, screen.width)):
            pixel = screen.pixel(x, y)
            if all(abs(a - b) < 40 for a, b in zip(pixel, TEXT_COLOUR)):
                count += 1
    return count


def wait_saved(app, name):
    wait_until(lambda: (app.profile_entries(0) or {}).get("setting", {}).get("profilename") == name, 40,
               f"profile 1 saved as {name}")


def apply_named(app, name):
    """Names profile 1, presses Apply and waits for the waiting dialog."""
    app.rename_profile(name)
    app.click(BTN_APPLY)
    app.s.wait_window(WAITING_TITLE, 20)


def assert_clean_exit(app, timeout=40):
    code = app.program.wait_exit(timeout)
    assert code in (0, 1, 2), f"the program ended with {code}"


# ------------------------------------------------------------------ (a) the monitor dies

def test_monitor_dies_while_the_program_waits_for_its_answer(app):
    app.start_monitor("--apply-delay", "600000")
    app.start()
    apply_named(app, "SURVIVOR")
    taken = app.monitor_log.wait_for("command", code="MONITOR_APPLY")
    assert taken["lock"] == "ok" and taken["names"].split("|")[0] == "SURVIVOR"
    wait_saved(app, "SURVIVOR")
    app.control_monitor("--die-holding-mutex")
    app.monitor_log.wait_for("die-holding-mutex")
    app.s.wait_no_window(MONITOR_TITLE)
    # Nobody will answer: as after an apply without monitor, the program ends itself.
    died = time.monotonic()
    assert_clean_exit(app)
    assert time.monotonic() - died > 2.0, "closed before its three seconds"
    assert_files_whole(app, "SURVIVOR")


def test_monitor_dies_holding_the_mutex_the_apply_waits_for(app):
    app.start_monitor()
    app.start()
    app.control_monitor("--hold-mutex", "60000")
    app.monitor_log.wait_for("mutex-held", result="ok")
    apply_named(app, "ORPHAN")
    app.control_monitor("--die-holding-mutex")
    app.monitor_log.wait_for("die-holding-mutex")
    # The abandoned mutex is the program's now: it writes the section, saves the
    # files, finds no monitor window and ends three seconds later.
    assert_clean_exit(app)
    assert_files_whole(app, "ORPHAN")


def test_mutex_abandoned_before_start_reads_the_files_and_later_applies_reach_the_monitor(app):
    app.start_monitor("--seed-name", "Not trusted")
    app.control_monitor("--abandon-mutex")
    app.monitor_log.wait_for("mutex-abandoned", result="ok")
    app.start()
    apply_named(app, "AFTERWARDS")
    taken = app.monitor_log.wait_for("command", code="MONITOR_APPLY")
    assert taken["lock"] == "ok"
    assert taken["names"].split("|")[0] == "AFTERWARDS"
    # The block the dead owner left was not taken as the configuration.
    assert "Not trusted" not in taken["names"]
    app.s.wait_no_window(WAITING_TITLE, 40)
    assert not app.program.exited()
    assert_files_whole(app, "AFTERWARDS")


# ------------------------------------------------------------------ (b) the mutex held ten seconds

def test_mutex_held_ten_seconds_delays_the_apply_without_losing_it(app):
    app.start_monitor()
    app.start()
    app.rename_profile("PATIENT")
    app.control_monitor("--hold-mutex", "10000")
    app.monitor_log.wait_for("mutex-held", result="ok")
    app.click(BTN_APPLY)
    waiting = app.s.wait_window(WAITING_TITLE, 20)
    # The waiting dialog shows its message while the program waits for the mutex.
    wait_until(lambda: waiting_message_pixels(app, waiting) > 40, 8, "the waiting message on screen")
    assert not app.monitor_log.find("mutex-released")
    released = app.monitor_log.wait_for("mutex-released", timeout=60)
    # Nothing was written into the section while the monitor held the mutex.
    assert released["changed_while_held"] == "0"
    taken = app.monitor_log.wait_for("command", code="MONITOR_APPLY", timeout=60)
    assert taken["lock"] == "ok" and taken["names"].split("|")[0] == "PATIENT"
    # The command came only after the mutex was free again.
    events = app.monitor_log.events()
    assert events.index(released) < events.index(taken)
    app.monitor_log.wait_for("answer", code="MONITOR_APPLY_DONE")
    app.s.wait_no_window(WAITING_TITLE, 40)
    assert not app.program.exited()
    assert_files_whole(app, "PATIENT")


def test_mutex_held_ten_seconds_at_start_delays_the_window_and_the_section_is_read(app):
    app.start_monitor("--seed-profile", "2", "--seed-name", "Held at start", "--hold-mutex", "10000")
    app.monitor_log.wait_for("mutex-held", result="ok")
    app.start()
    released = app.monitor_log.wait_for("mutex-released", timeout=60)
    assert released["changed_while_held"] == "0"
    app.monitor_log.wait_for("command", code="MONITOR_SELECT_PROFILE", profile="2")
    app.click(BTN_APPLY)
    taken = app.monitor_log.wait_for("command", code="MONITOR_APPLY")
    assert taken["names"].split("|")[0] == "Held at start"
    assert taken["current"] == "2"
    app.s.wait_no_window(WAITING_TITLE, 40)
    assert_files_whole(app, "Held at start")


# ------------------------------------------------------------------ (c) no answer

def test_monitor_that_never_answers_keeps_the_waiting_dialog_until_it_goes(app):
    app.start_monitor("--never-answer")
    app.start()
    apply_named(app, "UNANSWERED")
    app.monitor_log.wait_for("answer-withheld")
    taken = app.monitor_log.find("command", code="MONITOR_APPLY")[-1]
    assert taken["names"].split("|")[0] == "UNANSWERED"
    wait_saved(app, "UNANSWERED")
    waiting = app.s.wait_window(WAITING_TITLE)
    for key in ["Return", "Escape", "space", "F1"]:
        app.s.press_key(waiting, key)
    # The program still handles the monitor's reports while it waits, and the keys
    # did not close the dialog.
    # (The waiting dialog covers the first three profile buttons.)
    app.control_monitor("--report-profile", "3")
    wait_until(lambda: app.button_looks(PROFILE_BUTTONS[3]) == "down", 15, "profile 4 selected")
    assert app.waiting_open() and not app.program.exited()
    assert_files_whole(app, "UNANSWERED")
    # The monitor goes away: nobody can answer any more, the program ends itself.
    app.control_monitor("--quit")
    app.s.wait_no_window(MONITOR_TITLE)
    assert_clean_exit(app)


# ------------------------------------------------------------------ (d) unplugged keyboard

def test_unplugged_keyboard_at_start_ends_the_program_without_touching_the_section(app):
    app.start_monitor("--unplugged")
    app.start(wait_window=False)
    assert_clean_exit(app)
    assert not app.monitor_log.find("command", code="MONITOR_APPLY")
    assert not (app.data / "config.ini").exists()


def test_keyboard_unplugged_while_running_keeps_the_monitors_report_in_the_section(app):
    app.start_monitor()
    app.start()
    app.control_monitor("--unplug")
    app.monitor_log.wait_for("plug", value="0")
    apply_named(app, "UNPLUGGED")
    taken = app.monitor_log.wait_for("command", code="MONITOR_APPLY")
    # The program writes every byte but the monitor's own report.
    assert taken["plug"] == "0"
    assert taken["names"].split("|")[0] == "UNPLUGGED"
    app.s.wait_no_window(WAITING_TITLE, 40)
    assert not app.program.exited()
    assert_files_whole(app, "UNPLUGGED")


# ------------------------------------------------------------------ (e) no monitor

def test_no_monitor_apply_saves_whole_files_and_ends_three_seconds_later(app):
    app.without_monitor()
    app.start()
    app.rename_profile("ALONE")
    app.click(BTN_APPLY)
    clicked = time.monotonic()
    wait_saved(app, "ALONE")
    assert_clean_exit(app)
    assert time.monotonic() - clicked > 2.0, "closed before its three seconds"
    assert_files_whole(app, "ALONE")


def test_monitor_without_section_still_gets_the_command_and_answers(app):
    app.start_monitor("--no-section")
    app.start()
    apply_named(app, "NOSECTION")
    taken = app.monitor_log.wait_for("command", code="MONITOR_APPLY")
    assert taken["section"] == "absent"
    app.monitor_log.wait_for("answer", code="MONITOR_APPLY_DONE")
    app.s.wait_no_window(WAITING_TITLE, 40)
    assert not app.program.exited()
    assert_files_whole(app, "NOSECTION")
