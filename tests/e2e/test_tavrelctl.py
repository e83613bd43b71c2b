"""tavrelctl.exe, the command line, end to end against the substitute monitor: each
command's effect in the section (as the monitor logs what it took from it) and in the
files (one of them read back through the platform's private-profile service), every
exit status, refused commands that change nothing, files that cannot be written, the
one time limit of a command, and two commands at once."""

import hashlib
import json
import os
import shutil
import subprocess
import threading

from harness import MAIN_TITLE, MONITOR_TITLE, wait_until

PROFILE_SECTION = "Setting"


class Ctl:
    def __init__(self, app):
        self.app = app
        self.exe = app.stage / "tavrelctl.exe"
        self.ini_read = app.s.stage.parent / "ini_read.exe"

    def run(self, *args, timeout=60):
        done = subprocess.run(["wine", str(self.exe), *args], cwd=str(self.exe.parent), env=self.app.s.env,
                              capture_output=True, timeout=timeout)
        return done.returncode, done.stdout.decode("utf-8"), done.stderr.decode("utf-8")

    def ok(self, *args):
        status, out, err = self.run(*args)
        assert status == 0, f"tavrelctl {' '.join(args)} gave {status}: {err}"
        return out, err

    def status(self):
        out, err = self.ok("status", "--json")
        assert not err
        return json.loads(out)

    def private_profile(self, path, key, section=PROFILE_SECTION):
        done = subprocess.run(["wine", str(self.ini_read), windows(path), section, key], env=self.app.s.env,
                              capture_output=True, timeout=60)
        return done.stdout.decode("utf-8").strip()


def windows(path):
    """Wine's drive Z: is the Unix root."""
    return "Z:" + str(path).replace("/", "\\")


def snapshot(app):
    """Every file of the data folder, by content."""
    return {str(p.relative_to(app.data)): hashlib.sha256(p.read_bytes()).hexdigest()
            for p in sorted(app.data.rglob("*")) if p.is_file()}


def commands(app):
    return app.monitor_log.find("command")


def read_only(path):
    """What the platform shows as a read-only file: it can be neither replaced nor removed."""
    os.chmod(path, 0o444)


def lighting(event, k):
    return event["lighting"].split("|")[k]


def test_each_command_reaches_the_section_and_the_files(app, tmp_path):
    ctl = Ctl(app)
    app.start_monitor()
    status = ctl.status()
    assert status["monitor_running"] and status["source"] == "section" and status["keyboard_plugged_in"]
    assert [p["name"] for p in status["profiles"]] == ["#1", "#2", "#3", "#4"]
    assert status["profiles"][0]["effect"] == {"number": 5, "name": "Wave", "key": "wave"}

    # color: the three components and the hue slider kept in step, in the file and the section.
    out, err = ctl.ok("color", "2", "00A0FF")
    assert err.count("\n") == 1 and "00A0FF" in err and not out
    applied = app.monitor_log.wait_for("command", code="MONITOR_APPLY")
    assert "00A0FF" in lighting(applied, 2)
    file2 = app.profile_file(2)
    assert [ctl.private_profile(file2, key) for key in ("iRGBRed", "iRGBGreen", "iRGBBlue", "iCrlSliderPos")] == \
        ["0", "160", "255", str(1530 - 860)]  # hue 860: between cyan and blue

    # effect by the profile's own name, without case, and the effect's name.
    ctl.ok("effect", "#2", "breathing")
    wait_until(lambda: len(app.monitor_log.find("command", code="MONITOR_APPLY")) == 2, 20, "the second apply")
    assert "Breathing (3)" in lighting(app.monitor_log.find("command", code="MONITOR_APPLY")[-1], 1)
    assert app.read_ini(app.profile_file(1))["setting"]["lteffecttype"] == "3"

    # select: section, config.ini and MONITOR_SELECT_PROFILE with the index.
    ctl.ok("select", "3")
    app.monitor_log.wait_for("command", code="MONITOR_SELECT_PROFILE", lparam=3, result="ok")
    assert app.settings()["setting"]["currentprofile"] == "3"
    assert ctl.status()["current_profile"] == "3"

    # export, then reset, then import the export (a Unicode name) into another profile.
    exported = tmp_path / "Profil Ärger.gkp"
    ctl.ok("export", "2", windows(exported))
    assert app.read_ini(exported)["setting"]["irgbgreen"] == "160"
    ctl.ok("reset", "--yes")
    reset = app.monitor_log.wait_for("command", code="MONITOR_APPLY_RESET")
    assert "FF0000" in lighting(reset, 2) and reset["current"] == "0"
    ctl.ok("import", windows(exported), "1")
    imported = wait_until(lambda: [c for c in commands(app) if "iProfileImported=1" in c.get("flags", "")], 20,
                          "the import's apply")[-1]
    assert "00A0FF" in lighting(imported, 1)
    assert app.read_ini(app.profile_file(1))["setting"]["irgbblue"] == "255"

    # backup, a change, restore: everything comes back and reaches the monitor whole.
    backup = tmp_path / "Sicherung ü"
    ctl.ok("backup", windows(backup))
    for name in ("config.ini", "config/Default0.gkp", "config/Default3.gkp", "sequence.dat"):
        assert (backup / name).exists(), name
    ctl.ok("color", "1", "123456")
    before = len(commands(app))
    _, err = ctl.ok("restore", windows(backup))
    assert "restored" in err
    restored = wait_until(lambda: commands(app)[before:], 20, "the restore's apply")[-1]
    assert restored["code"] == "MONITOR_APPLY" and "iProfileReset" in restored["flags"]
    assert "00A0FF" in lighting(restored, 1)
    assert app.read_ini(app.profile_file(1))["setting"]["irgbred"] == "0"

    # A damaged backup changes nothing and names the file.
    (backup / "config" / "Default2.gkp").write_bytes(b"\x00\xff garbage")
    files, before = snapshot(app), len(commands(app))
    status, _, err = ctl.run("restore", windows(backup))
    assert status == 2 and "Default2.gkp" in err
    assert snapshot(app) == files and len(commands(app)) == before

    # apply: the files, every flag raised.
    ctl.ok("apply")
    everything = wait_until(lambda: commands(app)[before:], 20, "the apply")[-1]
    assert everything["code"] == "MONITOR_APPLY" and "iStandardKeyChanged=0,1,2,3" in everything["flags"]


