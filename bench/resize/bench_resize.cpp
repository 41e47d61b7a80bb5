// Measures the resizer against the fastest decode of the same file and against other
// resizing programs, in one run on the same inputs:
//   bench_resize <driver> <work folder> <picture>...
//   bench_resize --set-orientation <1..8> <picture>   (writes the Exif orientation in place)
// The programs compared are found through the environment: DJPEG, VIPSTHUMBNAIL, CONVERT.
#include "mmsimagemetadata.h"
#include "resizewithvariant.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QImageReader>
#include <QLoggingCategory>
#include <QProcess>
#include <QRegularExpression>
#include <QTextStream>

#include <algorithm>
#include <functional>

namespace {

const int inProcessRuns = 7;
const int wholeProcessRuns = 5;

QTextStream out(stdout);

struct ProcessFigures
{
    double milliseconds = 0;
    double peakMebibytes = 0;
};

QString tool(const char* variable, const char* fallback)
{
    const QString value = qEnvironmentVariable(variable);
    return value.isEmpty() ? QString::fromLatin1(fallback) : value;
}

double median(QVector<double> values)
{
    std::sort(values.begin(), values.end());
    return values.at(values.size() / 2);
}

QString freshFolder(const QString& path)
{
    QDir(path).removeRecursively();
    QDir().mkpath(path);
    return path;
}

double millisecondsOf(const std::function<void()>& work)
{
    QElapsedTimer timer;
    timer.start();
    work();
    return timer.nsecsElapsed() / 1e6;
}

double medianMilliseconds(int runs, const std::function<void()>& prepare,
                          const std::function<void()>& work)
{
    QVector<double> times;
    for (int run = 0; run < runs; ++run) {
        prepare();
        times.append(millisecondsOf(work));
    }
    return median(times);
}

// Wall time of the program, and its peak memory as /usr/bin/time -v reports it.
ProcessFigures runProgram(const QString& program, const QStringList& arguments)
{
    QProcess process;
    ProcessFigures figures;
    figures.milliseconds = millisecondsOf([&] {
        process.start("/usr/bin/time", QStringList{"-v", program} + arguments);
        process.waitForFinished(-1);
    });
    if (process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0) {
        out << "    ! " << program << " failed: " << process.readAllStandardError() << "\n";
    }
    const QRegularExpression peak("Maximum resident set size \\(kbytes\\): (\\d+)");
    const auto match = peak.match(QString::fromLocal8Bit(process.readAllStandardError()));
    figures.peakMebibytes = match.captured(1).toDouble() / 1024;
    return figures;
}

ProcessFigures medianProcess(const QString& folder, const QString& program,
                             const QStringList& arguments)
{
    QVector<double> times;
    double peak = 0;
    for (int run = 0; run < wholeProcessRuns; ++run) {
        freshFolder(folder);
        const ProcessFigures figures = runProgram(program, arguments);
        times.append(figures.milliseconds);
        peak = std::max(peak, figures.peakMebibytes);
    }
    return {median(times), peak};
}

// The whole step-down from 1024 / 90 to 240 / 50, with one resizer (later attempts reuse what
// the earlier ones decoded) or a fresh resizer per attempt (every attempt decodes the source).
QList<qint64> stepDownChain(const QString& picture, const QString& folder, bool reuse)
{
    QList<qint64> sizes;
    MmsResizer resizer;
    int width = 1024;
    int quality = 90;
    int size = 0;
    QString resultPath;
    resizeWithVariant(resizer, picture, folder, width, quality, size, resultPath);
    sizes.append(size);
    while (resizer.findSmallerResizeVariant(width, quality, width, quality)) {
        MmsResizer fresh;
        resizeWithVariant(reuse ? resizer : fresh, picture, folder, width, quality, size,
                          resultPath);
        sizes.append(size);
    }
    return sizes;
}

double largestDifferencePercent(const QList<qint64>& a, const QList<qint64>& b)
{
    double largest = 0;
    for (int index = 0; index < std::min(a.size(), b.size()); ++index) {
        largest = std::max(largest, 100.0 * std::abs(double(a.at(index) - b.at(index))) /
                                        double(b.at(index)));
    }
    return largest;
}

QString verdict(double value, double limit)
{
    return value <= limit ? QStringLiteral("meets") : QStringLiteral("MISSES");
}

void line(const QString& label, double milliseconds, const QString& note = QString())
{
    out << "    " << label.leftJustified(44)
        << QString::number(milliseconds, 'f', 1).rightJustified(8) << " ms  " << note << "\n";
}

void benchInProcess(const QString& picture, const QString& work)
{
    const QString folder = work + "/inprocess";
    const auto clear = [&] { freshFolder(folder); };
    out << "  in-process, median of " << inProcessRuns << ":\n";

    const double floor = medianMilliseconds(inProcessRuns, clear, [&] {
        QProcess::execute(tool("DJPEG", "djpeg"),
                          {"-scale", "1/8", "-outfile", "/dev/null", picture});
    });
    line("decode floor (djpeg -scale 1/8)", floor);

    const double first = medianMilliseconds(inProcessRuns, clear, [&] {
        MmsResizer resizer;
        int size = 0;
        QString resultPath;
        resizeWithVariant(resizer, picture, folder, 1024, 90, size, resultPath);
    });
    line("first attempt (1024 / 90)", first,
         QString("%1x floor, target <= 1.5x: %2")
             .arg(first / floor, 0, 'f', 2)
             .arg(verdict(first / floor, 1.5)));

    QList<qint64> reusedSizes;
    QList<qint64> decodedSizes;
    const double chain = medianMilliseconds(
        inProcessRuns, clear, [&] { reusedSizes = stepDownChain(picture, folder, true); });
    line("step-down chain to 240 / 50, reusing", chain,
         QString("%1x first attempt, target <= 2.5x: %2")
             .arg(chain / first, 0, 'f', 2)
             .arg(verdict(chain / first, 2.5)));
    const double redecoding = medianMilliseconds(
        inProcessRuns, clear, [&] { decodedSizes = stepDownChain(picture, folder, false); });
    line("step-down chain, decoding every attempt", redecoding,
         QString("%1x first attempt").arg(redecoding / first, 0, 'f', 2));
    out << "    file sizes, reusing against decoding: at most "
        << QString::number(largestDifferencePercent(reusedSizes, decodedSizes), 'f', 2)
        << "% apart over " << reusedSizes.size() << " attempts\n";
}

void benchWholeProcess(const QString& driver, const QString& picture, const QString& work,
                       bool largest)
{
    const QString folder = work + "/process";
    out << "  whole process, median of " << wholeProcessRuns << " (peak memory the largest):\n";
    const ProcessFigures ours = medianProcess(folder, driver, {picture, folder});
    const ProcessFigures vips = medianProcess(folder, tool("VIPSTHUMBNAIL", "vipsthumbnail"),
                                              {picture, "-s", "1024", "-o", folder + "/vips.jpg"});
    const ProcessFigures magick =
        medianProcess(folder, tool("CONVERT", "convert"),
                      {"-define", "jpeg:size=1024x1024", picture, "-resize", "1024x1024",
                       "-quality", "90", folder + "/magick.jpg"});
    const auto peak = [](const ProcessFigures& figures) {
        return QString("peak %1 MiB").arg(figures.peakMebibytes, 0, 'f', 1);
    };
    QString ourNote = QString("%1, %2x vipsthumbnail, target <= 0.5x: %3")
                          .arg(peak(ours))
                          .arg(ours.milliseconds / vips.milliseconds, 0, 'f', 2)
                          .arg(verdict(ours.milliseconds / vips.milliseconds, 0.5));
    if (largest) {
        ourNote += QString("; peak target <= 32 MiB: %1").arg(verdict(ours.peakMebibytes, 32));
    }
    line("bench_resize_driver (1024 / 90)", ours.milliseconds, ourNote);
    line("vipsthumbnail -s 1024", vips.milliseconds, peak(vips));
    line("convert -define jpeg:size ... -resize 1024", magick.milliseconds,
         QString("%1, ours %2x of it")
             .arg(peak(magick))
             .arg(ours.milliseconds / magick.milliseconds, 0, 'f', 2));
}

int setOrientation(const QString& orientation, const QString& picture)
{
    MmsImageMetadata metadata(picture);
    metadata.setOrientation(orientation.toInt());
    return metadata.write(picture) ? 0 : 1;
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const QStringList arguments = app.arguments();
    if (arguments.size() == 4 && arguments.at(1) == "--set-orientation") {
        return setOrientation(arguments.at(2), arguments.at(3));
    }
    if (arguments.size() < 4) {
        QTextStream(stderr) << "usage: bench_resize <driver> <work folder> <picture>...\n";
        return 2;
    }
    // The step-down warns at every quality step; that is expected here.
    QLoggingCategory::setFilterRules("dravel.*=false");
    const QString driver = arguments.at(1);
    const QString work = arguments.at(2);
    const QStringList pictures = arguments.mid(3);
    qint64 largestPixels = 0;
    for (const QString& picture : pictures) {
        const QSize size = QImageReader(picture).size();
        largestPixels = std::max(largestPixels, qint64(size.width()) * size.height());
    }
    for (const QString& picture : pictures) {
        const QSize size = QImageReader(picture).size();
        out << QFileInfo(picture).fileName() << ": " << size.width() << " x " << size.height()
            << ", " << QString::number(QFileInfo(picture).size() / 1048576.0, 'f', 1) << " MiB\n";
        benchInProcess(picture, work);
        benchWholeProcess(driver, picture, work,
                          qint64(size.width()) * size.height() == largestPixels);
        out.flush();
    }
    QDir(work + "/inprocess").removeRecursively();
    QDir(work + "/process").removeRecursively();
    return 0;
}
