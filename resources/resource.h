/* Resource identifiers shared by the resource script and the program. */
#ifndef FW_RESOURCE_H
#define FW_RESOURCE_H

#define IDS_APPNAME 1
#define IDS_PRODUCT 1007
#define IDS_UNKNOWN_OPTION 2001
#define IDS_GRAVITY_LABEL 2002
#define IDS_WIND_LABEL 2003
#define IDS_SPARKS_LABEL 2004
#define IDS_FRAMERATE_LABEL 2005

#define IDI_FIREWORKS 100
#define IDI_FIREWORKS_SMALL 101
#define IDC_POINTING_HAND 101

/* Property-sheet pages. */
#define IDD_ABOUT 101
#define IDD_SIGHTS 102
#define IDD_SOUNDS 103
#define IDD_SPEED 104
#define IDD_FIREWORKS 105

/* Controls of the pages. */
#define IDC_DEFAULTS 9999
#define IDC_ABOUT_NAME 101
#define IDC_ABOUT_ICON 102
#define IDC_ABOUT_LINK 103
#define IDC_GRAVITY_LABEL 201
#define IDC_GRAVITY 202
#define IDC_GRAVITY_LOW 203
#define IDC_GRAVITY_HIGH 204
#define IDC_WIND_LABEL 205
#define IDC_WIND 206
#define IDC_WIND_LOW 207
#define IDC_WIND_HIGH 208
#define IDC_STEREO 209
#define IDC_SOUND_EFFECTS 301
#define IDC_MUSIC 302
#define IDC_MUSIC_CD 303
#define IDC_TRACK_LABEL 304
#define IDC_TRACK 305
#define IDC_TRACK_SPIN 306
#define IDC_MUSIC_MIDI 307
#define IDC_MIDI_FILE 308
#define IDC_BROWSE 309
#define IDC_DIRECTDRAW 401
#define IDC_GDI 402
#define IDC_SPARKS_LABEL 403
#define IDC_SPARKS 404
#define IDC_SPARKS_LOW 405
#define IDC_SPARKS_HIGH 406
#define IDC_FRAMERATE_LABEL 407
#define IDC_FRAMERATE 408
#define IDC_FRAMERATE_LOW 409
#define IDC_FRAMERATE_HIGH 410
#define IDC_SCRIPT_FILE 501
#define IDC_SCRIPT_BROWSE 502
#define IDC_SCRIPT_STATUS 503
#define IDC_SCRIPT_BUILTIN 504
#define IDC_SCRIPT_OWN 505
#define IDC_SCRIPT_BOTH 506

/* WAVE resources: the sound effects launch, burst, fountain and crackle */
#define IDWAVE_LAUNCH 101
#define IDWAVE_BURST 102
#define IDWAVE_FOUNTAIN 103
#define IDWAVE_CRACKLE 104

#endif
