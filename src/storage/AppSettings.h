// The application settings store: the options, the group names and the recent
// list of the user's settings file, and the Run-at-logon registry value.
#pragma once

#include <string>
#include <vector>

#include "storage/StorageServices.h"
#include "xml/XmlDocumentFile.h"

namespace tavrin {

// The options of the "Application" element, with the values of a new user.
// X and Y have no fixed default: a new user's are the screen width and the
// work-area height.
struct AppOptions {
    bool ShowAppPanel = true;
    bool RunStartup = false;
    bool SplashScreen = false;
    int LastPanelIndex = 1;
    bool AlwaysOnTop = false;
    bool IgnoreBlankButton = true;
    bool AnalyseLinkFile = true;
    std::string GlobalHotKeyText;
    std::string FavoriteGroup = "Tavrin Tab";
    int IconSize = 32;
    int ButtonSpacing = 0;
    int TabStyle = 0;  // 0 tabs, 1 buttons, 2 flat buttons
    int X = 0;
    int Y = 0;
};

// True for a document whose root element is that of a settings file.
[[nodiscard]] bool IsSettingsDocument(const XmlDocument& document);

class AppSettings : public AppOptions {
public:
    // Keeps the file system, the environment and the settings file's path.
    explicit AppSettings(const StorageServices& services);

    std::vector<std::string> GroupNames;  // name of group n at position n - 1
    int GroupCount = 2;
    std::vector<std::string> RecentList;  // button IDs in decimal, most recent first; "0" = empty place

    // Writes a new settings file with default content; X and Y take their defaults.
    void CreateDefaultSettings();
    // The first operation at start-up, once a missing file had no copy to be
    // put back from: only it creates the file with defaults. Every other
    // operation throws FileError when the file is missing.
    void LoadSettings();
    void SaveSettings();

    void LoadGroups();
    void SaveGroups();
    // index is 1-based; an index outside GroupNames changes nothing.
    void SetGroupName(int index, const std::string& name);
    void AddGroup(const std::string& name);
    // Removes group index (1-based) with its buttons and moves the buttons of
    // the later groups down by one group. False when there is no such group.
    bool DeleteGroup(int index);

    void SetRunAtStartup(bool on);

    void LoadRecent();
    void SaveRecent();
    void PushRecent(int buttonId);
    bool RemoveRecent(int buttonId);
    bool SwapRecent(int a, int b);

private:
    [[nodiscard]] XmlDocumentFile& File() const;
    [[nodiscard]] AppOptions Defaults() const;
    void RequireFile();

    IFileSystem& fs_;
    IEnvironment& environment_;
    std::string fileName_;
};

}  // namespace tavrin
