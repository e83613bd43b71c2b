"""Macros end to end: a macro recorded in the macro manager with measured pauses, edited
through the event menu and kept by OK; macros, shortcuts and media functions given to
the macro keys from their menus and handed to the monitor; Cancel throwing the
manager's changes away; the Delete button refusing a macro that a key plays."""

import struct
from collections import Counter

import pytest

from harness import WAITING_TITLE, Picture, SkinLayout, decode_struct, wait_until
from program import BTN_APPLY, BTN_MACRO_MANAGER, PAGE_BUTTONS, PROFILE_BUTTONS

MANAGER = "skin_macro_manager.ini"
KEY_PAGE = "Skin_Macro_control.ini"
SHORTCUT = "skin_Shortcut.ini"
WARNING = "skin_reset_warn.ini"
# Buttons of the manager, by their "BUTTONPOS" keys.
OK, CANCEL, NEW, DELETE, RECORD, PAUSE_SWITCH = "1", "2", "4", "5", "7", "8"
MACROS_LABEL, MACRO_LIST, EVENT_LIST = "12", "6", "11"
SHIFT_TOGGLE, SHORTCUT_OK = "8", "2"
WARNING_OK = "1"
SHORTCUT_KEY_FIELD = (105, 120, 176, 132)   # where the shortcut dialog shows its key
PAGE_ORIGIN = (1, 100)                        # the pages' place in the main window
ROW_HEIGHT = 18
ACCENT = (163, 25, 48)
PRESS, RELEASE = 1, 2
KEY_A, KEY_B, KEY_C, KEY_K, MOUSE_1 = 0x04, 0x05, 0x06, 0x0E, 0xF0
MACRO_KIND, SHORTCUT_KIND, FUNCTION_KIND = 3, 2, 6


# ------------------------------------------------------------------ the library file

def encode_struct(data):
    return data.hex().upper() + format(sum(data) % 256, "02X")


def macro_record(name, repeat, events):
    raw = bytearray(308)
    encoded = name.encode("utf-16-le")
    raw[0:len(encoded)] = encoded
    struct.pack_into("<ii", raw, 100, repeat, len(events))
    for i, event in enumerate(events):
        struct.pack_into("<BBH", raw, 108 + 4 * i, *event)
    return bytes(raw)


def seed_library(app, macros):
    """Writes sequence.dat before the program starts: [(name, repeat, events), ...]."""
    app.data.mkdir(parents=True, exist_ok=True)
    lines = ["[Macros]", f"number={len(macros)}"]
    lines += [f"{i}={encode_struct(macro_record(*m))}" for i, m in enumerate(macros)]
    (app.data / "sequence.dat").write_text("\r\n".join(lines) + "\r\n")


def library(app):
    """[(name, repeat, [(code, state, delay), ...]), ...] as sequence.dat holds it."""
    path = app.data / "sequence.dat"
    if not path.exists():
        return None
    section = app.read_ini(path).get("macros", {})
    macros = []
    for i in range(int(section.get("number", "0"))):
        raw = decode_struct(section[str(i)])
        name = raw[0:100].decode("utf-16-le").split("\0", 1)[0]
        repeat, count = struct.unpack_from("<ii", raw, 100)
        macros.append((name, repeat, [struct.unpack_from("<BBH", raw, 108 + 4 * e) for e in range(count)]))
    return macros


def events_hex(events):
    return b"".join(struct.pack("<BBH", *e) for e in events).hex().upper()


# ------------------------------------------------------------------ key slots

def profile_slot(app, profile, slot):
    """(byType, byFlags, byAction, wCode, name, repeat, events) of a slot in a profile file."""
    value = app.profile_entries(profile)["setting"][f"macrokeyinfo{slot}"]
    raw = decode_struct(value)
    by_type, flags, action = raw[1], raw[2], raw[3]
    code, = struct.unpack_from("<H", raw, 4)
    name = raw[12:52].decode("utf-16-le").split("\0", 1)[0]
    count, = struct.unpack_from("<H", raw, 52)
    repeat, = struct.unpack_from("<i", raw, 56)
    events = [struct.unpack_from("<BBH", raw, 60 + 4 * e) for e in range(count)]
    return by_type, flags, action, code, name, repeat, events


def applies(app):
    return app.monitor_log.find("command", code="MONITOR_APPLY")


