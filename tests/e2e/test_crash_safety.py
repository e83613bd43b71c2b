"""Crash safety of the saved files: a process saving the configuration and the macro
library through the program's own code is killed at random points, 200 times; after
every kill each file reads back as one complete state, and the program then starts on
that folder, shows it and saves it back intact."""

import re

from program import BTN_APPLY, PROFILE_BUTTONS

ROUNDS = 200


def crash_save(app, *args, timeout):
    exe = app.s.stage.parent / "crash_save.exe"
    assert exe.exists(), f"{exe} is built with the Windows-side tests"
    appdata = app.s.run(["winepath", "-w", str(app.s.appdata)]).stdout.strip()
    result = app.s.run(["wine", str(exe), *args[:1], appdata, *args[1:]], timeout=timeout)
    return result.returncode, result.stdout


def letters(line):
    """{'config.ini': 'A', 'Default0': 'B', ...} from a folder description."""
    return dict(re.findall(r"(config\.ini|Default\d|sequence\.dat)=([AB?])", line))


def test_files_killed_while_saving_read_back_whole_and_the_program_starts_on_them(app):
    app.without_monitor()
    code, out = crash_save(app, "kill-loop", str(ROUNDS), timeout=400)
    summary = re.search(r"crash-save rounds=(\d+) faulty=(\d+) mixed=(\d+) all_a=(\d+) all_b=(\d+) leftovers=(\d+)",
                        out)
    assert summary, out
    rounds, faulty, mixed, _, _, leftovers = (int(v) for v in summary.groups())
    assert code == 0 and faulty == 0, out
    assert rounds == ROUNDS
    # The kills did land inside the saves: between two files and inside one file's
    # replacement (its temporary file left behind).
    assert mixed > 0 and leftovers > 0, out
    final = re.search(r"^final (.*) current=(\d)", out, re.M)
    assert final, out
    before, current = letters(final.group(1)), int(final.group(2))
    assert set(before.values()) <= {"A", "B"} and len(before) == 6

    # The program starts on what the last kill left, temporary files included, and
    # shows its current profile.
    app.start()
    app.wait_selected(PROFILE_BUTTONS, current, "profile")
    # An apply without monitor writes back what it loaded, then the program ends.
    app.click(BTN_APPLY)
    app.program.wait_exit(40)
    code, out = crash_save(app, "check", timeout=120)
    assert code == 0, out
    assert letters(out) == before, out
