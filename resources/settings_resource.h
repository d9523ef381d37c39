#pragma once
// Resource identifiers of the settings sheet ("設定"): its nine pages and the special-symbol list, and
// their controls. Shared by the resource script and the program; plain definitions only, because the
// resource compiler reads this file too.
//
// Every page exists twice, with the same controls: one set in "Meiryo UI" and one in "MS UI Gothic"
// for older systems; a page of the second set is the first set's id plus IDD_SETTINGS_CLASSIC_OFFSET.
// The up-down control of a number field always has the field's id plus 1.

#define IDD_SETTINGS_GENERAL 301
#define IDD_SETTINGS_EDIT 302
#define IDD_SETTINGS_CALENDAR 303
#define IDD_SETTINGS_BACKGROUND 304
#define IDD_SETTINGS_PASTE 305
#define IDD_SETTINGS_TEMPLATES 306
#define IDD_SETTINGS_KEYBOARD 307
#define IDD_SETTINGS_STARTUP 308
#define IDD_SETTINGS_OTHER 309
#define IDD_SYMBOL_LIST 310
#define IDD_SETTINGS_CLASSIC_OFFSET 20

// 全般
#define IDC_GEN_TOOLBAR 3101
#define IDC_GEN_SIDEAREA 3102
#define IDC_GEN_SIDE_LEFT 3103
#define IDC_GEN_SIDE_RIGHT 3104
#define IDC_GEN_FONT 3105
#define IDC_GEN_SIZE_S 3106
#define IDC_GEN_SIZE_M 3108
#define IDC_GEN_SIZE_L 3110
#define IDC_GEN_MARGIN_LEFT 3112
#define IDC_GEN_MARGIN_RIGHT 3114
#define IDC_GEN_MARGIN_TOP 3116
#define IDC_GEN_MARGIN_BOTTOM 3118
#define IDC_GEN_LIMIT 3120
#define IDC_GEN_MAXWIDTH 3121
#define IDC_GEN_COLOURS 3123
#define IDC_GEN_ALPHA 3124
#define IDC_GEN_SHADOW 3126
#define IDC_GEN_RESET 3127

// 編集
#define IDC_EDIT_FONT 3201
#define IDC_EDIT_SIZE 3202
#define IDC_EDIT_TAB 3204
#define IDC_EDIT_SPACING 3205
#define IDC_EDIT_SCROLL 3207
#define IDC_EDIT_HEAD 3209
#define IDC_EDIT_WRAP 3211

// カレンダー
#define IDC_CAL_START 3301
#define IDC_CAL_SHOWWEEK 3302
#define IDC_CAL_FORMAT 3303
#define IDC_CAL_MARGIN 3304

// 背景
#define IDC_BACK_SHOW 3401
#define IDC_BACK_PATH 3402
#define IDC_BACK_BROWSE 3403
#define IDC_BACK_MODE 3404
#define IDC_BACK_POSX 3405
#define IDC_BACK_POSY 3407
#define IDC_BACK_ALPHA 3409

// 貼り付け: the five format radio buttons are IDC_PASTE_PNG + 0 .. 4
#define IDC_PASTE_PNG 3501
#define IDC_PASTE_JPEG 3502
#define IDC_PASTE_BMP 3503
#define IDC_PASTE_GIF 3504
#define IDC_PASTE_TIFF 3505
#define IDC_PASTE_QUALITY 3506
#define IDC_PASTE_IMAGE 3508
#define IDC_PASTE_SOUND 3509
#define IDC_PASTE_MOVIE 3510

// 定型文
#define IDC_TPL_LIST 3601
#define IDC_TPL_ADD 3602
#define IDC_TPL_SEPARATOR 3603
#define IDC_TPL_DUPLICATE 3604
#define IDC_TPL_DELETE 3605
#define IDC_TPL_UP 3606
#define IDC_TPL_DOWN 3607
#define IDC_TPL_NAME 3608
#define IDC_TPL_BODY 3609
#define IDC_TPL_SYMBOLS 3610
#define IDC_TPL_CTRL 3611
#define IDC_TPL_SHIFT 3612
#define IDC_TPL_ALT 3613
#define IDC_TPL_KEY 3614
#define IDC_TPL_CLEAR 3615
#define IDC_TPL_RESET 3616
#define IDC_TPL_DELETE_ALL 3617  // list menu only

// キーボード
#define IDC_KEY_LIST 3701
#define IDC_KEY_RESET 3702
#define IDC_KEY_CTRL 3703
#define IDC_KEY_SHIFT 3704
#define IDC_KEY_ALT 3705
#define IDC_KEY_FIELD 3706
#define IDC_KEY_CLEAR 3707

// 起動
#define IDC_START_DATE 3801
#define IDC_START_IME 3802
#define IDC_START_MULTIPLE 3803

// その他: the nine check boxes are IDC_OTHER_FIRST + 0 .. 8
#define IDC_OTHER_FIRST 3901
#define IDC_OTHER_RESET_ALL 3910

// 特殊記号一覧
#define IDC_SYMBOL_LIST 3951
#define IDC_SYMBOL_INSERT 3952
