#include "storage/AppConfig.h"

#include "storage/AppSettings.h"
#include "storage/PathNames.h"
#include "xml/XmlError.h"

namespace tavrin {
namespace {

constexpr const char* kRoot = "Config";
constexpr const char* kUserConfig = "UserConfig";
constexpr const char* kItem = "Item";
constexpr const char* kName = "Name";
constexpr const char* kCurXml = "CurXml";
constexpr const char* kRestoreXml = "RestoreXml";

}  // namespace

std::string ConfigFileNameFor(const std::string& executablePath) { return ChangeFileExt(executablePath, ".xml"); }

std::string SettingsFileNameFor(const std::string& userName) { return "TV_" + userName + ".xml"; }

RestoreSource ReadRestoreSource(IFileSystem& fs, const std::string& path) {
    try {
        std::string bytes = fs.ReadFile(path);
        XmlDocument document;
        document.LoadFromText(bytes, path, [&fs](std::string_view ansi) { return fs.AnsiToUtf8(ansi); });
        if (!IsSettingsDocument(document)) return {std::nullopt, "\"" + path + "\" is not a Tavrin settings file."};
        return {std::move(bytes), ""};
    } catch (const FileError& error) {
        return {std::nullopt, error.what()};
    } catch (const XmlError& error) {
        return {std::nullopt, error.what()};
    }
}

AppConfig::AppConfig(IFileSystem& fs, IEnvironment& environment, IUserMessages& messages)
    : fs_(fs), messages_(messages), userName_(environment.UserName()) {
    const std::string executable = environment.ExecutablePath();
    configFileName_ = ConfigFileNameFor(executable);
    programFolder_ = ExtractFilePath(executable);
}

void AppConfig::EnsureConfigFile() {
    if (fs_.FileExists(configFileName_)) return;
    document_ = NewXmlDocument(kRoot);
    AddUserItem(document_->RootElement()->AddElement(kUserConfig), SettingsFileNameFor(userName_), "");
    Save();
}

std::string AppConfig::SelectSettingsFile() {
    const IXmlElement userConfig = LoadUserConfig();
    otherUsersSettingsFiles_ = ListOtherUsersSettingsFiles(userConfig);
    IXmlElement item = userConfig->FindChildElement(kItem, kName, userName_);
    bool changed = !item;
    if (!item) item = AddUserItem(userConfig, SettingsFileNameFor(userName_), "");
    currentXml_ = item->GetAttrText(kCurXml, "");
    restoreXml_ = item->GetAttrText(kRestoreXml, "");
    if (!NamesSettingsFile(currentXml_)) {
        currentXml_ = SettingsFileNameFor(userName_);
        item->SetAttrText(kCurXml, currentXml_);
        changed = true;
    }
    if (!restoreXml_.empty() && ApplyPendingRestore()) {
        restoreXml_.clear();
        item->SetAttrText(kRestoreXml, "");
        changed = true;
    }
    if (changed) Save();
    return programFolder_ + currentXml_;
}

void AppConfig::RequestRestore(const std::string& name) {
    const IXmlElement userConfig = LoadUserConfig();
    if (const IXmlElement item = userConfig->FindChildElement(kItem, kName, userName_)) {
        item->SetAttrText(kRestoreXml, name);
    } else {
        AddUserItem(userConfig, name, name);
    }
    Save();
}

// A hand-edited file may have lost its "UserConfig"; it is added again and
// everything else in the file is kept.
IXmlElement AppConfig::LoadUserConfig() {
    EnsureConfigFile();
    document_ = LoadXmlDocument(fs_, configFileName_);
    const IXmlElement root = document_->RootElement();
    if (IXmlElement userConfig = root->FirstChildElement(kUserConfig)) return userConfig;
    return root->AddElement(kUserConfig);
}

IXmlElement AppConfig::AddUserItem(const IXmlElement& userConfig, const std::string& currentXml,
                                   const std::string& restoreXml) {
    IXmlElement item = userConfig->AddElement(kItem);
    item->SetAttrText(kName, userName_);
    item->SetAttrText(kCurXml, currentXml);
    item->SetAttrText(kRestoreXml, restoreXml);
    return item;
}

// A settings file is one file of the program's folder, never the folder
// itself, a file elsewhere or a device, and never the configuration file.
bool AppConfig::NamesSettingsFile(const std::string& name) {
    const std::string path = programFolder_ + name;
    return IsPlainFileName(name) && !fs_.DirectoryExists(path) && !SameFile(fs_, path, configFileName_);
}

// Each with the file its user gets at the next start: one whose "CurXml"
// names no file of the folder gets the user's own name.
std::vector<std::string> AppConfig::ListOtherUsersSettingsFiles(const IXmlElement& userConfig) {
    std::vector<std::string> files;
    for (const IXmlNode& child : userConfig->ChildNodes()) {
        if (child->NodeType() != XmlNodeType::Element || static_cast<const XmlElement&>(*child).Name() != kItem)
            continue;
        const std::string name = child->GetAttrText(kName, "");
        if (name == userName_) continue;
        const std::string current = child->GetAttrText(kCurXml, "");
        files.push_back(programFolder_ + (NamesSettingsFile(current) ? current : SettingsFileNameFor(name)));
    }
    return files;
}

// Copies the pending restore over the settings file; true when the request is
// done with. Only a settings document of the program's folder is copied: any
// other request is dropped and the user told why, while a copy that fails
// stays pending for the next start. A restore of the settings file onto
// itself has nothing to do.
bool AppConfig::ApplyPendingRestore() {
    const std::string target = programFolder_ + currentXml_;
    const std::string sourcePath = programFolder_ + restoreXml_;
    std::string refusal;
    if (!IsPlainFileName(restoreXml_)) {
        refusal = "\"" + restoreXml_ + "\" is not the name of a file in Tavrin's folder.";
    } else if (SameFile(fs_, sourcePath, target)) {
        return true;
    } else {
        RestoreSource source = ReadRestoreSource(fs_, sourcePath);
        if (source.bytes) {
            try {
                SaveFileAtomically(fs_, target, *source.bytes);
                return true;
            } catch (const FileError& error) {
                messages_.ShowMessage(std::string(error.what()) + "\r\nThe restore is tried again at the next start.");
                return false;
            }
        }
        refusal = std::move(source.refusal);
    }
    messages_.ShowMessage("Your settings were not restored, and the restore was cancelled:\r\n" + refusal);
    return true;
}

void AppConfig::Save() { document_->SaveToFile(fs_, configFileName_); }

}  // namespace tavrin