def apply_and_wait(app, slots_expected):
    """Apply; returns the monitor's apply line and the slot lines that follow it."""
    before = len(applies(app))
    app.click(BTN_APPLY)
    wait_until(lambda: len(applies(app)) > before, 20, "the monitor's apply")

    def slot_lines():
        events = app.monitor_log.events()
        last = max(i for i, e in enumerate(events) if e.get("event") == "command" and
                   e.get("code") == "MONITOR_APPLY")
        following = []
        for e in events[last + 1:]:
            if e.get("event") != "slot":
                break
            following.append(e)
        return following if len(following) >= slots_expected else None
    slots = wait_until(slot_lines, 10, f"{slots_expected} slot lines after the apply")
    app.s.wait_no_window(WAITING_TITLE)
    wait_until(lambda: app.profile_entries(3) is not None, 15, "the profile files")
    return applies(app)[-1], {(int(s["profile"]), int(s["slot"])): s for s in slots}


def macro_key_flags(apply_line):
    for item in apply_line.get("flags", "").split():
        if item.startswith("iMacroKeyChanged="):
            return set(item.split("=", 1)[1].split(","))
    return set()


# ------------------------------------------------------------------ screen helpers

class Manager:
    """The macro manager on screen; points are in its client area, which starts at the
    window's origin (the skinned window has no frame)."""

    def __init__(self, app, window):
        self.app = app
        self.window = window
        self.layout = SkinLayout(app.stage / "Skins" / MANAGER)
        self.down = Picture.load(self.layout.image("Down"))
        self.normal = Picture.load(self.layout.image("Normal"))
        self.over = Picture.load(self.layout.image("Over"))

    def origin(self):
        return self.app.s.window_origin(self.window)

    def click(self, key):
        self.app.click_in_dialog(self.window, MANAGER, key)

    def row_point(self, list_key, row, x=40):
        left, top, _, _ = self.layout.rect(list_key)
        ox, oy = self.origin()
        return ox + left + x, oy + top + row * ROW_HEIGHT + ROW_HEIGHT // 2

    def click_row(self, list_key, row, button="1"):
        x, y = self.row_point(list_key, row)
        self.app.s.xdo("mousemove", "--sync", str(x), str(y))
        self.app.s.xdo("click", button)

    def is_down(self, key):
        screen = self.app.s.screen()
        rect, origin = self.layout.rect(key), self.origin()
        down = screen.distance(self.down, rect, origin)
        return down < min(screen.distance(self.normal, rect, origin), screen.distance(self.over, rect, origin))

    def wait_down(self, key, down, what):
        wait_until(lambda: self.is_down(key) == down, 15, f"{what} {'pressed' if down else 'released'}")

    def rows_shown(self, list_key):
        """Rows of a list that show something (text, icon or highlight), counted from the top."""
        left, top, right, bottom = self.layout.rect(list_key)
        screen = self.app.s.screen()
        ox, oy = self.origin()
        rows = 0
        for row in range((bottom - top) // ROW_HEIGHT):
            y0 = oy + top + row * ROW_HEIGHT
            drawn = any(screen.pixel(ox + x, y0 + y) != (255, 255, 255)
                        for y in range(3, ROW_HEIGHT - 3) for x in range(left + 5, left + 90, 2))
            if not drawn:
                break
            rows += 1
        return rows

    def wait_rows(self, list_key, count, what):
        wait_until(lambda: self.rows_shown(list_key) == count, 15, f"{count} rows in {what}")

    def editor_open(self, list_key, row):
        """The in-place editor is an edit control with a one-coloured frame: a line of
        the row's band in one colour that is neither the list's white background nor the
        accent colour of a selected row (text and icons never make such a line)."""
        left, top, right, _ = self.layout.rect(list_key)
        screen = self.app.s.screen()
        ox, oy = self.origin()
        y0 = oy + top + row * ROW_HEIGHT
        for y in range(y0 - 1, y0 + ROW_HEIGHT + 1):
            line = Counter(screen.pixel(ox + x, y) for x in range(left + 22, right - 20))
            colour, count = line.most_common(1)[0]
            if colour not in ((255, 255, 255), ACCENT) and count >= 60:
                return True
        return False

    def wait_editor(self, list_key, row, open_):
        wait_until(lambda: self.editor_open(list_key, row) == open_, 15,
                   f"the in-place editor of row {row} to {'open' if open_ else 'close'}")

    def event_menu(self, row, keys):
        """Selects a row of the event list, opens the event menu on it with the right
        button and picks an entry with the keyboard."""
        self.click_row(EVENT_LIST, row)
        self.click_row(EVENT_LIST, row, button="3")
        x, y = self.row_point(EVENT_LIST, row)
        wait_menu(self.app, x, y)
        self.app.s.xdo("key", "--delay", "80", *keys)
        wait_menu(self.app, x, y, shown=False)

    def close_with(self, key):
        self.click(key)
        self.app.wait_dialog_closed(self.window)


def wait_menu(app, x, y, shown=True):
    """Every popup menu of the program has a frame in the accent colour and opens with
    its top left corner at the point it is given. The frame's left edge is looked for
    well below the point too, since a selected list row there is filled with the
    accent colour as well."""
    def menu_shown():
        screen = app.s.screen()
        return all(screen.pixel(x + 1, y + dy) == ACCENT for dy in (1, 30, 60))
    wait_until(lambda: menu_shown() == shown, 10, f"the popup menu {'to open' if shown else 'to close'}")


def open_manager(app):
    known = set(app.program_windows())
    app.click(BTN_MACRO_MANAGER)
    return Manager(app, new_window(app, known, "the macro manager"))


def new_window(app, known, what):
    window = wait_until(lambda: [w for w in app.program_windows() if w not in known], 15, what)[-1]
    app.s.xdo("windowactivate", "--sync", str(window), check=False)
    return window


class KeyPage:
    """The macro page: six key buttons, each opening its menu at its bottom left corner."""

    def __init__(self, app):
        self.app = app
        self.layout = SkinLayout(app.stage / "Skins" / KEY_PAGE)

    def show(self):
        self.app.click(PAGE_BUTTONS[1])
        self.app.wait_selected(PAGE_BUTTONS, 1, "page")

    def choose(self, key, keys, opens_dialog=False):
        """Clicks macro key `key` (0..5), waits for its menu and picks an entry with the
        keyboard: the menu starts with nothing selected, Down selects the next entry
        (separators skipped), Right opens a submenu at its first entry."""
        left, top, right, bottom = self.layout.rect(str(4 + key))
        ox, oy = self.app.origin()
        ox, oy = ox + PAGE_ORIGIN[0], oy + PAGE_ORIGIN[1]
        self.app.s.click_at(ox + (left + right) // 2, oy + (top + bottom) // 2)
        wait_menu(self.app, ox + left, oy + bottom)
        self.app.s.xdo("key", "--delay", "80", *keys)
        if not opens_dialog:  # a dialog may cover the place
            wait_menu(self.app, ox + left, oy + bottom, shown=False)

    def open_manager(self, key):
        known = set(self.app.program_windows())
        self.choose(key, ["Down", "Right", "Return"], opens_dialog=True)
        return Manager(self.app, new_window(self.app, known, "the macro manager"))


def macro_item(position):
    """Keys of the menu entry of library macro `position`: submenu A, then past its
    first entry (the manager) to the macro."""
    return ["Down", "Right"] + ["Down"] * (position + 1) + ["Return"]


# ------------------------------------------------------------------ recording and editing

def test_a_recorded_macro_with_an_edited_pause_and_a_mouse_click_is_kept_by_ok(app):
    app.without_monitor()
    app.start()
    wait_until(lambda: library(app) == [], 20, "the empty library written at start")
    manager = open_manager(app)

    manager.click(NEW)
    manager.wait_editor(MACRO_LIST, 0, True)
    app.type_text("Strafe")
    # Enter does not end the dialog, nor the edit: the name is taken when the editor
    # loses the keyboard focus.
    app.s.xdo("key", "Return")
    manager.click(MACROS_LABEL)
    manager.wait_editor(MACRO_LIST, 0, False)
    manager.wait_rows(MACRO_LIST, 1, "the macro list")

    manager.click(PAUSE_SWITCH)
    manager.wait_down(PAUSE_SWITCH, True, "the pause switch")
    manager.click(RECORD)
    manager.wait_down(RECORD, True, "the Record button")
    typed = (0.35, 0.6, 0.35)
    app.s.xdo("keydown", "a", "sleep", str(typed[0]), "keyup", "a", "sleep", str(typed[1]),
              "keydown", "b", "sleep", str(typed[2]), "keyup", "b")
    # Four events, each of the first three followed by its pause row.
    manager.wait_rows(EVENT_LIST, 7, "the event list")
    manager.click(RECORD)
    manager.wait_down(RECORD, False, "the Record button")

    # Row 1 is the pause after the press of A: edit it in place.
    manager.event_menu(1, ["Down"] * 5 + ["Return"])   # edit pause
    manager.wait_editor(EVENT_LIST, 1, True)
    app.type_text("750")
    manager.click_row(EVENT_LIST, 0)                    # the editor loses the focus
    manager.wait_editor(EVENT_LIST, 1, False)
    manager.wait_rows(EVENT_LIST, 7, "the event list")

    # Row 4 is the press of B: a click of mouse button 1 goes in front of it.
    manager.event_menu(4, ["Down"] * 4 + ["Right", "Right", "Down", "Down", "Return"])
    manager.wait_rows(EVENT_LIST, 9, "the event list")
    manager.close_with(OK)

    macros = wait_until(lambda: library(app) if library(app) else None, 20, "the saved library")
    assert len(macros) == 1
    name, repeat, events = macros[0]
    assert (name, repeat) == ("Strafe", 1)
    assert [(c, s) for c, s, _ in events] == [(KEY_A, PRESS), (KEY_A, RELEASE), (MOUSE_1, PRESS),
                                             (MOUSE_1, RELEASE), (KEY_B, PRESS), (KEY_B, RELEASE)]
    delays = [d for _, _, d in events]
    assert delays[0] == 750
    assert delays[2:4] == [0, 0] and delays[5] == 0
    # Measured between the arrivals of the keystrokes: never shorter than typed by much,
    # longer when the machine is busy.
    for measured, pause in ((delays[1], typed[1]), (delays[4], typed[2])):
        assert pause * 1000 - 150 <= measured <= pause * 1000 + 2000, delays


# ------------------------------------------------------------------ keys and the monitor

COMBO = ("Combo", 2, [(KEY_C, PRESS, 120), (KEY_C, RELEASE, 0), (KEY_A, PRESS, 45), (KEY_A, RELEASE, 0)])
JUMP = ("Jump", 1, [(KEY_A, PRESS, 30), (KEY_A, RELEASE, 0)])
RUN = ("Run", 1, [(KEY_B, PRESS, 0), (KEY_B, RELEASE, 0), (KEY_C, PRESS, 10), (KEY_C, RELEASE, 0)])


def test_a_macro_given_to_a_key_reaches_the_profile_file_and_the_monitor(app):
    seed_library(app, [JUMP, COMBO])
    app.start_monitor()
    app.start()
    app.click(PROFILE_BUTTONS[1])
    app.wait_selected(PROFILE_BUTTONS, 1, "profile")
    page = KeyPage(app)
    page.show()
    page.choose(2, macro_item(1))    # Combo on the third key of the second profile
    apply_line, slots = apply_and_wait(app, 1)

    assert macro_key_flags(apply_line) == {"1.2"}
    name, repeat, events = COMBO
    assert library(app) == [JUMP, COMBO]
    assert profile_slot(app, 1, 2) == (MACRO_KIND, 0, 3, 0, name, repeat, events)
    section = slots[(1, 2)]
    assert (section["type"], section["name"], section["count"], section["repeat"], section["events"]) == \
        (str(MACRO_KIND), name, str(len(events)), str(repeat), events_hex(events))
    # The same key of the first profile keeps its default, Ctrl+3.
    kind, flags, _, code, *_ = profile_slot(app, 0, 2)
    assert (kind, flags, code) == (SHORTCUT_KIND, 1, 0x20)


def test_a_shortcut_and_a_media_function_on_two_keys_reach_the_monitor(app):
    app.start_monitor()
    app.start()
    page = KeyPage(app)
    page.show()

    # The shortcut dialog of key 2 starts from its Ctrl+2; add Shift and take K.
    known = set(app.program_windows())
    page.choose(1, ["Down"] * 5 + ["Return"], opens_dialog=True)
    dialog = new_window(app, known, "the shortcut dialog")
    layout = SkinLayout(app.stage / "Skins" / SHORTCUT)
    down = Picture.load(layout.image("Down"))
    normal = Picture.load(layout.image("Normal"))
    ok_rect = layout.rect(SHORTCUT_OK)
    wait_until(lambda: app.s.screen().distance(normal, ok_rect, app.s.window_origin(dialog)) < 12, 20,
               "the shortcut dialog on screen")
    app.click_in_dialog(dialog, SHORTCUT, SHIFT_TOGGLE)
    shift = layout.rect(SHIFT_TOGGLE)
    wait_until(lambda: app.s.screen().distance(down, shift, app.s.window_origin(dialog)) < 12, 15,
               "the Shift toggle on")
    origin = app.s.window_origin(dialog)
    field = tuple(v + origin[i % 2] for i, v in enumerate(SHORTCUT_KEY_FIELD))
    before = app.s.screen()
    app.s.xdo("key", "k")
    wait_until(lambda: app.s.screen().distance(before, field) > 1, 15, "the key field to show the key taken")
    app.click_in_dialog(dialog, SHORTCUT, SHORTCUT_OK)
    app.wait_dialog_closed(dialog)

    # Submenu B, its third entry: the third media function.
    page.choose(2, ["Down", "Down", "Right", "Down", "Down", "Return"])
    apply_line, slots = apply_and_wait(app, 2)

    assert macro_key_flags(apply_line) == {"0.1", "0.2"}
    kind, flags, action, code, name, _, events = profile_slot(app, 0, 1)
    assert (kind, flags, action, code, name, events) == (SHORTCUT_KIND, 1 | 2, 2, KEY_K, "", [])
    kind, flags, action, code, name, _, events = profile_slot(app, 0, 2)
    assert (kind, flags, action, code, name, events) == (FUNCTION_KIND, 0, 26, 0xB1, "", [])
    assert (slots[(0, 1)]["type"], slots[(0, 1)]["flags"], slots[(0, 1)]["code"]) == ("2", "3", "0E")
    assert (slots[(0, 2)]["type"], slots[(0, 2)]["flags"], slots[(0, 2)]["code"]) == ("6", "0", "B1")


# ------------------------------------------------------------------ keeping and refusing

@pytest.mark.parametrize("opened_from", ["main window", "key menu"])
def test_cancel_in_the_manager_restores_the_library(app, opened_from):
    seed_library(app, [JUMP, RUN])
    app.without_monitor()
    app.start()
    seeded = wait_until(lambda: (app.data / "sequence.dat").read_bytes(), 10, "the library")
    page = KeyPage(app)
    if opened_from == "key menu":
        page.show()
        open_it = lambda: page.open_manager(0)   # noqa: E731
    else:
        open_it = lambda: open_manager(app)      # noqa: E731
    manager = open_it()
    manager.wait_rows(MACRO_LIST, 2, "the macro list")

    # A new macro with a recorded keystroke, and Run deleted after the warning.
    manager.click(NEW)
    manager.wait_editor(MACRO_LIST, 2, True)
    app.type_text("Extra")
    manager.click(MACROS_LABEL)
    manager.wait_editor(MACRO_LIST, 2, False)
    manager.click(RECORD)
    manager.wait_down(RECORD, True, "the Record button")
    app.s.xdo("key", "c")
    manager.wait_rows(EVENT_LIST, 2, "the event list")
    manager.click(RECORD)
    manager.wait_down(RECORD, False, "the Record button")
    manager.click_row(MACRO_LIST, 1)
    known = set(app.program_windows())
    manager.click(DELETE)
    warning = new_window(app, known, "the warning")
    app.click_in_dialog(warning, WARNING, WARNING_OK)
    app.wait_dialog_closed(warning)
    manager.wait_rows(MACRO_LIST, 2, "the macro list")   # Jump and Extra

    manager.close_with(CANCEL)
    assert (app.data / "sequence.dat").read_bytes() == seeded
    # The manager lists what the file holds, and OK now saves just that.
    manager = open_it()
    manager.wait_rows(MACRO_LIST, 2, "the macro list")
    manager.close_with(OK)
    wait_until(lambda: library(app) == [JUMP, RUN], 15, "the library saved as it was")


def test_the_delete_button_refuses_a_macro_that_a_key_plays(app):
    seed_library(app, [JUMP, RUN])
    app.without_monitor()
    app.start()
    page = KeyPage(app)
    page.show()
    page.choose(0, macro_item(0))    # Jump on the first key
    manager = page.open_manager(0)   # the manager shows the key's macro, Jump
    manager.wait_rows(EVENT_LIST, 3, "Jump's events")

    known = set(app.program_windows())
    manager.click(DELETE)
    # The next click is handled after the Delete: once Run shows, the Delete has been
    # dealt with, and no warning came up.
    manager.click_row(MACRO_LIST, 1)
    manager.wait_rows(EVENT_LIST, 5, "Run's events")
    assert set(app.program_windows()) == known
    manager.wait_rows(MACRO_LIST, 2, "the macro list")

    # Run, which no key plays, goes after the warning.
    manager.click(DELETE)
    warning = new_window(app, known, "the warning")
    app.click_in_dialog(warning, WARNING, WARNING_OK)
    app.wait_dialog_closed(warning)
    manager.wait_rows(MACRO_LIST, 1, "the macro list")
    manager.close_with(OK)
    wait_until(lambda: library(app) == [JUMP], 15, "the library without Run")
