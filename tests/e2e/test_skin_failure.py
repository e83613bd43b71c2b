"""A run folder whose main skin picture is missing or cut short: the program says which
file it cannot read, then ends without writing anything."""

import hashlib

import pytest

from harness import MAIN_TITLE, read_text_file, wait_until

MESSAGE_TITLE = "Error"  # a message box without a caption of its own


def folder_state(folder):
    """Every file below `folder` with the digest of its bytes; None when it is absent."""
    if not folder.exists():
        return None
    return {str(p.relative_to(folder)): hashlib.sha256(p.read_bytes()).hexdigest()
            for p in sorted(folder.rglob("*")) if p.is_file()}


@pytest.mark.parametrize("damage", ["removed", "truncated"])
def test_unreadable_main_skin_picture_is_named_and_the_program_ends_untouched(app, damage):
    app.without_monitor()
    picture = app.stage / "Skins" / app.layout.image("Normal").name
    if damage == "removed":
        picture.unlink()
        # The data folder stays absent.
    else:
        picture.write_bytes(picture.read_bytes()[:4096])
        # A data folder of an earlier run stays as it is, byte for byte.
        app.data.mkdir(parents=True, exist_ok=True)
        (app.data / "config.ini").write_bytes(b"[Setting]\r\nCurrentProfile=2\r\n")
        (app.data / "sequence.dat").write_bytes(b"[Macro]\r\nCount=0\r\n")
    before = folder_state(app.data)

    app.start(wait_window=False, debug_output=True)
    app.s.wait_window(MESSAGE_TITLE)
    # The box's text goes to the debugger output too: it names the picture's full path
    # (the main window names its folder "skins").
    expected = app._windows_path(picture).lower().replace("\\", "\\\\")
    log = app.workdir / "program-output.log"
    wait_until(lambda: log.exists() and "could not be read" in read_text_file(log), 20, "the message")
    assert expected in read_text_file(log).lower()
    assert not app.s.find_windows(MAIN_TITLE)

    # Return dismisses the box, which holds the keyboard focus (Wine may give the box
    # a new X window meanwhile, so no window is named).
    def dismissed():
        if app.s.find_windows(MESSAGE_TITLE):
            app.s.xdo("key", "Return", check=False)
        return app.program.exited()
    wait_until(dismissed, 30, "the program to end", interval=0.5)
    assert not app.s.find_windows(MAIN_TITLE, visible=False)
    assert folder_state(app.data) == before
