#include "storage/AppConfig.h"

#include "storage/AppSettings.h"
#include "storage/PathNames.h"
#include "xml/XmlDocumentFile.h"
#include "xml/XmlError.h"

namespace tavrin {
namespace {

constexpr const char* kRoot = "Config";
constexpr const char* kUserConfig = "UserConfig";
constexpr const char* kItem = "Item";
constexpr const char* kName = "Name";
constexpr const char* kCurXml = "CurXml";
constexpr const char* kRestoreXml = "RestoreXml";

// True when path is a file that holds exactly bytes.
bool HoldsBytes(IFileSystem& fs, const std::string& path, const std::string& bytes) {
    try {
        return fs.FileExists(path) && fs.ReadFile(path) == bytes;
    } catch (const FileError&) {
        return false;
    }
}

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
    : fs_(fs), messages_(messages), userName_(environment.UserName()), executablePath_(environment.ExecutablePath()) {
    configFileName_ = ConfigFileNameFor(executablePath_);
    programFolder_ = ExtractFilePath(executablePath_);
}

void AppConfig::EnsureConfigFile() {
    if (fs_.FileExists(configFileName_)) return;
    document_ = NewXmlDocument(kRoot);
    readBytes_.reset();
    AddUserItem(document_->RootElement()->AddElement(kUserConfig), SettingsFileNameFor(userName_), "");
    Save();
}

// Like the settings file's transactions, each change of the configuration file
// holds its lock from the read to the save, so that copies sharing the folder
// take turns.
std::string AppConfig::SelectSettingsFile() {
    const std::unique_ptr<IFileLock> lock = fs_.Lock(configFileName_);
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
    const std::string settingsFile = programFolder_ + currentXml_;
    if (!restoreXml_.empty()) {
        const RestoreOutcome restore = ApplyPendingRestore();
        if (restore != RestoreOutcome::Pending) {
            item->SetAttrText(kRestoreXml, "");
            if (SaveClearedRestore(restore)) restoreXml_.clear();
            return settingsFile;
        }
    }
    if (changed) Save();
    return settingsFile;
}

void AppConfig::RequestRestore(const std::string& name) {
    const std::unique_ptr<IFileLock> lock = fs_.Lock(configFileName_);
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
    std::string bytes = fs_.ReadFile(configFileName_);
    auto document = std::make_shared<XmlDocument>();
    document->LoadFromText(bytes, configFileName_, [this](std::string_view ansi) { return fs_.AnsiToUtf8(ansi); });
    document_ = std::move(document);
    readBytes_ = std::move(bytes);
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
// itself, a file elsewhere or a device, never the program or the
// configuration file, and never a document of another kind: such a name is
// taken as missing rather than the file being rewritten as settings. A file
// that cannot be read as XML may be a settings file with a fault, which the
// settings store then reports with its place; it is not left behind unseen.
// The tree read here is the one the stores go on with.
bool AppConfig::NamesSettingsFile(const std::string& name) {
    const std::string path = programFolder_ + name;
    if (!IsPlainFileName(name) || fs_.DirectoryExists(path) || SameFile(fs_, path, configFileName_) ||
        SameFile(fs_, path, executablePath_)) {
        return false;
    }
    if (!fs_.FileExists(path)) return true;
    try {
        return IsSettingsDocument(*XmlDocumentFile::For(fs_, path).Load());
    } catch (const XmlError&) {
        return true;
    } catch (const FileError&) {
        return true;
    }
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

// Copies the pending restore over the settings file. Only a settings document
// of the program's folder is copied: any other request is dropped and the
// user told why, while a copy that fails stays pending for the next start. A
// restore of the settings file onto itself has nothing to do, nor has one the
// settings file already holds, made at an earlier start whose request could
// not be cleared.
AppConfig::RestoreOutcome AppConfig::ApplyPendingRestore() {
    const std::string target = programFolder_ + currentXml_;
    const std::string sourcePath = programFolder_ + restoreXml_;
    std::string refusal;
    if (!IsPlainFileName(restoreXml_)) {
        refusal = "\"" + restoreXml_ + "\" is not the name of a file in Tavrin's folder.";
    } else if (SameFile(fs_, sourcePath, target)) {
        return RestoreOutcome::Dropped;
    } else {
        RestoreSource source = ReadRestoreSource(fs_, sourcePath);
        if (source.bytes) {
            if (HoldsBytes(fs_, target, *source.bytes)) return RestoreOutcome::Restored;
            try {
                SaveFileAtomically(fs_, target, *source.bytes);
                return RestoreOutcome::Restored;
            } catch (const FileError& error) {
                messages_.ShowMessage(std::string(error.what()) + "\r\nThe restore is tried again at the next start.");
                return RestoreOutcome::Pending;
            }
        }
        refusal = std::move(source.refusal);
    }
    messages_.ShowMessage("Your settings were not restored, and the restore was cancelled:\r\n" + refusal);
    return RestoreOutcome::Dropped;
}

// A configuration file that cannot be written keeps the request, and the
// program goes on: a restore made stands, and the user learns that a later
// start restores again if the settings have changed by then.
bool AppConfig::SaveClearedRestore(RestoreOutcome restore) {
    try {
        Save();
        return true;
    } catch (const FileError& error) {
        std::string text = "The restore request \"" + restoreXml_ + "\" could not be cleared from \"" +
                           configFileName_ + "\":\r\n" + error.Reason();
        if (restore == RestoreOutcome::Restored) {
            text +=
                "\r\nYour settings were restored; until the request is cleared, every start restores them "
                "again if they have changed since.";
        }
        messages_.ShowMessage(text);
        return false;
    }
}

void AppConfig::Save() {
    const std::optional<std::string> now =
        fs_.FileExists(configFileName_) ? std::optional(fs_.ReadFile(configFileName_)) : std::nullopt;
    if (now != readBytes_) throw FileChangedError(configFileName_);
    std::string bytes = document_->ToText();
    SaveFileAtomically(fs_, configFileName_, bytes);
    readBytes_ = std::move(bytes);
}

}  // namespace tavrin
