// Build-time tool: writes the program's icon as korimbo-SIZE.png files into the given folder.
#include <cstdio>

#include <QDir>
#include <QImage>
#include <QString>

#include "ui/qt/program_icon.h"

int main(int argc, char **argv)
{
    if (argc != 2) {
        std::fputs("usage: korimbo-make-icon FOLDER\n", stderr);
        return 2;
    }
    const QDir folder(QString::fromLocal8Bit(argv[1]));
    for (const int size : {16, 32, 48, 64, 128, 256}) {
        const QString path = folder.filePath(QStringLiteral("korimbo-%1.png").arg(size));
        if (!korimbo::ProgramIconImage(size).save(path, "PNG")) {
            std::fprintf(stderr, "korimbo-make-icon: cannot write %s\n", qPrintable(path));
            return 1;
        }
    }
    return 0;
}
