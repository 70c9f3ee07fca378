#include "storage/AppConfig.h"

#include "storage/PathNames.h"

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

AppConfig::AppConfig(IFileSystem& fs, IEnvironment& environment) : fs_(fs), userName_(environment.UserName()) {
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
    const IXmlElement item = userConfig->FindChildElement(kItem, kName, userName_);
    if (item) {
        currentXml_ = item->GetAttrText(kCurXml, "");
        restoreXml_ = item->GetAttrText(kRestoreXml, "");
        if (!restoreXml_.empty() && restoreXml_ != currentXml_ && fs_.FileExists(programFolder_ + restoreXml_) &&
            CopyFileAtomically(fs_, programFolder_ + restoreXml_, programFolder_ + currentXml_)) {
            restoreXml_.clear();
            item->SetAttrText(kRestoreXml, "");
            Save();
        }
    } else {
        currentXml_ = SettingsFileNameFor(userName_);
        restoreXml_.clear();
        AddUserItem(userConfig, currentXml_, "");
        Save();
    }
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

void AppConfig::Save() { document_->SaveToFile(fs_, configFileName_); }

}  // namespace tavrin
