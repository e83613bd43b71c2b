"""Drives the staged program under Wine on an X display: starts the program and the
substitute monitor, finds their windows, clicks at the rectangles of the shipped skin
layout files, reads the screen, and waits on conditions (never on fixed sleeps)."""

import codecs
import os
import re
import shutil
import signal
import subprocess
import time
from pathlib import Path

MAIN_TITLE = "Orvane Gaming Keyboard"
WAITING_TITLE = "Orvane Gaming Keyboard waiting"
MONITOR_TITLE = "Orvane Gaming Keyboard Monitor"
DATA_FOLDER_NAME = "Orvane Gaming Keyboard"


class Timeout(AssertionError):
    pass


def wait_until(condition, timeout=40.0, what="condition", interval=0.05):
    """Polls `condition` until it returns a true value, which is returned."""
    deadline = time.monotonic() + timeout
    while True:
        value = condition()
        if value:
            return value
        if time.monotonic() > deadline:
            raise Timeout(f"timed out after {timeout:.0f} s waiting for {what}")
        time.sleep(interval)


# ---------------------------------------------------------------- files

def read_text_file(path):
    """Reads an initialisation file as the platform does: UTF-16 with BOM, UTF-8 with
    or without BOM, else Latin-1."""
    data = Path(path).read_bytes()
    if data.startswith(codecs.BOM_UTF16_LE):
        return data[2:].decode("utf-16-le", errors="replace")
    if data.startswith(codecs.BOM_UTF8):
        return data[3:].decode("utf-8", errors="replace")
    try:
        return data.decode("utf-8")
    except UnicodeDecodeError:
        return data.decode("latin-1")


def read_ini(path):
    """{section_lower: {key_lower: value}}; the first occurrence of a key wins."""
    sections = {}
    current = None
    for raw in read_text_file(path).splitlines():
        line = raw.strip()
        if not line or line.startswith(";"):
            continue
        if line.startswith("[") and "]" in line:
            current = sections.setdefault(line[1:line.index("]")].strip().lower(), {})
            continue
        if current is not None and "=" in line:
            key, value = line.split("=", 1)
            current.setdefault(key.strip().lower(), value.strip())
    return sections


def decode_struct(text):
    """The structure encoding of initialisation files: two hexadecimal digits per byte
    followed by a checksum byte (sum of the bytes modulo 256)."""
    raw = bytes.fromhex(text)
    data, checksum = raw[:-1], raw[-1]
    assert sum(data) % 256 == checksum, "structure checksum mismatch"
    return data


class SkinLayout:
    """A skin layout file's "BUTTONPOS" rectangles (client coordinates)."""

    def __init__(self, path):
        self.path = Path(path)
        self.sections = read_ini(self.path)

    def rect(self, key):
        value = self.sections.get("buttonpos", {}).get(str(key).lower())
        if value is None:
            raise KeyError(f"{self.path.name}: no BUTTONPOS entry {key}")
        fields = value.split(",")
        x, y, w, h = (int(f.strip()) for f in fields[1:5])
        return (x, y, x + w, y + h)

    def image(self, key):
        """Path of a SCREEN image ("Normal", "Down", ...)."""
        value = self.sections.get("screen", {}).get(key.lower())
        return self.path.parent / value if value else None


# ---------------------------------------------------------------- pictures

class Picture:
    """An RGB picture read through ImageMagick as binary PPM."""

    def __init__(self, width, height, pixels):
        self.width, self.height, self.pixels = width, height, pixels

    @staticmethod
    def from_ppm(data):
        parts = []
        pos = 0
        while len(parts) < 4:
            while data[pos:pos + 1].isspace():
                pos += 1
            if data[pos:pos + 1] == b"#":
                pos = data.index(b"\n", pos) + 1
                continue
            end = pos
            while not data[end:end + 1].isspace():
                end += 1
            parts.append(data[pos:end])
            pos = end
        assert parts[0] == b"P6" and parts[3] == b"255", "unexpected picture format"
        width, height = int(parts[1]), int(parts[2])
        return Picture(width, height, data[pos + 1:pos + 1 + width * height * 3])

    @staticmethod
    def load(path):
        data = subprocess.run(["convert", str(path), "-depth", "8", "ppm:-"], check=True, capture_output=True).stdout
        return Picture.from_ppm(data)

    def pixel(self, x, y):
        i = (y * self.width + x) * 3
        return tuple(self.pixels[i:i + 3])

    def distance(self, other, rect, offset=(0, 0)):
        """Mean absolute difference per channel between rect of self (moved by offset)
        and the same rect of other."""
        left, top, right, bottom = rect
        dx, dy = offset
        total, count = 0, 0
        for y in range(top, bottom, 2):
            for x in range(left, right, 2):
                a, b = self.pixel(x + dx, y + dy), other.pixel(x, y)
                total += abs(a[0] - b[0]) + abs(a[1] - b[1]) + abs(a[2] - b[2])
                count += 3
        return total / max(count, 1)


