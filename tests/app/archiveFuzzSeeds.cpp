// Writes the archive fuzzer's starting corpus into the folder given as argument.
#include <QDir>
#include <QFile>

#include "app/graphEquationTable.h"
#include "archiveTestSupport.h"
#include "equationEditor/equationEditor.h"

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

    // An equation set with every node class, and one equation as clipboard data.
    slArchiveRegistry equations;
    graphEquationTableRegisterArchiveClasses(equations);
    graphEquationTable list;
    const char16_t *typed[] = {u"y=-x^3\uF703/2\uF703+sqrt9\uF703-(k)sin(x)",
                               u"x=cos(t),y=sin(t),z=t", u"2.5\u2022 3,1/?", u"abs(x)=\u03c0"};
    for (const char16_t *keys : typed) {
        graphEquationEditorModel model;
        model.setEquation(geEdit::rootWithExpression(geEditEmpty::emptyExpression()));
        model.inputString(QString::fromUtf16(keys));
        auto entry = list.addEmptyEquation();
        entry->setEquation(model.equation()->copy());
    }
    ok = ok && save(slArchiver::archivedDataWithRootObject(list, equations));
    ok = ok &&
         save(slArchiver::archivedDataWithRootObject(*list.equations()[0]->equation(), equations));
    return ok ? 0 : 1;
}
