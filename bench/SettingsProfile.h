// The settings file of a well-used program folder: groups of twenty launch
// buttons, each with an icon file, a command, a description and a count, and a
// full recent list. Ten groups make the 218 KB file that the start-up and XML
// benchmarks share; more groups make the larger inputs of the XML benchmark.
#pragma once

#include <functional>
#include <string>

#include "support/ButtonFiles.h"

namespace tavrin::bench {

// commandOf gives the command of the button of each ID. With iconCount above
// 1 the buttons take the icons of iconFile in turn, so that every cell of a
// page shows a picture of its own, as a user's programs do.
inline std::string SettingsProfile(int groupCount, const std::string& iconFile,
                                   const std::function<std::string(int id)>& commandOf, int iconCount = 1) {
    std::string groups;
    std::string buttons;
    for (int group = 1; group <= groupCount; ++group) {
        groups += "\r\n\t\t<Item ID=\"" + std::to_string(group) + "\" Value=\"Group " + std::to_string(group) + "\"/>";
        for (int slot = 1; slot <= 20; ++slot) {
            const int id = group * 100 + slot;
            const int ordinal = (group - 1) * 20 + slot - 1;
            buttons += testing::ButtonXml(id, {{"IconFile", iconFile},
                                               {"IconNumber", std::to_string(ordinal % iconCount)},
                                               {"Command", commandOf(id)},
                                               {"Description", "Button " + std::to_string(id)},
                                               {"TotolRunTimes", std::to_string((id * 37) % 101)}});
        }
    }
    std::string recent;
    for (int k = 1; k <= 6; ++k) {
        recent += "\r\n\t\t<Item ID=\"" + std::to_string(k) + "\" Value=\"" + std::to_string(100 * k + k) + "\"/>";
    }
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n<GLConfig>\r\n\t<Groups Count=\"" +
           std::to_string(groupCount) + "\">" + groups + "\r\n\t</Groups>\r\n\t<Last6Buttons>" + recent +
           "\r\n\t</Last6Buttons>\r\n\t<Buttons>" + buttons + "\r\n\t</Buttons>\r\n</GLConfig>";
}

// Every button starts the same command.
inline std::string SettingsProfile(int groupCount, const std::string& iconFile,
                                   const std::string& command = "C:\\windows\\notepad.exe", int iconCount = 1) {
    return SettingsProfile(
        groupCount, iconFile, [&command](int) { return command; }, iconCount);
}

}  // namespace tavrin::bench
