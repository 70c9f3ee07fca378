// Identifiers of the resources stored in tavrin.exe, shared by tavrin.rc and
// the code that loads them. The two feedback sounds are WAVE resources found
// by name ("Icon" and "Tabsheet"), as PlaySoundW with SND_RESOURCE expects.
#pragma once

#define IDI_TAVRIN 1        // application icon group: 64, 48, 32, 24, 16 px in 16, 256 and 32-bit colour
#define IDI_MISSING_ICON 2  // the icon a button shows when its icon file is gone: 32, 48, 64 px

// Pictures of the Tavrin Tab's tool icons, PNG files as RCDATA at 32, 48 and
// 64 pixels: the picture of a tool at the n-th of those sizes is the tool's
// identifier + n × IDR_TOOL_SIZE_STEP.
#define IDR_TOOL_OPTIONS 101
#define IDR_TOOL_REPORT 102
#define IDR_TOOL_BACKUP 103
#define IDR_TOOL_RESTORE 104
#define IDR_TOOL_SIZE_STEP 10
