// Writes the archive fuzzer's starting corpus into the folder given as argument.
#include <QDir>
#include <QFile>

#include "archiveTestSupport.h"

int main(int argc, char **argv) {
    if (argc != 2 || !QDir().mkpath(argv[1])) return 1;
    const QDir dir(argv[1]);
    int written = 0;
    auto save = [&](const QByteArray &data) {
        QFile file(dir.filePath(QString("seed%1.bin").arg(written++)));
        return file.open(QIODevice::WriteOnly) && file.write(data) == data.size();
    };

    testColoredObject colored;
    colored.number = 70000;
    colored.name = QString::fromUtf8("\xcf\x80 x");
    colored.color = QColor(10, 200, 30, 128);
    colored.child = chainOf(3);
    colored.child->name = "child";
    bool ok = save(slArchiver::archivedDataWithRootObject(colored, testRegistry()));
    auto chain = chainOf(40);
    ok = ok && save(slArchiver::archivedDataWithRootObject(*chain, testRegistry()));
    releaseChain(chain);
    testObject plain;
    ok = ok && save(slArchiver::archivedDataWithRootObject(plain, testRegistry()));
    return ok ? 0 : 1;
}
