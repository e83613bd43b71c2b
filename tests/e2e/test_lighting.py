"""The lighting and advanced pages end to end: a colour picked in the palette, values
typed into the boxes, effect and speed chosen from their menus, the report rate and
response time set, applied, and seen by the substitute monitor."""

from harness import WAITING_TITLE, SkinLayout, wait_until
from program import BTN_APPLY, PAGE_BUTTONS, PROFILE_BUTTONS

PAGE_ORIGIN = (1, 100)          # the page area in the main window
PALETTE = (102, 75, 268, 239)   # in the lighting page
EDIT_RED = (657, 164)
EDIT_BLUE = (657, 222)
APPLIED_SWATCH = (430, 120)
EDITED_SWATCH = (600, 120)
MENU_ITEM_HEIGHT = 20
MENU_BORDER = 3
ACCENT = (163, 25, 48)


def palette_colour(hue_rgb, x, y):
    """The palette's pixel at page point (x, y), as the page computes it."""
    row, col = y - PALETTE[1], x - PALETTE[0]
    grey = int(255 - 255 / 164 * row) % 256
    out = []
    for c in hue_rgb:
        end = int(c - c / 164 * row) % 256
        out.append(int(col * ((end - grey) / 166) + grey) % 256)
    return tuple(out)


class LightingPages:
    def __init__(self, app):
        self.app = app
        skins = app.stage / "Skins"
        self.light_layout = SkinLayout(skins / "Skin_light_control.ini")
        self.adv_layout = SkinLayout(skins / "Skin_color_control.ini")

    def page_point(self, x, y):
        ox, oy = self.app.origin()
        return ox + PAGE_ORIGIN[0] + x, oy + PAGE_ORIGIN[1] + y

    def click(self, x, y):
        self.app.s.click_at(*self.page_point(x, y))

    def click_button(self, layout, key):
        left, top, right, bottom = layout.rect(key)
        self.click((left + right) // 2, (top + bottom) // 2)

    def choose(self, layout, key, item):
        """Opens the menu of a button and clicks its item (0-based); the menu opens at
        the button's bottom-left corner."""
        left, top, right, bottom = layout.rect(key)
        self.click_button(layout, key)
        mx, my = self.page_point(left, bottom)
        # The menu's border is drawn in the accent colour once the menu is shown.
        wait_until(lambda: self.app.s.screen().pixel(mx + 1, my + 1) == ACCENT, 10, "the popup menu")
        self.app.s.click_at(mx + 30, my + MENU_BORDER + item * MENU_ITEM_HEIGHT + MENU_ITEM_HEIGHT // 2)
        wait_until(lambda: self.app.s.screen().pixel(mx + 1, my + 1) != ACCENT, 10, "the menu to close")

    def type_into(self, point, text):
        self.click(*point)
        self.app.s.xdo("key", "End", "BackSpace", "BackSpace", "BackSpace")
        self.app.type_text(text)

    def wait_palette_shown(self, hue_rgb):
        probes = [(PALETTE[0], PALETTE[1]), (150, 100), (260, 230)]

        def shown():
            screen = self.app.s.screen()
            return all(screen.pixel(*self.page_point(x, y)) == palette_colour(hue_rgb, x, y) for x, y in probes)
        wait_until(shown, 15, "the palette on the lighting page")


def test_palette_shows_when_the_lighting_page_is_shown(app):
    app.start_monitor()
    app.start()
    pages = LightingPages(app)
    app.click(PAGE_BUTTONS[3])
    app.wait_selected(PAGE_BUTTONS, 3, "page")
    pages.wait_palette_shown((255, 0, 0))  # iCrlSliderPos 1530 of the defaults: red
    app.s.screenshot(app.workdir / "lighting.png")
    # Shown again after another page: the timer paints it once more.
    app.click(PAGE_BUTTONS[2])
    app.wait_selected(PAGE_BUTTONS, 2, "page")
    app.click(PAGE_BUTTONS[3])
    pages.wait_palette_shown((255, 0, 0))


def test_every_lighting_and_performance_value_reaches_the_monitor(app):
    app.start_monitor()
    app.start()
    pages = LightingPages(app)
    app.click(PAGE_BUTTONS[3])
    app.wait_selected(PAGE_BUTTONS, 3, "page")
    pages.wait_palette_shown((255, 0, 0))

    pages.choose(pages.light_layout, "0", 2)          # effect 3: colour and speed
    pick = (150, 120)
    pages.click(*pick)
    picked = palette_colour((255, 0, 0), pick[0] + 1, pick[1])  # the pointer ends 1 px right
    pages.type_into(EDIT_RED, "300")                  # clamped to 255
    pages.type_into(EDIT_BLUE, "40")
    # The edited swatch follows at once; the applied one waits for the apply.
    wait_until(lambda: app.s.screen().pixel(*pages.page_point(*EDITED_SWATCH)) == (255, picked[1], 40), 10,
               "the edited colour on the page")
    assert app.s.screen().pixel(*pages.page_point(*APPLIED_SWATCH)) == (255, 0, 0)
    pages.choose(pages.light_layout, "1", 2)          # speed "9"

    app.click(PAGE_BUTTONS[2])
    app.wait_selected(PAGE_BUTTONS, 2, "page")
    pages.click_button(pages.adv_layout, "0")         # 1000 HZ
    pages.choose(pages.adv_layout, "20", 0)           # "1 ms"

    app.click(BTN_APPLY)
    applied = app.monitor_log.wait_for("command", code="MONITOR_APPLY")
    flags = applied.get("flags", "")
    assert "iLightChanged=0" in flags
    assert "iPerformanceChanged=0" in flags
    # Red was typed back to its default 255, so it is no change.
    for field in ("LtEffectType", "iLtPulsation", "iRGBGreen", "iRGBBlue", "PollingRate", "iResponTime"):
        assert f"profiles[0].{field}" in applied.get("fields", ""), field

    # After the apply the lighting page's applied-colour swatch shows what the section got.
    app.monitor_log.wait_for("answer", code="MONITOR_APPLY_DONE")
    app.s.wait_no_window(WAITING_TITLE, 15)
    app.click(PAGE_BUTTONS[3])
    app.wait_selected(PAGE_BUTTONS, 3, "page")
    expected = (255, picked[1], 40)
    wait_until(lambda: app.s.screen().pixel(*pages.page_point(*APPLIED_SWATCH)) == expected, 15,
               "the applied colour on the page")


def test_a_colour_only_change_raises_no_flag(app):
    app.start_monitor()
    app.start()
    pages = LightingPages(app)
    app.click(PROFILE_BUTTONS[1])                     # profile 1: effect 2 by default
    app.wait_selected(PROFILE_BUTTONS, 1, "profile")
    # The new current profile is applied first: it raises a flag of its own.
    app.click(BTN_APPLY)
    app.monitor_log.wait_for("answer", code="MONITOR_APPLY_DONE")
    app.s.wait_no_window(WAITING_TITLE, 15)

    app.click(PAGE_BUTTONS[3])
    app.wait_selected(PAGE_BUTTONS, 3, "page")
    pages.wait_palette_shown((255, 0, 0))
    pages.click(200, 90)
    app.click(BTN_APPLY)
    applies = wait_until(lambda: app.monitor_log.find("command", code="MONITOR_APPLY")[1:], 20, "the second apply")
    assert applies[0].get("flags") == "none"
    assert "profiles[1].iRGBGreen" in applies[0].get("fields", "")
    expected = palette_colour((255, 0, 0), 201, 90)  # the pointer ends 1 px right
    wait_until(lambda: app.s.screen().pixel(*pages.page_point(*APPLIED_SWATCH)) == expected, 15,
               "the applied colour on the page")
