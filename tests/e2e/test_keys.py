"""Key remapping end to end: a key of the key settings page is clicked, a key is pressed
on the keyboard while the key assignment dialog captures it, and the new usage reaches
the monitor's section, the profile file and the page's picture."""

import codecs

import pytest

from harness import WAITING_TITLE, Picture, SkinLayout, wait_until
from program import BTN_APPLY, PAGE_BUTTONS, PROFILE_BUTTONS, decode_struct, profile_value, struct_value

PAGE_ORIGIN = (1, 100)       # the page's place in the main window
FIRST_KEY_ENTRY = 40         # "BUTTONPOS" key of position 0
ESC, F1, ENTER = 0, 1, 43    # positions
DEFAULT_ESC, DEFAULT_F1 = 0x29, 0x3A
OK, CANCEL, CLOSE, DEFAULT = "2", "3", "4", "5"   # the key assignment dialog's buttons
KEY_DIALOG = "skin_swap_key.ini"


class KeyPage:
    def __init__(self, app):
        self.app = app
        self.layout = SkinLayout(app.stage / "Skins" / "skin_main.ini")
        self.down = Picture.load(self.layout.image("Down"))
        self.normal = Picture.load(self.layout.image("Normal"))
        self.over = Picture.load(self.layout.image("Over"))

    def origin(self):
        x, y = self.app.origin()
        return x + PAGE_ORIGIN[0], y + PAGE_ORIGIN[1]

    def rect(self, position):
        return self.layout.rect(str(FIRST_KEY_ENTRY + position))

    def click(self, position):
        left, top, right, bottom = self.rect(position)
        ox, oy = self.origin()
        self.app.s.click_at(ox + (left + right) // 2, oy + (top + bottom) // 2)

    def remapped(self, position):
        screen = self.app.s.screen()
        rect, origin = self.rect(position), self.origin()
        down = screen.distance(self.down, rect, origin)
        normal = min(screen.distance(self.normal, rect, origin), screen.distance(self.over, rect, origin))
        return down < normal

    def wait_marked(self, position, marked):
        wait_until(lambda: self.remapped(position) == marked, 15,
                   f"key {position} shown {'remapped' if marked else 'as default'}")

    def open_dialog(self, position):
        """Clicks the key and waits until the key assignment dialog shows its skin."""
        self.click(position)
        dialog = self.app.wait_dialog()
        layout = SkinLayout(self.app.stage / "Skins" / KEY_DIALOG)
        pictures = [Picture.load(layout.image(state)) for state in ("Normal", "Over")]
        ok = layout.rect(OK)

        def painted():
            screen = self.app.s.screen()
            origin = self.app.s.window_origin(dialog)
            return min(screen.distance(p, ok, origin) for p in pictures) < 12
        wait_until(painted, 20, "the key assignment dialog on screen")
        return dialog

    def reassign(self, position, keys=(), buttons=(OK,)):
        """Clicks the key, presses `keys` (xdotool names) in the dialog, then clicks
        `buttons` of the dialog; the last one ends it."""
        dialog = self.open_dialog(position)
        for key in keys:
            self.app.s.xdo("key", key)
        for button in buttons:
            self.app.click_in_dialog(dialog, KEY_DIALOG, button)
        self.app.wait_dialog_closed(dialog)


def replace_entry(path, key, value):
    """Rewrites one entry of an initialisation file in the file's own encoding."""
    data = path.read_bytes()
    utf16 = data.startswith(codecs.BOM_UTF16_LE)
    text = data[2:].decode("utf-16-le") if utf16 else data.decode("utf-8")
    lines = [line if line.split("=", 1)[0].strip().lower() != key.lower() else f"{key}={value}"
             for line in text.splitlines()]
    text = "\r\n".join(lines) + "\r\n"
    path.write_bytes(codecs.BOM_UTF16_LE + text.encode("utf-16-le") if utf16 else text.encode("utf-8"))


def standard_key(app, profile):
    return decode_struct(profile_value(app.profile_entries(profile), "standardKey"))


def changed_profiles(apply_event):
    for item in apply_event.get("flags", "").split():
        if item.startswith("iStandardKeyChanged="):
            return {int(k) for k in item.split("=", 1)[1].split(",")}
    return set()


def applies(app):
    return app.monitor_log.find("command", code="MONITOR_APPLY")


def apply_and_wait(app):
    count = len(applies(app))
    app.click(BTN_APPLY)
    wait_until(lambda: len(applies(app)) > count, 20, "the monitor's apply")
    event = applies(app)[-1]
    # The main window takes clicks again once the waiting dialog has gone.
    app.s.wait_no_window(WAITING_TITLE)
    wait_until(lambda: app.profile_entries(3) is not None, 15, "the profile files")
    return event


def encode_struct(data):
    return data.hex().upper() + format(sum(data) % 256, "02X")


def default_files_then_stop(app):
    """Starts the program, applies (the four profile files then hold their defaults)
    and ends everything; the page of keys as the tests see it."""
    app.start_monitor()
    app.start()
    page = KeyPage(app)
    apply_and_wait(app)
    app.stop()
    app.s.end_all()
    return page


@pytest.fixture
def page(app):
    app.start_monitor()
    app.start()
    app.wait_selected(PAGE_BUTTONS, 0, "page")
    return KeyPage(app)


def test_a_pressed_key_remaps_the_position_of_the_current_profile_and_reaches_the_monitor(app, page):
    app.click(PROFILE_BUTTONS[2])
    app.wait_selected(PROFILE_BUTTONS, 2, "profile")
    page.reassign(ESC, ["a"])
    page.wait_marked(ESC, True)
    event = apply_and_wait(app)
    assert changed_profiles(event) == {2}
    assert "standardKey" in event.get("fields", "")
    assert standard_key(app, 2)[ESC] == 0x04
    assert standard_key(app, 0)[ESC] == DEFAULT_ESC
    # Another profile shows its own keys.
    app.click(PROFILE_BUTTONS[0])
    app.wait_selected(PROFILE_BUTTONS, 0, "profile")
    page.wait_marked(ESC, False)


def test_default_gives_the_position_its_own_key_back(app, page):
    page.reassign(ESC, ["b"])
    apply_and_wait(app)
    assert standard_key(app, 0)[ESC] == 0x05
    page.wait_marked(ESC, True)
    page.reassign(ESC, [], buttons=(DEFAULT, OK))
    page.wait_marked(ESC, False)
    event = apply_and_wait(app)
    assert changed_profiles(event) == {0}
    assert standard_key(app, 0)[ESC] == DEFAULT_ESC


@pytest.mark.parametrize("button", [CANCEL, CLOSE])
def test_cancel_and_the_close_button_change_nothing(app, page, button):
    page.reassign(F1, ["c"], buttons=(button,))
    event = apply_and_wait(app)
    assert changed_profiles(event) == set()
    assert standard_key(app, 0)[F1] == DEFAULT_F1
    assert not page.remapped(F1)


def test_the_keypad_enter_is_told_from_the_main_enter(app, page):
    page.reassign(ESC, ["KP_Enter"])
    page.reassign(F1, ["Return"])
    apply_and_wait(app)
    keys = standard_key(app, 0)
    assert keys[ESC] == 0x58
    assert keys[F1] == 0x28


def test_alt_tab_goes_to_the_dialog_not_to_the_desktop(app, page):
    dialog = page.open_dialog(ESC)
    app.s.xdo("key", "alt+Tab")
    # The dialog is still there and took the keys: the field holds Tab, or Alt when the
    # platform reports the left Alt key as such on its release.
    assert dialog in app.program_windows()
    app.click_in_dialog(dialog, KEY_DIALOG, OK)
    app.wait_dialog_closed(dialog)
    apply_and_wait(app)
    assert standard_key(app, 0)[ESC] in (0x2B, 0xE2)


def test_with_32_remaps_over_the_four_profiles_no_dialog_opens(app):
    page = default_files_then_stop(app)
    # 8 remapped positions in each profile file.
    for k in range(4):
        keys = bytearray(standard_key(app, k))
        for position in range(10, 18):
            keys[position] = 0x04 if keys[position] != 0x04 else 0x05
        replace_entry(app.profile_file(k), "standardKey", encode_struct(keys))
    app.without_monitor()
    app.start()
    app.wait_selected(PAGE_BUTTONS, 0, "page")
    page.wait_marked(10, True)
    page.click(ESC)
    # Had a modal dialog opened, the main window would not take the next click.
    app.click(PAGE_BUTTONS[1])
    app.wait_selected(PAGE_BUTTONS, 1, "page")
    assert app.program_windows() == [app.main]


def test_damaged_key_tables_in_a_profile_file_start_as_the_defaults_and_reach_the_keyboard_so(app):
    page = default_files_then_stop(app)
    keys = standard_key(app, 0)
    value = encode_struct(keys)
    replace_entry(app.profile_file(0), "standardKey", value[:40] + "G" + value[41:])
    replace_entry(app.profile_file(0), "GKey", "3A3B3C3D3E3F404100")  # a wrong checksum
    # The monitor's section is not trusted (its lock was abandoned): the files are read.
    app.start_monitor()
    app.control_monitor("--abandon-mutex")
    app.monitor_log.wait_for("mutex-abandoned", result="ok")
    app.start()
    app.wait_selected(PAGE_BUTTONS, 0, "page")
    for position in (ESC, F1, ENTER):
        page.wait_marked(position, False)
    event = apply_and_wait(app)
    # The section took the monitor's own defaults back: neither table differs from them.
    assert "profiles[0].standardKey" not in event.get("fields", "")
    assert "profiles[0].GKey" not in event.get("fields", "")
    assert "+" not in event.get("fields", "")
    assert standard_key(app, 0) == keys
    assert struct_value(app.profile_entries(0), "Setting", "GKey") == bytes(range(0x3A, 0x42))
