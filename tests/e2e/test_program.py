"""The program end to end: start-up, the main window's commands, apply with and without
the monitor, reset, export and import, the monitor's reports, the key filter and the
game link dialog's browse rule."""

import shutil
import time

import pytest

from harness import WAITING_TITLE, wait_until
from program import (BTN_APPLY, BTN_CANCEL, BTN_CLOSE, BTN_EXPORT, BTN_GAME_NEW, BTN_IMPORT, BTN_OK,
                     BTN_RESET, PAGE_BUTTONS, PROFILE_BUTTONS, profile_value)


def wait_files_written(app):
    names = ["config.ini"] + [f"config/Default{k}.gkp" for k in range(4)]
    wait_until(lambda: all((app.data / n).exists() for n in names), 40, "the settings and profile files")


def import_then_apply(app, path, title):
    """Imports `path` through the open dialog (its copy lands in the data folder as
    title + ".gkp"), then applies; the log line of that second apply."""
    app.choose_file(lambda: app.click(BTN_IMPORT), path)
    wait_until(lambda: (app.data / f"{title}.gkp").exists(), 15, "the imported copy")
    app.click(BTN_APPLY)
    return wait_until(lambda: app.monitor_log.find("command", code="MONITOR_APPLY")[1:], 15,
                      "the second apply")[-1]


# ------------------------------------------------------------------ start-up

def test_first_start_without_monitor_shows_defaults_page_zero_and_profile_one(app):
    app.without_monitor()
    app.start()
    app.wait_selected(PAGE_BUTTONS, 0, "page")
    app.wait_selected(PROFILE_BUTTONS, 0, "profile")
    # Nothing but the macro library is written at start.
    assert not (app.data / "config.ini").exists()
    # The working copy holds the four default profiles: an apply writes them out.
    app.click(BTN_APPLY)
    wait_files_written(app)
    settings = app.settings()
    assert settings["setting"]["currentprofile"] == "0"
    assert settings["setting"]["keyboardplugin"] == "-1"
    for k in range(4):
        assert profile_value(app.profile_entries(k), "ProFileName") is not None


def test_start_with_monitor_takes_the_section_and_announces_the_profile(app):
    app.start_monitor("--seed-profile", "2", "--seed-name", "From the keyboard")
    app.start()
    app.monitor_log.wait_for("command", code="MONITOR_SELECT_PROFILE", profile="2")
    app.wait_selected(PROFILE_BUTTONS, 2, "profile")
    app.wait_selected(PAGE_BUTTONS, 0, "page")
    # The profile files were never read: the section's content reaches them at apply.
    app.click(BTN_APPLY)
    app.monitor_log.wait_for("command", code="MONITOR_APPLY")
    wait_files_written(app)
    assert profile_value(app.profile_entries(0), "ProFileName") == "From the keyboard"
    assert app.settings()["setting"]["currentprofile"] == "2"


def test_keyboard_unplugged_in_the_settings_file_ends_the_program_right_after_start(app):
    app.without_monitor()
    app.data.mkdir(parents=True)
    (app.data / "config.ini").write_text("[Setting]\r\nCurrentProfile=1\r\nKeyboardPlugIn=0\r\n")
    app.start(wait_window=False)
    app.program.wait_exit(40)


# ------------------------------------------------------------------ apply, OK, cancel

def test_apply_with_monitor_hands_over_the_working_copy_and_waits_for_the_answer(app):
    app.start_monitor("--apply-delay", "1500")
    app.start()
    app.rename_profile("RACING")
    app.click(BTN_APPLY)
    app.s.wait_window(WAITING_TITLE, 10)
    applied = app.monitor_log.wait_for("command", code="MONITOR_APPLY")
    # Only the name changed: it raises no flag, but the section holds it.
    assert applied.get("flags") == "none"
    assert applied.get("names", "").split("|")[0] == "RACING"
    app.monitor_log.wait_for("answer", code="MONITOR_APPLY_DONE")
    app.s.wait_no_window(WAITING_TITLE, 40)
    wait_files_written(app)
    assert profile_value(app.profile_entries(0), "ProFileName") == "RACING"
    assert not app.program.exited()


def test_apply_without_monitor_saves_then_closes_three_seconds_later(app):
    app.without_monitor()
    app.start()
    app.click(BTN_APPLY)
    clicked = time.monotonic()
    wait_files_written(app)
    assert (app.data / "sequence.dat").exists()
    app.program.wait_exit(40)
    assert time.monotonic() - clicked > 2.0, "closed before its three seconds"


