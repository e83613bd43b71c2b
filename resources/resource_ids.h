/* Numbers of the program's resources, shared by the resource script and the code.
   Plain #defines so that the resource compiler reads this file as well. */
#ifndef TAVREL_RESOURCES_RESOURCE_IDS_H
#define TAVREL_RESOURCES_RESOURCE_IDS_H

/* Dialog templates. */
#define IDD_MAIN_WINDOW        102 /* popup, no controls; skin sizes it */
#define IDD_RESET_WARNING      130 /* popup, no controls */
#define IDD_KEY_PAGE           131 /* child page, no controls */
#define IDD_MACRO_PAGE         132 /* child page, no controls */
#define IDD_ADVANCED_PAGE      133 /* child page, no controls */
#define IDD_LIGHTING_PAGE      134 /* child page with the three colour number boxes */
#define IDD_KEY_ASSIGN         135 /* popup with the read-only key field */
#define IDD_MACRO_MANAGER      136 /* popup with the repeat count box */
#define IDD_GAME_LINK          144 /* popup, no controls */
#define IDD_SHORTCUT           145 /* popup with the key field */
#define IDD_WAITING            146 /* popup, no controls */

/* Controls of the templates. */
#define IDC_KEY_FIELD          1000 /* IDD_KEY_ASSIGN */
#define IDC_SHORTCUT_KEY_FIELD 1001 /* IDD_SHORTCUT */
#define IDC_REPEAT_COUNT       1001 /* IDD_MACRO_MANAGER */
#define IDC_RED_BOX            1001 /* IDD_LIGHTING_PAGE */
#define IDC_GREEN_BOX          1004
#define IDC_BLUE_BOX           1005

/* Icons and bitmaps. */
#define IDI_APPLICATION_ICON   128
#define IDI_SUBMENU_ARROW      137 /* 32 x 32, white arrow pointing right */
#define IDB_KEY_DOWN           138 /* orange arrow down, 11 x 14, black = transparent */
#define IDB_KEY_UP             139 /* orange arrow up, 11 x 14 */
#define IDB_CLOCK              140 /* clock face, 15 x 15 */
#define IDB_MOUSE              143 /* computer mouse, 16 x 18 */

#endif
