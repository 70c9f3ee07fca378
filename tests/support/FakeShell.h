// A shell that starts nothing: it records every execute request and every
// file-information query, and answers shortcut reads, canonical paths and
// file information from what the test configured.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "storage/Shell.h"

namespace tavrin::testing {

class FakeShell : public IShell {
public:
    bool ReadShellLink(const std::string& fileName, ShellLinkInfo& info) override {
        const auto found = links.find(fileName);
        if (found == links.end()) return false;
        info = found->second;
        return true;
    }
    // Unknown paths come back unchanged, as the shell gives a path it cannot parse.
    std::string GetCanonicalPath(const std::string& path) override {
        const auto found = canonicalPaths.find(path);
        return found == canonicalPaths.end() ? path : found->second;
    }
    ShellFileInfo GetFileInfo(const std::string& path) override {
        fileInfoQueries.push_back(path);
        const auto found = fileInfos.find(path);
        return found == fileInfos.end() ? ShellFileInfo{} : found->second;
    }
    bool Execute(const ExecuteRequest& request) noexcept override {
        requests.push_back(request);
        return executeAccepted;
    }

    std::map<std::string, ShellLinkInfo> links;  // readable shortcut files by name
    std::map<std::string, std::string> canonicalPaths;
    std::map<std::string, ShellFileInfo> fileInfos;
    bool executeAccepted = true;

    std::vector<ExecuteRequest> requests;
    std::vector<std::string> fileInfoQueries;
};

}  // namespace tavrin::testing
