#include "launch/setup_inf.h"

#include "launch/res_string.h"
#include "launch/setup_state.h"
#include "resource.h"

#include <windows.h>

#define DEFAULT_PRODUCT_NAME "Tavro"
#define INF_NAME "\\SETUP.INF"

// Cuts a module path at its last backslash, stepping over double-byte characters: in code page
// 950 the second byte of a character may be 0x5C. A backslash at position 0 does not count.
static void StripFileName(LPSTR Path) {
    LPSTR LastSlash = NULL;
    for (LPSTR p = Path; *p; ++p) {
        if (IsDBCSLeadByte((BYTE)*p) && p[1]) {
            ++p;
        } else if (*p == '\\' && p != Path) {
            LastSlash = p;
        }
    }
    if (LastSlash)
        *LastSlash = '\0';
}

// Appends Source to Dest without passing Size; a cut keeps whole characters.
static void AppendBounded(LPSTR Dest, int Size, LPCSTR Source) {
    int Used = lstrlenA(Dest);
    if (Source && Used < Size - 1)
        lstrcpynA(Dest + Used, Source, Size - Used);
}

// Reads one value; without a SETUP.INF path it takes the default. The key's name is fetched
// before the section's, and both are used at once.
static void ReadInfValue(int SectionId, int KeyId, LPCSTR Default, LPSTR Dest, DWORD Size,
                         LPCSTR InfPath) {
    LPCSTR Key = GetResString(KeyId);
    LPCSTR Section = GetResString(SectionId);
    if (InfPath)
        GetPrivateProfileStringA(Section, Key, Default, Dest, Size, InfPath);
    else
        lstrcpynA(Dest, Default, (int)Size);
}

// A candidate is SetupDir, a backslash and the processor value; no value, no candidate.
static void ReadCandidate(int KeyId, LPSTR Dest, int DestSize, LPCSTR InfPath) {
    char Value[INI_VALUE_SIZE];
    ReadInfValue(IDS_SECTION_MAIN, KeyId, "", Value, sizeof(Value), InfPath);
    Dest[0] = '\0';
    if (Value[0] == '\0')
        return;
    lstrcpynA(Dest, State.SetupDir, DestSize);
    AppendBounded(Dest, DestSize, "\\");
    AppendBounded(Dest, DestSize, Value);
}

void ReadSetupInf(void) {
    DWORD Length = GetModuleFileNameA(State.Instance, State.SetupDir, sizeof(State.SetupDir));
    // A path that did not fit is no directory at all: reading beside a cut path would read
    // someone else's file.
    BOOL HaveDir = Length > 0 && Length < sizeof(State.SetupDir);
    if (HaveDir)
        StripFileName(State.SetupDir);
    else
        State.SetupDir[0] = '\0';

    char InfPath[MAX_PATH + sizeof(INF_NAME)];
    lstrcpynA(InfPath, State.SetupDir, sizeof(InfPath));
    AppendBounded(InfPath, sizeof(InfPath), INF_NAME);
    LPCSTR Inf = HaveDir ? InfPath : NULL;

    ReadInfValue(IDS_SECTION_MAIN, IDS_KEY_PRODUCTNAME, DEFAULT_PRODUCT_NAME, State.ProductName,
                 sizeof(State.ProductName), Inf);
    ReadCandidate(IDS_KEY_MIPS, State.MipsIni, sizeof(State.MipsIni), Inf);
    ReadCandidate(IDS_KEY_SH3, State.Sh3Ini, sizeof(State.Sh3Ini), Inf);
    ReadCandidate(IDS_KEY_ARM, State.ArmIni, sizeof(State.ArmIni), Inf);
    ReadInfValue(IDS_SECTION_STARTUP, IDS_KEY_TITLE, "", State.Title, sizeof(State.Title), Inf);

    lstrcpynA(State.Caption, State.Title, sizeof(State.Caption));
    AppendBounded(State.Caption, sizeof(State.Caption), " ");
    AppendBounded(State.Caption, sizeof(State.Caption), GetResString(IDS_CAPTION_SUFFIX));
}
