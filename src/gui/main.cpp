// trakmora: the desktop program.
#include "gui/ScreenPlacement.h"
#include "gui/frmHome.h"
#include "workspace/Workspace.h"

#include <QApplication>
#include <QCommandLineParser>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName("Trakmora");
    QCommandLineParser parser;
    parser.addHelpOption();
    QCommandLineOption dataRoot("data-root", "Folder that holds every rally.", "DIR");
    QCommandLineOption rally("rally", "Short name of the rally to open at start-up.", "SHORT");
    QCommandLineOption noOpen("no-open", "Do not open saved workbooks.");
    parser.addOptions({dataRoot, rally, noOpen});
    parser.process(app);

    const std::filesystem::path root = parser.isSet(dataRoot)
                                           ? std::filesystem::path(parser.value(dataRoot).toStdString())
                                           : trakmora::defaultDataRoot();
    trakmora::frmHome home(root);
    home.setOpenWorkbooks(!parser.isSet(noOpen));
    if (!home.startUp()) return home.anotherInstanceRuns() ? 0 : 1; // a second copy goes quietly
    if (parser.isSet(rally)) home.openRally(parser.value(rally).toStdString());
    home.show();
    trakmora::placeOver(&home, nullptr);
    return app.exec();
}
