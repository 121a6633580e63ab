/* Resource numbers shared by the launcher's code and its resource script. */
#ifndef LAUNCHER_RESOURCE_H
#define LAUNCHER_RESOURCE_H

/* String table */
#define IDS_SECTION_MAIN 23
#define IDS_CONFIRM_QUIT 29
#define IDS_CAPTION_SUFFIX 30
#define IDS_KEY_PRODUCTNAME 32
#define IDS_SECTION_STARTUP 43
#define IDS_KEY_TITLE 45
#define IDS_KEY_MIPS 58
#define IDS_KEY_SH3 59
#define IDS_KEY_ARM 60
#define IDS_APPMGR_MISSING 61

/* Bitmaps */
#define IDB_BACKDROP_LOGO 307

#endif
