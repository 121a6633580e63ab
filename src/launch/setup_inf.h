// SETUP.INF, the launcher's configuration beside its executable.
#pragma once

// Fills SetupDir, ProductName, the three candidate INI paths, Title and Caption. Never fails:
// whatever the file lacks takes its default.
void ReadSetupInf(void);
