// The main window's side of the buttons' own hot keys: the registrations
// follow every change of the buttons, a press starts its button, and the
// properties box and the hints say which hot key could not be had.
#include "app/MainWindow.h"
#include "rules/HotKeyRefusal.h"
#include "xml/XmlDocumentFile.h"

namespace tavrin {

// One read of the settings file for the hot keys and the cells drawn after them.
void MainWindow::SyncButtonHotKeys() {
    const XmlDocumentFile::Transaction read;
    for (const int id : buttonHotKeys_->Resync(Buttons(), PageCount() - 1)) {
        if (ButtonCell* const cell = FindPanel(GroupOfButton(id), id)) DrawButtonImage(*cell);
        tavrinTab_.RedrawImagesOf(id);
    }
}

// As a click on the button's cell, also with the window hidden; not while a
// box of the window is open (it disables the window), when no cell can be clicked either.
void MainWindow::LaunchFromHotKey(int id) {
    if (IsWindowEnabled(Handle())) LaunchGridButton(id);
}

std::string MainWindow::HotKeyRefusalLine(int id, const std::string& hotKeyText) {
    const std::optional<HotKeyRefusal> refusal = buttonHotKeys_->RefusalFor(id, hotKeyText);
    return refusal ? RefusalLine(hotKeyText, *refusal) : std::string();
}

std::string MainWindow::HotKeyNote(int id) const {
    const HotKeyRefusal* const refused = buttonHotKeys_->Refused(id);
    return refused ? RefusalNote(*refused) : std::string();
}

}  // namespace tavrin