def test_exit_statuses_and_refusals_change_nothing(app, tmp_path):
    ctl = Ctl(app)
    app.start_monitor()
    ctl.ok("color", "default", "00FF00")  # the data folder exists from here on
    app.monitor_log.wait_for("answer")
    files, before = snapshot(app), len(commands(app))

    for args, hint in ((["frobnicate"], "try 'tavrelctl help'"),
                       (["color", "1", "12345G"], "try 'tavrelctl help color'"),
                       (["color", "nobody", "123456"], "no profile 'nobody'"),
                       (["effect", "1", "Glitter"], "no effect 'Glitter'"),
                       (["import", windows(tmp_path / "missing.gkp"), "1"], "cannot read"),
                       (["--timeout", "nan", "select", "1"], "timeout"),
                       (["reset"], "--yes")):
        status, out, err = ctl.run(*args)
        assert (status, out) == (2, ""), args
        assert hint in err and err.count("\n") == 1, err
    status, out, _ = ctl.run("--help")
    assert status == 0 and "Exit status" in out

    # An export over a file that cannot be replaced fails and keeps the old file.
    kept = tmp_path / "kept.gkp"
    kept.write_bytes(b"[Setting]\r\nProFileName=old\r\n")
    read_only(kept)
    status, _, err = ctl.run("export", "1", windows(kept))
    assert status == 5 and "kept.gkp" in err
    assert kept.read_bytes() == b"[Setting]\r\nProFileName=old\r\n"
    assert snapshot(app) == files

    # The monitor holds its lock past the command's time limit: nothing is written or posted.
    app.control_monitor("--hold-mutex", "60000")
    app.monitor_log.wait_for("mutex-held", result="ok")
    status, _, err = ctl.run("--timeout", "2", "color", "1", "654321")
    assert status == 1 and "(--timeout 2 s) ran out waiting for the monitor's lock; nothing changed" in err
    assert snapshot(app) == files and len(commands(app)) == before
    app.control_monitor("--release-mutex")
    app.monitor_log.wait_for("mutex-released", changed_while_held=0)
    assert ctl.status()["profiles"][1]["color"] != "654321"

    # An export never replaces another profile's stored file, however the path is
    # spelled; one merely titled like a stored file is written, without its copy.
    relative = os.path.relpath(app.profile_file(3), app.s.stage).replace("/", "\\")
    for spelled in ("Z:" + str(app.data / "CONFIG" / "default1.GKP"), relative):
        status, out, err = ctl.run("export", "2", spelled)
        assert (status, out) == (2, "") and spelled in err, err
    assert snapshot(app) == files
    ctl.ok("export", "2", windows(tmp_path / "DEFAULT0.gkp"))
    assert (tmp_path / "DEFAULT0.gkp").exists()
    after = snapshot(app)
    assert {n: after[n] for n in files if n != "config.ini"} == {n: files[n] for n in files if n != "config.ini"}
    assert after.keys() == files.keys() and len(commands(app)) == before
    files = after  # the export's title is recorded in config.ini

    # Unplugged: reported by status, refused by a change.
    app.control_monitor("--unplug")
    app.monitor_log.wait_for("plug", value=0)
    assert ctl.status()["keyboard_plugged_in"] is False
    status, _, err = ctl.run("effect", "2", "Static")
    assert status == 3 and "not plugged in" in err
    assert snapshot(app) == files and len(commands(app)) == before
    app.control_monitor("--plug")
    app.monitor_log.wait_for("plug", value=1)

    # A monitor that never answers: status 1 once the timeout has run out, with the
    # files and the section written.
    app.control_monitor("--quit")
    app.s.wait_no_window(MONITOR_TITLE)
    app.start_monitor("--never-answer")
    app.monitor_log.wait_for("ready", never_answer=1)
    status, _, err = ctl.run("--timeout", "2", "color", "3", "ABCDEF")
    assert status == 1 and "did not answer: the time (--timeout 2 s) ran out waiting for the monitor's answer" in err
    assert "ABCDEF" in lighting(app.monitor_log.find("command", code="MONITOR_APPLY")[-1], 3)
    assert app.read_ini(app.profile_file(3))["setting"]["irgbred"] == str(0xAB)

    # The program's window is open: changes are refused, status and export still work.
    app.start()
    # The program's own start ends by telling the monitor its profile.
    app.monitor_log.wait_for("command", code="MONITOR_SELECT_PROFILE")
    files, before = snapshot(app), len(commands(app))
    status, _, err = ctl.run("select", "2")
    assert status == 4 and "close it first" in err
    assert snapshot(app) == files and len(commands(app)) == before
    assert ctl.status()["profiles"][3]["color"] == "ABCDEF"
    ctl.ok("export", "3", windows(tmp_path / "while-open.gkp"))
    assert (tmp_path / "while-open.gkp").exists()


