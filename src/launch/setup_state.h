// The launcher's process-wide values, filled once in the order of WinMain and read afterwards.
#pragma once

#include <windows.h>

// Longest processor value SETUP.INF may give (the read size less the terminator).
#define INI_VALUE_SIZE 80
// A candidate path is SetupDir, a backslash and a processor value: sized so it always fits.
#define INI_PATH_SIZE (MAX_PATH + 1 + INI_VALUE_SIZE)

struct SetupState {
    HINSTANCE Instance; // the launcher's own module: resources, classes, file name
    short ScreenWidth;  // screen size taken once at start
    short ScreenHeight;
    char SetupDir[MAX_PATH];    // directory of the executable, no final backslash
    char ProductName[72];       // backdrop title and the name in the cancel question
    char Title[256];            // title of the setup
    char Caption[266];          // message box title: Title, a space, text 30
    char ArmIni[INI_PATH_SIZE]; // candidate INI paths; empty when SETUP.INF names none
    char MipsIni[INI_PATH_SIZE];
    char Sh3Ini[INI_PATH_SIZE];
    char AppMgrPath[128]; // the Application Manager, as the registry gives it
    HWND Backdrop;        // the full-screen backdrop window
    WORD PageResult;      // non-zero when the welcome page ended with Next
};

extern SetupState State;

// 1 when the path names an existing file or directory, else 0.
int PathExists(LPCSTR Path);
