#pragma once
// The home screen: the start-up window and the main menu.
#include "common/ProgramState.h"

#include <QMainWindow>
#include <filesystem>
#include <memory>

class QAction;
class QMenu;
class QLockFile;

namespace trakmora {

class QtMessages;

class frmHome : public QMainWindow {
    Q_OBJECT
public:
    explicit frmHome(const std::filesystem::path& dataRoot, QWidget* parent = nullptr);
    ~frmHome() override;

    // Takes the per-data-root instance lock and creates the data root. False when another
    // instance already runs on the same data root.
    bool startUp();
    void setOpenWorkbooks(bool open);
    void openRally(const std::string& shortName);
    ProgramState& state() { return *state_; }

private:
    std::unique_ptr<QtMessages> messages_;
    std::unique_ptr<ProgramState> state_;
    std::unique_ptr<QLockFile> lock_;
};

} // namespace trakmora