# ---------------------------------------------------------------- X display

class Display:
    def __init__(self, number):
        self.name = f":{number}"
        self.proc = None

    def start(self):
        lock = Path(f"/tmp/.X{self.name[1:]}-lock")
        if lock.exists():
            # A server of ours left over from an earlier run, or someone else's: use a
            # display of our own only when it answers.
            if self._answers():
                return
            lock.unlink(missing_ok=True)
        self.proc = subprocess.Popen(
            ["Xvfb", self.name, "-screen", "0", "1280x1024x24", "-nolisten", "tcp"],
            stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        wait_until(self._answers, 20, f"Xvfb on {self.name}")

    def _answers(self):
        return subprocess.run(["xdpyinfo", "-display", self.name], stdout=subprocess.DEVNULL,
                              stderr=subprocess.DEVNULL).returncode == 0

    def stop(self):
        if self.proc:
            self.proc.terminate()
            try:
                self.proc.wait(10)
            except subprocess.TimeoutExpired:
                self.proc.kill()


# ---------------------------------------------------------------- Wine session

class Session:
    """One Wine prefix on one display, shared by the tests; every test gets a fresh
    data folder and its own processes."""

    def __init__(self, stage_dir, prefix, display, artifacts):
        self.stage = Path(stage_dir)
        self.prefix = Path(prefix)
        self.display = display
        self.artifacts = Path(artifacts)
        self.env = dict(os.environ)
        self.env.update({
            "WINEPREFIX": str(self.prefix),
            "WINEARCH": "win64",
            "WINEDEBUG": "-all",
            "WINEDLLOVERRIDES": "mscoree,mshtml=",
            "DISPLAY": display.name,
        })
        self.env.pop("PONDREL_LOG", None)
        self.appdata = None

    def run(self, args, **kw):
        return subprocess.run(args, env=self.env, capture_output=True, text=True, **kw)

    def prepare(self):
        if not (self.prefix / "system.reg").exists():
            # A half-made prefix (an interrupted run) is started afresh.
            shutil.rmtree(self.prefix, ignore_errors=True)
            self.run(["wineboot", "-i"], timeout=300)
            self.run(["wineserver", "-w"], timeout=120)
            wait_until(lambda: (self.prefix / "system.reg").exists(), 120, "the Wine prefix")
            # No window manager runs on the test display: Wine then handles the windows
            # itself instead of waiting for a manager that never answers.
            self.run(["wine", "reg", "add", "HKCU\\Software\\Wine\\X11 Driver", "/v", "Managed", "/d", "N",
                      "/f"], timeout=120)
        self.run(["wineserver", "-w"], timeout=120)
        out = self.run(["wine", "cmd", "/c", "echo", "%APPDATA%"], timeout=120).stdout.strip()
        unix = self.run(["winepath", "-u", out.splitlines()[-1].strip()], timeout=60).stdout.strip()
        self.appdata = Path(unix)

    @property
    def data_dir(self):
        return self.appdata / DATA_FOLDER_NAME

    def fresh_data_folder(self):
        shutil.rmtree(self.data_dir, ignore_errors=True)

    def unix_path(self, windows_path):
        return Path(self.run(["winepath", "-u", windows_path]).stdout.strip())

    # Wine's own services, which the persistent server keeps between tests.
    WINE_SERVICES = {"explorer.exe", "services.exe", "winedevice.exe", "plugplay.exe", "rpcss.exe",
                     "svchost.exe", "conhost.exe"}

    def start_server(self):
        """One Wine server for the whole run. Starting the server afresh for every test
        now and then left the first program of the next test hanging inside Wine's own
        start, before any code of ours ran."""
        # The server and Wine's services live on for the whole run. They keep the output
        # handles of the program that started them, so that one must have none: a pipe
        # of ours held by them would never close.
        quiet = dict(env=self.env, stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        subprocess.run(["wineserver", "-p"], timeout=60, **quiet)
        subprocess.run(["wine", "cmd", "/c", "exit"], timeout=300, **quiet)

    def stop_server(self):
        self.run(["wineserver", "-k"], timeout=60)
        self.run(["wineserver", "-w"], timeout=60)

    def _programs(self):
        """Linux processes of this prefix's programs, Wine's services left out."""
        found = []
        prefix = f"WINEPREFIX={self.prefix}".encode()
        for entry in Path("/proc").iterdir():
            if not entry.name.isdigit():
                continue
            try:
                environ = (entry / "environ").read_bytes().split(b"\0")
                name = (entry / "comm").read_text().strip()
            except OSError:
                continue
            if prefix in environ and name.lower() not in self.WINE_SERVICES and not name.startswith("wineserver"):
                found.append(int(entry.name))
        return found

    def end_all(self):
        """Ends every program of this session's prefix: the test's own, those they
        started and helpers. The server and Wine's services stay for the next test."""
        for pid in self._programs():
            try:
                os.kill(pid, signal.SIGKILL)
            except ProcessLookupError:
                pass
        wait_until(lambda: not self._programs(), 30, "the programs of the test to end")

    # ------------------------------------------------------------ windows

    def xdo(self, *args, check=True):
        result = subprocess.run(["xdotool", *args], env=self.env, capture_output=True, text=True)
        if check and result.returncode != 0:
            raise AssertionError(f"xdotool {' '.join(args)} failed: {result.stderr.strip()}")
        return result.stdout.strip()

    def find_windows(self, title, visible=True):
        args = ["search"]
        if visible:
            args.append("--onlyvisible")
        args += ["--name", f"^{re.escape(title)}$"]
        out = self.xdo(*args, check=False)
        return [int(w) for w in out.split()] if out else []

    def wait_window(self, title, timeout=30):
        return wait_until(lambda: self.find_windows(title), timeout, f'window "{title}"')[0]

    def wait_no_window(self, title, timeout=30):
        # Hidden windows count: the waiting dialog exists from before an apply is handed
        # to the monitor, but shows only when the program next has nothing queued.
        wait_until(lambda: not self.find_windows(title, visible=False), timeout, f'window "{title}" to close')

    def window_origin(self, window):
        out = self.xdo("getwindowgeometry", "--shell", str(window))
        values = dict(line.split("=", 1) for line in out.splitlines() if "=" in line)
        return int(values["X"]), int(values["Y"])

    def click_at(self, x, y):
        # Moving first gives the skinned button its hover state, as a real pointer would.
        self.xdo("mousemove", "--sync", str(x), str(y))
        self.xdo("mousemove", "--sync", str(x + 1), str(y))
        self.xdo("click", "1")

    def press_key(self, window, key):
        self.xdo("windowactivate", "--sync", str(window), check=False)
        self.xdo("key", "--window", str(window), key)
        self.xdo("key", key)

    def screenshot(self, path):
        subprocess.run(["import", "-display", self.display.name, "-window", "root", str(path)],
                       env=self.env, check=True, capture_output=True)
        return Path(path)

    def screen(self):
        data = subprocess.run(["import", "-display", self.display.name, "-window", "root", "-depth", "8", "ppm:-"],
                              env=self.env, check=True, capture_output=True).stdout
        return Picture.from_ppm(data)


class Process:
    def __init__(self, session, exe, args=(), log=None, extra_env=None, cwd=None):
        env = dict(session.env)
        if extra_env:
            env.update(extra_env)
        self.session = session
        self.output = open(log, "wb") if log else subprocess.DEVNULL
        self.proc = subprocess.Popen(["wine", str(exe), *args], cwd=str(cwd or session.stage), env=env,
                                     stdout=self.output, stderr=subprocess.STDOUT)

    def exited(self):
        return self.proc.poll() is not None

    def wait_exit(self, timeout):
        try:
            return self.proc.wait(timeout)
        except subprocess.TimeoutExpired:
            raise Timeout(f"process did not exit within {timeout} s") from None

    def stop(self):
        if self.proc.poll() is None:
            self.proc.send_signal(signal.SIGTERM)
            try:
                self.proc.wait(5)
            except subprocess.TimeoutExpired:
                self.proc.kill()
                self.proc.wait(5)
        if self.output is not subprocess.DEVNULL:
            self.output.close()


# ---------------------------------------------------------------- monitor log

def parse_log_line(line):
    """'event=x key=value key="quoted value"' into a dict."""
    items = {}
    for m in re.finditer(r'(\w+)=("(?:[^"\\]|\\.)*"|\S*)', line):
        value = m.group(2)
        if value.startswith('"'):
            value = re.sub(r"\\(.)", r"\1", value[1:-1])
        items[m.group(1)] = value
    return items


class MonitorLog:
    def __init__(self, path):
        self.path = Path(path)

    def events(self):
        if not self.path.exists():
            return []
        text = read_text_file(self.path)
        return [parse_log_line(l) for l in text.splitlines() if l.strip()]

    def find(self, event, **match):
        return [e for e in self.events() if e.get("event") == event and
                all(e.get(k) == str(v) for k, v in match.items())]

    def wait_for(self, event, timeout=40, **match):
        return wait_until(lambda: self.find(event, **match), timeout,
                          f"monitor log event {event} {match}")[-1]
