"""The program and the substitute monitor as the tests see them: start, click the main
window's buttons by their skin keys, read which buttons are selected, read the files of
the data folder and the monitor's log."""

import re
import shutil
from pathlib import Path

from harness import (MAIN_TITLE, MONITOR_TITLE, WAITING_TITLE, MonitorLog, Picture, Process,
                     SkinLayout, decode_struct, read_ini, wait_until)

# "BUTTONPOS" keys of the main window's buttons.
PAGE_BUTTONS = ["1", "2", "3", "4"]
PROFILE_BUTTONS = ["10", "11", "12", "13"]
BTN_RESET, BTN_GAME_NEW, BTN_IMPORT, BTN_EXPORT, BTN_GAME_EDIT = "25", "6", "7", "8", "9"
BTN_MACRO_MANAGER, BTN_APPLY, BTN_CANCEL, BTN_OK = "15", "21", "22", "20"
BTN_MINIMIZE, BTN_CLOSE = "16", "17"

PROFILE_SIZE = 26700
CONFIG_SIZE = 107576


class App:
    def __init__(self, session, workdir):
        self.s = session
        self.workdir = Path(workdir)
        self.program = None
        self.monitor = None
        self.monitor_log = MonitorLog(self.workdir / "monitor.log")
        self.main = None
        self.stage = session.stage
        skins = session.stage / "Skins"
        self.layout = SkinLayout(skins / "skin_Config.ini")
        self._pictures = {}

    # ------------------------------------------------------------ processes

    def without_monitor(self):
        """Runs the program from a copy of the run folder without Pondrel.exe, so the
        program cannot start a monitor of its own either."""
        copy = self.workdir / "stage"
        shutil.copytree(self.s.stage, copy, ignore=shutil.ignore_patterns("Pondrel.exe"))
        self.stage = copy

    def start_monitor(self, *args):
        self.monitor = Process(self.s, self.s.stage / "Pondrel.exe",
                               ["--log", str(self._windows_path(self.monitor_log.path)), *args],
                               log=self.workdir / "monitor-output.log")
        self.s.wait_window(MONITOR_TITLE)
        wait_until(lambda: self.monitor_log.events(), 20, "the monitor's first log line")
        return self.monitor

    def control_monitor(self, *args):
        """A second substitute instance hands its control options to the running one."""
        p = Process(self.s, self.s.stage / "Pondrel.exe", list(args))
        p.wait_exit(30)

    def start(self, wait_window=True, debug_output=False):
        # A monitor the program starts itself logs to the same file.
        env = {"PONDREL_LOG": self._windows_path(self.monitor_log.path)}
        if debug_output:  # Wine reports the debugger output (OutputDebugString) on its "seh" channel
            env["WINEDEBUG"] = "-all,warn+seh"
        self.program = Process(self.s, self.stage / "Tavrel.exe", cwd=self.stage,
                               log=self.workdir / "program-output.log", extra_env=env)
        if wait_window:
            self.main = self.s.wait_window(MAIN_TITLE)
            self.wait_painted()
        return self.program

    def wait_painted(self):
        """The main window shows its skin: the background outside the buttons matches."""
        normal = self.picture("Normal")
        rect = self.background_probe()

        def painted():
            return self.s.screen().distance(normal, rect, self.origin()) < 12
        wait_until(painted, 30, "the main window's skin on screen")

    def background_probe(self):
        # A strip of the title band, never covered by a button or a page.
        return (200, 8, 700, 30)

    def origin(self):
        return self.s.window_origin(self.main)

    def stop(self):
        for p in (self.program, self.monitor):
            if p:
                p.stop()

    def _windows_path(self, path):
        return self.s.run(["winepath", "-w", str(path)]).stdout.strip()

    # ------------------------------------------------------------ the main window

    def click(self, key):
        left, top, right, bottom = self.layout.rect(key)
        ox, oy = self.origin()
        self.s.click_at(ox + (left + right) // 2, oy + (top + bottom) // 2)

    def picture(self, state):
        if state not in self._pictures:
            # The main window's layout names its disabled picture "Disable".
            self._pictures[state] = Picture.load(self.layout.image(state))
        return self._pictures[state]

    def button_looks(self, key, screen=None):
        """"down" when the button shows its pressed (selected) picture, else "normal"."""
        screen = screen or self.s.screen()
        rect = self.layout.rect(key)
        origin = self.origin()
        down = screen.distance(self.picture("Down"), rect, origin)
        normal = min(screen.distance(self.picture("Normal"), rect, origin),
                     screen.distance(self.picture("Over"), rect, origin))
        return "down" if down < normal else "normal"

    def selected(self, keys):
        screen = self.s.screen()
        return [i for i, k in enumerate(keys) if self.button_looks(k, screen) == "down"]

    def wait_selected(self, keys, index, what):
        wait_until(lambda: self.selected(keys) == [index], 15, f"{what} {index} selected alone")

    def waiting_open(self):
        return bool(self.s.find_windows(WAITING_TITLE))

    # ------------------------------------------------------------ dialogs

    def program_windows(self):
        out = self.s.xdo("search", "--onlyvisible", "--pid", str(self.program.proc.pid), check=False)
        return [int(w) for w in out.split()] if out else []

    def wait_dialog(self, timeout=15):
        """A visible window of the program other than the main and waiting windows."""
        def dialog():
            others = [w for w in self.program_windows() if w != self.main and
                      self.s.xdo("getwindowname", str(w), check=False) != WAITING_TITLE]
            return others[-1] if others else None
        window = wait_until(dialog, timeout, "a dialog of the program")
        self.s.xdo("windowactivate", "--sync", str(window), check=False)
        return window

    def wait_dialog_closed(self, window, timeout=15):
        wait_until(lambda: window not in self.program_windows(), timeout, "the dialog to close")

    def click_in_dialog(self, window, layout_name, key):
        layout = SkinLayout(self.stage / "Skins" / layout_name)
        left, top, right, bottom = layout.rect(key)
        ox, oy = self.s.window_origin(window)
        self.s.click_at(ox + (left + right) // 2, oy + (top + bottom) // 2)

    def type_text(self, text):
        # xdotool puts a letter the keyboard map lacks (é, ü) on a spare key just for
        # its keystroke and takes it off after the delay: a long delay lets Wine read the
        # keystroke while the key still means that letter. (A capital such a key gives
        # arrives in small letters, so typed names hold small accented letters.)
        for run in re.findall(r"[\x00-\x7f]+|[^\x00-\x7f]", text):
            self.s.xdo("type", "--delay", "30" if run.isascii() else "300", run)

    def choose_file(self, opener, path):
        """Runs `opener` (a click that opens a standard file dialog), fills the dialog's
        file name with a full Windows path and confirms it."""
        known = set(self.program_windows())
        opener()

        # Wine moves the X focus to a window of its own once it has given the keyboard
        # focus inside it: keys sent before that would reach the window that had it. The
        # Explorer-style dialog takes longer to get there than the classic one did.
        def focused_dialog():
            focus = self.s.xdo("getwindowfocus", check=False).strip()
            new = [w for w in self.program_windows() if w not in known]
            return int(focus) if focus.isdigit() and int(focus) in new else None
        dialog = wait_until(focused_dialog, 20, "the file dialog with the keyboard focus")
        # The file name field has the focus and its text selected: typing replaces it.
        self.type_text(path if isinstance(path, str) else self._windows_path(path))
        self.s.xdo("key", "Return")
        wait_until(lambda: dialog not in self.program_windows(), 20, "the file dialog to close")

    def rename_profile(self, name):
        """Names the current profile through the game link dialog (mode 1)."""
        self.link_game(None, name)

    def link_game(self, game, name):
        """Opens the game link dialog in mode 1, types a name, browses to a game, OK."""
        self.click(BTN_GAME_NEW)
        dialog = self.wait_dialog()
        if name is not None:
            self.click_in_dialog(dialog, "skin_Profile.ini", "1")
            self.type_text(name)
        if game is not None:
            unix = self.s.unix_path(game)
            unix.parent.mkdir(parents=True, exist_ok=True)
            unix.touch()
            self.choose_file(lambda: self.click_in_dialog(dialog, "skin_Profile.ini", "3"), game)
        self.click_in_dialog(dialog, "skin_Profile.ini", "4")
        self.wait_dialog_closed(dialog)

    def read_ini(self, path):
        return read_ini(path)

    # ------------------------------------------------------------ data folder

    @property
    def data(self):
        return self.s.data_dir

    def settings(self):
        path = self.data / "config.ini"
        return read_ini(path) if path.exists() else {}

    def profile_file(self, k):
        return self.data / "config" / f"Default{k}.gkp"

    def profile_entries(self, k):
        path = self.profile_file(k)
        return read_ini(path) if path.exists() else None


def profile_value(entries, key):
    for section in entries.values():
        if key.lower() in section:
            return section[key.lower()]
    return None


def struct_value(entries, section, key):
    value = entries.get(section.lower(), {}).get(key.lower())
    return decode_struct(value) if value else None