def test_ok_applies_then_ends(app):
    app.start_monitor()
    app.start()
    app.click(BTN_OK)
    app.monitor_log.wait_for("command", code="MONITOR_APPLY")
    app.program.wait_exit(40)
    wait_files_written(app)


def test_cancel_ends_without_saving(app):
    app.start_monitor()
    app.start()
    app.rename_profile("NOTKEPT")
    app.click(BTN_CANCEL)
    app.program.wait_exit(40)
    assert not (app.data / "config.ini").exists()
    assert not app.monitor_log.find("command", code="MONITOR_APPLY")


def test_close_button_ends_without_saving(app):
    app.start_monitor()
    app.start()
    app.click(BTN_CLOSE)
    app.program.wait_exit(40)
    assert not (app.data / "config.ini").exists()


# ------------------------------------------------------------------ reset

def test_reset_confirmed_restores_the_defaults_and_applies_with_reset(app):
    app.start_monitor()
    app.start()
    app.rename_profile("EDITED")
    app.click(BTN_RESET)
    dialog = app.wait_dialog()
    app.click_in_dialog(dialog, "skin_reset_warn.ini", "1")
    app.monitor_log.wait_for("command", code="MONITOR_APPLY_RESET")
    app.s.wait_no_window(WAITING_TITLE, 40)
    wait_files_written(app)
    assert profile_value(app.profile_entries(0), "ProFileName") != "EDITED"


@pytest.mark.parametrize("button", ["2", "3"])
def test_reset_cancelled_or_closed_changes_nothing(app, button):
    app.start_monitor()
    app.start()
    app.rename_profile("KEPT")
    app.click(BTN_RESET)
    dialog = app.wait_dialog()
    app.click_in_dialog(dialog, "skin_reset_warn.ini", button)
    app.wait_dialog_closed(dialog)
    assert not app.monitor_log.find("command", code="MONITOR_APPLY_RESET")
    app.click(BTN_APPLY)
    app.monitor_log.wait_for("command", code="MONITOR_APPLY")
    wait_files_written(app)
    assert profile_value(app.profile_entries(0), "ProFileName") == "KEPT"


# ------------------------------------------------------------------ profiles and reports

def test_profile_button_only_announces_the_profile(app):
    app.start_monitor()
    app.start()
    app.monitor_log.wait_for("command", code="MONITOR_SELECT_PROFILE", profile="0")
    app.click(PROFILE_BUTTONS[2])
    app.monitor_log.wait_for("command", code="MONITOR_SELECT_PROFILE", profile="2")
    app.wait_selected(PROFILE_BUTTONS, 2, "profile")
    # No apply: the section and the files are untouched.
    assert not app.monitor_log.find("command", code="MONITOR_APPLY")
    assert not (app.data / "config.ini").exists()


def test_monitor_reports_of_profile_and_effect_update_the_window(app):
    app.start_monitor()
    app.start()
    app.control_monitor("--report-profile", "3")
    app.wait_selected(PROFILE_BUTTONS, 3, "profile")
    app.control_monitor("--report-effect", "2")
    app.monitor_log.wait_for("report", code="MONITOR_EFFECT_CHANGED")
    app.click(BTN_APPLY)
    app.monitor_log.wait_for("command", code="MONITOR_APPLY")
    wait_files_written(app)
    # The report switched profile 4 (index 3) to effect 5 in the working copy.
    assert profile_value(app.profile_entries(3), "LtEffectType") == "5"
    assert app.settings()["setting"]["currentprofile"] == "3"
    # A profile reported by the keyboard is not announced back.
    assert not app.monitor_log.find("command", code="MONITOR_SELECT_PROFILE", profile="3")


# ------------------------------------------------------------------ export and import

def test_export_then_import_keeps_the_profile_and_raises_the_import_flags(app):
    app.start_monitor()
    app.start()
    app.rename_profile("EXPORTED")
    target = app.data / "exported.gkp"
    app.data.mkdir(parents=True, exist_ok=True)
    app.choose_file(lambda: app.click(BTN_EXPORT), target)
    copy = app.data / "config" / "exported.gkp"
    # The copy in the data folder is the last step of the export.
    wait_until(lambda: target.exists() and copy.exists(), 40, "the exported file and its copy")
    assert profile_value(app.read_ini(target), "ProFileName") == "EXPORTED"
    assert copy.read_bytes() == target.read_bytes()
    assert app.settings()["profile1"]["filename"] == "exported"

    app.click(BTN_APPLY)
    app.monitor_log.wait_for("command", code="MONITOR_APPLY")
    app.s.wait_no_window(WAITING_TITLE, 40)

    second = import_then_apply(app, target, "exported")
    # The profile's bytes are as before; the import flags of profile 0 are raised.
    assert "iProfileImported=0" in second.get("flags", "")
    assert "ProFileName" not in second.get("fields", "")
    assert "standardKey" not in second.get("fields", "")


