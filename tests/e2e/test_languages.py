"""The program speaks the language of the lang.dll beside it: with the German library
in its place, the main window's captions are the German ones."""

import shutil

from harness import MAIN_TITLE, wait_until
from program import BTN_APPLY, BTN_CANCEL, BTN_RESET

# Captions far wider in German than in English ("Apply" and "Übernehmen", "Cancel"
# and "Abbrechen", "Reset" and "Zurücksetzen"), on buttons whose pictures hold no
# caption colour in any state.
WIDER_IN_GERMAN = [BTN_APPLY, BTN_CANCEL, BTN_RESET]


def caption_widths(app, keys):
    """Per button, the width of the columns where its caption is drawn: pixels that
    match none of the skin's pictures of the button (whatever its state)."""
    screen = app.s.screen()
    ox, oy = app.origin()
    pictures = [app.picture(state) for state in ("Normal", "Over", "Down")]
    widths = []
    for key in keys:
        left, top, right, bottom = app.layout.rect(key)
        ink = [x for x in range(left, right)
               if any(all(sum(abs(a - b) for a, b in zip(screen.pixel(x + ox, y + oy), p.pixel(x, y))) > 90
                          for p in pictures)
                      for y in range(top, bottom))]
        widths.append(max(ink) - min(ink) + 1 if ink else 0)
    return widths


def started_widths(app):
    app.start()

    def drawn():
        widths = caption_widths(app, WIDER_IN_GERMAN)
        return widths if all(widths) else None
    return wait_until(drawn, 20, "the captions on screen")


def test_the_german_library_in_place_of_lang_dll_gives_german_captions(app):
    app.without_monitor()
    english = started_widths(app)
    app.stop()
    app.s.wait_no_window(MAIN_TITLE)

    shutil.copy(app.stage / "Languages" / "lang_de.dll", app.stage / "lang.dll")
    german = started_widths(app)
    app.s.screenshot(app.s.artifacts / "german-main-window.png")
    for key, en, de in zip(WIDER_IN_GERMAN, english, german):
        assert de > en + 10, f"button {key}: caption {de} px wide in German, {en} px in English"
