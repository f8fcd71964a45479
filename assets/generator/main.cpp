// Draws every picture of the program into the folder named on the command line,
// and the desktop icon set into its subfolder icons/.

#include "Artwork.h"
#include "DesktopIcon.h"

#include <QGuiApplication>
#include <QTextStream>

int main(int argc, char** argv)
{
    // the pictures must not depend on the desktop the generator runs on
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);

    QTextStream err(stderr);
    const QStringList args = QCoreApplication::arguments();
    if (args.size() != 2) {
        err << "usage: quendrasil_assetgen OUTPUT_FOLDER\n";
        return 2;
    }
    QString problem = artwork::writeAll(args.at(1));
    if (problem.isEmpty())
        problem = desktopicon::writeAll(args.at(1) + QStringLiteral("/icons"));
    if (!problem.isEmpty()) {
        err << "quendrasil_assetgen: " << problem << '\n';
        return 1;
    }
    return 0;
}
