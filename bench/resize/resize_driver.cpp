// Command-line driver of the resizer for whole-process comparisons:
//   bench_resize_driver <picture> <output folder>
// writes the first attempt (fit 1024, quality 90) and prints its path and size.
#include "resizewithvariant.h"

#include <QCoreApplication>
#include <QTextStream>

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    if (argc != 3) {
        QTextStream(stderr) << "usage: bench_resize_driver <picture> <output folder>\n";
        return 2;
    }
    MmsResizer resizer;
    int size = 0;
    QString resultPath;
    if (!resizeWithVariant(resizer, QString::fromLocal8Bit(argv[1]),
                           QString::fromLocal8Bit(argv[2]), 1024, 90, size, resultPath)) {
        return 1;
    }
    QTextStream(stdout) << resultPath << ' ' << size << '\n';
    return 0;
}
