// The about box: the banner, the support texts and two links that the shell opens.
#pragma once

#include <windows.h>

#include <string>

#include "storage/Shell.h"

namespace tavrin {

struct AboutInfo {
    std::string version;      // shown beside OK
    std::string mailAddress;  // a click writes a message to it
    std::string webAddress;   // a click shows the page
};

void ShowAboutDialog(HWND owner, IShell& shell, const AboutInfo& about);

}  // namespace tavrin
