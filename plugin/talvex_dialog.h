#pragma once
// Identifiers of the companion's dialog (plugin/talvex.rc), shared by the resource script and
// the code.

#define TALVEX_DIALOG 100
#define TALVEX_EXIT_BUTTON 1006
#define TALVEX_LOG_EDIT 1021
