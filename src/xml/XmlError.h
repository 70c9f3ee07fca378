// The error a document that cannot be read raises: it names the file and the
// place of the fault so that the user can find and mend it.
#pragma once

#include <stdexcept>
#include <string>

namespace tavrin {

class XmlError : public std::runtime_error {
public:
    // line and column are 1-based; the column counts characters, not bytes.
    XmlError(std::string fileName, int line, int column, const std::string& message);

    [[nodiscard]] const std::string& FileName() const noexcept { return fileName_; }
    [[nodiscard]] int Line() const noexcept { return line_; }
    [[nodiscard]] int Column() const noexcept { return column_; }

private:
    std::string fileName_;
    int line_;
    int column_;
};

}  // namespace tavrin
