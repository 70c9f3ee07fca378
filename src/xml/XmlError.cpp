#include "xml/XmlError.h"

namespace tavrin {

XmlError::XmlError(std::string fileName, int line, int column, const std::string& message)
    : std::runtime_error(fileName + "(" + std::to_string(line) + "," + std::to_string(column) + "): " + message),
      fileName_(std::move(fileName)),
      line_(line),
      column_(column) {}

}  // namespace tavrin
