#include "cliTestSupport.h"

#include <QFile>
#include <QProcess>
#include <QProcessEnvironment>

#include <cstdlib>

namespace cliTest {

QStringList result::lines() const {
    QString text = out;
    if (text.endsWith(QLatin1Char('\n'))) text.chop(1);
    return text.split(QLatin1Char('\n'));
}

result run(const QStringList &args, const QStringList &environment, const QByteArray &input) {
    QProcess process;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.remove(QStringLiteral("DISPLAY"));
    env.remove(QStringLiteral("WAYLAND_DISPLAY"));
    // Mesa's software renderer without worker threads, whose exit would race
    // LeakSanitizer's check when the tool runs under the sanitizers.
    env.insert(QStringLiteral("LP_NUM_THREADS"), QStringLiteral("0"));
    for (const QString &setting : environment)
        env.insert(setting.section(QLatin1Char('='), 0, 0), setting.section(QLatin1Char('='), 1));
    process.setProcessEnvironment(env);
    process.start(QStringLiteral(PLOTWEAVE_CLI), args);
    if (!input.isEmpty()) process.write(input);
    process.closeWriteChannel();
    result r;
    if (!process.waitForFinished(120000) || process.exitStatus() != QProcess::NormalExit) {
        r.err = QStringLiteral("the tool crashed or hung");
        return r;
    }
    r.status = process.exitCode();
    r.out = QString::fromUtf8(process.readAllStandardOutput());
    r.err = QString::fromUtf8(process.readAllStandardError());
    return r;
}

int countNear(const QImage &image, int r, int g, int b, int tolerance) {
    int n = 0;
    for (int y = 0; y < image.height(); y++)
        for (int x = 0; x < image.width(); x++) {
            const QRgb p = image.pixel(x, y);
            n += std::abs(qRed(p) - r) <= tolerance && std::abs(qGreen(p) - g) <= tolerance &&
                 std::abs(qBlue(p) - b) <= tolerance;
        }
    return n;
}

int countTinted(const QImage &image, int channel) {
    int n = 0;
    for (int y = 0; y < image.height(); y++)
        for (int x = 0; x < image.width(); x++) {
            const QRgb p = image.pixel(x, y);
            const int c[3] = {qRed(p), qGreen(p), qBlue(p)};
            n += c[channel] - c[(channel + 1) % 3] >= 60 && c[channel] - c[(channel + 2) % 3] >= 60;
        }
    return n;
}

QByteArray readFile(const QString &path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

}  // namespace cliTest