def test_export_onto_another_profiles_stored_file_is_refused_with_a_message(app):
    app.start_monitor()
    app.start()
    (app.data / "config").mkdir(parents=True, exist_ok=True)
    stored = app.profile_file(1)
    # Profile 1 (index 0) is current; the stored file of index 1, as the dialog offers it.
    app.choose_file(lambda: app.click(BTN_EXPORT), stored)
    app.s.wait_window("Export")

    def dismissed():
        if app.s.find_windows("Export"):
            app.s.xdo("key", "Return", check=False)
        return not app.s.find_windows("Export")
    wait_until(dismissed, 30, "the message to be dismissed", interval=0.5)
    assert not stored.exists()
    assert "profile1" not in app.settings()
    # The window goes on: an apply still reaches the monitor.
    app.click(BTN_APPLY)
    app.monitor_log.wait_for("command", code="MONITOR_APPLY")


def test_file_dialogs_keep_long_names_with_blanks_and_accents(app):
    """The real open and save dialogs: a game under a folder with blanks and accents is
    linked under its long name, in the capitals its edit shows, and a profile exported
    to such a folder is imported back from it."""
    app.start_monitor()
    app.start()
    game = "C:\\Program Files\\Jeux Vid\u00e9o\\Course \u00fcmlaut.exe"
    stored = game.upper()  # "C:\PROGRAM FILES\JEUX VIDÉO\COURSE ÜMLAUT.EXE"
    app.link_game(game, name=None)
    app.click(BTN_APPLY)
    applied = app.monitor_log.wait_for("command", code="MONITOR_APPLY")
    assert applied.get("game") == stored
    assert applied.get("name") == "COURSE \u00dcMLAUT"
    wait_files_written(app)
    assert profile_value(app.profile_entries(0), "GameFile") == stored
    app.s.wait_no_window(WAITING_TITLE, 40)

    target = "C:\\Mes profils\\\u00e9quipe 1.gkp"
    # Named from the drive: Wine would resolve the name against a file of an earlier
    # run in other letter case. The prefix outlives the test, and such a file would
    # also make the dialog ask whether to replace it.
    folder = app.s.unix_path("C:\\") / "Mes profils"
    shutil.rmtree(folder, ignore_errors=True)
    folder.mkdir()
    exported = folder / "\u00e9quipe 1.gkp"
    app.choose_file(lambda: app.click(BTN_EXPORT), target)
    copy = app.data / "config" / "\u00e9quipe 1.gkp"
    wait_until(lambda: exported.exists() and copy.exists(), 40, "the exported file and its copy")
    assert profile_value(app.read_ini(exported), "GameFile") == stored
    assert app.settings()["profile1"]["filename"] == "\u00e9quipe 1"

    second = import_then_apply(app, target, "\u00e9quipe 1")
    assert "iProfileImported=0" in second.get("flags", "")
    assert second.get("game") == stored


# ------------------------------------------------------------------ keys and game link

def test_enter_escape_space_and_f1_do_nothing(app):
    app.start_monitor()
    app.start()
    app.click(PAGE_BUTTONS[2])
    app.wait_selected(PAGE_BUTTONS, 2, "page")
    for key in ["Return", "Escape", "space", "F1"]:
        app.s.press_key(app.main, key)
    app.s.xdo("sync", check=False)
    assert not app.program.exited()
    assert not app.waiting_open()
    app.wait_selected(PAGE_BUTTONS, 2, "page")
    assert not app.monitor_log.find("command", code="MONITOR_APPLY")


def test_game_link_refuses_a_game_linked_to_another_profile(app):
    app.start_monitor()
    app.start()
    game = "C:\\Games\\Race.exe"
    # Profile 2 gets the game.
    app.click(PROFILE_BUTTONS[1])
    app.link_game(game, name="SECOND")
    # Profile 1 browses to the same game in other letter case: refused, nothing filled.
    app.click(PROFILE_BUTTONS[0])
    app.link_game(game.lower(), name=None)
    app.click(BTN_APPLY)
    app.monitor_log.wait_for("command", code="MONITOR_APPLY")
    wait_files_written(app)
    # Stored as its edit shows it: in capitals.
    assert profile_value(app.profile_entries(1), "GameFile") == game.upper()
    assert profile_value(app.profile_entries(1), "ProFileName") == "SECOND"
    assert profile_value(app.profile_entries(0), "GameFile") == ""
    assert profile_value(app.profile_entries(0), "ProFileName") == ""
