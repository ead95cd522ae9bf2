#include "app/frmHome.h"

#include "app/QtMessages.h"
#include "workspace/Workspace.h"

#include <QDir>
#include <QLabel>
#include <QLockFile>

namespace trakmora {

frmHome::frmHome(const std::filesystem::path& dataRoot, QWidget* parent)
    : QMainWindow(parent), messages_(std::make_unique<QtMessages>(this)),
      state_(std::make_unique<ProgramState>(dataRoot, *messages_)) {
    setWindowTitle(QStringLiteral("Version:Ver4 ( July 2024 )"));
    resize(10560 / 15, 8600 / 15);
    setCentralWidget(new QLabel(QStringLiteral("Trakmora Program"), this));
}

frmHome::~frmHome() = default;

bool frmHome::startUp() {
    if (auto st = ensureDataRoot(*state_); !st) messages_->info(st.message());
    lock_ = std::make_unique<QLockFile>(QDir(QString::fromStdString(state_->paths.dataRoot().string()))
                                            .filePath(QStringLiteral(".trakmora.lock")));
    lock_->setStaleLockTime(0);
    return lock_->tryLock(0);
}

void frmHome::setOpenWorkbooks(bool open) { state_->openWorkbooks = open; }

void frmHome::openRally(const std::string& shortName) {
    if (auto st = openRallyByShortName(*state_, shortName); !st) messages_->info(st.message());
}

} // namespace trakmora
