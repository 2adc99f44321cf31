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

/* WAVE resources: the sound effects launch, burst, fountain and crackle */
#define IDWAVE_LAUNCH 101
#define IDWAVE_BURST 102
#define IDWAVE_FOUNTAIN 103
#define IDWAVE_CRACKLE 104

#endif