def test_without_a_monitor_the_files_take_the_change(app, tmp_path):
    # The German library: a script's English effect names work on every install.
    app.without_monitor()
    shutil.copy(app.stage / "Languages" / "lang_de.dll", app.stage / "lang.dll")
    ctl = Ctl(app)
    _, err = ctl.ok("effect", "default", "2")
    assert "when the monitor next starts" in err
    assert app.read_ini(app.profile_file(0))["setting"]["lteffecttype"] == "2"
    ctl.ok("effect", "1", "Breathing")
    status = ctl.status()
    assert not status["monitor_running"] and status["source"] == "files"
    assert status["profiles"][0]["effect"]["key"] == "static"
    assert status["profiles"][1]["effect"]["number"] == 3 and status["profiles"][1]["effect"]["key"] == "breathing"
    assert status["profiles"][1]["effect"]["name"] not in ("", "3", "Breathing")  # shown in German
    ctl.ok("effect", "1", status["profiles"][1]["effect"]["name"].upper())  # the shown name works too

    # A profile file that cannot be written: a status of its own, naming the file; a
    # restore says which files hold the backup.
    ctl.ok("backup", windows(tmp_path / "backup"))
    ctl.ok("color", "2", "654321")
    kept = app.profile_file(2).read_bytes()
    read_only(app.profile_file(2))
    status, _, err = ctl.run("color", "2", "123456")
    assert status == 5 and "Default2.gkp" in err and "Default1.gkp" not in err
    assert app.profile_file(2).read_bytes() == kept
    status, _, err = ctl.run("restore", windows(tmp_path / "backup"))
    assert status == 5 and "Default2.gkp; every other file of the data folder holds the backup" in err


def test_two_at_once_take_turns_and_both_changes_stay(app):
    ctl = Ctl(app)
    app.start_monitor("--apply-delay", "1500")
    results = {}

    def run(k, colour):
        results[k] = ctl.run("--timeout", "30", "color", str(k), colour)

    threads = [threading.Thread(target=run, args=(k, c)) for k, c in ((1, "111111"), (2, "222222"))]
    for t in threads:
        t.start()
    # While one waits for the answer, its window of the program's title stays hidden.
    app.monitor_log.wait_for("command", code="MONITOR_APPLY")
    assert not app.s.find_windows(MAIN_TITLE)
    for t in threads:
        t.join(90)
    assert [results[k][0] for k in (1, 2)] == [0, 0], results
    assert len(app.monitor_log.find("answer", target="found")) == 2
    assert app.read_ini(app.profile_file(1))["setting"]["irgbred"] == str(0x11)
    assert app.read_ini(app.profile_file(2))["setting"]["irgbred"] == str(0x22)


def test_a_late_answer_to_a_command_that_ran_out_is_not_taken_for_the_next_ones(app):
    ctl = Ctl(app)
    app.start_monitor("--never-answer", "--apply-delay", "3000")
    status, _, _ = ctl.run("--timeout", "2", "color", "1", "333333")
    assert status == 1
    app.monitor_log.wait_for("answer-withheld", pending=1)

    # The next command waits for the monitor's lock, its window already open.
    app.control_monitor("--hold-mutex", "120000")
    app.monitor_log.wait_for("mutex-held", result="ok")
    result = {}
    second = threading.Thread(target=lambda: result.update(run=ctl.run("--timeout", "90", "color", "2", "444444")))
    second.start()
    wait_until(lambda: "another tavrelctl" in ctl.run("--timeout", "0", "status")[2], 60, "the second at work")

    # The first command's answer comes now, to the second's window, before it posts its own.
    app.control_monitor("--answer-again")
    late = app.monitor_log.wait_for("answer")
    assert late["target"] == "found"
    app.control_monitor("--release-mutex")
    second.join(120)
    status, _, err = result["run"]
    assert status == 0, err
    # Its own answer, three seconds after its command, came before it ended.
    assert len(app.monitor_log.find("answer")) == 2
    assert "444444" in lighting(commands(app)[-1], 2)
